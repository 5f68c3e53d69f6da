// The same demo bank on both backends: the embedded bank and a copy of it on the PostgreSQL
// server, made by orvelnost-demo --streznik. A transfer on each, through orvelnost-prenos, must
// write the same rows (compared as orvelnost-sql prints them), and the console must print the
// same answers to the bank's statements on both.

#include "support/PostgresServer.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace orv::test {
namespace {

constexpr const char* kDatabase = "orv_transfer";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The header line, then the rows sorted: both backends write the same rows, to the last digit of
// every amount, not necessarily in the same physical order.
std::vector<std::string> headerAndSortedRows(const std::string& text) {
    std::vector<std::string> out = lines(text);
    if (out.size() > 1) std::sort(out.begin() + 1, out.end());
    return out;
}

class BothBackends : public testing::Test {
protected:
    static void SetUpTestSuite() {
        PostgresServer& server = PostgresServer::shared();
        if (!server.available()) return;
        folder_ = std::filesystem::temp_directory_path() / "orvelnost-both-XXXXXX";
        std::string pattern = folder_.string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        aliases_ = "ORVELNOST_ALIASI=" + (folder_ / "aliasi.ini").string() + " ";
        const CommandResult embedded =
            runCommand(aliases_ + ORVELNOST_DEMO_PROGRAM + " --velikost 100 --alias VGRAJENA " +
                       (folder_ / "banka.db").string());
        ASSERT_EQ(embedded.exitCode, 0) << embedded.err;
        server.createDatabase(kDatabase);
        const CommandResult onServer = runCommand(
            aliases_ + "ORVELNOST_SKRBNIK_GESLO=" + PostgresServer::kAdminPassword + " " +
            ORVELNOST_DEMO_PROGRAM + " --velikost 100 --alias STREZNIK --skrbnik " +
            PostgresServer::kAdmin + " --streznik '" + server.connectionString(kDatabase) + "'");
        ASSERT_EQ(onServer.exitCode, 0) << onServer.err;
    }

    static void TearDownTestSuite() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

    void SetUp() override { ORV_REQUIRE_POSTGRES(); }

    static CommandResult sql(const std::string& alias, const std::string& statements) {
        return runCommand(aliases_ + ORVELNOST_SQL_PROGRAM + " " + alias + " OPERATER demo",
                          statements);
    }

    static CommandResult prenos(const std::string& alias, const std::string& dan,
                                const std::string& options = "") {
        return runCommand(aliases_ + ORVELNOST_PRENOS_PROGRAM + " " + alias +
                          " OPERATER demo --dan " + dan + " " + options);
    }

    /// The rows of POD_ORVEL of the date (dd.mm.yyyy) are the same on both backends.
    static void expectSameRows(const std::string& date, const std::string& what) {
        const std::string rows = "select * from POD_ORVEL where DAT_STANJE = '" + date + "'";
        const CommandResult embeddedRows = sql("VGRAJENA", rows);
        const CommandResult serverRows = sql("STREZNIK", rows);
        ASSERT_EQ(embeddedRows.exitCode, 0) << embeddedRows.err;
        ASSERT_EQ(serverRows.exitCode, 0) << serverRows.err;
        EXPECT_GT(lines(embeddedRows.out).size(), 50u) << what;
        const std::vector<std::string> expected = headerAndSortedRows(embeddedRows.out);
        const std::vector<std::string> got = headerAndSortedRows(serverRows.out);
        EXPECT_EQ(got.size(), expected.size()) << what;
        std::vector<std::string> onlyEmbedded, onlyServer;
        std::set_difference(expected.begin(), expected.end(), got.begin(), got.end(),
                            std::back_inserter(onlyEmbedded));
        std::set_difference(got.begin(), got.end(), expected.begin(), expected.end(),
                            std::back_inserter(onlyServer));
        EXPECT_TRUE(onlyEmbedded.empty() && onlyServer.empty())
            << what << ": " << onlyEmbedded.size() << " rows only on the embedded bank, "
            << onlyServer.size() << " only on the server; first of each:\n"
            << (onlyEmbedded.empty() ? "" : onlyEmbedded[0]) << "\n"
            << (onlyServer.empty() ? "" : onlyServer[0]);
    }

