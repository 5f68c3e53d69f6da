// The data set of a date is changed whole or not at all: a transfer killed half way leaves the
// rows as they were, two transfers at once leave one data set, and an export imported back
// unchanged leaves every row as it was, to the byte.

#include "SourceBank.h"

#include "bank/demo/DemoBank.h"
#include "db/sqlite/BankFile.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <algorithm>
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

std::string program(const char* ime) {
    return (std::filesystem::path(kSql).parent_path() / ime).string();
}

std::string prenos() {
    return program("orvelnost-prenos");
}

/// Every stored row of POD_ORVEL, every value as its exact bytes and type, in rowid order.
std::vector<std::string> surovaTabela(const std::string& bank,
                                      const char* sql = "SELECT rowid, * FROM POD_ORVEL ORDER BY "
                                                        "rowid") {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(bank.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stavek = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &stavek, nullptr), SQLITE_OK);
    std::vector<std::string> vrstice;
    while (sqlite3_step(stavek) == SQLITE_ROW) {
        std::string vrstica;
        for (int i = 0; i < sqlite3_column_count(stavek); ++i) {
            vrstica += sqlite3_column_name(stavek, i);
            vrstica += "=" + std::to_string(sqlite3_column_type(stavek, i)) + ":";
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

/// The rows without their rowids, sorted: an import inserts rows anew, so their rowids and
/// order change, never their contents.
std::vector<std::string> vsebina(const std::string& bank) {
    std::vector<std::string> vrstice = surovaTabela(bank, "SELECT * FROM POD_ORVEL");
    std::sort(vrstice.begin(), vrstice.end());
    return vrstice;
}

class DataSetOfADate : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        sqlite::BankFile file(bank.path(), false);
        demo::fillDemoBank(file.handle(), demo::DemoOptions{300, 7});
    }
    CommandResult ukaz(const std::string& argumenti, const char* ime = "orvelnost-prenos") {
        return runCommand(program(ime) + " ORVDEMO OPERATER demo " + argumenti);
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

TEST_F(DataSetOfADate, AKilledRunLeavesThePreviousRowsByteForByte) {
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
TEST_F(DataSetOfADate, TwoTransfersOfOneDateAtOnceLeaveOneDataSet) {
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

class RoundTrip : public DataSetOfADate, public ::testing::WithParamInterface<std::string> {};

TEST_P(RoundTrip, AnExportImportedUnchangedLeavesEveryRowAsItWas) {
    const CommandResult prenos = ukaz("--dan 31.12.2024");
    ASSERT_EQ(prenos.exitCode, 0) << prenos.err;
    // Rows of another date stay out of it.
    bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, VKNT) VALUES ('30.11.2024', 'N', '1')");
    const std::vector<std::string> pred = vsebina(bank.path());
    ASSERT_GT(pred.size(), 100u);
    const std::string datoteka = bank.folder() + "/dan." + GetParam();
    const CommandResult izvoz =
        ukaz("--dan 31.12.2024 --oblika " + GetParam() + " " + datoteka, "orvelnost-izvoz");
    ASSERT_EQ(izvoz.exitCode, 0) << izvoz.err;
    const CommandResult uvoz = ukaz("--dan 31.12.2024 --potrdi " + datoteka, "orvelnost-uvoz");
    ASSERT_EQ(uvoz.exitCode, 0) << uvoz.err;
    // Class D rows are never replaced: they are found equal and left as they are.
    EXPECT_THAT(uvoz.err, ::testing::HasSubstr("Vrstic razreda D, ki so enake shranjenim"));
    const std::vector<std::string> po = vsebina(bank.path());
    ASSERT_EQ(po.size(), pred.size());
    for (size_t i = 0; i < pred.size(); ++i)
        ASSERT_EQ(po[i], pred[i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(Oblike, RoundTrip, ::testing::Values("xlsx", "csv"));

} // namespace
} // namespace orv::test
