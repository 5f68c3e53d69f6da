// Statements as the program builds them, run on small fixtures of the bank's tables.

#include "DialectHarness.h"

#include "db/DatabaseError.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

const std::vector<std::string> kBank = {
    "CREATE TABLE knjizbe (konto NUMBER, vp NUMBER, idpog NUMBER, idvp NUMBER, idmaster NUMBER, "
    "idobd NUMBER, valuta VARCHAR2(3), datumv DATE COLLATE DATUM, bznesek NUMBER, dznesek NUMBER, "
    "bzneseksit NUMBER, dzneseksit NUMBER)",
    "CREATE TABLE dog (iddog NUMBER, sfpdg VARCHAR2(1), dan DATE COLLATE DATUM, idvpl NUMBER, "
    "zpd DATE COLLATE DATUM)",
    "CREATE TABLE vpl (idvpl NUMBER, st VARCHAR2(10))",
    "CREATE TABLE trg_slab (iddog NUMBER, iddogslab NUMBER)",
    "CREATE TABLE osb (sfosb NUMBER, krtbnk VARCHAR2(8))",
    "CREATE TABLE sfvp (sfvp NUMBER, sfosbizd NUMBER, sffin VARCHAR2(3), sfvltnmn VARCHAR2(3))",
    "CREATE TABLE fin (sffin VARCHAR2(3), nzv VARCHAR2(20))",
    "CREATE TABLE sifkont (ctrl NUMBER, oznaka VARCHAR2(10), akt_pas VARCHAR2(1))",
    "CREATE TABLE vlt (sfvlt VARCHAR2(3), krt VARCHAR2(3))",
    "CREATE TABLE pog (idpog NUMBER, sforg NUMBER)",
    "CREATE TABLE org (sforg NUMBER, krt VARCHAR2(10))",
    "CREATE TABLE matrika (ctrl NUMBER, vknt VARCHAR2(1), vprc VARCHAR2(1), grupiraj VARCHAR2(1))",
    "CREATE TABLE sif (ssf VARCHAR2(10), sif VARCHAR2(10), nzv VARCHAR2(30))",
    "CREATE TABLE pod_orvel (pogodba VARCHAR2(20), id_konto VARCHAR2(10), id_valute VARCHAR2(3), "
    "dat_stanje VARCHAR2(10), povpr_stanje NUMBER, znesek_val NUMBER, ecb_51 NUMBER, "
    "ecb_ivd VARCHAR2(10), vknt VARCHAR2(1), dat_zapad DATE COLLATE DATUM, ecb_111n NUMBER, "
    "namen_posla VARCHAR2(3))",
    "INSERT INTO sifkont VALUES (5, '64.190', 'A')",
    "INSERT INTO sifkont VALUES (6, '64.600', 'P')",
    "INSERT INTO matrika VALUES (5, '1', '3', 'N')",
    "INSERT INTO matrika VALUES (6, '6', '3', 'N')",
    "INSERT INTO dog VALUES (1, 'V', '15.01.2017', 1, '31.12.2030')",
    "INSERT INTO dog VALUES (2, 'x', '20.02.2016', NULL, NULL)",
    "INSERT INTO dog VALUES (3, 'Z', '03.03.2017', NULL, NULL)",
    "INSERT INTO vpl VALUES (1, '77')",
    "INSERT INTO trg_slab VALUES (1, 9)",
    "INSERT INTO pog VALUES (100, 1)",
    "INSERT INTO org VALUES (1, 'LJ')",
    // Postings of contract 100, security 10 on account 5.
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, 1, 0, 'EUR', '05.03.2024', 0, 0, 100, 10)",
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, 2, 0, 'EUR', '31.03.2024', 0, 0, 7, 0)",
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, 3, 0, 'EUR', '06.03.2024', 0, 0, 1000, 0)",
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, 1, 0, 'EUR', '01.04.2024', 0, 0, 2000, 0)",
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, 1, 0, 'EUR', '29.02.2024', 0, 0, 4000, 0)",
    "INSERT INTO knjizbe VALUES (5, 10, 100, 1, NULL, 0, 'EUR', '10.03.2024', 0, 0, 30000, 0)",
};