    static inline std::filesystem::path folder_;
    static inline std::string aliases_;
};

// The transfers of the scenarios an operator runs, one after the other on each backend: two
// dates, the class restriction (its prior deletion removes only that class), and a run without
// the prior deletion, added on purpose (the date's rows twice, then FIFO and the corrective
// statements over all); the one-transaction transfer and its write lock on both.
TEST_F(BothBackends, TransferWritesTheSameRows) {
    struct Scenario {
        const char* dan;
        const char* date;
        const char* options;
    } scenarios[] = {
        {"31.12.2024", "31.12.2024", ""},
        {"30.6.2024", "30.06.2024", ""},
        {"31.12.2024", "31.12.2024", "--vknt C"},
        {"31.12.2024", "31.12.2024", "--brez-brisanja --dodaj"},
    };
    for (const Scenario& s : scenarios) {
        const std::string what = std::string(s.dan) + " " + s.options;
        const CommandResult embedded = prenos("VGRAJENA", s.dan, s.options);
        const CommandResult server = prenos("STREZNIK", s.dan, s.options);
        ASSERT_EQ(embedded.exitCode, 0) << what << embedded.err;
        ASSERT_EQ(server.exitCode, 0) << what << server.err;
        EXPECT_EQ(lines(server.out).back(), lines(embedded.out).back()) << what;
        expectSameRows(s.date, what);
    }
}

// The correction round trip on both backends: a run without the prior deletion that would
// double the date's rows is refused and changes nothing; the rows exported as a workbook and
// imported back unchanged are the rows that were there.
TEST_F(BothBackends, CorrectionRoundTripLeavesTheRowsAsTheyWere) {
    const std::string beside =
        std::filesystem::path(ORVELNOST_PRENOS_PROGRAM).parent_path().string() + "/";
    for (const char* alias : {"VGRAJENA", "STREZNIK"}) {
        const CommandResult run = prenos(alias, "31.12.2024");
        ASSERT_EQ(run.exitCode, 0) << alias << run.err;
        const std::string rows = "select * from POD_ORVEL where DAT_STANJE = '31.12.2024'";
        const std::vector<std::string> before = headerAndSortedRows(sql(alias, rows).out);

        const CommandResult refused = prenos(alias, "31.12.2024", "--brez-brisanja");
        EXPECT_EQ(refused.exitCode, 2) << alias << refused.err;
        EXPECT_NE(refused.err.find("že"), std::string::npos) << refused.err;
        EXPECT_EQ(headerAndSortedRows(sql(alias, rows).out), before) << alias;

        for (const char* format : {"xlsx", "csv"}) {
            const std::string file = (folder_ / (std::string(alias) + "." + format)).string();
            const CommandResult out =
                runCommand(aliases_ + beside + "orvelnost-izvoz " + alias +
                           " OPERATER demo --dan 31.12.2024 --oblika " + format + " " + file);
            ASSERT_EQ(out.exitCode, 0) << alias << " " << format << out.err;
            const CommandResult in = runCommand(aliases_ + beside + "orvelnost-uvoz " + alias +
                                                " OPERATER demo --dan 31.12.2024 --potrdi " + file);
            ASSERT_EQ(in.exitCode, 0) << alias << " " << format << in.err;
            EXPECT_EQ(headerAndSortedRows(sql(alias, rows).out), before) << alias << " " << format;
        }
    }
    expectSameRows("31.12.2024", "after the round trip");
}

TEST_F(BothBackends, ConsolePrintsTheSameAnswers) {
    // Statements of the bank's dialect over the demo bank: outer joins, ROWNUM, DECODE, NVL,
    // dates compared with texts, concatenation, the routines, dual and MINUS.
    const std::string statements = R"(
select SIF, nzv from sif where ssf='VKNT' order by SIF;
select ' ' SIF, ' ' nzv from dual union select SIF, nzv from sif where ssf='VKNT'  order by nzv;
select m.VKNT, count(*) N from KNJIZBE k, MATRIKA m where m.CTRL = k.KONTO and k.DATUMV <= '31.12.2024' group by m.VKNT order by m.VKNT;
select k.KONTO, s.OZNAKA, nvl(s.OZNAKA, 'brez') || '/' || k.KONTO oznaka from KNJIZBE k, SIFKONT s where k.KONTO = s.CTRL (+) and ROWNUM <= 5 order by 1;
select count(*) from (select IDPOG from POG where ROWNUM <= 7);
select decode(SFVLT, 'E', 'evro', NULL, 'nic', 'drugo') v, count(*) from VLT group by decode(SFVLT, 'E', 'evro', NULL, 'nic', 'drugo') order by 1;
select max(DATUMV) a, min(DATUMV) b, max(ADD_MONTHS(DATUMV, 1)) c, max(LAST_DAY(DATUMV)) d from KNJIZBE where DATUMV between '1.1.2024' and '30.6.2024';
select SFVP, qev_utils.GetSfKpn(SFVP, '31.12.2024') kupon, qev_gettcn2(SFVP, '31.12.2024') cena from SFVP where ROWNUM <= 10 order by SFVP;
select skup.p_ecb_pd.f_orig_zapad('S', null, '1.1.2024', '31.12.2024') r from dual;
select CTRL from MATRIKA minus select KONTO from KNJIZBE order by 1;
select KLJUC, VREDNOST from INISET order by KLJUC;
select count(*) from skup.MSRP9_SLAB_34_E;
)";
    const CommandResult embedded = sql("VGRAJENA", statements);
    const CommandResult server = sql("STREZNIK", statements);
    ASSERT_EQ(embedded.exitCode, 0) << embedded.err;
    ASSERT_EQ(server.exitCode, 0) << server.err;
    EXPECT_EQ(server.out, embedded.out);
}

