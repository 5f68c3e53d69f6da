#include "db/sqlite/StatementShape.h"

#include <gtest/gtest.h>

namespace orv::sqlite {
namespace {

TEST(StatementShape, StatementsThatDifferOnlyInLiteralsShareAShape) {
    const auto a = scanShape("SELECT X FROM T WHERE K = 'U' AND N = 12 AND R < 0.5");
    const auto b = scanShape("SELECT X FROM T WHERE K = 'it''s' AND N = 7 AND R < 1e3");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->key, b->key);
    ASSERT_EQ(b->literals.size(), 3u);
    EXPECT_EQ(b->literals[0].text, "it's");
    EXPECT_EQ(b->literals[1].kind, SharedLiteral::Kind::Integer);
    EXPECT_EQ(b->literals[1].integer, 7);
    EXPECT_EQ(b->literals[2].kind, SharedLiteral::Kind::Real);
    EXPECT_EQ(b->literals[2].real, 1000.0);
}

TEST(StatementShape, WhatShapesTheStatementStaysInTheKey) {
    struct Case {
        const char* first;
        const char* second;
    };
    // The empty text is NULL; names with digits, bind names, quoted names and comments are no
    // literals.
    const Case differ[] = {
        {"SELECT 1 FROM T WHERE K = ''", "SELECT 1 FROM T WHERE K = 'a'"},
        {"SELECT ECB_14N FROM T", "SELECT ECB_15N FROM T"},
        {"SELECT X FROM T WHERE K = :A1", "SELECT X FROM T WHERE K = :A2"},
        {"SELECT \"1\" FROM T", "SELECT \"2\" FROM T"},
        {"SELECT X FROM T -- 1\n", "SELECT X FROM T -- 2\n"},
        {"SELECT X FROM T /* '1' */", "SELECT X FROM T /* '2' */"},
        // Format masks and units, and numbers compared with ROWNUM, decide the translation.
        {"SELECT TO_CHAR(D, 'YYYY') FROM T", "SELECT TO_CHAR(D, 'MM') FROM T"},
        {"SELECT X FROM T WHERE TRUNC (D, 'MM') = '1.1.2024'",
         "SELECT X FROM T WHERE TRUNC (D, 'YYYY') = '1.1.2024'"},
        {"SELECT X FROM T WHERE TO_NUMBER(S, '9,999') > 1",
         "SELECT X FROM T WHERE TO_NUMBER(S, '9G9') > 1"},
        {"SELECT X FROM T WHERE ROWNUM <= 2", "SELECT X FROM T WHERE ROWNUM <= 3"},
        {"SELECT X FROM T WHERE rownum=-1", "SELECT X FROM T WHERE rownum=-2"},
        {"SELECT X FROM T WHERE 2 > ROWNUM", "SELECT X FROM T WHERE 3 > ROWNUM"},
    };
    for (const Case& c : differ) {
        const auto first = scanShape(c.first);
        const auto second = scanShape(c.second);
        ASSERT_TRUE(first && second) << c.first;
        EXPECT_NE(first->key, second->key) << c.first;
    }
    // Literals of other arguments, of other functions, and beside ROWNUM are shared.
    const Case same[] = {
        {"SELECT TO_CHAR(D, 'YYYY') FROM T WHERE K = 1",
         "SELECT TO_CHAR(D, 'YYYY') FROM T WHERE K = 2"},
        {"SELECT X FROM T WHERE TO_CHAR(5) = '5'", "SELECT X FROM T WHERE TO_CHAR(6) = '6'"},
        {"SELECT X FROM T WHERE SUBSTR(S, 1, 2) = 'ab'",
         "SELECT X FROM T WHERE SUBSTR(S, 3, 4) = 'cd'"},
        {"SELECT X FROM T WHERE p.TRUNC(D, 'MM') = 1",
         "SELECT X FROM T WHERE p.TRUNC(D, 'YY') = 1"},
        {"SELECT X FROM T WHERE TRUNC(D, 'MM') = (1) AND N = 5",
         "SELECT X FROM T WHERE TRUNC(D, 'MM') = (2) AND N = 6"},
        {"SELECT X FROM T WHERE ROWNUM <= 2 AND N = 5",
         "SELECT X FROM T WHERE ROWNUM <= 2 AND N = 6"},
        {"SELECT X FROM T WHERE N = 1 AND 2 > ROWNUM",
         "SELECT X FROM T WHERE N = 3 AND 2 > ROWNUM"},
        {"SELECT X FROM T WHERE ROWNUM + 1 = 3", "SELECT X FROM T WHERE ROWNUM + 2 = 3"},
    };
    for (const Case& c : same) {
        const auto first = scanShape(c.first);
        const auto second = scanShape(c.second);
        ASSERT_TRUE(first && second) << c.first;
        EXPECT_EQ(first->key, second->key) << c.first;
    }
    const auto mirrored = scanShape("SELECT X FROM T WHERE N = 7 AND 2 > ROWNUM AND M = 'a'");
    ASSERT_TRUE(mirrored);
    ASSERT_EQ(mirrored->literals.size(), 2u);
    EXPECT_EQ(mirrored->literals[1].text, "a");
    EXPECT_NE(mirrored->sentinelText.find("2 > ROWNUM"), std::string::npos);
    EXPECT_FALSE(scanShape("SELECT 'open FROM T"));
    EXPECT_FALSE(scanShape("SELECT X /* open FROM T"));
}

TEST(StatementShape, SentinelsNameTheirLiterals) {
    const auto shape = scanShape("SELECT X FROM T WHERE K = 'U' AND N = 12");
    ASSERT_TRUE(shape);
    EXPECT_TRUE(containsSentinel(shape->sentinelText));
    const TranslatedStatement translated = translateStatement(shape->sentinelText, true);
    ASSERT_EQ(translated.literals.size(), 2u);
    EXPECT_EQ(sentinelOrdinal(translated.literals[0]), 0u);
    EXPECT_EQ(sentinelOrdinal(translated.literals[1]), 1u);
    EXPECT_FALSE(containsSentinel(translated.sql));
}

// Literals listed to stay inline are written out in the key and the sentinel text; the others
// keep their ordinals, so a translation learned with them binds the same literals.
TEST(StatementShape, LiteralsKeptInlineAreWrittenOutAndKeepTheOrdinals) {
    const std::string sql =
        "SELECT SUM(CASE WHEN A = 'X' THEN B ELSE 0 END) FROM T WHERE K = 12 AND S = 'it''s'";
    const auto plain = scanShape(sql);
    const auto written = scanShape(sql, {0, 1});
    const auto other = scanShape(
        "SELECT SUM(CASE WHEN A = 'Y' THEN B ELSE 0 END) FROM T WHERE K = 12 AND S = 'it''s'",
        {0, 1});
    ASSERT_TRUE(plain && written && other);
    EXPECT_EQ(written->literals.size(), plain->literals.size());
    EXPECT_NE(written->key, plain->key);
    EXPECT_NE(written->key, other->key);
    EXPECT_NE(written->sentinelText.find("'X' THEN B ELSE 0 END"), std::string::npos);
    const TranslatedStatement translated = translateStatement(written->sentinelText, true);
    std::vector<size_t> bound;
    for (const SharedLiteral& literal : translated.literals)
        bound.push_back(sentinelOrdinal(literal).value_or(99));
    EXPECT_EQ(bound, (std::vector<size_t>{2, 3}));
}

// The ordinals of sentinels left in translated text: a number sentinel, a text sentinel in its
// quotes, and not a date key, which starts with the same mark byte.
TEST(StatementShape, InlineSentinelsAreFoundByTheirOrdinals) {
    const auto shape = scanShape("SELECT CASE WHEN A = 'X' THEN 5 END FROM T WHERE K = 7");
    ASSERT_TRUE(shape);
    const TranslatedStatement translated = translateStatement(shape->sentinelText, true);
    const std::vector<size_t> inlineOrdinals = inlineSentinels(translated.sql);
    for (size_t ordinal : inlineOrdinals)
        EXPECT_LT(ordinal, 2u) << translated.sql; // K = 7 became a parameter
    EXPECT_EQ(inlineSentinels(std::string("X = '\x01") + "2024-12-31'"), std::vector<size_t>{});
    EXPECT_EQ(inlineSentinels("9100000000000000003 + '\x01"
                              "1'"),
              (std::vector<size_t>{1, 3}));
}

} // namespace
} // namespace orv::sqlite