Rows run(DialectDatabase& db, const std::string& sql, const std::vector<Bind>& binds = {}) {
    return db.query(sql, binds);
}

class BankStatements : public testing::Test {
protected:
    DialectDatabase db;
    void SetUp() override {
        for (const std::string& statement : kBank)
            db.execute(statement);
    }
};

// The month's domestic movements through deals of kind V and x: comma joins with (+) on every
// table; the condition on D.SFPDG stays in WHERE and drops the postings without such a deal.
TEST_F(BankStatements, MonthMovementWithOuterJoinMarkers) {
    const std::string sql =
        std::string(" SELECT SUM(K.BZNESEKSIT-K.DZNESEKSIT) ZNESEK ") +
        " FROM KNJIZBE K, DOG D,  OSB O, SFVP V, " + " FIN FIN, SIFKONT SIFKONT   " + ", VLT VLT " +
        ", POG POG " + ", ORG ORG " + " WHERE K.IDMASTER=D.IDDOG (+) " + " AND K.VP=" + "10" +
        " AND K.IDPOG=" + "100" + " AND K.IDVP=" + "1" + " AND K.IDPOG=POG.IDPOG(+) " +
        " AND K.VP=V.SFVP (+) " + " AND V.SFVLTNMN = VLT.SFVLT (+) " +
        " AND V.SFOSBIZD=O.SFOSB (+) " + "  AND k.idpog='" + "100" + "' " +
        " AND POG.SFORG=ORG.SFORG (+) " + " AND V.SFFIN=FIN.SFFIN (+) " +
        " AND K.KONTO=SIFKONT.CTRL (+) " + " AND K.DATUMV>='" + "01.03.2024" + "' " +
        " AND K.DATUMV<='" + "31.03.2024" + "' " + " AND SIFKONT.OZNAKA = '" + "64.190" + "' " +
        " AND K.IDOBD>= 0 " + " AND D.SFPDG IN ('V','x') ";
    EXPECT_EQ(run(db, sql), (Rows{{"97"}}));
}

// The movement of account 5 with bound variables: a posting without a deal still counts, as
// the outer join keeps it with an empty deal kind.
TEST_F(BankStatements, MovementKeepsPostingsWithoutDeal) {
    const std::string p = " FROM knjizbe k, dog d, sifkont s ";
    const std::string q = std::string(" AND k.konto= :konto ") + " AND k.konto=s.ctrl " +
                          " AND k.idobd>=0 " + " AND k.datumv >= :danod AND k.datumv<= :dando ";
    const std::string sql = "SELECT SUM(CASE WHEN s.akt_pas='A' THEN k.bzneseksit-k.dzneseksit "
                            "ELSE k.dzneseksit-k.bzneseksit END) SALDO " +
                            p + " WHERE k.idmaster=d.iddog (+) " + q +
                            " AND (d.sfpdg not in ('V', 'T', 't', 'x')  or d.sfpdg is null) " +
                            " AND k.idpog= :pogodba " + " AND k.vp= :sfvp " + " AND k.idvp=1 ";
    EXPECT_EQ(run(db, sql,
                  {{"KONTO", "5"},
                   {"DANOD", "01.03.2024"},
                   {"DANDO", "31.03.2024"},
                   {"POGODBA", "100"},
                   {"SFVP", "10"}}),
              (Rows{{"31000"}}));
}

