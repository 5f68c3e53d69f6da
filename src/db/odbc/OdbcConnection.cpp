#include "db/odbc/OdbcConnection.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "db/odbc/PostgresDialect.h"
#include "db/odbc/ResultColumnNames.h"
#include "db/odbc/ServerErrors.h"
#include "db/sqlite/dialect/DateText.h"

#include <sql.h>
#include <sqlext.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::odbc {

namespace {

// Prepared statements kept on the server, and translations kept by the program's text; spliced
// texts differ from row to row, so the translations are simply emptied when they grow past this.
constexpr size_t kCachedStatements = 256;
constexpr size_t kCachedTranslations = 4096;
// A text column wider than this has no width the dataset should cut to.
constexpr SQLULEN kWidestDeclaredText = 32767;

bool succeeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The driver's first diagnostic, without the driver manager's and driver's [tags] and the
// driver's own trailer, so that what remains is the server's text.
std::string diagnostic(SQLSMALLINT type, SQLHANDLE handle, std::string* sqlState = nullptr) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[2048] = {};
    SQLSMALLINT length = 0;
    if (!succeeded(SQLGetDiagRec(type, handle, 1, state, &native, message,
                                 static_cast<SQLSMALLINT>(sizeof message), &length)))
        return "ORA-03113: end-of-file on communication channel";
    if (sqlState) *sqlState = reinterpret_cast<const char*>(state);
    std::string text(reinterpret_cast<const char*>(message));
    while (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) break;
        text.erase(0, close + 1);
    }
    const size_t trailer = text.find(";\nError while");
    if (trailer != std::string::npos) text.erase(trailer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ';' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The failure of a statement, in the bank database's words where it has them.
std::string statementError(SQLHSTMT statement) {
    std::string state;
    const std::string text = diagnostic(SQL_HANDLE_STMT, statement, &state);
    return bankErrorText(state, text);
}

void check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle) {
    if (!succeeded(rc)) throw DatabaseError(diagnostic(type, handle));
}

// A value of a connection string, braced when it holds characters the string would misread.
std::string connectionValue(const std::string& value) {
    if (value.find_first_of(";{}= ") == std::string::npos && !value.empty()) return value;
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}') braced += '}';
    }
    return braced + "}";
}

bool isDateType(SQLSMALLINT type) {
    return type == SQL_TYPE_DATE || type == SQL_TYPE_TIMESTAMP || type == SQL_DATE ||
           type == SQL_TIMESTAMP;
}

bool isIntegerType(SQLSMALLINT type) {
    return type == SQL_INTEGER || type == SQL_SMALLINT || type == SQL_BIGINT ||
           type == SQL_TINYINT || type == SQL_BIT;
}

bool isRealType(SQLSMALLINT type) {
    return type == SQL_NUMERIC || type == SQL_DECIMAL || type == SQL_FLOAT || type == SQL_REAL ||
           type == SQL_DOUBLE;
}

// A date as the whole program writes it: dd.mm.yyyy, and the time of day only when it has one.
std::string dateText(const SQL_TIMESTAMP_STRUCT& t) {
    char text[64];
    if (t.hour == 0 && t.minute == 0 && t.second == 0)
        std::snprintf(text, sizeof text, "%02u.%02u.%04d", t.day, t.month, t.year);
    else
        std::snprintf(text, sizeof text, "%02u.%02u.%04d %02u:%02u:%02u", t.day, t.month, t.year,
                      t.hour, t.minute, t.second);
    return text;
}

// Only plain names reach an INSERT the connection writes itself.
void checkIdentifier(const std::string& name) {
    if (name.empty()) throw DatabaseError("ORA-00903: invalid table name");
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '#' ||
              c == '.'))
            throw DatabaseError("ORA-00904: \"" + name + "\": invalid identifier");
}

} // namespace

struct OdbcConnection::Handles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool connected = false;

    ~Handles() {
        if (connected) {
            // Work that nobody committed is not kept, as when a session to the server ends.
            SQLEndTran(SQL_HANDLE_DBC, connection, SQL_ROLLBACK);
            SQLDisconnect(connection);
        }
        if (connection != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, connection);
        if (environment != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, environment);
    }
};

struct OdbcConnection::Prepared {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ~Prepared() {
        if (statement != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, statement);
    }
};

