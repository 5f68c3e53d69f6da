#include "db/sqlite/SqliteConnection.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "db/sqlite/StatementLimits.h"
#include "db/sqlite/TableOwners.h"
#include "db/sqlite/Users.h"
#include "db/sqlite/dialect/CreateTable.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/Dialect.h"
#include "db/sqlite/dialect/Tokenizer.h"

#include <cstring>

namespace orv::sqlite {

namespace {

// Prepared statements kept for reuse. Lookups repeat the same text on every row of a transfer,
// and spliced statements share one text once their literals are parameters: preparing afresh
// would cost several times more than running the statement.
constexpr size_t kCachedStatements = 256;
// Translations are kept by the statement text as the program built it; spliced texts differ
// from row to row, so the map is simply emptied when it grows past this.
constexpr size_t kCachedTranslations = 4096;

std::string upper(std::string_view text) {
    return toUpper(text);
}

// The declared type of a column tells what kind of field it is and how wide a text may be.
void describeDeclaredType(const char* declared, FieldInfo& field) {
    const std::string type = upper(declared);
    if (type.rfind("DATE", 0) == 0) {
        field.type = FieldType::Date;
        field.size = 0;
    } else if (type.rfind("NUMBER", 0) == 0 || type.rfind("INT", 0) == 0 ||
               type.rfind("REAL", 0) == 0 || type.rfind("FLOAT", 0) == 0 ||
               type.rfind("NUMERIC", 0) == 0 || type.rfind("DOUBLE", 0) == 0) {
        field.type = FieldType::Float;
    } else {
        field.type = FieldType::String;
        const size_t open = type.find('(');
        if (open != std::string::npos) field.size = std::atoi(type.c_str() + open + 1);
    }
}

// A column's value as the program reads it; `isDate` is set when it is a stored date.
Value columnValue(sqlite3_stmt* statement, int column, bool& isDate) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return Value(static_cast<long long>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return Value();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const int length = sqlite3_column_bytes(statement, column);
        // The bank's database has no empty texts: an empty text is NULL.
        if (length == 0) return Value();
        const std::string_view bytes(text, static_cast<size_t>(length));
        DateParts parts;
        if (readDateKey(bytes, parts)) {
            isDate = true;
            return Value(canonicalDateText(parts));
        }
        return Value(std::string(bytes));
    }
    }
}

