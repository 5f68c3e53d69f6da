// Functions of the bank's database beyond the ones the program's own statements use, as an
// operator writes them in the SQL console: each with its NULL case and the edge that matters.

#include "CaseTables.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

const std::vector<std::string> kTable = {
    "CREATE TABLE t (id NUMBER, s VARCHAR2(20), n NUMBER, d DATE COLLATE DATUM)",
    "INSERT INTO t VALUES (1, 'ABC', 0, '05.03.2024')",
    "INSERT INTO t VALUES (2, 'abc', 4, '01.01.2007')",
    "INSERT INTO t VALUES (3, NULL, NULL, NULL)",
    "INSERT INTO t VALUES (4, 'x', 4, '31.12.2006 10:30:00')",
};

class OracleFunctions : public testing::TestWithParam<QueryCase> {};

TEST_P(OracleFunctions, ReturnTheBankDatabaseRows) {
    expectRows(kTable, GetParam());
}

const QueryCase kConversions[] = {
    {"ToDateMasks",
     "SELECT TO_DATE('05.03.2024', 'DD.MM.YYYY'), TO_DATE('5.3.24', 'DD.MM.YY'), "
     "TO_DATE('2024-03-05', 'YYYY-MM-DD'), TO_DATE('05-MAR-24', 'DD-MON-YY'), "
     "TO_DATE('20240305', 'YYYYMMDD') FROM dual",
     {{"05.03.2024", "05.03.2024", "05.03.2024", "05.03.2024", "05.03.2024"}}},
    {"ToDateWithTime",
     "SELECT TO_DATE('05.03.2024 14:30:05', 'DD.MM.YYYY HH24:MI:SS'), "
     "TO_DATE('05.03.2024', 'DD.MM.YYYY HH24:MI:SS'), TO_DATE('05.03.2024 02:15 PM', "
     "'DD.MM.YYYY HH:MI AM') FROM dual",
     {{"05.03.2024 14:30:05", "05.03.2024", "05.03.2024 14:15:00"}}},
    {"ToDateLenientInput",
     "SELECT TO_DATE('5/3/2024', 'DD.MM.YYYY'), TO_DATE('29.02.2024', 'DD.MM.YY'), "
     "TO_DATE('1.1.2007') FROM dual",
     {{"05.03.2024", "29.02.2024", "01.01.2007"}}},
    {"ToDateNull",
     "SELECT TO_DATE(NULL, 'DD.MM.YYYY'), TO_DATE('', 'DD.MM.YYYY'), TO_DATE('1.1.2024', NULL) "
     "FROM dual",
     {{"NULL", "NULL", "NULL"}}},
    // 31.12.2006 < 01.01.2007 only as dates.
    {"ToDateComparesAsDate",
     "SELECT id FROM t WHERE d < TO_DATE('2007-01-01', 'YYYY-MM-DD')",
     {{"4"}}},
    {"ToNumber",
     "SELECT TO_NUMBER('12'), TO_NUMBER(' 1.5 '), TO_NUMBER('-3'), TO_NUMBER(NULL), "
     "TO_NUMBER('1,234.5', '9,999.9'), TO_NUMBER(7), typeof(TO_NUMBER('12')) FROM dual",
     {{"12", "1.5", "-3", "NULL", "1234.5", "7", "integer"}}},
    {"AnsiDateLiteral",
     "SELECT DATE '2024-03-05', DATE '2024-02-29' + 1 FROM dual WHERE DATE '2007-01-01' > "
     "'31.12.2006'",
     {{"05.03.2024", "01.03.2024"}}},
    {"ToCharOfDateWithoutMask",
     "SELECT TO_CHAR(d), TO_CHAR('5.3.2024 13:00') FROM t WHERE id = 4",
     {{"31.12.2006", "05.03.2024"}}},
};
INSTANTIATE_TEST_SUITE_P(Conversions, OracleFunctions, testing::ValuesIn(kConversions));