// A bound parameter's value; it must stay where it is until the statement has run.
struct ParameterBuffer {
    long long integer = 0;
    double real = 0.0;
    std::string text;
    SQLLEN indicator = 0;
};

struct OdbcConnection::Running {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    const ServerStatement* translated = nullptr;
};

OdbcConnection::OdbcConnection(const std::string& dataSource, const std::string& userName,
                               const std::string& password, int busyTimeoutSeconds)
    : handles_(std::make_unique<Handles>()), busyTimeoutSeconds_(busyTimeoutSeconds) {
    Handles& h = *handles_;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.environment)))
        throw DatabaseError("ORA-12154: TNS:could not resolve the connect identifier specified");
    SQLSetEnvAttr(h.environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    check(SQLAllocHandle(SQL_HANDLE_DBC, h.environment, &h.connection), SQL_HANDLE_ENV,
          h.environment);
    std::string connect = dataSource.find('=') == std::string::npos
                              ? "DSN=" + connectionValue(dataSource)
                              : dataSource;
    if (!connect.empty() && connect.back() != ';') connect += ';';
    // The connection keeps a failed statement from taking the transaction with it itself (see
    // run); the driver's own savepoint around every statement would cost two more round trips.
    connect += "Protocol=7.4-0;";
    connect += "UID=" + connectionValue(userName) + ";PWD=" + connectionValue(password) + ";";
    SQLSMALLINT outLength = 0;
    const SQLRETURN connected =
        dataSource.empty()
            ? SQL_ERROR
            : SQLDriverConnect(h.connection, nullptr,
                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(connect.c_str())),
                               static_cast<SQLSMALLINT>(connect.size()), nullptr, 0, &outLength,
                               SQL_DRIVER_NOPROMPT);
    if (!succeeded(connected)) {
        std::string state;
        const std::string text =
            dataSource.empty() ? "" : diagnostic(SQL_HANDLE_DBC, h.connection, &state);
        // A data source nobody configured is what the bank's client calls an unresolved name.
        if (dataSource.empty() || state == "IM002")
            throw DatabaseError(
                "ORA-12154: TNS:could not resolve the connect identifier specified (" + dataSource +
                ")");
        throw DatabaseError(text);
    }
    h.connected = true;
    check(SQLSetConnectAttr(h.connection, SQL_ATTR_AUTOCOMMIT,
                            reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
          SQL_HANDLE_DBC, h.connection);
    char dbms[256] = {};
    SQLSMALLINT dbmsLength = 0;
    check(SQLGetInfo(h.connection, SQL_DBMS_NAME, dbms, static_cast<SQLSMALLINT>(sizeof dbms),
                     &dbmsLength),
          SQL_HANDLE_DBC, h.connection);
    dbmsName_ = dbms;
    postgres_ = toUpper(dbmsName_).find("POSTGRES") != std::string::npos;
    if (postgres_) {
        // Statements give dates as day.month.year texts: the session reads them day first. It
        // writes them in ISO form, the one the driver reads back into dates; TO_CHAR of a date
        // without a format gives day.month.year as on the bank's database. The orafce functions
        // come before the server's own, whose SUBSTR, INSTR and friends differ.
        runPlain("SET DateStyle = 'ISO, DMY'");
        runPlain("SET orafce.nls_date_format = 'DD.MM.YYYY'");
        runPlain("SET search_path = \"$user\", public, orv, oracle, pg_catalog");
        // A statement waits for another session's lock as long as the alias allows, then
        // fails with the bank's "resource busy" error instead of waiting for ever.
        runPlain("SET lock_timeout = '" + std::to_string(busyTimeoutSeconds_) + "s'");
        installDateDifference();
        // Values written as text as the bank's database writes them: a number without trailing
        // zeros and without the zero before its point, a date as dd.mm.yyyy (and its time
        // when it has one). Texts stay as they are.
        runPlain("CREATE FUNCTION pg_temp.orv_text(v numeric) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT regexp_replace(trim_scale(v)::text, '^(-?)0[.]', "
                 "'\\1.') $$");
        runPlain("CREATE FUNCTION pg_temp.orv_text(v double precision) RETURNS text LANGUAGE "
                 "sql IMMUTABLE AS $$ SELECT pg_temp.orv_text(v::numeric) $$");
        runPlain("CREATE FUNCTION pg_temp.orv_text(v text) RETURNS text LANGUAGE sql IMMUTABLE "
                 "AS $$ SELECT v $$");
        runPlain("CREATE FUNCTION pg_temp.orv_text(v pg_catalog.date) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT pg_catalog.to_char(v, 'DD.MM.YYYY') $$");
        runPlain("CREATE FUNCTION pg_temp.orv_text(v timestamp) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT CASE WHEN v = date_trunc('day', v) THEN "
                 "pg_catalog.to_char(v, 'DD.MM.YYYY') ELSE pg_catalog.to_char(v, "
                 "'DD.MM.YYYY HH24:MI:SS') END $$");
        // TO_CHAR(x) writes a date in the bank's date format, without its time of day.
        runPlain("CREATE FUNCTION pg_temp.orv_to_char(v numeric) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT pg_temp.orv_text(v) $$");
        runPlain("CREATE FUNCTION pg_temp.orv_to_char(v double precision) RETURNS text LANGUAGE "
                 "sql IMMUTABLE AS $$ SELECT pg_temp.orv_text(v) $$");
        runPlain("CREATE FUNCTION pg_temp.orv_to_char(v text) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT v $$");
        runPlain("CREATE FUNCTION pg_temp.orv_to_char(v timestamp) RETURNS text LANGUAGE sql "
                 "IMMUTABLE AS $$ SELECT pg_catalog.to_char(v, 'DD.MM.YYYY') $$");
        runPlain("CREATE FUNCTION pg_temp.orv_to_char(v pg_catalog.date) RETURNS text LANGUAGE "
                 "sql IMMUTABLE AS $$ SELECT pg_catalog.to_char(v, 'DD.MM.YYYY') $$");
        // REMAINDER takes the even of two nearest quotients (orafce's the larger), and the
        // server has no BITAND.
        runPlain("CREATE FUNCTION pg_temp.orv_remainder(a numeric, b numeric) RETURNS numeric "
                 "LANGUAGE sql IMMUTABLE AS $$ SELECT a - b * (CASE WHEN abs(a / b - trunc(a / "
                 "b)) = 0.5 THEN 2 * round(a / b / 2) ELSE round(a / b) END) $$");
        runPlain(
            "CREATE FUNCTION pg_temp.orv_bitand(a numeric, b numeric) RETURNS numeric "
            "LANGUAGE sql IMMUTABLE AS $$ SELECT (trunc(a)::bigint & trunc(b)::bigint)::numeric "
            "$$");
        // A call the translation computed and found failing raises the bank's error text when
        // the server reaches it (see ConstantCalls.h).
        runPlain("CREATE FUNCTION pg_temp.orv_raise(message text) RETURNS text LANGUAGE plpgsql "
                 "VOLATILE AS $$ BEGIN RAISE EXCEPTION USING MESSAGE = message; END $$");
        // ROWNUM in a grouped query draws its numbers from here.
        runPlain("CREATE TEMPORARY SEQUENCE IF NOT EXISTS orv_rownum");
        commit();
    }
}

