#include "db/sqlite/BankRoutines.h"

#include "base/Datum.h"
#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"

#include <cmath>
#include <optional>
#include <string>

namespace orv::sqlite {

namespace {

// What the bank's database says when a text does not read as a date.
constexpr const char* kNotADate = "ORA-01861: literal does not match format string";

// One routine's query, prepared on first use and reused for every later call: a transfer calls
// the routines once or more per row. The function's user data owns it; SQLite runs the
// destructor when the function is replaced or removed.
struct RoutineQuery {
    const char* sql;
    sqlite3_stmt* statement = nullptr;

    explicit RoutineQuery(const char* text) : sql(text) {}
    ~RoutineQuery() { sqlite3_finalize(statement); }
    RoutineQuery(const RoutineQuery&) = delete;
    RoutineQuery& operator=(const RoutineQuery&) = delete;
};

void destroyQuery(void* query) {
    delete static_cast<RoutineQuery*>(query);
}

// The statement to run for one call, reset and unbound when the call ends. A routine nested in
// its own argument finds the cached statement busy and gets a statement of its own.
class QueryRun {
public:
    QueryRun(sqlite3_context* context, RoutineQuery& query) : context_(context) {
        sqlite3* db = sqlite3_context_db_handle(context);
        if (query.statement && !sqlite3_stmt_busy(query.statement)) {
            statement_ = query.statement;
            return;
        }
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v3(db, query.sql, -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr) !=
            SQLITE_OK) {
            sqlite3_result_error(context, sqlite3_errmsg(db), -1);
            sqlite3_finalize(prepared);
            return;
        }
        if (!query.statement)
            query.statement = prepared;
        else
            own_ = prepared;
        statement_ = prepared;
    }
    ~QueryRun() {
        if (!statement_) return;
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
        sqlite3_finalize(own_);
    }
    QueryRun(const QueryRun&) = delete;
    QueryRun& operator=(const QueryRun&) = delete;

    bool ready() const { return statement_ != nullptr; }
    sqlite3_stmt* get() const { return statement_; }

    /// Steps to the first row. False when there is none, and the routine's result is NULL, or
    /// on an error, which becomes the routine's error: the caller then sets no result of its
    /// own, which would replace the error's text and leave SQLite to raise an error without one.
    /// The statement is kept from call to call, so an error here (its table renamed or dropped
    /// since its first call, a lock) fails the routine as a failed prepare does.
    bool firstRow() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE)
            sqlite3_result_null(context_);
        else
            sqlite3_result_error(context_, sqlite3_errmsg(sqlite3_context_db_handle(context_)), -1);
        return false;
    }

private:
    sqlite3_context* context_;
    sqlite3_stmt* statement_ = nullptr;
    sqlite3_stmt* own_ = nullptr;
};

// A date argument: a date text in any form the bank reads (1.1.2007, 01.01.2007 12:00), or a
// date value. Empty for NULL; sets the routine's error for a text that is no date.
std::optional<DateValue> dateArgument(sqlite3_context* context, sqlite3_value* argument,
                                      bool& failed) {
    failed = false;
    switch (sqlite3_value_type(argument)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(argument);
    default:
        break;
    }
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argument));
    const std::string_view text(bytes ? bytes : "",
                                static_cast<size_t>(sqlite3_value_bytes(argument)));
    DateParts parts;
    if (readDateKey(text, parts)) return encodeDateTime(parts);
    if (const auto date = parseDate(text)) return date;
    failed = true;
    sqlite3_result_error(context, kNotADate, -1);
    return std::nullopt;
}

// Binds a date as the key the date columns hold, so that the column's index compares it byte by
// byte.
void bindDate(sqlite3_stmt* statement, int index, DateValue date) {
    const std::string text = dateKey(decodeDate(date));
    sqlite3_bind_text(statement, index, text.c_str(), -1, SQLITE_TRANSIENT);
}