const QueryCase kNumbers[] = {
    {"TruncOfNumbers",
     "SELECT TRUNC(2.789), TRUNC(-2.789), TRUNC(2.789, 2), TRUNC(-2.789, 1), TRUNC(1234, -2), "
     "TRUNC(-1234.5, -2), TRUNC(4.35 * 100), TRUNC(7) FROM dual",
     {{"2", "-2", "2.78", "-2.7", "1200", "-1200", "435", "7"}}},
    {"TruncNull",
     "SELECT TRUNC(NULL), TRUNC(5.5, NULL), TRUNC(n) FROM t WHERE id = 3",
     {{"NULL", "NULL", "NULL"}}},
    {"TruncOfDates",
     "SELECT TRUNC(d), TRUNC('15.05.2024', 'MM'), TRUNC('15.05.2024', 'YYYY'), "
     "TRUNC('15.05.2024', 'Q'), TRUNC(d) - TRUNC(d - 1) FROM t WHERE id = 4",
     {{"31.12.2006", "01.05.2024", "01.01.2024", "01.04.2024", "1"}}},
    {"Mod",
     "SELECT MOD(7, 3), MOD(-7, 3), MOD(7, -3), MOD(7, 0), MOD(7.5, 2), MOD(-7.5, 2), "
     "MOD(5.5, 0.1), MOD(NULL, 2), MOD(2, NULL) FROM dual",
     {{"1", "-1", "1", "7", "1.5", "-1.5", "0", "NULL", "NULL"}}},
    {"FloorCeilSign",
     "SELECT FLOOR(2.5), FLOOR(-2.5), CEIL(2.1), CEIL(-2.1), typeof(FLOOR(2.5)), SIGN(-3), "
     "SIGN(0), SIGN(0.5), FLOOR(NULL), CEIL(NULL), SIGN(NULL) FROM dual",
     {{"2", "-3", "3", "-2", "integer", "-1", "0", "1", "NULL", "NULL", "NULL"}}},
    {"GreatestLeastOfNumbers",
     "SELECT GREATEST(1, 3, 2), LEAST(1, '0.5'), GREATEST(-1, -2), LEAST(n, 2) FROM t "
     "WHERE id = 2",
     {{"3", "0.5", "-1", "2"}}},
    {"GreatestLeastNull",
     "SELECT GREATEST(1, NULL), LEAST(NULL, 1), GREATEST(n, 1) FROM t WHERE id = 3",
     {{"NULL", "NULL", "NULL"}}},
    // After a text, texts compare byte by byte: '9' > '10'.
    {"GreatestLeastOfTexts",
     "SELECT GREATEST('abc', 'abd'), GREATEST('10', '9'), LEAST(s, 'B') "
     "FROM t WHERE id = 1",
     {{"abd", "9", "ABC"}}},
    {"GreatestLeastOfDates",
     "SELECT GREATEST('31.12.2023', '1.1.2024'), LEAST('05.03.2024', '10.01.2024'), "
     "GREATEST(d, '1.1.2007') FROM t WHERE id = 4",
     {{"01.01.2024", "10.01.2024", "01.01.2007"}}},
    {"GreatestInWhereComparesAsDate",
     "SELECT id FROM t WHERE GREATEST(d, '1.1.2000') >= '1.1.2007' ORDER BY id",
     {{"1"}, {"2"}}},
};
INSTANTIATE_TEST_SUITE_P(Numbers, OracleFunctions, testing::ValuesIn(kNumbers));

const QueryCase kMonthsBetween[] = {
    {"WholeMonths",
     "SELECT MONTHS_BETWEEN('15.03.2024', '15.01.2024'), MONTHS_BETWEEN('15.01.2024', "
     "'15.03.2024'), MONTHS_BETWEEN('15.03.2024 10:00', '15.02.2024 22:00') FROM dual",
     {{"2", "-2", "1"}}},
    {"BothMonthEnds",
     "SELECT MONTHS_BETWEEN('31.03.2024', '29.02.2024'), MONTHS_BETWEEN('30.04.2024', "
     "'31.03.2024'), MONTHS_BETWEEN('28.02.2023', '31.01.2023'), "
     "MONTHS_BETWEEN('29.02.2024', '31.01.2024') FROM dual",
     {{"1", "1", "1", "1"}}},
    {"FractionOverThirtyOneDays",
     "SELECT MONTHS_BETWEEN('16.03.2024', '15.02.2024'), MONTHS_BETWEEN('01.01.2024', "
     "'31.01.2024'), MONTHS_BETWEEN('28.02.2024', '31.01.2024') FROM dual",
     {{"1.03225806451613", "-0.967741935483871", "0.903225806451613"}}},
    {"TimeOfDayCounts",
     "SELECT MONTHS_BETWEEN('02.02.2024 12:00:00', '01.01.2024') FROM dual",
     {{"1.04838709677419"}}},
    {"Null",
     "SELECT MONTHS_BETWEEN(d, '1.1.2024'), MONTHS_BETWEEN(NULL, d) FROM t WHERE id = 3",
     {{"NULL", "NULL"}}},
};
INSTANTIATE_TEST_SUITE_P(MonthsBetween, OracleFunctions, testing::ValuesIn(kMonthsBetween));