void bindValue(sqlite3_stmt* statement, int index, const Value& value) {
    if (index <= 0) return;
    if (value.isInteger())
        sqlite3_bind_int64(statement, index, value.integer());
    else if (value.isReal())
        sqlite3_bind_double(statement, index, value.real());
    else if (value.isText() && !value.text().empty())
        sqlite3_bind_text(statement, index, value.text().c_str(),
                          static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(statement, index);
}

void bindLiteral(sqlite3_stmt* statement, int index, const SharedLiteral& literal) {
    switch (literal.kind) {
    case SharedLiteral::Kind::Integer:
        sqlite3_bind_int64(statement, index, literal.integer);
        break;
    case SharedLiteral::Kind::Real:
        sqlite3_bind_double(statement, index, literal.real);
        break;
    case SharedLiteral::Kind::Text:
        sqlite3_bind_text(statement, index, literal.text.c_str(),
                          static_cast<int>(literal.text.size()), SQLITE_TRANSIENT);
        break;
    }
}

// "skup.MSRP9_SLAB_34_E" -> schema "skup", table "MSRP9_SLAB_34_E".
std::pair<std::string, std::string> splitSchema(const std::string& table) {
    const size_t dot = table.find('.');
    if (dot == std::string::npos) return {"main", table};
    return {table.substr(0, dot), table.substr(dot + 1)};
}

std::string quoteIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// A prepared statement with where its parameters stand, found once when it is prepared.
struct PreparedStatement {
    sqlite3_stmt* statement = nullptr;
    /// Shared literal i (from 0), the parameter ":orv_l<i+1>" of the translation -> its index.
    std::vector<int> literalIndexes;
    /// The program's named variables: upper-case name (":NAME") -> index.
    std::vector<std::pair<std::string, int>> variables;

    /// Files the parameters found by name into the two lists.
    void sortParameters(const std::unordered_map<std::string, int>& byName) {
        constexpr std::string_view kLiteral = ":ORV_L";
        for (const auto& [name, index] : byName) {
            const std::string_view ordinal =
                std::string_view(name).substr(std::min(name.size(), kLiteral.size()));
            const bool literal = name.rfind(kLiteral, 0) == 0 && !ordinal.empty() &&
                                 ordinal.find_first_not_of("0123456789") == std::string::npos;
            if (!literal) {
                variables.emplace_back(name, index);
                continue;
            }
            const size_t i = std::stoul(std::string(ordinal)) - 1;
            if (i >= literalIndexes.size()) literalIndexes.resize(i + 1, 0);
            literalIndexes[i] = index;
        }
    }
};

// How a statement's parameters are written for SQLite and which index each gets. SQLite finds a
// named or numbered parameter by a linear search over those seen before, as it prepares, as it
// generates code for each use and as it binds by name, so a statement of thousands of shared
// literals (a long IN list) would take quadratic time. It numbers parameters in the order they
// first appear; the literals' own parameters (each used once) are written as anonymous '?',
// which SQLite numbers without a search, and the program's named variables keep their names (a
// statement has few).
struct ParameterPlan {
    std::string sql;
    /// Upper-case name (":NAME", ":ORV_L1") -> index; empty when the text could not be read.
    std::unordered_map<std::string, int> indexes;
    /// How SQLite will name the parameter of the highest index (empty: anonymous), to check
    /// the plan against.
    std::string lastSpelling;
};

ParameterPlan planParameters(const std::string& sql) {
    ParameterPlan plan;
    std::vector<PlacedToken> tokens;
    try {
        tokens = tokenizePlaced(sql);
    } catch (const DatabaseError&) {
        plan.sql = sql;
        return plan;
    }
    size_t copied = 0;
    for (const PlacedToken& placed : tokens) {
        if (placed.token.kind != Token::Kind::Bind) continue;
        const bool added =
            plan.indexes.emplace(placed.token.text, static_cast<int>(plan.indexes.size()) + 1)
                .second;
        const bool sharedLiteral = sql.compare(placed.begin, 6, ":orv_l") == 0;
        if (added)
            plan.lastSpelling =
                sharedLiteral ? "" : sql.substr(placed.begin, placed.end - placed.begin);
        if (sharedLiteral) {
            // An anonymous parameter is a new one wherever it stands: a literal's name that
            // came twice would no longer match SQLite's count, and the plan is then dropped.
            plan.sql.append(sql, copied, placed.begin - copied);
            plan.sql += '?';
            copied = placed.end;
        }
    }
    plan.sql.append(sql, copied, std::string::npos);
    return plan;
}

bool planHolds(sqlite3_stmt* statement, const ParameterPlan& plan) {
    const int count = sqlite3_bind_parameter_count(statement);
    if (count == 0) return plan.indexes.empty();
    const char* last = sqlite3_bind_parameter_name(statement, count);
    return static_cast<int>(plan.indexes.size()) == count &&
           plan.lastSpelling == (last ? last : "");
}

// SQLite's own account of the names, for a text the plan could not read.
std::unordered_map<std::string, int> namedIndexes(sqlite3_stmt* statement) {
    std::unordered_map<std::string, int> indexes;
    const int count = sqlite3_bind_parameter_count(statement);
    // An anonymous parameter no variable can name stays unbound, which is an error when run.
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(statement, i);
        indexes.emplace(name ? upper(name) : "?" + std::to_string(i), i);
    }
    return indexes;
}

} // namespace

// A small least-recently-used cache of prepared statements keyed by their SQLite text.
class SqliteConnection::StatementCache {
public:
    explicit StatementCache(const BankFile& bank) : bank_(bank), db_(bank.handle()) {}
    ~StatementCache() {
        for (auto& entry : order_)
            sqlite3_finalize(entry.second.statement);
    }

