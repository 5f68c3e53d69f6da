#include "support/PrivilegeCases.h"

namespace orv::test {

const std::vector<PrivilegeCase>& privilegeCases() {
    static const std::vector<PrivilegeCase> cases = {
        // The users table is no part of any user's bank, the owner's included.
        {"a user reads the password hashes", false, "SELECT * FROM ORV_UPORABNIKI", "ORA-00942"},
        {"a user counts the users", false, "SELECT COUNT(*) FROM ORV_UPORABNIKI", "ORA-00942"},
        {"a user adds a user", false,
         "INSERT INTO ORV_UPORABNIKI SELECT 'NADZOR', GESLO_HASH, NULL FROM ORV_UPORABNIKI",
         "ORA-00942"},
        {"a user takes over another's password", false,
         "UPDATE ORV_UPORABNIKI SET GESLO_HASH = 'x' WHERE UPORABNIK = 'OPERATER'", "ORA-00942"},
        {"a user locks everyone out", false, "DELETE FROM ORV_UPORABNIKI", "ORA-00942"},
        {"a user drops the users table", false, "DROP TABLE ORV_UPORABNIKI", "ORA-00942"},
        {"a user's view shows the users", false,
         "CREATE VIEW POGLED AS SELECT * FROM ORV_UPORABNIKI;\nSELECT * FROM POGLED", "ORA-00942"},
        {"a user's temporary table stands in for the list of who made which table", false,
         "CREATE TEMP TABLE ORV_LASTNISTVO (TABELA TEXT, UPORABNIK TEXT);\n"
         "INSERT INTO ORV_LASTNISTVO VALUES ('KNJIZBE', 'OPERATER');\n"
         "CREATE TABLE MOJA (A NUMBER);\n"
         "DROP TABLE KNJIZBE",
         "ORA-01031", "", true},
        {"the owner reads the password hashes", true, "SELECT * FROM ORV_UPORABNIKI", "ORA-00942"},
        // The rows of the bank's tables are every user's to read and change.
        {"a user works in the bank's rows", false,
         "INSERT INTO KNJIZBE (KONTO, BZNESEK) VALUES (1, 2);\n"
         "UPDATE KNJIZBE SET BZNESEK = 3 WHERE KONTO = 1;\n"
         "DELETE FROM KNJIZBE WHERE KONTO = 1;\n"
         "SELECT COUNT(*) FROM skup.MSRP9_SLAB_34_E",
         ""},
        // Their structure is the owner's.
        {"a user drops a bank table", false, "DROP TABLE KNJIZBE", "ORA-01031"},
        {"a user drops the write-down table", false, "DROP TABLE skup.MSRP9_SLAB_34_E",
         "ORA-01031"},
        {"a user renames the output table", false, "ALTER TABLE POD_ORVEL RENAME TO STARA",
         "ORA-01031"},
        {"a user empties a bank table", false, "TRUNCATE TABLE KNJIZBE", "ORA-01031"},
        {"a user indexes a bank table", false, "CREATE INDEX MOJ_KLJUC ON KNJIZBE (KONTO)",
         "ORA-01031"},
        {"a user drops a bank index", false, "DROP INDEX KNJIZBE_K1", "ORA-01031"},
        {"a user puts a trigger on a bank table", false,
         "CREATE TRIGGER PAST AFTER INSERT ON KNJIZBE BEGIN DELETE FROM KNJIZBE; END", "ORA-01031",
         "", true},
        {"a user makes a table in skup", false, "CREATE TABLE skup.MOJA (A NUMBER)", "ORA-01031"},
        // A user's own tables are theirs.
        {"a user makes, indexes, renames, empties and drops a table of their own", false,
         "CREATE TABLE MOJA (A NUMBER, B VARCHAR2(5));\n"
         "INSERT INTO MOJA (A, B) VALUES (1, 'x');\n"
         "CREATE INDEX MOJA_A ON MOJA (A);\n"
         "ALTER TABLE MOJA RENAME TO TVOJA;\n"
         "TRUNCATE TABLE TVOJA;\n"
         "DROP TABLE TVOJA",
         ""},
        {"a user drops a table made in an earlier session", false, "DROP TABLE LANSKA", "",
         "CREATE TABLE LANSKA (A NUMBER)"},
        {"a user made a table in a session that was rolled back", false, "DROP TABLE LANSKA",
         "ORA-00942", "CREATE TABLE LANSKA (A NUMBER);\nSELECT * FROM NI_TABELE"},
        {"a user puts a trigger on a table of their own", false,
         "CREATE TABLE MOJA (A NUMBER);\n"
         "CREATE TRIGGER MOJA_T AFTER INSERT ON MOJA BEGIN DELETE FROM MOJA WHERE A < 0; END",
         "", "", true},
        // The owner changes the bank's structure.
        {"the owner drops a bank table", true, "DROP TABLE KNJIZBE", ""},
        {"the owner drops the write-down table", true, "DROP TABLE skup.MSRP9_SLAB_34_E", ""},
        {"the owner renames and empties a bank table", true,
         "ALTER TABLE VLN RENAME TO VLN_STARA;\nTRUNCATE TABLE VLN_STARA", ""},
        {"the owner indexes a bank table", true, "CREATE INDEX NOV_KLJUC ON KNJIZBE (KONTO)", ""},
    };
    return cases;
}

} // namespace orv::test