const QueryCase kTexts[] = {
    {"Nvl2",
     "SELECT NVL2(s, 'ima', 'nima'), NVL2('', 1, 2), NVL2(n, n + 1, -1) FROM t ORDER BY id",
     {{"ima", "2", "1"}, {"ima", "2", "5"}, {"nima", "2", "-1"}, {"ima", "2", "5"}}},
    {"Padding",
     "SELECT LPAD('7', 3, '0'), LPAD('abcd', 2), RPAD('ab', 5, 'xy'), LPAD('ab', 4), "
     "RPAD('abcd', 2), LPAD('č', 3, 'š'), LPAD(5, 3, 0) FROM dual",
     {{"007", "ab", "abxyx", "  ab", "ab", "ššč", "005"}}},
    {"PaddingNull",
     "SELECT LPAD('ab', 0), RPAD('ab', -1), LPAD(NULL, 3), RPAD('ab', NULL), LPAD('ab', 4, NULL) "
     "FROM dual",
     {{"NULL", "NULL", "NULL", "NULL", "NULL"}}},
    {"ChrAndAscii",
     "SELECT CHR(65), ASCII('A'), ASCII('ABC'), ASCII('č'), CHR(50317), CHR(NULL), ASCII(NULL) "
     "FROM dual",
     {{"A", "65", "65", "50317", "č", "NULL", "NULL"}}},
    {"Initcap",
     "SELECT INITCAP('the SOAP-opera čas'), INITCAP('ŠOLA 2b'), INITCAP(NULL) FROM dual",
     {{"The Soap-Opera Čas", "Šola 2b", "NULL"}}},
    {"UpperLowerOfAccentedLetters",
     "SELECT UPPER('čšž abc'), LOWER('ČŠŽ ĆĐ'), UPPER(NULL), LOWER(''), UPPER(0.5) FROM dual",
     {{"ČŠŽ ABC", "čšž ćđ", "NULL", "NULL", ".5"}}},
    {"Concat",
     "SELECT CONCAT('a', NULL), CONCAT(NULL, NULL), CONCAT(1, 2), CONCAT(s, n) FROM t "
     "WHERE id = 1",
     {{"a", "NULL", "12", "ABC0"}}},
    {"ReplaceRemovesWithoutReplacement",
     "SELECT REPLACE('a-b-c', '-'), REPLACE('abc', 'b', NULL), REPLACE('abc', NULL, 'x'), "
     "REPLACE(NULL, 'a', 'b'), REPLACE('aaa', 'a'), REPLACE('abab', 'ab', 'x') FROM dual",
     {{"abc", "ac", "abc", "NULL", "NULL", "xx"}}},
};
INSTANTIATE_TEST_SUITE_P(Texts, OracleFunctions, testing::ValuesIn(kTexts));

const QueryCase kStatements[] = {
    {"Minus", "SELECT id FROM t MINUS SELECT id FROM t WHERE id > 2 ORDER BY 1", {{"1"}, {"2"}}},
    {"MinusInSubquery",
     "SELECT COUNT(*) FROM (SELECT s FROM t MINUS SELECT 'abc' FROM dual)",
     {{"3"}}},
    {"CountDistinct",
     "SELECT COUNT(DISTINCT n), COUNT(n), COUNT(*), COUNT(DISTINCT d) FROM t",
     {{"2", "3", "4", "3"}}},
    // A NULL date defaulted to a date text keeps comparing and ordering as a date.
    {"NvlOfADateColumn",
     "SELECT id FROM t WHERE NVL(d, '01.01.1900') < '1.1.2007' ORDER BY NVL(d, '01.01.1900')",
     {{"3"}, {"4"}}},
    {"NvlOfADateColumnDescending",
     "SELECT id FROM t ORDER BY NVL(d, SYSDATE) DESC",
     {{"3"}, {"1"}, {"2"}, {"4"}}},
    {"Sysdate",
     "SELECT COUNT(*), LENGTH(TO_CHAR(SYSDATE, 'DD.MM.YYYY HH24:MI:SS')), "
     "TRUNC(SYSDATE) - TRUNC(SYSDATE - 1), MAX(SYSDATE - d) > 6000 FROM t WHERE SYSDATE > d",
     {{"3", "19", "1", "1"}}},
    // SYSDATE is reserved; only a quoted name can be a column called so.
    {"QuotedSysdateIsAColumn",
     "SELECT \"SYSDATE\" FROM (SELECT 'stolpec' AS \"SYSDATE\" FROM dual)",
     {{"stolpec"}}},
};
INSTANTIATE_TEST_SUITE_P(Statements, OracleFunctions, testing::ValuesIn(kStatements));

