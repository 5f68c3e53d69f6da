#include "db/sqlite/dialect/Dialect.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/CallRewrites.h"
#include "db/sqlite/dialect/CastRewrite.h"
#include "db/sqlite/dialect/ColumnNames.h"
#include "db/sqlite/dialect/CreateTable.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"
#include "db/sqlite/dialect/Functions.h"
#include "db/sqlite/dialect/OperatorRewrites.h"
#include "db/sqlite/dialect/OrderByNulls.h"
#include "db/sqlite/dialect/OuterJoin.h"
#include "db/sqlite/dialect/RowNumbers.h"
#include "db/sqlite/dialect/RownumRewrite.h"
#include "db/sqlite/dialect/SelfReadingUpdate.h"
#include "db/sqlite/dialect/StatementRewrites.h"
#include "db/sqlite/dialect/StatementText.h"
#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

namespace {

struct LevelContext {
    /// The level is the argument list of a function call.
    bool callArguments = false;
};

// Rewrites one level of the tree after its groups. The order matters: the outer-join markers
// are read first, before anything joins dotted names, and before the groups are rewritten, so
// that the ON conditions they make are rewritten as every other group; calls are rewritten
// before the operators around them, so that a call is one operand.
void rewriteLevel(Nodes& nodes, const LevelContext& context) {
    rewriteOuterJoins(nodes);
    for (size_t i = 0; i < nodes.size(); ++i) {
        Node& node = nodes[i];
        if (node.isLeaf() || isOuterJoinMarker(node)) continue;
        LevelContext inner;
        inner.callArguments = node.kind == Node::Kind::Paren && i > 0 && isName(nodes[i - 1]);
        rewriteLevel(node.children, inner);
    }
    rewriteDual(nodes);
    rewriteRownum(nodes);
    rewriteSysdate(nodes);
    rewriteDateLiterals(nodes);
    rewriteMinus(nodes);
    joinRoutineNames(nodes);
    rewriteExtract(nodes);
    rewriteDecode(nodes);
    rewriteCast(nodes);
    rewriteTrimFrom(nodes);
    markCaseResults(nodes);
    markComparedSubqueries(nodes);
    markDateResultsAndMasks(nodes);
    rewriteArithmetic(nodes);
    if (!context.callArguments) addNullsOrdering(nodes);
}

} // namespace

TranslatedStatement translateStatement(std::string_view bankSql, bool shareLiterals) {
    Nodes nodes = buildTree(nameExpressionColumns(bankSql, tokenizePlaced(bankSql)));
    addUpdateDeleteAlias(nodes);
    rewriteCreateTable(nodes);
    rewriteLevel(nodes, LevelContext{});
    checkNoRownumLeft(nodes);
    readTargetBeforeUpdate(nodes);
    TranslatedStatement translated;
    translated.sql = renderStatement(nodes, shareLiterals, translated.literals);
    return translated;
}

void registerDialect(sqlite3* db) {
    registerDateCollation(db);
    registerFunctions(db);
    registerRowNumbers(db);
    char* error = nullptr;
    if (sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, &error) !=
        SQLITE_OK) {
        const std::string text = error ? error : "PRAGMA case_sensitive_like failed";
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

} // namespace orv::sqlite