OdbcConnection::~OdbcConnection() {
    direct_.reset();
    prepared_.clear();
    order_.clear();
}

// On the bank's database the difference of two dates is a number of days, with the time of day
// as its fraction (SYSDATE - d). The server gives an interval for a timestamp less a timestamp or
// a date; the schema orv, searched before the server's own operators, has '-' operators that
// give days. Operators are found only through the search path, never in pg_temp, so they live
// in the database: the first session with the right to create them there does so, and a session
// without it keeps the server's intervals.
void OdbcConnection::installDateDifference() {
    runPlain(R"(DO $install$
BEGIN
  IF EXISTS (SELECT 1 FROM pg_operator o JOIN pg_namespace n ON n.oid = o.oprnamespace
             WHERE n.nspname = 'orv' AND o.oprname = '-')
     OR NOT has_database_privilege(current_database(), 'CREATE') THEN
    RETURN;
  END IF;
  BEGIN
    CREATE SCHEMA IF NOT EXISTS orv;
    GRANT USAGE ON SCHEMA orv TO PUBLIC;
    CREATE FUNCTION orv.days_between(a timestamp, b timestamp) RETURNS numeric LANGUAGE sql
      IMMUTABLE AS 'SELECT EXTRACT(EPOCH FROM (a OPERATOR(pg_catalog.-) b)) / 86400';
    CREATE FUNCTION orv.days_between(a timestamp, b pg_catalog.date) RETURNS numeric
      LANGUAGE sql IMMUTABLE AS 'SELECT orv.days_between(a, b::timestamp)';
    CREATE FUNCTION orv.days_between(a pg_catalog.date, b timestamp) RETURNS numeric
      LANGUAGE sql IMMUTABLE AS 'SELECT orv.days_between(a::timestamp, b)';
    CREATE OPERATOR orv.- (LEFTARG = timestamp, RIGHTARG = timestamp,
                           FUNCTION = orv.days_between);
    CREATE OPERATOR orv.- (LEFTARG = timestamp, RIGHTARG = pg_catalog.date,
                           FUNCTION = orv.days_between);
    CREATE OPERATOR orv.- (LEFTARG = pg_catalog.date, RIGHTARG = timestamp,
                           FUNCTION = orv.days_between);
  EXCEPTION WHEN OTHERS THEN
    -- Another session created them at the same moment, or this one may not: either way the
    -- statements still run.
    NULL;
  END;
END
$install$)");
    commit();
}

