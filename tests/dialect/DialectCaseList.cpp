// The dialect suite's cases: constructs of the bank database's dialect, each run on a small
// table and checked against the rows the bank's database returns. The embedded bank and the
// server backend run the same list.

#include "DialectCaseList.h"

namespace orv::test {
namespace {

// A table declared as the bank declares its tables. Dates are stored as canonical texts.
const std::vector<std::string> kTable = {
    "CREATE TABLE t (id NUMBER, s VARCHAR2(20), n NUMBER, d DATE COLLATE DATUM)",
    "INSERT INTO t VALUES (1, 'ABC', 0, '05.03.2024')",
    "INSERT INTO t VALUES (2, 'abc', 4, '01.01.2007')",
    "INSERT INTO t VALUES (3, NULL, NULL, NULL)",
    "INSERT INTO t VALUES (4, 'x', 2, '31.12.2006')",
    "INSERT INTO t VALUES (5, 'y', -1, '10.03.2024')",
};

const DialectCase kEmptyText[] = {
    {"EmptyLiteralComparesAsNull", "SELECT COUNT(*) FROM t WHERE s = ''", {{"0"}}},
    {"EmptyLiteralIsNull", "SELECT id FROM t WHERE s IS NULL AND '' IS NULL", {{"3"}}},
    {"NvlOfEmptyLiteral", "SELECT NVL('', 'prazno') FROM dual", {{"prazno"}}},
};

const DialectCase kConcatenation[] = {
    {"AroundACall", "SELECT 'A' || SUBSTR(s, 1, 2) || 'B' FROM t WHERE id = 1", {{"AABB"}}},
    {"NullCountsAsEmpty", "SELECT nvl(s, '') || 'b' FROM t WHERE id = 3", {{"b"}}},
    {"NothingIsNull", "SELECT s || NULL || '' FROM t WHERE id = 3", {{"NULL"}}},
    {"NumbersAsTheBankWritesThem",
     "SELECT 'x' || 1.5 || '|' || 0.5 || '|' || n FROM t WHERE id = 5",
     {{"x1.5|.5|-1"}}},
    {"InsideFunctionArguments", "SELECT LENGTH('ab' || s) FROM t WHERE id = 1", {{"5"}}},
    {"InsideAndAfterCase",
     "SELECT CASE WHEN n > 0 THEN s || '+' ELSE '-' || s END || '!' FROM t WHERE id IN (1, 2) "
     "ORDER BY id",
     {{"-ABC!"}, {"abc+!"}}},
    {"ProductIsOneOperand", "SELECT 'n=' || n * 3 FROM t WHERE id = 2", {{"n=12"}}},
    {"SumBeforeIsOneOperand", "SELECT n + 1 || 'x' FROM t WHERE id = 2", {{"5x"}}},
    {"EndsAtAlias", "SELECT 'id ' || id naziv FROM t WHERE id = 4", {{"id 4"}}},
    {"SignedOperands",
     "SELECT 'y' || -0.25, 'x' || -n, 'z' || +n FROM t WHERE id = 3",
     {{"y-.25", "x", "z"}}},
    {"SecurityLabelExpression",
     "SELECT TO_CHAR(id) || DECODE(INSTR(MAX(s), 'B'), 0, MAX(s), SUBSTR(MAX(s), 1, "
     "Length(MAX(s))-2)) FROM t WHERE id IN (1, 2) GROUP BY id ORDER BY id",
     {{"1A"}, {"2abc"}}},
};

const DialectCase kDivision[] = {
    {"ExactDivision",
     "SELECT 1/100, -1/100, 7/2*2, 10/(n+1), n/8 FROM t WHERE id = 2",
     {{"0.01", "-0.01", "7", "2", "0.5"}}},
    {"BoundsOfOneHundredth", "SELECT id FROM t WHERE n <= 1/100 AND n >= -1/100", {{"1"}}},
    {"NullOperands", "SELECT 5 / NULL, NULL / 5 FROM dual", {{"NULL", "NULL"}}},
    {"DecodeGuardsTheDivisor",
     "SELECT DECODE(n, 0, 0, 10/n) FROM t WHERE id IN (1, 2) ORDER BY id",
     {{"0"}, {"2.5"}}},
};

const DialectCase kOrdering[] = {
    {"LikeIsCaseSensitive", "SELECT id FROM t WHERE s LIKE 'ab%'", {{"2"}}},
    {"AscendingNullsLast", "SELECT id FROM t ORDER BY d", {{"4"}, {"2"}, {"1"}, {"5"}, {"3"}}},
    {"DescendingNullsFirst",
     "SELECT id FROM t ORDER BY d DESC",
     {{"3"}, {"5"}, {"1"}, {"2"}, {"4"}}},
    {"SeveralTerms", "SELECT id FROM t ORDER BY n DESC, id", {{"3"}, {"2"}, {"4"}, {"1"}, {"5"}}},
    {"OwnNullsClauseStays",
     "SELECT id FROM t ORDER BY s NULLS FIRST",
     {{"3"}, {"1"}, {"2"}, {"4"}, {"5"}}},
    {"UnionWithBlankRow",
     "select ' ' SIF, ' ' nzv from dual union select s, TO_CHAR(n) from t where id IN (1, 3)  "
     "order by nzv",
     {{" ", " "}, {"ABC", "0"}, {"NULL", "NULL"}}},
    {"WindowOrdering",
     "SELECT id, ROW_NUMBER() OVER (ORDER BY n DESC) FROM t ORDER BY id",
     {{"1", "4"}, {"2", "2"}, {"3", "1"}, {"4", "3"}, {"5", "5"}}},
};

const DialectCase kFunctions[] = {
    {"DecodeMatchesNull",
     "SELECT DECODE(s, NULL, 'nič', 'ABC', 'velike', 'drugo') FROM t ORDER BY id",
     {{"velike"}, {"drugo"}, {"nič"}, {"drugo"}, {"drugo"}}},
    {"DecodeWithoutDefault",
     "SELECT DECODE(n, 4, 'štiri') FROM t WHERE id IN (1, 2) ORDER BY id",
     {{"NULL"}, {"štiri"}}},
    {"Nvl",
     "SELECT NVL(n, 99), NVL(s, 'brez'), NVL(n, 99) FROM t WHERE id IN (3, 1) ORDER BY id",
     {{"0", "ABC", "0"}, {"99", "brez", "99"}}},
    {"AddMonthsAndLastDay",
     "SELECT ADD_MONTHS('31.01.2024', 1), ADD_MONTHS('30.04.2024', 1), ADD_MONTHS('15.01.2024', "
     "-13), LAST_DAY('1.2.2100'), ADD_MONTHS(LAST_DAY('05.03.2024'), -1), LAST_DAY(NULL) FROM dual",
     {{"29.02.2024", "31.05.2024", "15.12.2022", "28.02.2100", "29.02.2024", "NULL"}}},
    {"Extract",
     "SELECT EXTRACT(YEAR FROM d), extract (MONTH FROM d), EXTRACT(day FROM d) FROM t "
     "WHERE id = 1",
     {{"2024", "3", "5"}}},
    {"ExtractOfAggregate", "SELECT extract (YEAR FROM MIN(d)) FROM t", {{"2006"}}},
    {"ToChar",
     "SELECT TO_CHAR(123), TO_CHAR(0.5), TO_CHAR(-2.25), TO_CHAR(d, 'YYYY-MM-DD'), "
     "TO_CHAR(1234.5, 'FM9,990.00'), TO_CHAR(d), TO_CHAR(NULL) FROM t WHERE id = 1",
     {{"123", ".5", "-2.25", "2024-03-05", "1,234.50", "05.03.2024", "NULL"}}},
    {"Instr",
     "SELECT INSTR('CORPORATE FLOOR', 'OR', 3, 2), INSTR('CORPORATE FLOOR', 'OR', -3, 2), "
     "INSTR('abc', '_S'), INSTR('abc_S', '_S'), INSTR('abc', 'b', 0), INSTR(NULL, 'a'), "
     "INSTR('aaa', 'aa', 1, 2), INSTR('čšžš', 'š', -1) FROM dual",
     {{"14", "2", "0", "4", "0", "NULL", "2", "4"}}},
    {"Substr",
     "SELECT SUBSTR('abcdef', 0, 2), SUBSTR('abcdef', -2), SUBSTR('abc', 5), SUBSTR('abc', 1, 0), "
     "SUBSTR('čšž', 2, 1), SUBSTR('abc', -5), SUBSTR(12345, 2, 3) FROM dual",
     {{"ab", "ef", "NULL", "NULL", "š", "NULL", "234"}}},
    {"LengthAndTrim",
     "SELECT LENGTH(s), LENGTH('čšž'), TRIM('  a b  '), TRIM('   '), LENGTH(TRIM(' x ')) FROM t "
     "WHERE id = 3",
     {{"NULL", "3", "a b", "NULL", "1"}}},
    {"Round",
     "SELECT ROUND(2.675, 2), ROUND(-2.5), ROUND(1234.5678, -2), ROUND(0.125, 2), ROUND(7), "
     "ROUND(-0.001, 2), ROUND(1.005, 2), ROUND('05.03.2024 13:00') FROM dual",
     {{"2.68", "-3", "1200", "0.13", "7", "0", "1.01", "06.03.2024"}}},
    {"RoundOfSum", "SELECT ROUND(SUM(n * 0.1), 4) FROM t", {{"0.5"}}},
    {"Abs", "SELECT ABS(-3), ABS('-2.5'), ABS(NULL) FROM dual", {{"3", "2.5", "NULL"}}},
    {"RemainderBitandLengthb",
     "SELECT REMAINDER(5, 2), REMAINDER(7, 2), REMAINDER(-7, 2), REMAINDER(5.5, 2), "
     "REMAINDER(n * 2 + 1, 2), BITAND(n, 6), LENGTHB(s), LENGTHB('čšž'), LENGTHB(n / 8) "
     "FROM t WHERE id = 2",
     {{"1", "-1", "1", "-0.5", "1", "4", "3", "6", "2"}}},
    {"Spread",
     "SELECT STDDEV(n), VARIANCE(n), STDDEV(id) FROM t WHERE id <> 3 UNION ALL "
     "SELECT STDDEV(n), VARIANCE(n), STDDEV(id) FROM t WHERE id = 2 UNION ALL "
     "SELECT STDDEV(n), VARIANCE(n), STDDEV(id) FROM t WHERE id = 3",
     {{"2.21735578260835", "4.91666666666667", "1.82574185835055"},
      {"0", "0", "0"},
      {"NULL", "NULL", "0"}}},
};

const DialectCase kTables[] = {
    {"Dual", "SELECT dummy, 1 FROM dual", {{"X", "1"}}},
    {"AllColumnsAndRowid",
     "SELECT t.*, t.ROWID FROM t WHERE id = 2",
     {{"2", "abc", "4", "01.01.2007", "2"}}},
    {"Rowid", "SELECT p.id FROM t p WHERE p.ROWID = (SELECT MAX(ROWID) FROM t)", {{"5"}}},
    {"RownumEqualsOne", "SELECT COUNT(*) FROM (SELECT id FROM t WHERE ROWNUM = 1)", {{"1"}}},
    {"RownumAtMost",
     "SELECT COUNT(*) FROM (SELECT id FROM t WHERE n IS NOT NULL AND ROWNUM <= 2)",
     {{"2"}}},
    {"RownumOverAnOrderedSubquery",
     "SELECT ROWNUM, id FROM (SELECT id FROM t ORDER BY id DESC) WHERE ROWNUM < 4",
     {{"1", "5"}, {"2", "4"}, {"3", "3"}}},
    {"RownumConditionsNoRowOrEveryRowPasses",
     "SELECT COUNT(*) FROM t WHERE ROWNUM > 1 UNION ALL SELECT COUNT(*) FROM t WHERE ROWNUM >= 1",
     {{"0"}, {"5"}}},
    {"RownumBeforeOrderBy",
     "SELECT ROWNUM r FROM t WHERE ROWNUM <= 2 ORDER BY r DESC",
     {{"2"}, {"1"}}},
    {"RownumIsUniquePerRow", "SELECT COUNT(DISTINCT x) FROM (SELECT ROWNUM x FROM t)", {{"5"}}},
    {"QuotedDigitsAgainstNumbers",
     "SELECT id FROM t WHERE n = '4' OR id IN ('1') ORDER BY id",
     {{"1"}, {"2"}}},
    {"UpdateWithAlias",
     "SELECT id, n FROM t ORDER BY id",
     {{"1", "4"}, {"2", "2"}, {"3", "NULL"}, {"4", "4"}, {"5", "4"}},
     {"UPDATE t p SET n = (SELECT MAX(n) FROM t WHERE t.id <> p.id) WHERE p.n IS NOT NULL"}},
    // Every new value comes from the table as it was before the statement: a running sum over
    // the rows before each row, not over rows already changed.
    {"UpdateReadsTableBeforeStatement",
     "SELECT id, n FROM t ORDER BY id",
     {{"1", "NULL"}, {"2", "0"}, {"3", "4"}, {"4", "4"}, {"5", "6"}},
     {"UPDATE t SET n = (SELECT SUM(x.n) FROM t x WHERE x.id < t.id)"}},
    {"UpdateSeveralColumnsFromOneSubquery",
     "SELECT id, n, d FROM t ORDER BY id",
     {{"1", "4", "31.12.2006"},
      {"2", "2", "31.12.2006"},
      {"3", "NULL", "NULL"},
      {"4", "4", "01.01.2007"},
      {"5", "4", "31.12.2006"}},
     {"UPDATE t p SET (n, d) = (SELECT MAX(n), MIN(d) FROM t WHERE t.id <> p.id) "
      "WHERE p.n IS NOT NULL"}},
    {"UpdateSeveralColumnsEachFromTheTable",
     "SELECT id, n, d FROM t ORDER BY id",
     {{"1", "2", "10.03.2024"},
      {"2", "0", "10.03.2024"},
      {"3", "NULL", "NULL"},
      {"4", "1", "10.03.2024"},
      {"5", "3", "05.03.2024"}},
     {"UPDATE t p SET n = (SELECT COUNT(*) FROM t WHERE t.n > p.n), "
      "d = (SELECT MAX(d) FROM t WHERE t.id <> p.id) WHERE p.s IS NOT NULL"}},
    {"UpdateWhereSubqueryReadsTheTable",
     "SELECT id, n FROM t ORDER BY id",
     {{"1", "0"}, {"2", "-5"}, {"3", "NULL"}, {"4", "-5"}, {"5", "-1"}},
     {"UPDATE t p SET n = -5 WHERE p.n > (SELECT MIN(n) FROM t WHERE t.id < p.id)"}},
    {"UpdateFromAnotherTable",
     "SELECT id, n FROM t ORDER BY id",
     {{"1", "NULL"}, {"2", "20"}, {"3", "NULL"}, {"4", "NULL"}, {"5", "NULL"}},
     {"CREATE TABLE c (id NUMBER, m NUMBER)", "INSERT INTO c VALUES (2, 20)",
      "UPDATE t SET n = (SELECT c.m FROM c WHERE c.id = t.id)"}},
    {"DeleteWithAlias",
     "SELECT id FROM t ORDER BY id",
     {{"2"}, {"3"}, {"4"}},
     {"DELETE FROM t p WHERE p.d >= '1.3.2024'"}},
    // Each row is weighed against the table as it was before the statement: deleting id 2, the
    // largest, does not make id 4 the largest.
    {"DeleteWhereSubqueryReadsTheTable",
     "SELECT id FROM t ORDER BY id",
     {{"1"}, {"3"}, {"4"}, {"5"}},
     {"DELETE FROM t p WHERE p.n >= (SELECT MAX(n) FROM t WHERE t.id <> p.id)"}},
    {"InsertSelectFromTheSameTable",
     "SELECT COUNT(*), SUM(n) FROM t",
     {{"9", "10"}},
     {"INSERT INTO t (id, n) SELECT id + 10, n FROM t WHERE n IS NOT NULL"}},
};

const DialectCase kDates[] = {
    {"CompareWithShortText",
     "SELECT id FROM t WHERE d >= '1.1.2007' ORDER BY id",
     {{"1"}, {"2"}, {"5"}}},
    {"EqualToShortText",
     "SELECT id FROM t WHERE d = '1.1.2007' OR d = '05.03.2024 00:00:00' "
     "ORDER BY id",
     {{"1"}, {"2"}}},
    {"MinMax", "SELECT MIN(d), MAX(d) FROM t", {{"31.12.2006", "10.03.2024"}}},
    {"GroupBy",
     "SELECT d, COUNT(*) FROM t GROUP BY d ORDER BY d",
     {{"31.12.2006", "1"},
      {"01.01.2007", "1"},
      {"05.03.2024", "1"},
      {"10.03.2024", "1"},
      {"NULL", "1"}}},
    {"MaxOverSubqueryMinimums",
     "SELECT MAX(x) FROM (SELECT MIN(d) x FROM t GROUP BY id)",
     {{"10.03.2024"}}},
    {"MaxOverUnionOfMinimums",
     "SELECT MAX(x) FROM (SELECT MIN(d) x FROM t WHERE id < 3 GROUP BY id UNION SELECT MIN(d) x "
     "FROM t WHERE id >= 3 GROUP BY id)",
     {{"10.03.2024"}}},
    {"MaxOfCase", "SELECT MAX(CASE WHEN id > 0 THEN d END) FROM t", {{"10.03.2024"}}},
    {"FunctionResultAgainstText",
     "SELECT id FROM t WHERE ADD_MONTHS(d, 1) > '1.4.2024'",
     {{"1"}, {"5"}}},
    {"TextAgainstFunctionResult",
     "SELECT id FROM t WHERE '2.4.2024' < ADD_MONTHS(d, 1)",
     {{"1"}, {"5"}}},
    {"LastDayAgainstText",
     "SELECT id FROM t WHERE LAST_DAY(d) = '31.3.2024' ORDER BY id",
     {{"1"}, {"5"}}},
    {"ThroughAnIndex",
     "SELECT id FROM t WHERE d > '31.12.2006' AND d < '6.3.2024' ORDER BY d",
     {{"2"}, {"6"}, {"1"}},
     {"CREATE INDEX t_d ON t (d)", "INSERT INTO t VALUES (6, 'z', 1, '09.01.2007')"}},
    // The same functions on columns: the server computes these itself (calls of literals are
    // computed as the embedded bank computes them).
    {"DateFunctionsOfColumns",
     "SELECT TRUNC(d, 'MM'), TRUNC(d, 'YYYY'), LAST_DAY(d), ADD_MONTHS(d, n), "
     "MONTHS_BETWEEN(d, ADD_MONTHS(d, -n)), TO_CHAR(d, 'YYYYMMDD'), TO_CHAR(d), d - 1, "
     "d - TO_DATE('01.01.2007', 'DD.MM.YYYY') FROM t WHERE id = 1 OR id = 2 ORDER BY id",
     {{"01.03.2024", "01.01.2024", "31.03.2024", "05.03.2024", "0", "20240305", "05.03.2024",
       "04.03.2024", "6273"},
      {"01.01.2007", "01.01.2007", "31.01.2007", "01.05.2007", "4", "20070101", "01.01.2007",
       "31.12.2006", "0"}}},
    {"TextFunctionsOfColumns",
     "SELECT INSTR(s, 'B', n), INSTR(s, 'b', n + 1), SUBSTR(s, n + 2), LOWER(s), INITCAP(s), "
     "LENGTH(s), LPAD(s, 5, '*'), NVL(s, 'prazno') FROM t WHERE id <= 3 ORDER BY id",
     {{"0", "0", "BC", "abc", "Abc", "3", "**ABC", "ABC"},
      {"0", "0", "NULL", "abc", "Abc", "3", "**abc", "abc"},
      {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "prazno"}}},
    {"DateFormatElements",
     "SELECT TO_CHAR(d, 'Day'), TO_CHAR(d, 'Month'), TO_CHAR(d, 'MON'), TO_CHAR(d, 'Q DDD'), "
     "TO_CHAR(d, 'DY, fmDD. Month YYYY'), TO_CHAR(d, 'D WW IW'), TO_CHAR(d, 'dd-mon-rr'), "
     "TO_CHAR(d, 'HH:MI AM'), TO_CHAR(d, 'RRRR\"Q\"Q') FROM t WHERE id = 1",
     {{"Tuesday  ", "March    ", "MAR", "1 065", "TUE, 5. March 2024", "3 10 10", "05-mar-24",
       "12:00 AM", "2024Q1"}}},
    {"TextFunctionsOfNumbersAndDates",
     "SELECT UPPER(n), LENGTH(n * 10), SUBSTR(d, 4, 2), LOWER(d), INSTR(n * 10, 0) FROM t "
     "WHERE id = 2",
     {{"4", "2", "01", "01.01.2007", "2"}}},
    {"TrimTranslateAndNextDay",
     "SELECT LTRIM('000120', '0'), RTRIM('xyxx', 'x'), LTRIM('  a'), TRANSLATE('čaša', 'čš', "
     "'cs'), "
     "TRIM(LEADING '0' FROM '0070'), TRIM(TRAILING 'x' FROM 'axx'), TRIM('x' FROM 'xax'), "
     "NEXT_DAY('05.03.2024', 'MONDAY'), NEXT_DAY('04.03.2024 10:00', 'mon'), LTRIM('00', '0') "
     "FROM dual",
     {{"120", "xy", "a", "casa", "70", "a", "a", "11.03.2024", "11.03.2024 10:00:00", "NULL"}}},
    {"TrimTranslateAndNextDayOfColumns",
     "SELECT LTRIM(s, 'A'), RTRIM(s, 'C'), TRANSLATE(s, 'AB', 'x'), TRIM(LEADING 'A' FROM s), "
     "NEXT_DAY(d, 'MONDAY'), NEXT_DAY(d, 'Sun') FROM t WHERE id = 1",
     {{"BC", "AB", "xC", "BC", "11.03.2024", "10.03.2024"}}},
    {"RegularExpressions",
     "SELECT REGEXP_REPLACE(s, '[AB]', 'x'), REGEXP_SUBSTR(s, '[a-z]+'), REGEXP_INSTR(s, 'C'), "
     "REGEXP_COUNT(s, '[[:upper:]]'), CASE WHEN REGEXP_LIKE(s, '^a', 'i') THEN 1 ELSE 0 END, "
     "REGEXP_REPLACE(s, '(.)(.)', '\\2\\1'), REGEXP_SUBSTR(s, '.', 1, 3) FROM t "
     "WHERE id IN (1, 2) ORDER BY id",
     {{"xxC", "NULL", "3", "3", "1", "BAC", "C"}, {"abc", "abc", "0", "0", "1", "bac", "c"}}},
    {"RegularExpressionsAsConditions",
     "SELECT id FROM t WHERE REGEXP_LIKE(s, 'b') OR REGEXP_LIKE(s, '^[xy]$') ORDER BY id",
     {{"2"}, {"4"}, {"5"}}},
    {"CastToTheBanksTypes",
     "SELECT CAST(n / 3 AS NUMBER(10, 2)), CAST(n / 8 AS VARCHAR2(30)), CAST(d AS DATE), "
     "CAST('2.5' AS INTEGER), CAST('05.03.2024 10:00' AS DATE), CAST(n * 0.5 AS INT), "
     "CAST(NULL AS NUMBER) FROM t WHERE id = 2",
     {{"1.33", ".5", "01.01.2007", "3", "05.03.2024 10:00:00", "2", "NULL"}}},
    {"CanonicalText",
     "SELECT orv_canonical_date('1.1.2007'), orv_canonical_date('5.3.2024 7:05'), "
     "orv_canonical_date(NULL), orv_check_date(NULL), orv_check_date('29.02.2024') FROM dual",
     {{"01.01.2007", "05.03.2024 07:05:00", "NULL", "1", "1"}},
     {},
     true},
    {"CheckedColumns",
     "SELECT n, d FROM c",
     {{"12", "01.01.2007"}, {"1.5", "NULL"}},
     {"CREATE TABLE c (n NUMBER CHECK (orv_check_number(n)), "
      "d DATE COLLATE DATUM CHECK (orv_check_date(d)))",
      "INSERT INTO c VALUES ('12', '01.01.2007')", "INSERT INTO c (n) VALUES ('1.5')"},
     true},
};

} // namespace

const std::vector<std::string>& dialectCaseTable() {
    return kTable;
}

const std::vector<DialectCase>& dialectCasesEmptyText() {
    static const std::vector<DialectCase> cases(std::begin(kEmptyText), std::end(kEmptyText));
    return cases;
}

const std::vector<DialectCase>& dialectCasesConcatenation() {
    static const std::vector<DialectCase> cases(std::begin(kConcatenation),
                                                std::end(kConcatenation));
    return cases;
}

const std::vector<DialectCase>& dialectCasesDivision() {
    static const std::vector<DialectCase> cases(std::begin(kDivision), std::end(kDivision));
    return cases;
}

const std::vector<DialectCase>& dialectCasesOrdering() {
    static const std::vector<DialectCase> cases(std::begin(kOrdering), std::end(kOrdering));
    return cases;
}

const std::vector<DialectCase>& dialectCasesFunctions() {
    static const std::vector<DialectCase> cases(std::begin(kFunctions), std::end(kFunctions));
    return cases;
}

const std::vector<DialectCase>& dialectCasesTables() {
    static const std::vector<DialectCase> cases(std::begin(kTables), std::end(kTables));
    return cases;
}

const std::vector<DialectCase>& dialectCasesDates() {
    static const std::vector<DialectCase> cases(std::begin(kDates), std::end(kDates));
    return cases;
}

} // namespace orv::test