// Daily sums of the average balance: an inner table joined in WHERE beside the outer ones, and
// GROUP BY / ORDER BY on a date column in calendar order.
TEST_F(BankStatements, DailySumsInDateOrder) {
    const std::string sql =
        std::string(" SELECT K.DATUMV DATUMV, ") + " SUM(K.DZNESEKSIT) DZNESEK, " +
        " SUM(K.BZNESEKSIT) BZNESEK " + " FROM KNJIZBE K, DOG D,  OSB O, SFVP V, " +
        " FIN FIN, SIFKONT SIFKONT   " + ", VLT VLT " + ", POG POG " + ", ORG ORG " +
        ", MATRIKA M" + " WHERE K.IDMASTER=D.IDDOG (+) " +
        " AND k.konto = m.ctrl AND m.vprc = '3' " +
        " AND K.VP=10 AND K.IDPOG=100 AND K.IDPOG=POG.IDPOG(+) " + " AND K.VP=V.SFVP (+) " +
        " AND V.SFVLTNMN = VLT.SFVLT (+) " + " AND V.SFOSBIZD=O.SFOSB (+) " +
        " AND POG.SFORG=ORG.SFORG (+) " + " AND V.SFFIN=FIN.SFFIN (+) " +
        " AND K.KONTO=SIFKONT.CTRL (+) " + " AND K.DATUMV>='01.01.2024' " +
        " AND K.DATUMV<='31.03.2024' " + " AND SIFKONT.OZNAKA = '64.190' " +
        " AND M.VKNT IN ('1','F', '2', '6') " + " GROUP BY K.DATUMV" + " ORDER BY K.DATUMV ";
    EXPECT_EQ(run(db, sql), (Rows{{"29.02.2024", "0", "4000"},
                                  {"05.03.2024", "10", "100"},
                                  {"06.03.2024", "0", "1000"},
                                  {"10.03.2024", "0", "30000"},
                                  {"31.03.2024", "0", "7"}}));
}

// The class C turnover of the reporting month: LAST_DAY and ADD_MONTHS of a date text.
TEST_F(BankStatements, MonthWindowFromLastDay) {
    const std::string day = "5.3.2024";
    const std::string sql =
        std::string(" select SUM(bzneseksit) breme, sum(dzneseksit) dobro from knjizbe ") +
        " WHERE  datumv > ADD_MONTHS(LAST_DAY('" + day + "'), -1) " + " AND  datumv <= LAST_DAY('" +
        day + "') " + " AND konto = 5 AND idpog = 100" + " AND idobd >= 0";
    EXPECT_EQ(run(db, sql), (Rows{{"31107", "10"}}));
}

// The deal's year of the deal it points to.
TEST_F(BankStatements, ExtractYearWithBoundVariable) {
    EXPECT_EQ(run(db,
                  " SELECT EXTRACT (YEAR FROM dan) letnica, zpd, dan FROM dog WHERE iddog = "
                  "(SELECT iddog FROM trg_slab WHERE iddogslab=:idmaster) ",
                  {{"IDMASTER", "9"}}),
              (Rows{{"2017", "31.12.2030", "15.01.2017"}}));
}

// The label of a deal row: payment-plan number, a slash and the year of the earliest deal date;
// POSOJILO without a payment plan.
TEST_F(BankStatements, DealLabels) {
    const std::string sql =
        "SELECT k.idmaster, MAX(vpl.st) || '/' || extract (YEAR FROM MIN(d.dan)) a, "
        "CASE WHEN MAX(vpl.st) IS NULL THEN 'POSOJILO' ELSE MAX(vpl.st) || '/' || extract (YEAR "
        "FROM MIN(d.dan)) END b FROM knjizbe k LEFT OUTER JOIN dog d ON (k.idmaster = d.iddog and "
        "k.idmaster is not null and k.idmaster != 0) LEFT OUTER JOIN vpl ON (d.idvpl=vpl.idvpl) "
        "WHERE k.idmaster IN (1, 2) GROUP BY k.idmaster ORDER BY k.idmaster";
    EXPECT_EQ(run(db, sql), (Rows{{"1", "77/2017", "77/2017"}, {"2", "/2016", "POSOJILO"}}));
}

