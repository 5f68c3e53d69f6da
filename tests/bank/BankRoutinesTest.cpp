// The three routines of the bank's database that statements call, on small fixtures.

#include "BankFixture.h"

#include "db/sqlite/BankRoutines.h"

namespace orv::sqlite::test {

namespace {

struct Case {
    const char* call;
    std::optional<std::string> expected;
};

class BankRoutinesTest : public BankFixture {
protected:
    void expectCases(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.call);
            EXPECT_EQ(value(std::string("SELECT ") + c.call), c.expected);
        }
    }
};

TEST_F(BankRoutinesTest, OrigZapadGivesTheBandOfTheWholeDaysBetweenTwoDates) {
    // List '014N' has bands 1-7, 8-30 and 31 upwards, and a band 20-40 that overlaps two;
    // '014S' is the list of the old scheme, '014' the list of EcbSifra14.
    exec("INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) VALUES "
         "('014N', '11', 1, 7), ('014N', '12', 8, 30), ('014N', '13', 31, NULL), "
         "('014N', '99', 20, 40), ('014S', '05', 0, NULL), ('014', '01', 0, NULL)");
    expectCases({
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '02.01.2024')", "11"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '1.1.2024', '8.1.2024')", "11"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '09.01.2024')", "12"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '31.01.2024')", "12"},
        // 25 days lie in 8-30 and in 20-40; 35 days in 31- and in 20-40: the lower bound decides
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '26.01.2024')", "12"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '05.02.2024')", "99"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '01.01.2034')", "13"},
        // the time of day does not count: 23:00 to 01:00 of the next day is one day
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024 23:00', '02.01.2024 01:00')", "11"},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '01.01.2024')", std::nullopt},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, '02.01.2024', '01.01.2024')", std::nullopt},
        {"skup_p_ecb_pd_f_orig_zapad('S', NULL, '01.01.2024', '01.01.2024')", "05"},
        {"skup_p_ecb_pd_f_orig_zapad('X', NULL, '01.01.2024', '01.01.2034')", std::nullopt},
        {"skup_p_ecb_pd_f_orig_zapad('N', NULL, NULL, '01.01.2034')", std::nullopt},
    });
}

TEST_F(BankRoutinesTest, GetSfKpnGivesThePeriodCoveringTheDate) {
    exec("INSERT INTO KPN (SFVP, SFKPN, PRVDAN, ZDNDAN) VALUES "
         "(7, 'K1', '01.01.2024', '30.06.2024'), (7, 'K2', '01.07.2024', '31.12.2024'), "
         "(8, 'K9', '01.01.2024', '31.12.2024')");
    expectCases({
        {"qev_utils_GetSfKpn(7, '01.01.2024')", "K1"},
        {"qev_utils_GetSfKpn(7, '30.6.2024')", "K1"},
        {"qev_utils_GetSfKpn(7, '01.07.2024')", "K2"},
        // as texts, 10.02.2024 sorts after 01.07.2024: the comparison must be by day
        {"qev_utils_GetSfKpn(7, '10.02.2024')", "K1"},
        {"qev_utils_GetSfKpn('7', '15.03.2024')", "K1"},
        {"qev_utils_GetSfKpn(8, '15.03.2024')", "K9"},
        {"qev_utils_GetSfKpn(7, '31.12.2023')", std::nullopt},
        {"qev_utils_GetSfKpn(7, '01.01.2025')", std::nullopt},
        {"qev_utils_GetSfKpn(9, '15.03.2024')", std::nullopt},
        {"qev_utils_GetSfKpn(7, NULL)", std::nullopt},
    });
}

TEST_F(BankRoutinesTest, GetTcn2GivesTheLatestPriceOnOrBeforeTheDate) {
    exec("INSERT INTO TCN (SFVP, DAN, TCN) VALUES (7, '01.03.2024', 101.5), "
         "(7, '15.03.2024', 102), (7, '02.04.2024', 99.5), (8, '01.01.2024', 50)");
    expectCases({
        {"qev_gettcn2(7, '15.03.2024')", "102"},
        {"qev_gettcn2(7, '16.3.2024')", "102"},
        {"qev_gettcn2(7, '14.03.2024')", "101.5"},
        {"qev_gettcn2(7, '1.1.2030')", "99.5"},
        // as texts, 15.03.2024 sorts before 28.02.2024: the comparison must be by day
        {"qev_gettcn2(7, '28.02.2024')", std::nullopt},
        {"qev_gettcn2(8, '01.01.2024')", "50"},
        {"qev_gettcn2(9, '01.01.2024')", std::nullopt},
    });
}