void OdbcConnection::runPlain(const std::string& serverSql, bool bankWords) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    check(SQLAllocHandle(SQL_HANDLE_STMT, handles_->connection, &statement), SQL_HANDLE_DBC,
          handles_->connection);
    const SQLRETURN rc =
        SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(serverSql.c_str())),
                      static_cast<SQLINTEGER>(serverSql.size()));
    std::string error;
    if (!succeeded(rc) && rc != SQL_NO_DATA)
        error = bankWords ? statementError(statement) : diagnostic(SQL_HANDLE_STMT, statement);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    if (!error.empty()) throw DatabaseError(error);
}

const OdbcConnection::ServerStatement& OdbcConnection::translate(const std::string& bankSql) {
    const auto found = translations_.find(bankSql);
    if (found != translations_.end()) return found->second;
    if (translations_.size() >= kCachedTranslations) translations_.clear();
    ServerStatement statement;
    if (postgres_) {
        PostgresStatement translated = translateForPostgres(bankSql);
        statement.sql = std::move(translated.sql);
        statement.parameters = std::move(translated.parameters);
        statement.markers = std::move(translated.markers);
        statement.columnNames = std::move(translated.columnNames);
        statement.sourceTable = std::move(translated.sourceTable);
        statement.changes = translated.changes;
    } else {
        // A server of the bank's own dialect takes the statement as it is.
        PostgresStatement native = withMarkersOnly(bankSql);
        statement.sql = std::move(native.sql);
        statement.parameters = std::move(native.parameters);
        statement.markers = std::move(native.markers);
        statement.sourceTable = std::move(native.sourceTable);
        statement.changes = native.changes;
    }
    return translations_.emplace(bankSql, std::move(statement)).first->second;
}

OdbcConnection::Prepared& OdbcConnection::prepare(const std::string& serverSql) {
    const auto found = prepared_.find(serverSql);
    if (found != prepared_.end()) {
        order_.splice(order_.begin(), order_, found->second);
        return *found->second->second;
    }
    auto prepared = std::make_unique<Prepared>();
    check(SQLAllocHandle(SQL_HANDLE_STMT, handles_->connection, &prepared->statement),
          SQL_HANDLE_DBC, handles_->connection);
    if (!succeeded(SQLPrepare(prepared->statement,
                              reinterpret_cast<SQLCHAR*>(const_cast<char*>(serverSql.c_str())),
                              static_cast<SQLINTEGER>(serverSql.size()))))
        throw DatabaseError(statementError(prepared->statement));
    order_.emplace_front(serverSql, std::move(prepared));
    prepared_[serverSql] = order_.begin();
    if (order_.size() > kCachedStatements) {
        prepared_.erase(order_.back().first);
        order_.pop_back();
    }
    return *order_.front().second;
}

