// The bank's tables: every column the program's statements name, with the kind its readers
// expect, the date and number checks, and an index under every lookup the transfer repeats.

#include "BankFixture.h"

#include <sstream>

namespace orv::sqlite::test {

namespace {

// Columns named by the program's statements, by the kind their use demands: texts are codes,
// keys and names compared with quoted texts (leading zeros matter), numbers are amounts, rates,
// quantities and numeric ids compared with plain integers, dates are compared with date texts.
struct StatementColumns {
    const char* table;
    const char* texts;
    const char* numbers;
    const char* dates;
};

const StatementColumns kStatementColumns[] = {
    {"KNJIZBE", "VALUTA DEJAVNOST",
     "KONTO IDPOG VP IDVP IDMASTER IDOBD BZNESEK DZNESEK BZNESEKSIT DZNESEKSIT OE",
     "DATUMV DATUMK"},
    {"MATRIKA", "VKNT VPRC GRUPIRAJ ECB_IVD_BREME ECB_IVD_DOBRO", "CTRL", ""},
    {"SIFKONT", "OZNAKA AKTIVEN DEVIZEN AKT_PAS", "CTRL", ""},
    {"DOG", "SFVLT STN SFPDG BREZSTO SFKPN SFTRG",
     "IDDOG IDPSL GLVTCJ IDDOGSTO IDDOGGOT IDDOGSTN IDVPL LOT ZKR DVK ZLZ TER IDOBD SFDOG IDPOG "
     "SFVP IDVP GLVVLT OBRVLT",
     "DAN ZPD"},
    {"DOGLNK", "SFLNK", "IDDOGMASTER IDDOGDETAIL", ""},
    {"TRG_SLAB", "", "IDDOGSLAB IDDOG", ""},
    {"VPL", "ST", "IDVPL", ""},
    {"POG", "SFTPF SFDJV BAN_TRG", "IDPOG SFOSB SFORG", ""},
    {"ORG", "KRT KNTORG", "SFORG", ""},
    {"OSB", "KRTBNK SFBON SEKTORIZACIJA SFKDL MTS SWIFT SFSOS SFDRZ DEJAVNOST NZV", "SFOSB", ""},
    {"SFVP",
     "KRT VRSTA_REF_OM ISIN SFVLP SFVLTNMN SFGLVENT SFODP SFFIN REFINXNZV KOTACIJA SPREM_SKUP_OM "
     "VRSTA_OBVEZNICE VRSTA_SKLADA JAMSTVO ECB_ELIGIBLE_DN",
     "SFVP FIXOBR GLVNMN ZAJAMCENA_OM SFOSBIZD", "ZPDVP DANODP DAT_SPR_SKUP_OM"},
    {"FIN", "SFFIN NZV SFLST", "", ""},
    {"VPHST", "SFDJV SFSVP",
     "SFVP IDPOG IDVP LOT GLVTCJNKP IDDOGGEN GLVTCJ GLVVLT OBRVLT REVVLT TCJVLT", "DAN DANNKP"},
    {"VPSHST", "", "ZST IDPOG SFVP", "DAN"},
    {"KPN", "SFINX REFOBM SFKPN", "SFVP STKPN SFOBD GLVOBR OBRPRC OBROBR GLV",
     "PRVDAN ZDNDAN PRVDANTRG ZDNDANTRG"},
    {"TRG", "SFTRG SFTRZ", "", ""},
    {"VLT", "SFVLT KRT IDBNK", "", ""},
    {"VLN", "SFVLT SFVLN", "TCJ", "DAN"},
    {"INX", "SFINX", "INX", "DAN"},
    {"SFINX", "NZV SFINX", "OBD", ""},
    {"SIF", "SSF SIF NZV KRT", "", ""},
    {"ECB_SIFRANTI", "ECB_SEZNAM_ID ECB_SIFR_ID", "INTERVAL_OD INTERVAL_DO", ""},
    {"INISET", "KLJUC VREDNOST", "", ""},
    {"TCN", "", "SFVP TCN", "DAN"},
    {"skup.MSRP9_SLAB_34_E", "POGODBA ECB_133 VRSTA_SLABITVE", "IDVP IDPOG SFVP ECB_42",
     "DAT_STANJE"},
    // The output: what the row writers set and the import of corrected rows names.
    {"POD_ORVEL",
     "ORGEN ID_KOM ID_BONITETA POGODBA ZAVAROVANJE ID_KONTO ID_VALUTE TIP_OBRM REVAL_DML REAL_DML "
     "DAT_STANJE ID_SM ID_APLI OPOMBA ID_REFE ID_STOR ECB_14 ECB_15 ECB_16 ECB_17 ECB_19 ECB_20 "
     "ECB_21 ECB_22 ECB_23 ECB_24 ECB_25 ECB_26 ECB_27 VRI_1 VRI_2 VRSTA_OBRM ECB_38 ECB_39 ECB_40 "
     "ECB_44 ECB_14N ECB_48 ECB_101N ECB_98N ECB_15N ECB_39N ECB_16N ECB_17N ECB_18N ECB_19N "
     "ECB_20N ECB_22N ECB_25N ECB_21N ECB_24N ECB_26N ECB_38N ECB_48N ECB_43X ECB_116 ECB_53 "
     "BONITETA_ECB BONITETA_MRS ID_REFE_POP VRSTA_POSLA NAMEN_POSLA VKNT ECB_121N ECB_109N "
     "ECB_110N ECB_115N POS_DOB RAZLOG_IZPOSDOB ECB_PRIMERNOST ECB_100N ECB_133 ECB_134N "
     "DEL_CEL_ODPIS VRSTA_SLABITVE KATEG_MER NACIN_SPREM_POSLA ECB_136N ECB_137N ECB_138N "
     "ECB_139N ECB_140N ECB_141N ECB_142N ECB_144N ECB_145N ECB_146N ECB_147N ECB_148N ECB_149N "
     "ECB_151N ECB_156N SIFRA_ZAVA NACIN_OBR ECB_IVD ECB_114 ECB_46 ECB_64V ECB_65V ECB_66V "
     "ECB_123N",
     "ZNESEK_VAL ZNESEK_SIT ZNESEK_SIT_PREV REVAL_OBRM REAL_OBRM ECB_29 ECB_30 ECB_31 ECB_32 "
     "ECB_33 ECB_34 ECB_35 ECB_36 REF_OBRM ZAM_OBRM SOM_OP ST_KAP ECB_41 ECB_42 ECB_43 ECB_29N "
     "ECB_31N ECB_33N ECB_34N ECB_35N ECB_51 ECB_52 POVPR_STANJE ECB_88N ECB_88Z ECB_111N "
     "ECB_130N ECB_130P ECB_500N ECB_14N_DNI ECB_15N_DNI ECB_89N ZNESEK_ODPIS_AKUM EOM ECB_42_ZB "
     "ECB_150N ECB_502N ECB_164N BREME DOBRO ID ECB_32N ECB_36N ECB_131N ECB_501N",
     "DAT_ZAPAD DAT_ZAPAD_POSLA DAT_VPISA DAT_OTVORITVE ECB_112N DAT_PRENOS ECB_126N DAT_ZACPOS "
     "DAT_KONPOS DAT_KONREST"},
};

std::vector<std::string> words(const char* text) {
    std::istringstream stream(text);
    std::vector<std::string> result;
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

// "skup.NAME" names a table of the attached schema.
std::string tableInfo(const std::string& table) {
    const size_t dot = table.find('.');
    if (dot == std::string::npos) return "pragma_table_info('" + table + "')";
    return "pragma_table_info('" + table.substr(dot + 1) + "', '" + table.substr(0, dot) + "')";
}

class BankSchemaTest : public BankFixture {
protected:
    std::optional<std::string> declared(const std::string& table, const std::string& column) {
        return value("SELECT type FROM " + tableInfo(table) + " WHERE name = '" + column + "'");
    }

    void expectKind(const char* table, const char* columns, const std::string& typePrefix) {
        for (const std::string& column : words(columns)) {
            const auto type = declared(table, column);
            ASSERT_TRUE(type.has_value()) << table << "." << column << " is missing";
            EXPECT_EQ(type->rfind(typePrefix, 0), 0u)
                << table << "." << column << " is " << *type << ", not " << typePrefix;
        }
    }
};

TEST_F(BankSchemaTest, EveryColumnTheStatementsNameExistsWithItsKind) {
    for (const StatementColumns& table : kStatementColumns) {
        SCOPED_TRACE(table.table);
        expectKind(table.table, table.texts, "VARCHAR2(");
        expectKind(table.table, table.numbers, "NUMBER");
        expectKind(table.table, table.dates, "DATE");
    }
}

TEST_F(BankSchemaTest, OutputTableHasNoColumnBeyondWhatTheProgramWritesOrImports) {
    const StatementColumns& output = kStatementColumns[std::size(kStatementColumns) - 1];
    const size_t named =
        words(output.texts).size() + words(output.numbers).size() + words(output.dates).size();
    EXPECT_EQ(value("SELECT count(*) FROM pragma_table_info('POD_ORVEL')"), std::to_string(named));
}

TEST_F(BankSchemaTest, CodesKeepLeadingZerosAndIdsReadAsNumbers) {
    exec("INSERT INTO OSB (SFOSB, KRTBNK, DEJAVNOST) VALUES ('0042', '00031', '64.190')");
    exec("INSERT INTO POD_ORVEL (ID_SM, ECB_14N, ID_VALUTE) VALUES ('08', '01', '036')");
    EXPECT_EQ(value("SELECT KRTBNK || '|' || DEJAVNOST || '|' || SFOSB FROM OSB"),
              "00031|64.190|42");
    EXPECT_EQ(value("SELECT ID_SM || '|' || ECB_14N || '|' || ID_VALUTE FROM POD_ORVEL"),
              "08|01|036");
    // A quoted digit text finds a numeric id.
    EXPECT_EQ(value("SELECT KRTBNK FROM OSB WHERE SFOSB = '42'"), "00031");
}

struct DateColumn {
    const char* table;
    const char* column;
};

const DateColumn kDateColumns[] = {
    {"KNJIZBE", "DATUMV"},
    {"KPN", "ZDNDAN"},
    {"POD_ORVEL", "DAT_ZAPAD"},
    {"POD_ORVEL", "ECB_126N"},
    {"skup.MSRP9_SLAB_34_E", "DAT_STANJE"},
};

TEST_F(BankSchemaTest, DateColumnRejectsAnImpossibleDay) {
    for (const DateColumn& date : kDateColumns) {
        SCOPED_TRACE(std::string(date.table) + "." + date.column);
        const std::string insert = "INSERT INTO " + std::string(date.table) + " (" + date.column +
                                   ") VALUES ('32.01.2023')";
        EXPECT_EQ(errorOf(insert).rfind("ORA-", 0), 0u) << errorOf(insert);
        EXPECT_EQ(value("SELECT count(*) FROM " + std::string(date.table)), "0");
    }
}

TEST_F(BankSchemaTest, DateColumnReadsBackCanonicalAfterInsertAndUpdate) {
    for (const DateColumn& date : kDateColumns) {
        SCOPED_TRACE(std::string(date.table) + "." + date.column);
        const std::string table = date.table;
        const std::string column = date.column;
        exec("INSERT INTO " + table + " (" + column + ") VALUES ('1.1.2007')");
        EXPECT_EQ(value("SELECT " + column + " FROM " + table), "01.01.2007");
        exec("UPDATE " + table + " SET " + column + " = '5.3.2024'");
        EXPECT_EQ(value("SELECT " + column + " FROM " + table), "05.03.2024");
        exec("UPDATE " + table + " SET " + column + " = NULL");
        EXPECT_EQ(value("SELECT " + column + " FROM " + table), std::nullopt);
        exec("DELETE FROM " + table);
    }
}

TEST_F(BankSchemaTest, ReportingDateOfTheOutputIsPlainText) {
    // The rows of a date are those whose DAT_STANJE is exactly that dd.mm.yyyy text.
    exec("INSERT INTO POD_ORVEL (DAT_STANJE) VALUES ('1.1.2007')");
    EXPECT_EQ(value("SELECT DAT_STANJE FROM POD_ORVEL"), "1.1.2007");
    EXPECT_EQ(value("SELECT count(*) FROM POD_ORVEL WHERE DAT_STANJE = '01.01.2007'"), "0");
}

TEST_F(BankSchemaTest, NumberColumnRejectsText) {
    const char* const inserts[] = {
        "INSERT INTO KNJIZBE (BZNESEK) VALUES ('abc')",
        "INSERT INTO POD_ORVEL (ZNESEK_VAL) VALUES ('12,5')",
        "INSERT INTO skup.MSRP9_SLAB_34_E (ECB_42) VALUES ('x')",
    };
    for (const char* insert : inserts) {
        SCOPED_TRACE(insert);
        EXPECT_EQ(errorOf(insert).rfind("ORA-", 0), 0u) << errorOf(insert);
    }
    exec("INSERT INTO POD_ORVEL (ZNESEK_VAL) VALUES ('-12.50')");
    EXPECT_EQ(value("SELECT ZNESEK_VAL * 2 FROM POD_ORVEL"), "-25.0");
}

TEST_F(BankSchemaTest, DatesCompareChronologicallyThroughTheColumn) {
    exec("INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES ('U', '0', '02.01.2024', 1.1), "
         "('U', '0', '10.12.2023', 1.2), ('U', '0', '01.02.2024', 1.3)");
    EXPECT_EQ(column("SELECT TCJ FROM VLN WHERE SFVLT = 'U' AND DAN <= '1.1.2024' "
                     "ORDER BY DAN DESC"),
              (Column{"1.2"}));
    EXPECT_EQ(value("SELECT MAX(DAN) FROM VLN"), "01.02.2024");
}

// A representative lookup of every table, in the form the program runs it. Each must find its
// rows through an index: a transfer repeats them for every source row.
const char* const kLookups[] = {
    "SELECT SUM(k.bznesek - k.dznesek) FROM knjizbe k WHERE k.datumv >= '01.01.2024' "
    "AND k.datumv <= '15.03.2024' AND k.konto=612 AND k.valuta='E'",
    "SELECT SUM(k.bzneseksit - k.dzneseksit) FROM knjizbe k WHERE k.datumv >= '01.03.2024' "
    "AND k.datumv <= '15.03.2024' AND k.konto=617 AND k.valuta='E' AND k.idpog=5 AND k.vp=7",
    "SELECT sum(k.bzneseksit-k.dzneseksit) FROM knjizbe k WHERE k.datumv >= '01.01.2024' "
    "AND k.datumv <= '15.03.2024' AND k.idvp = 3 AND k.konto = 9",
    "SELECT SUM(bzneseksit) FROM knjizbe WHERE konto = 9 AND idpog = 5 AND idobd >= 0 "
    "AND datumv > '29.02.2024' AND datumv <= '31.03.2024'",
    "SELECT SUM(k.bzneseksit) FROM knjizbe k WHERE k.konto = 9 AND k.valuta = 'E' "
    "AND k.idmaster = 11 AND k.datumv >= '01.03.2024' AND k.datumv <= '31.03.2024'",
    "SELECT sifbreme.nzv FROM matrika LEFT OUTER JOIN sif sifbreme ON (sifbreme.ssf='ECBIVD' AND "
    "sifbreme.sif = matrika.ecb_ivd_breme) WHERE CTRL = 9 AND VKNT = 'C' AND GRUPIRAJ = 'N'",
    "SELECT devizen FROM sifkont WHERE ctrl='9'",
    "SELECT ctrl FROM sifkont WHERE oznaka = '0909051'",
    "SELECT sfdog FROM dog WHERE iddog = 11",
    "SELECT SUM(lot + zkr) FROM dog WHERE iddoggot = 11 AND dan <= '15.03.2024'",
    "SELECT SUM(lot + zkr) FROM dog WHERE iddogsto = 11 AND dan <= '15.03.2024'",
    "SELECT dan FROM dog WHERE iddogstn = 11",
    "SELECT MAX(iddog) FROM dog WHERE idpog = 5 AND sfvp = 7 AND dan <= '15.03.2024' "
    "AND sfdog IN (248, 249, 908, 909, 963)",
    "SELECT iddog FROM dog WHERE idvpl = 4",
    "SELECT iddogdetail FROM doglnk WHERE iddogmaster = 11 AND sflnk = 'C'",
    "SELECT iddog FROM trg_slab WHERE iddogslab = 11",
    "SELECT iddogslab FROM trg_slab WHERE iddog = 11",
    "SELECT st FROM vpl WHERE idvpl = 4",
    "SELECT ban_trg FROM pog WHERE idpog = 5",
    "SELECT krt FROM org WHERE sforg = 2",
    "SELECT sfbon FROM osb WHERE krtbnk = '00004790'",
    "SELECT nzv FROM osb WHERE sfosb = 3",
    "SELECT jamstvo FROM sfvp WHERE sfvp = 7",
    "SELECT sflst FROM fin WHERE sffin = 'D'",
    "SELECT SUM(lot) FROM vphst WHERE dan = '15.03.2024' AND idpog = 5 AND sfvp = 7",
    "SELECT dannkp FROM vphst WHERE dan = '15.03.2024' AND sfsvp = 'L' AND sfvp = 7 AND idvp = 3",
    "SELECT zst FROM vpshst WHERE dan = '15.03.2024' AND idpog = 5 AND sfvp = 7",
    "SELECT MAX(zdndan) FROM kpn WHERE sfvp = '7' AND prvdan <= '15.03.2024' "
    "AND zdndan >= '15.03.2024'",
    "SELECT SUM(glv) FROM kpn WHERE sfkpn = 'K1'",
    "SELECT min(prvdantrg) FROM kpn WHERE sfvp = '7' AND prvdantrg >= '15.03.2024'",
    "SELECT max(zdndantrg) FROM kpn WHERE sfvp = 7 AND zdndantrg <= '15.03.2024'",
    "SELECT sftrz FROM trg WHERE sftrg = 'L'",
    "SELECT idbnk FROM vlt WHERE sfvlt = 'U'",
    "SELECT tcj FROM vln WHERE sfvlt = 'U' AND sfvln = '0' AND dan <= '15.03.2024' "
    "ORDER BY dan DESC",
    "SELECT inx FROM inx WHERE sfinx = 'EUR3M' AND dan <= '15.03.2024' ORDER BY dan DESC",
    "SELECT nzv FROM sfinx WHERE sfinx = 'EUR3M'",
    "SELECT nzv FROM sif WHERE ssf = 'VKNT' AND sif = '1'",
    "SELECT ecb_sifr_id FROM ecb_sifranti WHERE ecb_seznam_id = '014' AND interval_od <= 10 "
    "AND (interval_do >= 10 OR interval_do IS NULL)",
    "SELECT vrednost FROM iniset WHERE kljuc = 'MSRP9_Shema'",
    "SELECT tcn FROM tcn WHERE sfvp = 7 AND dan <= '15.03.2024' ORDER BY dan DESC",
    "SELECT MAX(povpr_stanje) FROM pod_orvel WHERE dat_stanje = '15.03.2024' "
    "AND pogodba = '00005'",
    "SELECT MAX(ecb_42) FROM pod_orvel p1 WHERE p1.dat_stanje = '15.03.2024' AND p1.id_kom = 'X'",
    "DELETE FROM pod_orvel WHERE pod_orvel.dat_otvoritve <= '01.02.2024' "
    "AND pod_orvel.id_konto = '0900' AND pod_orvel.pogodba = '00005' "
    "AND pod_orvel.id_valute = '978' AND pod_orvel.dat_stanje = '15.03.2024' AND VKNT <> 'D'",
    "SELECT ecb_133 FROM skup.MSRP9_SLAB_34_E WHERE idvp = 3 AND idpog = 5 AND sfvp = 7 "
    "AND dat_stanje = '15.03.2024'",
    "SELECT ecb_133 FROM skup.MSRP9_SLAB_34_E WHERE skup.MSRP9_SLAB_34_E.pogodba = '00005X' "
    "AND dat_stanje = '15.03.2024'",
};

TEST_F(BankSchemaTest, LookupsByKeySearchAnIndex) {
    for (const char* lookup : kLookups) {
        SCOPED_TRACE(lookup);
        const Column plan = [&] {
            Column details;
            sqlite3_stmt* statement = nullptr;
            const std::string sql = std::string("EXPLAIN QUERY PLAN ") + lookup;
            if (sqlite3_prepare_v2(db(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
                ADD_FAILURE() << sqlite3_errmsg(db());
                return details;
            }
            while (sqlite3_step(statement) == SQLITE_ROW)
                details.push_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
            sqlite3_finalize(statement);
            return details;
        }();
        bool searched = false;
        for (const auto& detail : plan) {
            EXPECT_NE(detail->rfind("SCAN", 0), 0u) << *detail;
            if (detail->find("USING INDEX") != std::string::npos ||
                detail->find("USING COVERING INDEX") != std::string::npos)
                searched = true;
        }
        EXPECT_TRUE(searched);
    }
}

} // namespace

} // namespace orv::sqlite::test