TEST_F(BothBackends, ServerBankIsMadeOnlyInAnEmptyDatabase) {
    PostgresServer& server = PostgresServer::shared();
    const std::string demo = aliases_ +
                             "ORVELNOST_SKRBNIK_GESLO=" + PostgresServer::kAdminPassword + " " +
                             ORVELNOST_DEMO_PROGRAM + " --skrbnik " + PostgresServer::kAdmin + " ";
    const CommandResult again =
        runCommand(demo + "--alias ZNOVA --streznik '" + server.connectionString(kDatabase) + "'");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("holds tables already"), std::string::npos) << again.err;

    // An empty bank: the schema, the routines and the user, no rows. The role belongs to the
    // whole server, so it keeps the password the other banks of these tests give it.
    server.createDatabase("orv_prazna");
    const CommandResult empty = runCommand(demo +
                                           "--prazna --geslo demo --alias PRAZNA "
                                           "--streznik '" +
                                           server.connectionString("orv_prazna") + "'");
    ASSERT_EQ(empty.exitCode, 0) << empty.err;
    const CommandResult rows = runCommand(
        aliases_ + ORVELNOST_SQL_PROGRAM + " PRAZNA OPERATER demo",
        "select count(*) n from KNJIZBE;\nselect count(*) n from skup.MSRP9_SLAB_34_E;\n"
        "select skup.p_ecb_pd.f_orig_zapad('S', null, '1.1.2024', '31.12.2024') r from dual;\n");
    ASSERT_EQ(rows.exitCode, 0) << rows.err;
    EXPECT_EQ(rows.out, "N\n0\nN\n0\nR\n\n");
}

TEST_F(BothBackends, WrongPasswordIsRefusedByTheServer) {
    const CommandResult refused = runCommand(
        aliases_ + ORVELNOST_SQL_PROGRAM + " STREZNIK OPERATER napacno", "select 1 from dual;");
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("password authentication failed"), std::string::npos) << refused.err;
}

} // namespace
} // namespace orv::test