// skup.p_ecb_pd.f_orig_zapad(flag, null, d1, d2): the code of the band of list '014' || flag
// that holds the whole days from d1 to d2. Bounds are inclusive, an empty upper bound is open,
// and of several matching bands the one with the lowest lower bound wins.
void origZapad(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    bool failed = false;
    const auto from = dateArgument(context, args[2], failed);
    if (failed) return;
    const auto to = dateArgument(context, args[3], failed);
    if (failed) return;
    if (!from || !to) return sqlite3_result_null(context);

    QueryRun run(context, *static_cast<RoutineQuery*>(sqlite3_user_data(context)));
    if (!run.ready()) return;
    const std::string list =
        "014" + std::string(reinterpret_cast<const char*>(sqlite3_value_text(args[0])));
    const double days = std::floor(*to) - std::floor(*from);
    sqlite3_bind_text(run.get(), 1, list.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(run.get(), 2, days);
    if (!run.firstRow()) return;
    const auto* code = reinterpret_cast<const char*>(sqlite3_column_text(run.get(), 0));
    if (!code) return sqlite3_result_null(context);
    sqlite3_result_text(context, code, -1, SQLITE_TRANSIENT);
}

// The routines that look up one value of a security (argument 1) on a date (argument 2): the
// value of the first row of their query, NULL when there is none.
void securityOnDate(sqlite3_context* context, int, sqlite3_value** args) {
    bool failed = false;
    const auto date = dateArgument(context, args[1], failed);
    if (failed) return;
    if (!date || sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);

    QueryRun run(context, *static_cast<RoutineQuery*>(sqlite3_user_data(context)));
    if (!run.ready()) return;
    sqlite3_bind_value(run.get(), 1, args[0]);
    bindDate(run.get(), 2, *date);
    if (!run.firstRow()) return;
    sqlite3_result_value(context, sqlite3_column_value(run.get(), 0));
}

struct Routine {
    const char* name;
    int arguments;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
    const char* sql;
};

const Routine kRoutines[] = {
    {"skup_p_ecb_pd_f_orig_zapad", 4, origZapad,
     "SELECT ECB_SIFR_ID FROM ECB_SIFRANTI WHERE ECB_SEZNAM_ID = ?1 AND INTERVAL_OD <= ?2 "
     "AND (INTERVAL_DO >= ?2 OR INTERVAL_DO IS NULL) ORDER BY INTERVAL_OD LIMIT 1"},
    // The coupon period covering the date; its bounds are inclusive.
    {"qev_utils_GetSfKpn", 2, securityOnDate,
     "SELECT SFKPN FROM KPN WHERE SFVP = ?1 AND PRVDAN <= ?2 AND ZDNDAN >= ?2 "
     "ORDER BY PRVDAN DESC LIMIT 1"},
    // The latest price on or before the date.
    {"qev_gettcn2", 2, securityOnDate,
     "SELECT TCN FROM TCN WHERE SFVP = ?1 AND DAN <= ?2 ORDER BY DAN DESC LIMIT 1"},
};

} // namespace

void registerBankRoutines(sqlite3* db) {
    for (const Routine& routine : kRoutines) {
        // On failure SQLite runs the destructor itself, so the query is never leaked.
        if (sqlite3_create_function_v2(db, routine.name, routine.arguments, SQLITE_UTF8,
                                       new RoutineQuery(routine.sql), routine.function, nullptr,
                                       nullptr, destroyQuery) != SQLITE_OK)
            throw DatabaseError(std::string("cannot register ") + routine.name + ": " +
                                sqlite3_errmsg(db));
    }
}

void releaseBankRoutines(sqlite3* db) {
    for (const Routine& routine : kRoutines)
        sqlite3_create_function_v2(db, routine.name, routine.arguments, SQLITE_UTF8, nullptr,
                                   nullptr, nullptr, nullptr, nullptr);
}

} // namespace orv::sqlite