    const PreparedStatement& get(const std::string& sql) {
        const auto found = index_.find(sql);
        if (found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            return found->second->second;
        }
        PreparedStatement prepared;
        ParameterPlan plan = planParameters(sql);
        prepared.statement = prepare(plan.sql);
        if (planHolds(prepared.statement, plan)) {
            prepared.sortParameters(plan.indexes);
        } else {
            if (plan.sql != sql) {
                sqlite3_finalize(prepared.statement);
                prepared.statement = prepare(sql);
            }
            prepared.sortParameters(namedIndexes(prepared.statement));
        }
        order_.emplace_front(sql, std::move(prepared));
        index_[sql] = order_.begin();
        if (order_.size() > kCachedStatements) {
            sqlite3_finalize(order_.back().second.statement);
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        return order_.front().second;
    }

private:
    // SQLite prepares the first statement of a text and ignores the rest; a text that holds
    // more than one statement is refused instead, so that no part of it goes unrun.
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement, &tail) != SQLITE_OK) {
            const std::string text = bank_.errorText();
            sqlite3_finalize(statement);
            throw DatabaseError(text);
        }
        if (!statement) throw DatabaseError("ORA-00900: invalid SQL statement");
        const int rest = static_cast<int>(sql.c_str() + sql.size() - tail);
        sqlite3_stmt* second = nullptr;
        const int rc = rest > 0 ? sqlite3_prepare_v2(db_, tail, rest, &second, nullptr) : SQLITE_OK;
        if (rc != SQLITE_OK || second) {
            sqlite3_finalize(second);
            sqlite3_finalize(statement);
            throw DatabaseError("ORA-00933: SQL command not properly ended");
        }
        return statement;
    }

    const BankFile& bank_;
    sqlite3* db_;
    std::list<std::pair<std::string, PreparedStatement>> order_;
    std::unordered_map<std::string, std::list<std::pair<std::string, PreparedStatement>>::iterator>
        index_;
};

SqliteConnection::SqliteConnection(const std::string& path, const std::string& userName,
                                   const std::string& password, int busyTimeoutMilliseconds)
    : bank_(path, false, busyTimeoutMilliseconds) {
    bool known = false;
    try {
        known = verifyUser(bank_.handle(), userName, password);
    } catch (const DatabaseError&) {
        known = false; // a bank without users lets nobody in
    }
    if (!known) throw DatabaseError("ORA-01017: invalid username/password; logon denied");
    privileges_ = std::make_unique<Privileges>(userRole(bank_.handle(), userName),
                                               tablesMadeBy(bank_.handle(), userName));
    statements_ = std::make_unique<StatementCache>(bank_);
    registerUserFunction(userName);
    profile_ = StatementProfile::fromEnvironment(bank_.handle());
    // The logon is the boundary: what a user's statements may reach is the bank and its schema
    // skup, as the user's role allows (Privileges.h). Another file attached would be read with
    // this user's rights (another bank's password hashes), DETACH would take skup away, and
    // pragmas reach past the dialect into the engine (writable_schema, journal_mode). SQLite
    // asks the authorizer as it prepares each statement.
    sqlite3_set_authorizer(bank_.handle(), authorize, this);
    guardStatements_ = true;
}