TEST_F(BankRoutinesTest, RoutinesRunOncePerRowOfAnOuterQuery) {
    // As in the holding value statement: the price of every holding on its own state date.
    exec("INSERT INTO TCN (SFVP, DAN, TCN) VALUES (7, '01.03.2024', 101.5), "
         "(7, '15.03.2024', 102), (8, '01.01.2024', 50)");
    exec("INSERT INTO VPHST (SFVP, DAN) VALUES (7, '10.03.2024'), (7, '20.03.2024'), "
         "(8, '20.03.2024'), (9, '20.03.2024')");
    EXPECT_EQ(column("SELECT NVL_PRICE FROM (SELECT coalesce(qev_gettcn2(vphst.sfvp, vphst.dan), "
                     "0) NVL_PRICE, rowid r FROM vphst) ORDER BY r"),
              (Column{"101.5", "102", "50", "0"}));
}

TEST_F(BankRoutinesTest, TextThatIsNoDateIsAnError) {
    for (const char* call : {"qev_gettcn2(7, 'abc')", "qev_utils_GetSfKpn(7, '32.01.2024')",
                             "skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', 'x')"}) {
        SCOPED_TRACE(call);
        EXPECT_EQ(errorOf(std::string("SELECT ") + call).rfind("ORA-", 0), 0u);
    }
}

TEST_F(BankRoutinesTest, AQueryThatFailsAfterItsFirstCallFailsTheRoutine) {
    // Each routine keeps its query prepared from its first call. When the query's table is
    // renamed after that (here by another session), the next call fails, as it would have had it
    // been the first.
    const struct {
        const char* table;
        const char* call;
    } routines[] = {
        {"ECB_SIFRANTI", "skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '02.01.2024')"},
        {"KPN", "qev_utils_GetSfKpn(7, '01.03.2024')"},
        {"TCN", "qev_gettcn2(7, '01.03.2024')"},
    };
    exec("INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) VALUES "
         "('014N', '11', 1, 7); INSERT INTO KPN (SFVP, SFKPN, PRVDAN, ZDNDAN) VALUES "
         "(7, 'K1', '01.01.2024', '30.06.2024'); INSERT INTO TCN (SFVP, DAN, TCN) VALUES "
         "(7, '01.03.2024', 101.5)");
    for (const auto& routine : routines) {
        SCOPED_TRACE(routine.call);
        const std::string query = std::string("SELECT ") + routine.call;
        ASSERT_NE(value(query), std::nullopt);
        const std::string table = routine.table;
        BankFile other(sqlite3_db_filename(db(), "main"), false);
        other.exec("ALTER TABLE " + table + " RENAME TO " + table + "_X");
        EXPECT_NE(errorOf(query).find("no such table: " + table), std::string::npos);
        other.exec("ALTER TABLE " + table + "_X RENAME TO " + table);
        EXPECT_NE(value(query), std::nullopt);
    }
}

TEST_F(BankRoutinesTest, ReleasingTheRoutinesLeavesNoPreparedStatement) {
    exec("INSERT INTO TCN (SFVP, DAN, TCN) VALUES (7, '01.03.2024', 101.5)");
    EXPECT_EQ(value("SELECT qev_gettcn2(7, '01.03.2024') || qev_utils_GetSfKpn(7, '01.03.2024') "
                    "|| skup_p_ecb_pd_f_orig_zapad('N', NULL, '01.01.2024', '02.01.2024')"),
              std::nullopt);
    releaseBankRoutines(db());
    EXPECT_EQ(sqlite3_next_stmt(db(), nullptr), nullptr);
    EXPECT_NE(errorOf("SELECT qev_gettcn2(7, '01.03.2024')").find("no such function"),
              std::string::npos);
    registerBankRoutines(db());
}

} // namespace

} // namespace orv::sqlite::test
