#include "TransferInChild.h"

#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "base/StoredOptionsVmesnik.h"
#include "db/TDM.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"
#include "transfer/Prepis.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orv::bench {

namespace {

/// A UI port that keeps nothing: the benchmark measures the transfer, not a recorder.
class QuietWindow : public StoredOptionsVmesnik {
public:
    void setLblSporociloVisible(bool) override {}
    void setLblSporocilo(const std::string&) override {}
    void setLblSporocilo2(const std::string&) override {}
    void setLblStevec(const std::string&) override {}
    void setLblKorak(const std::string&) override {}
    void showMessage(const std::string&) override {}
    bool askLogon(LogonPrompt&) override { return false; }
    bool askQuestion(const std::string&) override { return false; }
    void processMessages() override {}
};

// What the child sends back through the pipe.
struct ChildReport {
    TransferRun run;
    bool finished = false;
};

[[noreturn]] void runChild(int pipeToParent, const std::string& logonDatabase,
                           const std::string& folder) {
    ChildReport report;
    try {
        QuietWindow window;
        window.options.eDanText = "31.12.2024";
        TDM dm(window, folder + "/");
        dm.OracleSession1.logonDatabase = logonDatabase;
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
        const auto start = std::chrono::steady_clock::now();
        const IzidPrenosa result = Prepis(dm, window);
        report.run.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        report.run.sourceRows = result.skupaj;
        report.run.writtenRows = result.zapisanih;
        report.run.source = result.sekundIzvora;
        report.run.loop = result.sekundZanke;
        report.run.clean = result.sekundCiscenja;
        report.finished = true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "transfer failed: %s\n", e.what());
    }
    const ssize_t written = write(pipeToParent, &report, sizeof report);
    _exit(written == static_cast<ssize_t>(sizeof report) ? 0 : 1);
}

} // namespace

std::string cachedDemoBank(long size) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bench-banks";
    fs::create_directories(folder);
    const fs::path path = folder / ("banka-" + std::to_string(size) + ".db");
    const fs::path finished = path.string() + ".gotova";
    if (!fs::exists(finished)) {
        for (const char* suffix : {"", "-wal", "-shm", ".skup", ".skup-wal", ".skup-shm"})
            fs::remove(path.string() + suffix);
        {
            sqlite::BankFile bank(path.string(), true);
            sqlite::createBankSchema(bank.handle());
            sqlite::createUsersTable(bank.handle());
            sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
            demo::fillDemoBank(bank.handle(), demo::DemoOptions{size, 1});
        }
        std::ofstream mark(finished);
    }
    return path.string();
}

TransferRun transferInChild(const std::string& logonDatabase, const std::string& folder) {
    int ends[2];
    if (pipe(ends) != 0) throw std::runtime_error("pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        runChild(ends[1], logonDatabase, folder);
    }
    close(ends[1]);
    ChildReport report;
    const ssize_t read = ::read(ends[0], &report, sizeof report);
    close(ends[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (read != static_cast<ssize_t>(sizeof report) || !report.finished)
        throw std::runtime_error("the transfer did not finish");
    report.run.peakKb = usage.ru_maxrss;
    report.run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return report.run;
}

} // namespace orv::bench
