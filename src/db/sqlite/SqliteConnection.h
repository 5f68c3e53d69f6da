#pragma once
// The embedded backend: a connection to a bank substitute file that speaks the bank's dialect.

#include "db/Connection.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Privileges.h"
#include "db/sqlite/SchemaChange.h"
#include "db/sqlite/StatementProfile.h"
#include "db/sqlite/StatementShape.h"
#include "db/sqlite/dialect/Dialect.h"

#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace orv::sqlite {

class SqliteConnection : public Connection {
public:
    /// Opens the bank at `path` and checks the user's password; a wrong user or password fails
    /// with the bank database's ORA-01017 text. A statement that meets another session's lock
    /// waits up to `busyTimeoutMilliseconds` for it, then fails with ORA-00054 naming the file.
    /// Statements given to the connection may not ATTACH, DETACH or run a PRAGMA (ORA-01031):
    /// the session's files are the bank and its schema skup, set up when it opened.
    SqliteConnection(const std::string& path, const std::string& userName,
                     const std::string& password,
                     int busyTimeoutMilliseconds = kDefaultBusyTimeoutMilliseconds);
    ~SqliteConnection() override;

    ResultSet query(const std::string& sql, const std::vector<BoundVariable>& variables) override;
    void streamQuery(const std::string& sql, const std::vector<BoundVariable>& variables,
                     const std::function<void(const std::vector<FieldInfo>&)>& columns,
                     const std::function<void(const std::vector<Value>&)>& row) override;
    void execute(const std::string& sql, const std::vector<BoundVariable>& variables) override;
    void insertRow(const std::string& table,
                   const std::vector<std::pair<std::string, Value>>& values) override;
    void lockTableForWriting(const std::string& table) override;
    void commit() override;
    void rollback() override;
    std::vector<std::string> checkIntegrity() override;

    sqlite3* handle() const { return bank_.handle(); }

private:
    class StatementCache;

    /// Prepares a query, starts the transaction it may need, and describes its columns; sets
    /// `sourceTable` when every column comes from one table.
    sqlite3_stmt* startQuery(const std::string& sql, const std::vector<BoundVariable>& variables,
                             std::vector<FieldInfo>& fields, std::string& sourceTable);
    /// Steps to the next row: true for a row, false at the end; throws on an error.
    bool nextRow(sqlite3_stmt* statement);

    /// How the statements of one shape translate: the SQLite text, and for each of its
    /// parameters the ordinal of the statement's literal bound to it.
    struct ShapeTranslation {
        bool reusable = false;
        std::string sql;
        std::vector<size_t> parameterSources;
        /// When not reusable: the literals that the translation kept as text. The statements
        /// of the shape that agree in them share a translation of their own.
        std::vector<size_t> inlineLiterals;
    };

    sqlite3_stmt* prepareBankStatement(const std::string& bankSql,
                                       const std::vector<BoundVariable>& variables);
    /// The SQLite text of a statement and the literal values to bind to it.
    TranslatedStatement translateForRun(const std::string& bankSql);
    const TranslatedStatement& translate(const std::string& bankSql);
    static ShapeTranslation learnShape(const std::string& sentinelText, size_t literalCount);
    /// The translation of a shape, learned on first use.
    const ShapeTranslation& shapeTranslation(StatementShape& shape);
    void bindParameters(sqlite3_stmt* statement, const TranslatedStatement& translated,
                        const std::vector<BoundVariable>& variables);
    /// The INSERT of a row of these columns into a table, and which of them hold dates.
    struct InsertShape {
        size_t hash = 0;
        std::string table;
        std::vector<std::string> columns;
        std::vector<bool> dateColumns; ///< declared DATE, by position in `columns`
        std::string sql;
    };
    const InsertShape& insertShape(const std::string& table,
                                   const std::vector<std::pair<std::string, Value>>& values);
    /// True when the table stores its dates as keys (it has the bank's date trigger).
    bool storesDateKeys(const std::string& schema, const std::string& table);
    /// True when the column is a DATE column of a table that stores date keys (asked of the
    /// schema once per column).
    bool isDateColumn(const std::string& schema, const std::string& table,
                      const std::string& column);
    void beginTransactionFor(sqlite3_stmt* statement);
    void runTransactionControl(const std::string& sql);
    static void raiseDateComparisonError(sqlite3_stmt* statement);
    void undoStatement();
    void registerUserFunction(const std::string& userName);
    static int authorize(void* self, int action, const char*, const char*, const char*,
                         const char*);
    void runToEnd(sqlite3_stmt* statement);
    /// TRUNCATE TABLE: every row deleted, when this user may change the table's structure.
    void truncate(const SchemaChange& change);
    /// Keeps the list of the tables users made after a statement that made, renamed or dropped
    /// one has run; `existed` tells whether the table it creates was there before.
    void keepTableOwners(const SchemaChange& change, bool existed);
    bool tableExists(const std::string& schema, const std::string& table) const;

    BankFile bank_;
    std::unique_ptr<StatementCache> statements_;
    std::unique_ptr<StatementProfile> profile_;
    std::unordered_map<std::string, TranslatedStatement> translations_;
    std::unordered_map<std::string, ShapeTranslation> shapes_;
    std::vector<InsertShape> insertShapes_;
    std::unordered_map<std::string, bool> dateColumns_;
    /// While true, the authorizer refuses ATTACH, DETACH and PRAGMA; the connection's own work
    /// (the integrity check) lifts it for its duration.
    bool guardStatements_ = false;
    /// The logged-on user in upper case, read by orv_user() (USER).
    std::string userName_;
    /// What the user's statements may do (the authorizer's rules).
    std::unique_ptr<Privileges> privileges_;
};

} // namespace orv::sqlite
