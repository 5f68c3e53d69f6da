// A transfer killed half way, or stopped by a failure, leaves the rows of the date as they were:
// the whole run is one unit of work.

#include "SourceBank.h"

#include "bank/demo/DemoBank.h"
#include "db/sqlite/BankFile.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orv::test {
namespace {

const std::string kSql = ORVELNOST_SQL_PROGRAM;

std::string prenos() {
    return (std::filesystem::path(kSql).parent_path() / "orvelnost-prenos").string();
}

/// Every stored row of POD_ORVEL, every value as its exact bytes and type, in rowid order.
std::vector<std::string> surovaTabela(const std::string& bank) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(bank.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stavek = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT rowid, * FROM POD_ORVEL ORDER BY rowid", -1, &stavek,
                                 nullptr),
              SQLITE_OK);
    std::vector<std::string> vrstice;
    while (sqlite3_step(stavek) == SQLITE_ROW) {
        std::string vrstica;
        for (int i = 0; i < sqlite3_column_count(stavek); ++i) {
            vrstica += std::to_string(sqlite3_column_type(stavek, i)) + ":";
            const void* bytes = sqlite3_column_blob(stavek, i);
            if (bytes)
                vrstica.append(static_cast<const char*>(bytes),
                               static_cast<size_t>(sqlite3_column_bytes(stavek, i)));
            vrstica += '\x1f';
        }
        vrstice.push_back(std::move(vrstica));
    }
    sqlite3_finalize(stavek);
    sqlite3_close(db);
    return vrstice;
}

class KilledTransfer : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        sqlite::BankFile file(bank.path(), false);
        demo::fillDemoBank(file.handle(), demo::DemoOptions{300, 7});
    }
    CommandResult ukaz(const std::string& argumenti) {
        return runCommand(prenos() + " ORVDEMO OPERATER demo " + argumenti);
    }
    /// Starts a transfer of 31.12.2024 in a child process and kills it (SIGKILL) after `cakaj`.
    /// True when it was killed before it ended.
    static bool ubijPo(std::chrono::milliseconds cakaj) {
        const pid_t otrok = fork();
        if (otrok == 0) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            const std::string program = prenos();
            execl(program.c_str(), program.c_str(), "ORVDEMO", "OPERATER", "demo", "--dan",
                  "31.12.2024", static_cast<char*>(nullptr));
            _exit(127);
        }
        std::this_thread::sleep_for(cakaj);
        kill(otrok, SIGKILL);
        int status = 0;
        waitpid(otrok, &status, 0);
        return WIFSIGNALED(status);
    }
};

TEST_F(KilledTransfer, AKilledRunLeavesThePreviousRowsByteForByte) {
    const auto zacetek = std::chrono::steady_clock::now();
    const CommandResult prvi = ukaz("--dan 31.12.2024");
    ASSERT_EQ(prvi.exitCode, 0) << prvi.err;
    const auto trajanje = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - zacetek);
    const std::vector<std::string> pred = surovaTabela(bank.path());
    ASSERT_GT(pred.size(), 100u);

    // Killed at random moments of the run: the deletion, the loop, the clean-up.
    std::mt19937 nakljucno(std::random_device{}());
    std::uniform_real_distribution<double> delez(0.2, 0.9);
    int ubitih = 0;
    for (int poskus = 0; poskus < 4; ++poskus) {
        const auto cakaj = std::chrono::milliseconds(
            static_cast<long>(static_cast<double>(trajanje.count()) * delez(nakljucno)));
        if (ubijPo(cakaj)) ++ubitih;
        EXPECT_EQ(surovaTabela(bank.path()), pred) << "killed after " << cakaj.count() << " ms";
        const CommandResult preveri = runCommand(kSql + " --preveri ORVDEMO OPERATER demo");
        EXPECT_EQ(preveri.out, "ok\n") << preveri.err;
    }
    EXPECT_GT(ubitih, 0) << "no run was killed before its end";

    // The bank goes on: the next transfer writes the same data set again.
    const CommandResult drugi = ukaz("--dan 31.12.2024");
    ASSERT_EQ(drugi.exitCode, 0) << drugi.err;
    EXPECT_EQ(drugi.out, prvi.out);
}

// Two transfers of one date at once: the second waits for the first's write lock and then
// replaces its rows, so the date ends with one data set.
TEST_F(KilledTransfer, TwoTransfersOfOneDateAtOnceLeaveOneDataSet) {
    const CommandResult sam = ukaz("--dan 31.12.2024");
    ASSERT_EQ(sam.exitCode, 0) << sam.err;
    const size_t enNabor = surovaTabela(bank.path()).size();
    CommandResult prvi, drugi;
    std::thread a([&] { prvi = ukaz("--dan 31.12.2024"); });
    std::thread b([&] { drugi = ukaz("--dan 31.12.2024"); });
    a.join();
    b.join();
    EXPECT_EQ(prvi.exitCode, 0) << prvi.err;
    EXPECT_EQ(drugi.exitCode, 0) << drugi.err;
    EXPECT_EQ(surovaTabela(bank.path()).size(), enNabor);
}

} // namespace
} // namespace orv::test