// Postings without a master deal form a row each unless their period is the previous year;
// ROWNUM numbers them apart.
TEST_F(BankStatements, RownumSeparatesPostings) {
    db.execute("DELETE FROM knjizbe");
    for (const char* values : {"(6, 0, 2023, 5)", "(6, 0, 2023, 7)", "(6, 0, 0, 11)",
                               "(6, 0, 0, 13)", "(6, 4, 0, 17)", "(6, 4, 0, 19)"})
        db.execute(std::string("INSERT INTO knjizbe (konto, idmaster, idobd, bznesek) VALUES ") +
                   values);
    const std::string master = std::string("CASE") + " WHEN k.idmaster = 0" + " THEN" + " CASE" +
                               " WHEN k.idobd = " + "2023" + " THEN k.idmaster" + " ELSE  rownum" +
                               " END" + " ELSE k.idmaster" + " END";
    const std::string period =
        std::string("CASE") + " WHEN k.idobd = " + "2023" + " THEN k.idobd" + " ELSE  0" + " END";
    const std::string sql = "SELECT SUM(k.bznesek) znesek, MAX(k.idobd) obd FROM knjizbe k "
                            "JOIN matrika m ON (k.konto = m.ctrl AND m.vprc = '3') "
                            "WHERE m.vknt IN ('3', '4', '6') AND (K.IDOBD>=0 OR K.IDOBD= 2023) "
                            "GROUP BY k.konto, " +
                            period + " , " + master + " ,K.IDVP ORDER BY znesek";
    EXPECT_EQ(run(db, sql), (Rows{{"11", "0"}, {"12", "2023"}, {"13", "0"}, {"36", "0"}}));
}

// The blank first row of the class list, then the classes by name.
TEST_F(BankStatements, ClassListWithBlankRow) {
    db.execute("INSERT INTO sif VALUES ('VKNT', '1', 'Krediti')");
    db.execute("INSERT INTO sif VALUES ('VKNT', 'A', 'Depoziti')");
    EXPECT_EQ(run(db, std::string("select ' ' SIF, ' ' nzv from dual") + " " + "union" + " " +
                          "select SIF, nzv from sif where ssf='VKNT'  order by nzv"),
              (Rows{{" ", " "}, {"A", "Depoziti"}, {"1", "Krediti"}}));
}

// Routines named with package and schema, as the bank substitute registers them.
void zapadFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string text;
    for (int i = 0; i < argc; ++i) {
        const auto* value = reinterpret_cast<const char*>(sqlite3_value_text(argv[i]));
        text += std::string(value ? value : "-") + ";";
    }
    sqlite3_result_text(context, text.c_str(), -1, SQLITE_TRANSIENT);
}

TEST_F(BankStatements, QualifiedRoutineNames) {
    sqlite3_create_function(db.handle(), "skup_p_ecb_pd_f_orig_zapad", 4, SQLITE_UTF8, nullptr,
                            zapadFunction, nullptr, nullptr);
    sqlite3_create_function(db.handle(), "qev_utils_GetSfKpn", 2, SQLITE_UTF8, nullptr,
                            zapadFunction, nullptr, nullptr);
    EXPECT_EQ(run(db,
                  "select skup.p_ecb_pd.f_orig_zapad('S',null, :P_DATUM_M,:P_DATUM_V) rezultat "
                  "from dual",
                  {{"P_DATUM_M", "01.03.2024"}, {"P_DATUM_V", "05.03.2024"}}),
              (Rows{{"S;-;01.03.2024;05.03.2024;"}}));
    EXPECT_EQ(run(db, "SELECT vlt.krt FROM vlt WHERE vlt.sfvlt = qev_utils.GetSfKpn(:SFVP, :DATUM)",
                  {{"SFVP", "10"}, {"DATUM", "05.03.2024"}}),
              Rows{});
}