// USER, the name the session logged on with, in upper case as the bank's database keeps user
// names; the translation writes USER as orv_user().
void SqliteConnection::registerUserFunction(const std::string& userName) {
    userName_ = upper(userName);
    const auto body = [](sqlite3_context* context, int, sqlite3_value**) {
        const auto* name = static_cast<const std::string*>(sqlite3_user_data(context));
        sqlite3_result_text(context, name->c_str(), static_cast<int>(name->size()),
                            SQLITE_TRANSIENT);
    };
    if (sqlite3_create_function_v2(bank_.handle(), "orv_user", 0, SQLITE_UTF8, &userName_, body,
                                   nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(bank_.handle()));
}

int SqliteConnection::authorize(void* self, int action, const char* first, const char* second,
                                const char* database, const char*) {
    auto& connection = *static_cast<SqliteConnection*>(self);
    if (!connection.guardStatements_) return SQLITE_OK;
    std::string refusal;
    const int answer = connection.privileges_->decide(action, first, second, database, refusal);
    if (answer != SQLITE_OK) connection.bank_.setRefusalText(std::move(refusal));
    return answer;
}

SqliteConnection::~SqliteConnection() {
    profile_.reset();
    statements_.reset();
    // Work that nobody committed is not kept, as when a session to the bank's server ends.
    if (!sqlite3_get_autocommit(bank_.handle()))
        sqlite3_exec(bank_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

SqliteConnection::ShapeTranslation SqliteConnection::learnShape(const std::string& sentinelText,
                                                                size_t literalCount) {
    ShapeTranslation learned;
    TranslatedStatement translated;
    try {
        translated = translateStatement(sentinelText, true);
    } catch (const DatabaseError&) {
        return learned; // the statement's own text reports its error
    }
    // The shape can be reused only when every parameter stands for one of the statement's
    // literals and no literal was kept in the text, where its value would shape the statement.
    if (containsSentinel(translated.sql)) {
        for (size_t ordinal : inlineSentinels(translated.sql))
            if (ordinal < literalCount) learned.inlineLiterals.push_back(ordinal);
        return learned;
    }
    for (const SharedLiteral& literal : translated.literals) {
        const std::optional<size_t> ordinal = sentinelOrdinal(literal);
        if (!ordinal || *ordinal >= literalCount) return learned;
        learned.parameterSources.push_back(*ordinal);
    }
    learned.sql = std::move(translated.sql);
    learned.reusable = true;
    return learned;
}

TranslatedStatement SqliteConnection::translateForRun(const std::string& bankSql) {
    if (std::optional<StatementShape> shape = scanShape(bankSql)) {
        // More literals than SQLite takes parameters: such a text is run as it stands.
        if (shape->literals.size() >=
            static_cast<size_t>(sqlite3_limit(bank_.handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1)))
            return translateStatement(bankSql, false);
        const ShapeTranslation* learned = &shapeTranslation(*shape);
        if (!learned->reusable && !learned->inlineLiterals.empty()) {
            // Some literals decide the translation: look for the shape with them written out.
            const std::vector<size_t> inlineLiterals = learned->inlineLiterals;
            shape = scanShape(bankSql, inlineLiterals);
            if (shape) learned = &shapeTranslation(*shape);
        }
        if (shape && learned->reusable) {
            TranslatedStatement run{learned->sql, {}};
            run.literals.reserve(learned->parameterSources.size());
            for (size_t source : learned->parameterSources)
                run.literals.push_back(shape->literals[source]);
            return run;
        }
    }
    return translate(bankSql);
}

const SqliteConnection::ShapeTranslation&
SqliteConnection::shapeTranslation(StatementShape& shape) {
    auto found = shapes_.find(shape.key);
    if (found == shapes_.end()) {
        if (shapes_.size() >= kCachedTranslations) shapes_.clear();
        ShapeTranslation learned = learnShape(shape.sentinelText, shape.literals.size());
        found = shapes_.emplace(shape.key, std::move(learned)).first;
    }
    return found->second;
}

const TranslatedStatement& SqliteConnection::translate(const std::string& bankSql) {
    const auto found = translations_.find(bankSql);
    if (found != translations_.end()) return found->second;
    if (translations_.size() >= kCachedTranslations) translations_.clear();
    return translations_.emplace(bankSql, translateStatement(bankSql, true)).first->second;
}

sqlite3_stmt* SqliteConnection::prepareBankStatement(const std::string& bankSql,
                                                     const std::vector<BoundVariable>& variables) {
    checkStatementLimits(bankSql);
    const TranslatedStatement translated = translateForRun(bankSql);
    const PreparedStatement& prepared = statements_->get(translated.sql);
    sqlite3_reset(prepared.statement);
    sqlite3_clear_bindings(prepared.statement);
    for (size_t i = 0; i < translated.literals.size(); ++i)
        bindLiteral(prepared.statement,
                    i < prepared.literalIndexes.size() ? prepared.literalIndexes[i] : 0,
                    translated.literals[i]);
    // The bank's database matches variable names case-insensitively; the names are in upper case.
    for (const auto& [name, index] : prepared.variables) {
        bool bound = false;
        for (const BoundVariable& variable : variables) {
            if (upper(":" + variable.name) != name) continue;
            bindValue(prepared.statement, index, variable.value);
            bound = true;
        }
        if (!bound) throw DatabaseError("ORA-01008: not all variables bound");
    }
    return prepared.statement;
}

void SqliteConnection::beginTransactionFor(sqlite3_stmt* statement) {
    // The bank's database opens a transaction with the first change; SQLite would commit each
    // statement on its own, so a changing statement starts one explicitly.
    // IMMEDIATE takes the write lock at once, waiting for it as long as the busy timeout
    // allows; a deferred transaction that read first could only fail when it came to write.
    if (!sqlite3_stmt_readonly(statement) && sqlite3_get_autocommit(bank_.handle()))
        runTransactionControl(bank_.readOnly() ? "BEGIN" : "BEGIN IMMEDIATE");
}

void SqliteConnection::runTransactionControl(const std::string& sql) {
    // A transfer begins and commits once per written row; prepared once, the two statements
    // cost a step each instead of a parse and a plan.
    runToEnd(statements_->get(sql).statement);
}

void SqliteConnection::runToEnd(sqlite3_stmt* statement) {
    int rc;
    takeDateComparisonError();
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        raiseDateComparisonError(statement);
    }
    raiseDateComparisonError(statement);
    if (rc != SQLITE_DONE) {
        const std::string text = bank_.errorText();
        sqlite3_reset(statement);
        throw DatabaseError(text);
    }
    sqlite3_reset(statement);
}

sqlite3_stmt* SqliteConnection::startQuery(const std::string& sql,
                                           const std::vector<BoundVariable>& variables,
                                           std::vector<FieldInfo>& fields,
                                           std::string& sourceTable) {
    sqlite3_stmt* statement = prepareBankStatement(sql, variables);
    beginTransactionFor(statement);
    const int columns = sqlite3_column_count(statement);
    std::string table;
    bool oneTable = columns > 0;
    for (int i = 0; i < columns; ++i) {
        FieldInfo field;
        field.name = sqlite3_column_name(statement, i);
        field.displayLabel = field.name;
        const char* declared = sqlite3_column_decltype(statement, i);
        if (declared) describeDeclaredType(declared, field);
        const char* origin = sqlite3_column_table_name(statement, i);
        const char* schema = sqlite3_column_database_name(statement, i);
        if (origin) {
            std::string qualified = origin;
            if (schema && std::strcmp(schema, "main") != 0)
                qualified = std::string(schema) + "." + origin;
            if (table.empty())
                table = qualified;
            else if (upper(table) != upper(qualified))
                oneTable = false;
        } else if (upper(field.name) != "ROWID") {
            oneTable = false;
        }
        fields.push_back(std::move(field));
    }
    if (oneTable) sourceTable = table;
    return statement;
}

// A date compared with a text that is no date during the last step fails the statement, as on
// the bank's database; the changes of a failed statement are undone with the rest.
void SqliteConnection::raiseDateComparisonError(sqlite3_stmt* statement) {
    const char* error = takeDateComparisonError();
    if (error == nullptr) return;
    sqlite3_reset(statement);
    throw DatabaseError(error);
}

bool SqliteConnection::nextRow(sqlite3_stmt* statement) {
    takeDateComparisonError();
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) raiseDateComparisonError(statement);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(statement);
        return false;
    }
    // An error is never the end of the rows, even when it comes without a text (a function
    // that failed without one).
    std::string text = bank_.errorText();
    if (text.empty()) text = sqlite3_errstr(rc);
    sqlite3_reset(statement);
    throw DatabaseError(text);
}