namespace {

// True for a date text with a time of day that is not midnight ('31.03.2024 12:00:00').
bool hasTimeOfDay(const Value& value) {
    if (!value.isText() || value.text().find(':') == std::string::npos) return false;
    DateParts parts;
    return sqlite::readDateText(value.text(), parts) == sqlite::DateTextError::None &&
           (parts.hour != 0 || parts.minute != 0 || parts.second != 0);
}

// The statement with each marker whose value is a date with a time of day read as a timestamp.
// A variable is bound as text, which the server reads as whatever its place wants: compared
// with a date column, a date, without the time the bank's database compares. Such statements
// are prepared apart from the same text with plain values.
std::string withTimestampMarkers(const std::string& sql, const std::vector<size_t>& markers,
                                 const std::vector<const BoundVariable*>& values) {
    std::string out;
    size_t copied = 0;
    for (size_t i = 0; i < markers.size() && i < values.size(); ++i) {
        if (!hasTimeOfDay(values[i]->value)) continue;
        out.append(sql, copied, markers[i] - copied);
        out += "CAST(? AS timestamp)";
        copied = markers[i] + 1;
    }
    if (copied == 0) return sql;
    out.append(sql, copied, std::string::npos);
    return out;
}

void bindParameter(SQLHSTMT statement, SQLUSMALLINT index, const Value& value,
                   ParameterBuffer& buffer) {
    SQLRETURN rc;
    if (value.isInteger()) {
        buffer.integer = value.integer();
        rc = SQLBindParameter(statement, index, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                              &buffer.integer, 0, nullptr);
    } else if (value.isReal()) {
        buffer.real = value.real();
        rc = SQLBindParameter(statement, index, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0,
                              &buffer.real, 0, nullptr);
    } else if (value.isText() && !value.text().empty()) {
        buffer.text = value.text();
        buffer.indicator = static_cast<SQLLEN>(buffer.text.size());
        rc = SQLBindParameter(statement, index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                              buffer.text.size(), 0, buffer.text.data(), buffer.indicator,
                              &buffer.indicator);
    } else {
        // The bank's database has no empty text: it is NULL.
        buffer.indicator = SQL_NULL_DATA;
        rc = SQLBindParameter(statement, index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0,
                              nullptr, 0, &buffer.indicator);
    }
    check(rc, SQL_HANDLE_STMT, statement);
}

} // namespace

OdbcConnection::Running OdbcConnection::run(const std::string& bankSql,
                                            const std::vector<BoundVariable>& variables,
                                            bool ownHandle) {
    const ServerStatement& translated = translate(bankSql);
    // A statement with named variables repeats with other values (the lookups of every row):
    // it is prepared on the server once and kept. A spliced text is mostly new: it is sent
    // once, parsed, bound and run in one round trip, with nothing to free afterwards.
    const bool direct = translated.parameters.empty() && !ownHandle;
    std::vector<const BoundVariable*> values(translated.parameters.size(), nullptr);
    for (size_t i = 0; i < translated.parameters.size(); ++i) {
        // The bank's database matches variable names case-insensitively.
        for (const BoundVariable& variable : variables)
            if (toUpper(variable.name) == translated.parameters[i]) values[i] = &variable;
        if (!values[i]) throw DatabaseError("ORA-01008: not all variables bound");
    }
    const std::string serverSql =
        postgres_ ? withTimestampMarkers(translated.sql, translated.markers, values)
                  : translated.sql;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (direct) {
        if (!direct_) {
            direct_ = std::make_unique<Prepared>();
            check(SQLAllocHandle(SQL_HANDLE_STMT, handles_->connection, &direct_->statement),
                  SQL_HANDLE_DBC, handles_->connection);
        }
        statement = direct_->statement;
        SQLFreeStmt(statement, SQL_CLOSE);
    } else {
        statement = prepare(serverSql).statement;
        SQLFreeStmt(statement, SQL_CLOSE);
        SQLFreeStmt(statement, SQL_RESET_PARAMS);
    }
    std::vector<ParameterBuffer> buffers(translated.parameters.size());
    for (size_t i = 0; i < translated.parameters.size(); ++i)
        bindParameter(statement, static_cast<SQLUSMALLINT>(i + 1), values[i]->value, buffers[i]);
    // A failed statement takes back only itself, as on the bank's database; PostgreSQL would
    // abort the whole transaction. Uncommitted changes are kept by a savepoint before each
    // statement; while there are none, a failure simply ends the transaction, which holds
    // nothing, and the statements of a transfer's rows (reads, then a row posted and committed)
    // pay no savepoint at all.
    const bool guarded = postgres_ && changed_;
    if (guarded) {
        runPlain(savepointOpen_ ? "RELEASE SAVEPOINT orv_statement; SAVEPOINT orv_statement"
                                : "SAVEPOINT orv_statement");
        savepointOpen_ = true;
    }
    const SQLRETURN rc =
        direct
            ? SQLExecDirect(statement,
                            reinterpret_cast<SQLCHAR*>(const_cast<char*>(translated.sql.c_str())),
                            static_cast<SQLINTEGER>(translated.sql.size()))
            : SQLExecute(statement);
    if (!succeeded(rc) && rc != SQL_NO_DATA) {
        const std::string error = statementError(statement);
        SQLFreeStmt(statement, SQL_CLOSE);
        if (postgres_) {
            if (guarded)
                runPlain("ROLLBACK TO SAVEPOINT orv_statement");
            else
                rollback();
        }
        throw DatabaseError(error);
    }
    if (translated.changes) changed_ = true;
    return Running{statement, &translated};
}