// The write-down table lives in the attached schema skup.
TEST_F(BankStatements, SchemaQualifiedTable) {
    db.execute("ATTACH DATABASE ':memory:' AS skup");
    db.execute("CREATE TABLE skup.MSRP9_SLAB_34_E (pogodba VARCHAR2(20), dat_stanje VARCHAR2(10), "
               "ECB_133 VARCHAR2(5), vrsta_slabitve VARCHAR2(5), ECB_42 NUMBER)");
    db.execute("INSERT INTO skup.MSRP9_SLAB_34_E VALUES ('P1', '05.03.2024', 'A', 'S1', 1.5)");
    const std::string schema = "skup";
    EXPECT_EQ(run(db, "select ECB_133, vrsta_slabitve, ECB_42 from " + schema +
                          ".MSRP9_SLAB_34_E   " + " WHERE " + schema +
                          ".MSRP9_SLAB_34_E.pogodba='" + "P1" + "' " + " AND dat_stanje='" +
                          "05.03.2024" + "' "),
              (Rows{{"A", "S1", "1.5"}}));
}

// Corrective statements over the output rows of one date.
class CorrectiveStatements : public BankStatements {
protected:
    void SetUp() override {
        BankStatements::SetUp();
        for (const char* values :
             {"('6237401', '64.190', 'EUR', '05.03.2024', 0.004, 1, 0, NULL, '2', '01.03.2024', 0, "
              "NULL)",
              "('6237401', '64.190', 'EUR', '05.03.2024', 250, 1, 5, NULL, '2', NULL, 0, NULL)",
              "('6039011', '64.600', 'EUR', '05.03.2024', 0.005, 0.001, 0.009, NULL, '6', "
              "'5.3.2024', 0, NULL)",
              "('6039011', '64.600', 'EUR', '05.03.2024', 3, 0.001, 0.009, NULL, '6', "
              "'06.03.2024', 0, '101')",
              "('6039011', '64.600', 'EUR', '04.03.2024', 0, 0, 0, NULL, '6', NULL, 0, NULL)"})
            db.execute(std::string("INSERT INTO pod_orvel VALUES ") + values);
    }
};

TEST_F(CorrectiveStatements, LargestAverageBalanceOfTheContract) {
    const std::string d = "05.03.2024";
    const std::string sql =
        std::string(" UPDATE pod_orvel p ") +
        " SET povpr_stanje = " + "    (SELECT MAX (povpr_stanje)  " + "         FROM pod_orvel  " +
        "        WHERE pod_orvel.dat_stanje = '" + d + "'  " +
        "          AND p.pogodba = pod_orvel.pogodba  " +
        "          AND (   pod_orvel.pogodba LIKE '62374%'  " +
        "               OR pod_orvel.pogodba LIKE '60391%'  " + "              ))   " +
        " WHERE dat_stanje = '" + d + "'    " + " AND ABS (povpr_stanje) <= 0.01   " +
        " AND (   p.pogodba LIKE '62374%'  " + "    OR p.pogodba LIKE '60390%'  " + "   )  " +
        "  AND p.id_konto in (  " + "  SELECT OZNAKA FROM SIFKONT WHERE ctrl IN (  " +
        "  SELECT ctrl from matrika where matrika.vknt NOT IN ('1', 'F', '6', 'B', 'C')))  ";
    db.execute("UPDATE matrika SET vknt = '2' WHERE ctrl = 5");
    db.execute(sql);
    EXPECT_EQ(run(db, "SELECT pogodba, povpr_stanje FROM pod_orvel ORDER BY pogodba, povpr_stanje"),
              (Rows{{"6039011", "0"},
                    {"6039011", "0.005"},
                    {"6039011", "3"},
                    {"6237401", "250"},
                    {"6237401", "250"}}));
}