class OracleFunctionErrors : public testing::TestWithParam<QueryErrorCase> {};

TEST_P(OracleFunctionErrors, RaiseTheBankDatabaseError) {
    expectError(kTable, GetParam());
}

const QueryErrorCase kErrors[] = {
    {"ToDateImpossibleDay", "SELECT TO_DATE('31.02.2024', 'DD.MM.YYYY') FROM dual", "ORA-01847"},
    {"ToDateBadMonth", "SELECT TO_DATE('05.13.2024', 'DD.MM.YYYY') FROM dual", "ORA-01843"},
    {"ToDateBadMonthName", "SELECT TO_DATE('05-XYZ-24', 'DD-MON-YY') FROM dual", "ORA-01843"},
    {"ToDateInputLeft", "SELECT TO_DATE('05.03.2024 10', 'DD.MM.YYYY') FROM dual", "ORA-01830"},
    {"ToDateNotNumeric", "SELECT TO_DATE('ab.03.2024', 'DD.MM.YYYY') FROM dual", "ORA-01858"},
    {"ToDateBadMask", "SELECT TO_DATE('05.03.2024', 'DD.QQ.YYYY') FROM dual", "ORA-01821"},
    {"ToDateWithoutMask", "SELECT TO_DATE('2024-03-05') FROM dual", "ORA-01858"},
    {"AnsiDateLiteralNoDate", "SELECT DATE '2024-02-30' FROM dual", "ORA-01861"},
    {"ToNumberOfText", "SELECT TO_NUMBER('12a') FROM dual", "ORA-01722"},
    {"ToNumberGroupsWithoutMask", "SELECT TO_NUMBER('1,234') FROM dual", "ORA-01722"},
    {"ToNumberOfDate", "SELECT TO_NUMBER(d) FROM t WHERE id = 1", "ORA-01722"},
    {"TruncBadUnit", "SELECT TRUNC(d, 'XX') FROM t WHERE id = 1", "ORA-01821"},
    {"TruncOfText", "SELECT TRUNC(s) FROM t WHERE id = 1", "ORA-01722"},
    {"ModOfText", "SELECT MOD('x', 2) FROM dual", "ORA-01722"},
    {"FloorOfText", "SELECT FLOOR('x') FROM dual", "ORA-01722"},
    {"GreatestNumberAndText", "SELECT GREATEST(1, 'x') FROM dual", "ORA-01722"},
    {"GreatestDateAndText", "SELECT GREATEST(d, 'x') FROM t WHERE id = 1", "ORA-01858"},
    {"MonthsBetweenNumber", "SELECT MONTHS_BETWEEN(d, 5) FROM t WHERE id = 1", "ORA-00932"},
    // A date compared with a text that is no date: the text is read as a date, and fails.
    {"DateComparedWithNoDate", "SELECT id FROM t WHERE d = 'abc'", "ORA-01858"},
    {"DateComparedWithAnImpossibleDay", "SELECT id FROM t WHERE d > '31.02.2024'", "ORA-01847"},
    {"DateComparedWithAnImpossibleMonth", "SELECT COUNT(*) FROM t WHERE d <= '1.13.2024'",
     "ORA-01843"},
    {"DateMaskWithAnUnknownElement", "SELECT TO_CHAR(d, 'DD.MM.YYYY Xx') FROM t WHERE id = 1",
     "ORA-01821"},
    // Names the database does not know, and calls with the wrong number of arguments.
    {"UnknownTable", "SELECT * FROM ni_tabele", "ORA-00942: table or view does not exist"},
    {"UnknownColumn", "SELECT t.nicesar FROM t",
     "ORA-00904: \"T\".\"NICESAR\": invalid identifier"},
    {"UnknownFunction", "SELECT foo(id) FROM t", "ORA-00904: \"FOO\": invalid identifier"},
    {"WrongNumberOfArguments", "SELECT SUBSTR(s) FROM t", "ORA-00909: invalid number of arguments"},
};
INSTANTIATE_TEST_SUITE_P(Errors, OracleFunctionErrors, testing::ValuesIn(kErrors));

} // namespace
} // namespace orv::sqlite::test