void OdbcConnection::fetchAll(Running& running,
                              const std::function<void(const std::vector<FieldInfo>&)>& columns,
                              const std::function<void(const std::vector<Value>&)>& row) {
    SQLHSTMT statement = running.statement;
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(statement, &count), SQL_HANDLE_STMT, statement);
    std::vector<FieldInfo> fields;
    std::vector<SQLSMALLINT> types;
    std::vector<std::string> serverNames;
    for (SQLSMALLINT i = 1; i <= count; ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        check(SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(i), name,
                             static_cast<SQLSMALLINT>(sizeof name), &nameLength, &type, &size,
                             &digits, &nullable),
              SQL_HANDLE_STMT, statement);
        FieldInfo field;
        if (isDateType(type)) {
            field.type = FieldType::Date;
        } else if (isIntegerType(type) || isRealType(type)) {
            field.type = FieldType::Float;
        } else {
            field.type = FieldType::String;
            if ((type == SQL_VARCHAR || type == SQL_CHAR || type == SQL_WVARCHAR ||
                 type == SQL_WCHAR) &&
                size > 0 && size <= kWidestDeclaredText)
                field.size = static_cast<int>(size);
        }
        serverNames.emplace_back(reinterpret_cast<const char*>(name));
        types.push_back(type);
        fields.push_back(std::move(field));
    }
    // Columns named as the embedded bank names them; the key that stands for ROWID is not shown
    // when only a '*' brought it.
    const std::vector<std::string> names =
        postgres_ ? nameColumns(running.translated->columnNames, serverNames) : serverNames;
    std::vector<size_t> shown;
    std::vector<FieldInfo> shownFields;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (names[i].empty()) continue;
        fields[i].name = names[i];
        fields[i].displayLabel = names[i];
        shown.push_back(i);
        shownFields.push_back(fields[i]);
    }
    columns(shownFields);
    std::vector<Value> values(shown.size());
    std::string text;
    SQLRETURN rc;
    while ((rc = SQLFetch(statement)) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
        for (size_t k = 0; k < shown.size(); ++k) {
            const auto column = static_cast<SQLUSMALLINT>(shown[k] + 1);
            const SQLSMALLINT type = types[shown[k]];
            SQLLEN indicator = 0;
            if (isDateType(type)) {
                SQL_TIMESTAMP_STRUCT stamp{};
                check(SQLGetData(statement, column, SQL_C_TYPE_TIMESTAMP, &stamp, sizeof stamp,
                                 &indicator),
                      SQL_HANDLE_STMT, statement);
                values[k] = indicator == SQL_NULL_DATA ? Value() : Value(dateText(stamp));
            } else if (isIntegerType(type)) {
                long long integer = 0;
                check(SQLGetData(statement, column, SQL_C_SBIGINT, &integer, sizeof integer,
                                 &indicator),
                      SQL_HANDLE_STMT, statement);
                values[k] = indicator == SQL_NULL_DATA ? Value() : Value(integer);
            } else if (isRealType(type)) {
                double real = 0.0;
                check(SQLGetData(statement, column, SQL_C_DOUBLE, &real, sizeof real, &indicator),
                      SQL_HANDLE_STMT, statement);
                // The bank's database has no negative zero, and a whole number prints with
                // all its digits (12345678901234600, not 1.23456789012346e+16).
                if (real == 0.0) real = 0.0;
                if (indicator == SQL_NULL_DATA)
                    values[k] = Value();
                else if (real == std::trunc(real) && std::fabs(real) < 9.2e18)
                    values[k] = Value(static_cast<long long>(real));
                else
                    values[k] = Value(real);
            } else {
                text.clear();
                char chunk[4096];
                for (;;) {
                    const SQLRETURN got =
                        SQLGetData(statement, column, SQL_C_CHAR, chunk, sizeof chunk, &indicator);
                    if (got == SQL_NO_DATA) break;
                    check(got, SQL_HANDLE_STMT, statement);
                    if (indicator == SQL_NULL_DATA) break;
                    const size_t available =
                        indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof chunk)
                            ? sizeof chunk - 1
                            : static_cast<size_t>(indicator);
                    text.append(chunk, available);
                    if (got == SQL_SUCCESS) break;
                }
                // The bank's database has no empty texts: an empty text is NULL.
                values[k] = text.empty() ? Value() : Value(text);
            }
        }
        row(values);
    }
    if (rc != SQL_NO_DATA) {
        const std::string error = statementError(statement);
        SQLFreeStmt(statement, SQL_CLOSE);
        throw DatabaseError(error);
    }
    SQLFreeStmt(statement, SQL_CLOSE);
}