TEST_F(CorrectiveStatements, PurposeCodeFromTheContractThenDefault) {
    const std::string d = "05.03.2024";
    const std::string prefixes = "(POGODBA LIKE '60390%' OR POGODBA LIKE '60391%' OR POGODBA LIKE "
                                 "'64415%' OR POGODBA LIKE '64416%') ";
    db.execute(std::string("UPDATE POD_ORVEL P ") + " SET NAMEN_POSLA = " + " ( " +
               "   SELECT MAX(NAMEN_POSLA) FROM POD_ORVEL WHERE DAT_STANJE='" + d + "' " +
               "        AND   P.POGODBA=POGODBA  " + "        AND " + prefixes + " ) " +
               " WHERE DAT_STANJE='" + d + "' " + " AND NAMEN_POSLA IS NULL " + " AND " + prefixes);
    db.execute(std::string("UPDATE POD_ORVEL  ") + " SET NAMEN_POSLA = '208' " +
               " WHERE DAT_STANJE='" + d + "' " + " AND NAMEN_POSLA IS NULL ");
    EXPECT_EQ(run(db, "SELECT pogodba, dat_stanje, namen_posla FROM pod_orvel ORDER BY "
                      "pogodba, dat_stanje, namen_posla"),
              (Rows{{"6039011", "04.03.2024", "NULL"},
                    {"6039011", "05.03.2024", "101"},
                    {"6039011", "05.03.2024", "101"},
                    {"6237401", "05.03.2024", "208"},
                    {"6237401", "05.03.2024", "208"}}));
}

TEST_F(CorrectiveStatements, DeleteSmallRowsDueByTheDate) {
    const std::string d = "05.03.2024";
    db.execute(std::string("DELETE FROM POD_ORVEL  ") + " WHERE DAT_STANJE='" + d + "' " +
               "  and ecb_ivd is null " + " AND abs(znesek_val)<=0.01 " +
               " AND abs(ecb_51)<=0.01 " + " AND (DAT_ZAPAD<='" + d + "' " +
               "    OR DAT_ZAPAD IS NULL  ) " + " AND VKNT<>'D'  " + " AND ECB_111N=0 ");
    // 5.3.2024 is due on the date; 06.03.2024 is not, though its text sorts before 05.03.2024.
    EXPECT_EQ(run(db, "SELECT povpr_stanje FROM pod_orvel ORDER BY povpr_stanje"),
              (Rows{{"0"}, {"0.004"}, {"3"}, {"250"}}));
}

TEST_F(CorrectiveStatements, DeleteRowsWithinOneHundredth) {
    db.execute(std::string("DELETE FROM pod_orvel ") +
               " WHERE ZNESEK_VAL <= 1/100 AND ZNESEK_VAL >= -1/100" +
               " AND POVPR_STANJE <= 1/100 AND POVPR_STANJE >= -1/100" +
               " AND ECB_51 <= 1/100 AND ECB_51 >= -1/100" + "  and ecb_ivd is null " +
               " AND VKNT<>'D'  " + "  AND dat_stanje = '05.03.2024'  ");
    EXPECT_EQ(run(db, "SELECT povpr_stanje FROM pod_orvel ORDER BY povpr_stanje"),
              (Rows{{"0"}, {"0.004"}, {"3"}, {"250"}}));
}

TEST_F(CorrectiveStatements, KeepMovementOnTheLastRowOnly) {
    const std::string d = "05.03.2024";
    db.execute(
        std::string(" UPDATE pod_orvel ") + " SET ecb_51 = 0 " + "  WHERE ROWID NOT IN (  " +
        "       SELECT   MAX (p.ROWID)  " + "           FROM pod_orvel p, sifkont s, matrika m  " +
        "          WHERE m.vknt = '6'  " + "            AND m.ctrl = s.ctrl  " +
        "            AND s.oznaka = p.id_konto  " + "            AND dat_stanje = '" + d + "'  " +
        "       GROUP BY id_konto, pogodba, id_valute)   " + " AND dat_stanje = '" + d + "'  " +
        " AND id_konto IN (SELECT oznaka  " + "                   FROM sifkont  " +
        "                  WHERE ctrl IN (SELECT ctrl   " +
        "                                   FROM matrika   " +
        "                                  WHERE vknt = '6'))   ");
    EXPECT_EQ(run(db, "SELECT povpr_stanje, ecb_51 FROM pod_orvel WHERE id_konto = '64.600' "
                      "ORDER BY povpr_stanje"),
              (Rows{{"0", "0"}, {"0.005", "0"}, {"3", "0.009"}}));
}

} // namespace
} // namespace orv::sqlite::test