ResultSet SqliteConnection::query(const std::string& sql,
                                  const std::vector<BoundVariable>& variables) {
    ResultSet result;
    sqlite3_stmt* statement = startQuery(sql, variables, result.fields, result.sourceTable);
    const size_t columns = result.fields.size();
    // Columns without a declared type (expressions) take their kind from their first value
    // that is not NULL; a date key (MAX of a date, a CASE of date columns) makes a date field.
    std::vector<char> described(columns, 0);
    for (size_t i = 0; i < columns; ++i)
        described[i] = sqlite3_column_decltype(statement, static_cast<int>(i)) != nullptr;
    while (nextRow(statement)) {
        for (size_t i = 0; i < columns; ++i) {
            const int column = static_cast<int>(i);
            const int type = sqlite3_column_type(statement, column);
            FieldInfo& field = result.fields[i];
            switch (type) {
            case SQLITE_INTEGER:
                result.rows.addInteger(sqlite3_column_int64(statement, column));
                break;
            case SQLITE_FLOAT:
                result.rows.addReal(sqlite3_column_double(statement, column));
                break;
            case SQLITE_NULL:
                result.rows.addNull();
                continue;
            default: {
                const auto* text =
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                const std::string_view bytes(
                    text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
                DateParts parts;
                if (bytes.empty()) { // the bank's database has no empty texts: NULL
                    result.rows.addNull();
                    continue;
                }
                if (readDateKey(bytes, parts)) {
                    result.rows.addText(canonicalDateText(parts));
                    if (!described[i]) {
                        field.type = FieldType::Date;
                        field.size = 0;
                        described[i] = 1;
                    }
                    continue;
                }
                result.rows.addText(bytes);
            }
            }
            if (!described[i]) {
                const bool number = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
                field.type = number ? FieldType::Float : FieldType::String;
                described[i] = 1;
            }
        }
        result.rows.endRow();
    }
    return result;
}

void SqliteConnection::streamQuery(
    const std::string& sql, const std::vector<BoundVariable>& variables,
    const std::function<void(const std::vector<FieldInfo>&)>& columns,
    const std::function<void(const std::vector<Value>&)>& row) {
    std::vector<FieldInfo> fields;
    std::string sourceTable;
    sqlite3_stmt* statement = startQuery(sql, variables, fields, sourceTable);
    try {
        columns(fields);
        std::vector<Value> values(fields.size());
        while (nextRow(statement)) {
            for (size_t i = 0; i < values.size(); ++i) {
                bool isDate = false;
                values[i] = columnValue(statement, static_cast<int>(i), isDate);
            }
            row(values);
        }
    } catch (...) {
        sqlite3_reset(statement);
        throw;
    }
}

void SqliteConnection::execute(const std::string& sql,
                               const std::vector<BoundVariable>& variables) {
    const SchemaChange change = readSchemaChange(sql);
    if (change.kind == SchemaChange::Kind::Truncate) return truncate(change);
    const bool existed =
        change.kind == SchemaChange::Kind::Create && tableExists(change.schema, change.table);
    sqlite3_stmt* statement = prepareBankStatement(sql, variables);
    beginTransactionFor(statement);
    // A change that fails is undone whole and the transaction goes on, as on the bank's
    // database. SQLite undoes its own failures so; a date compared with a text that is no date
    // fails only after SQLite has run the statement, so a change runs inside a savepoint.
    const bool changes = !sqlite3_stmt_readonly(statement);
    if (changes) runTransactionControl("SAVEPOINT orv_statement");
    try {
        runToEnd(statement);
        keepTableOwners(change, existed);
        // A table the statement created stores its dates and scaled numbers as the bank's
        // tables do.
        const std::vector<std::string> triggers = createTableTriggers(sql);
        for (const std::string& trigger : triggers) {
            char* error = nullptr;
            if (sqlite3_exec(bank_.handle(), trigger.c_str(), nullptr, nullptr, &error) !=
                SQLITE_OK) {
                const std::string text = error ? error : sqlite3_errmsg(bank_.handle());
                sqlite3_free(error);
                throw DatabaseError(text);
            }
        }
        if (!triggers.empty()) dateColumns_.clear();
    } catch (const DatabaseError&) {
        if (changes) undoStatement();
        throw;
    }
    if (changes) runTransactionControl("RELEASE orv_statement");
}

bool SqliteConnection::tableExists(const std::string& schema, const std::string& table) const {
    return sqlite3_table_column_metadata(bank_.handle(), schema.c_str(), table.c_str(), nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SqliteConnection::truncate(const SchemaChange& change) {
    // The engine has no TRUNCATE; deleting every row is what it leaves behind. Unlike a
    // DELETE it is a change of the table's structure in the bank's database, for its owner
    // only; the users table stays hidden as ever (the DELETE's own check says so).
    if (!privileges_->mayRestructure(change.table, change.schema) &&
        tableExists(change.schema, change.table))
        throw DatabaseError("ORA-01031: insufficient privileges");
    const std::string schema = change.schema == "main" ? "" : change.schema + ".";
    execute("DELETE FROM " + schema + quoteIdentifier(change.table), {});
}

void SqliteConnection::keepTableOwners(const SchemaChange& change, bool existed) {
    if (change.kind == SchemaChange::Kind::None || change.schema != "main") return;
    const bool made = change.kind == SchemaChange::Kind::Create && !existed &&
                      privileges_->role() != UserRole::Owner &&
                      tableExists(change.schema, change.table);
    const bool dropped =
        change.kind == SchemaChange::Kind::Drop && !tableExists(change.schema, change.table);
    const bool renamed = change.kind == SchemaChange::Kind::Alter && !change.renamedTo.empty() &&
                         !tableExists(change.schema, change.table);
    if (!made && !dropped && !renamed) return;
    // The list is the program's own: written past the guard that keeps it from users.
    guardStatements_ = false;
    try {
        if (made) recordTableMaker(bank_.handle(), change.table, userName_);
        if (dropped) forgetTable(bank_.handle(), change.table);
        if (renamed) renameTableEntry(bank_.handle(), change.table, change.renamedTo);
        privileges_->setOwnTables(tablesMadeBy(bank_.handle(), userName_));
    } catch (...) {
        guardStatements_ = true;
        throw;
    }
    guardStatements_ = true;
}

void SqliteConnection::undoStatement() {
    // The transaction may be gone already (an error that rolls it back whole); nothing is left
    // to undo then.
    if (sqlite3_get_autocommit(bank_.handle())) return;
    try {
        runTransactionControl("ROLLBACK TO orv_statement");
        runTransactionControl("RELEASE orv_statement");
    } catch (const DatabaseError&) {
    }
}

bool SqliteConnection::storesDateKeys(const std::string& schema, const std::string& table) {
    // The bank's tables turn every date written to them into its key with a trigger named
    // after the table; a table without one (made by hand) keeps what it is given.
    sqlite3_stmt* statement = nullptr;
    const std::string sql = "SELECT 1 FROM " + quoteIdentifier(schema) +
                            ".sqlite_master WHERE type = 'trigger' AND upper(name) = ?";
    if (sqlite3_prepare_v2(bank_.handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const std::string trigger = toUpper(table) + "_DATUM_AI";
    sqlite3_bind_text(statement, 1, trigger.c_str(), -1, SQLITE_TRANSIENT);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

bool SqliteConnection::isDateColumn(const std::string& schema, const std::string& table,
                                    const std::string& column) {
    std::string key = toUpper(schema + "." + table + "." + column);
    const auto found = dateColumns_.find(key);
    if (found != dateColumns_.end()) return found->second;
    if (!storesDateKeys(schema, table)) {
        dateColumns_.emplace(std::move(key), false);
        return false;
    }
    const char* declaredType = nullptr;
    const bool known = sqlite3_table_column_metadata(bank_.handle(), schema.c_str(), table.c_str(),
                                                     column.c_str(), &declaredType, nullptr,
                                                     nullptr, nullptr, nullptr) == SQLITE_OK;
    const bool date = known && declaredType && toUpper(declaredType) == "DATE";
    dateColumns_.emplace(std::move(key), date);
    return date;
}

const SqliteConnection::InsertShape&
SqliteConnection::insertShape(const std::string& table,
                              const std::vector<std::pair<std::string, Value>>& values) {
    // A writer posts row after row into the same few sets of columns (a row of each account
    // class sets its own fields): each set's text is built once and found again by its names.
    size_t hash = std::hash<std::string>()(table);
    for (const auto& value : values)
        hash = hash * 1099511628211u ^ std::hash<std::string>()(value.first);
    for (const InsertShape& shape : insertShapes_) {
        if (shape.hash != hash || shape.table != table || shape.columns.size() != values.size())
            continue;
        bool same = true;
        for (size_t i = 0; same && i < values.size(); ++i)
            same = shape.columns[i] == values[i].first;
        if (same) return shape;
    }

    const auto [schema, name] = splitSchema(table);
    InsertShape shape;
    shape.hash = hash;
    shape.table = table;
    shape.sql = "INSERT INTO " + quoteIdentifier(schema) + "." + quoteIdentifier(name);
    if (values.empty()) {
        shape.sql += " DEFAULT VALUES";
    } else {
        std::string placeholders;
        for (size_t i = 0; i < values.size(); ++i) {
            shape.sql += (i ? ", " : " (") + quoteIdentifier(values[i].first);
            placeholders += i ? ", ?" : "?";
        }
        shape.sql += ") VALUES (" + placeholders + ")";
    }
    for (const auto& value : values) {
        shape.columns.push_back(value.first);
        shape.dateColumns.push_back(isDateColumn(schema, name, value.first));
    }
    constexpr size_t kKeptShapes = 32;
    if (insertShapes_.size() >= kKeptShapes) insertShapes_.clear();
    insertShapes_.push_back(std::move(shape));
    return insertShapes_.back();
}

void SqliteConnection::insertRow(const std::string& table,
                                 const std::vector<std::pair<std::string, Value>>& values) {
    const InsertShape& shape = insertShape(table, values);
    sqlite3_stmt* statement = statements_->get(shape.sql).statement;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (size_t i = 0; i < values.size(); ++i) {
        const Value& value = values[i].second;
        // A date text goes into a date column as its key. The column's trigger would store the
        // key as well, but by updating the row it has just inserted, which costs a second
        // write of the row and of its indexes.
        DateParts parts;
        if (shape.dateColumns[i] && value.isText() && !isDateKey(value.text()) &&
            readDateText(value.text(), parts) == DateTextError::None)
            bindValue(statement, static_cast<int>(i + 1), Value(dateKey(parts)));
        else
            bindValue(statement, static_cast<int>(i + 1), value);
    }
    beginTransactionFor(statement);
    runToEnd(statement);
}

void SqliteConnection::lockTableForWriting(const std::string&) {
    // The bank's file has one write lock for all its tables: taking it at once makes a second
    // writer wait here, before it has read or changed anything, instead of failing half way.
    if (sqlite3_get_autocommit(bank_.handle()))
        runTransactionControl(bank_.readOnly() ? "BEGIN" : "BEGIN IMMEDIATE");
}

void SqliteConnection::commit() {
    if (!sqlite3_get_autocommit(bank_.handle())) runTransactionControl("COMMIT");
}

void SqliteConnection::rollback() {
    if (!sqlite3_get_autocommit(bank_.handle())) runTransactionControl("ROLLBACK");
    // A table made in the transaction is gone again, and with it its entry in the list.
    guardStatements_ = false;
    try {
        privileges_->setOwnTables(tablesMadeBy(bank_.handle(), userName_));
    } catch (const DatabaseError&) {
    }
    guardStatements_ = true;
}

std::vector<std::string> SqliteConnection::checkIntegrity() {
    // The check reads every index in its collation and evaluates every CHECK constraint, so it
    // must run on a connection that has the dialect's collation and functions.
    std::vector<std::string> problems;
    guardStatements_ = false;
    try {
        for (const char* schema : {"main", "skup"}) {
            sqlite3_stmt* statement = nullptr;
            const std::string sql = std::string("PRAGMA ") + schema + ".integrity_check";
            if (sqlite3_prepare_v2(bank_.handle(), sql.c_str(), -1, &statement, nullptr) !=
                SQLITE_OK)
                throw DatabaseError(bank_.errorText());
            int rc;
            while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
                const std::string line = text ? text : "";
                if (line != "ok") problems.push_back(std::string(schema) + ": " + line);
            }
            const std::string error = rc == SQLITE_DONE ? "" : bank_.errorText();
            sqlite3_finalize(statement);
            if (!error.empty()) throw DatabaseError(error);
        }
    } catch (...) {
        guardStatements_ = true;
        throw;
    }
    guardStatements_ = true;
    if (problems.empty()) problems.push_back("ok");
    return problems;
}

} // namespace orv::sqlite