ResultSet OdbcConnection::query(const std::string& sql,
                                const std::vector<BoundVariable>& variables) {
    Running running = run(sql, variables);
    ResultSet result;
    result.sourceTable = running.translated->sourceTable;
    fetchAll(
        running, [&](const std::vector<FieldInfo>& fields) { result.fields = fields; },
        [&](const std::vector<Value>& values) { result.rows.addRow(values); });
    return result;
}

void OdbcConnection::streamQuery(const std::string& sql,
                                 const std::vector<BoundVariable>& variables,
                                 const std::function<void(const std::vector<FieldInfo>&)>& columns,
                                 const std::function<void(const std::vector<Value>&)>& row) {
    // The rows are handed on while the statement is open, and whoever takes them may run
    // statements of its own meanwhile: this statement has a handle of its own.
    Running running = run(sql, variables, true);
    try {
        fetchAll(running, columns, row);
    } catch (...) {
        SQLFreeStmt(running.statement, SQL_CLOSE);
        throw;
    }
}

void OdbcConnection::execute(const std::string& sql, const std::vector<BoundVariable>& variables) {
    Running running = run(sql, variables);
    SQLFreeStmt(running.statement, SQL_CLOSE);
}

void OdbcConnection::insertRow(const std::string& table,
                               const std::vector<std::pair<std::string, Value>>& values) {
    checkIdentifier(table);
    std::string sql = "INSERT INTO " + table;
    std::vector<BoundVariable> variables;
    if (values.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string markers;
        for (size_t i = 0; i < values.size(); ++i) {
            checkIdentifier(values[i].first);
            const std::string name = "V" + std::to_string(i + 1);
            sql += (i ? ", " : " (") + values[i].first;
            markers += (i ? ", :" : ":") + name;
            variables.push_back({name, values[i].second});
        }
        sql += ") VALUES (" + markers + ")";
    }
    execute(sql, variables);
}

void OdbcConnection::lockTableForWriting(const std::string& table) {
    // PostgreSQL waits as long as lock_timeout, set at logon; the bank's own server is told.
    // EXCLUSIVE mode holds up other writers of the table, never its readers.
    const std::string sql = "LOCK TABLE " + table + " IN EXCLUSIVE MODE" +
                            (postgres_ ? "" : " WAIT " + std::to_string(busyTimeoutSeconds_));
    try {
        runPlain(sql, true);
    } catch (const DatabaseError&) {
        // A failed statement ends PostgreSQL's transaction; nothing was changed yet.
        rollback();
        throw;
    }
    // The lock is the transaction's first holding: a later failing statement takes back only
    // itself (through the savepoint), never the lock.
    changed_ = true;
}

void OdbcConnection::commit() {
    changed_ = savepointOpen_ = false;
    check(SQLEndTran(SQL_HANDLE_DBC, handles_->connection, SQL_COMMIT), SQL_HANDLE_DBC,
          handles_->connection);
}

void OdbcConnection::rollback() {
    changed_ = savepointOpen_ = false;
    check(SQLEndTran(SQL_HANDLE_DBC, handles_->connection, SQL_ROLLBACK), SQL_HANDLE_DBC,
          handles_->connection);
}

} // namespace orv::odbc
