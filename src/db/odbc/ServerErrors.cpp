#include "db/odbc/ServerErrors.h"

#include "base/Besedilo.h"
#include "db/sqlite/dialect/BankErrorTexts.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"

#include <string_view>
#include <vector>

namespace orv::odbc {

namespace {

constexpr const char* kNotANumber = "ORA-01722: invalid number";
constexpr const char* kDateGotNumber =
    "ORA-00932: inconsistent datatypes: expected DATE got NUMBER";
constexpr const char* kNumberGotDate =
    "ORA-00932: inconsistent datatypes: expected NUMBER got DATE";

// The server's text without its "ERROR:" heading.
std::string withoutHeading(std::string text) {
    if (text.rfind("ERROR:", 0) == 0) text.erase(0, 6);
    while (!text.empty() && text[0] == ' ')
        text.erase(0, 1);
    return text;
}

// The value a message quotes after its colon: `... for type date: "31.02.2024"`.
std::string quotedValue(const std::string& text) {
    const size_t open = text.find(": \"");
    if (open == std::string::npos) return {};
    const size_t close = text.find('"', open + 3);
    if (close == std::string::npos) return {};
    return text.substr(open + 3, close - open - 3);
}

// The name quoted after `opening` (which ends with the opening quote); empty when there is none.
std::string quotedValueAfter(const std::string& text, const std::string& opening) {
    const size_t at = text.find(opening);
    if (at == std::string::npos) return {};
    const size_t close = text.find('"', at + opening.size());
    if (close == std::string::npos) return {};
    return text.substr(at + opening.size(), close - at - opening.size());
}

// A date text the server could not read: the bank database's reason, read by the embedded
// bank's own parser of date texts, which reads them as the bank does.
std::string dateTextError(const std::string& text) {
    if (text.find("type date") == std::string::npos &&
        text.find("type timestamp") == std::string::npos &&
        text.find("date/time field value") == std::string::npos)
        return {};
    DateParts parts;
    const sqlite::DateTextError error = sqlite::readDateText(quotedValue(text), parts);
    if (error == sqlite::DateTextError::None) return {};
    return sqlite::dateErrorText(error);
}

bool isNumberType(std::string_view type) {
    for (const char* name :
         {"integer", "numeric", "bigint", "smallint", "double precision", "real"})
        if (type == name) return true;
    return false;
}

bool isDateType(std::string_view type) {
    return type.find("date") != std::string_view::npos ||
           type.find("timestamp") != std::string_view::npos;
}

// The argument types of `function name(type, type) does not exist`.
std::vector<std::string> argumentTypes(const std::string& text, size_t open) {
    std::vector<std::string> types;
    const size_t close = text.find(')', open);
    if (close == std::string::npos) return types;
    size_t start = open + 1;
    while (start < close) {
        size_t end = text.find(',', start);
        if (end == std::string::npos || end > close) end = close;
        std::string type = text.substr(start, end - start);
        while (!type.empty() && type[0] == ' ')
            type.erase(0, 1);
        if (type.rfind("pg_catalog.", 0) == 0) type.erase(0, 11);
        types.push_back(type);
        start = end + 1;
    }
    return types;
}

// A call the server has no function for because an argument is of the wrong kind: the bank
// database converts it, and fails as it fails to convert. A date function given a number
// refuses the number; a number function given a text or a date cannot read it as a number.
std::string wrongArgumentError(const std::string& text) {
    static const std::string kFunction = "function ";
    const size_t at = text.find(kFunction);
    if (at == std::string::npos || text.find("does not exist") == std::string::npos) return {};
    const size_t open = text.find('(', at);
    if (open == std::string::npos) return {};
    std::string name = toUpper(text.substr(at + kFunction.size(), open - at - kFunction.size()));
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(0, dot + 1);
    const std::vector<std::string> types = argumentTypes(text, open);
    static constexpr const char* kDateFunctions[] = {"MONTHS_BETWEEN", "ADD_MONTHS", "LAST_DAY",
                                                     "NEXT_DAY"};
    // A number where the date goes: MONTHS_BETWEEN takes two dates, the others one, first.
    for (const char* dateFunction : kDateFunctions) {
        if (name != dateFunction) continue;
        const size_t dates = name == "MONTHS_BETWEEN" ? 2 : 1;
        for (size_t k = 0; k < dates && k < types.size(); ++k)
            if (isNumberType(types[k])) return kDateGotNumber;
        return {};
    }
    // A function the bank's dialect has, called with a number of arguments it does not take; a
    // function it does not have at all.
    const sqlite::DialectFunction* known = sqlite::findFunction(name);
    const int count = static_cast<int>(types.size());
    if (known != nullptr &&
        (count < known->minArguments ||
         (known->maxArguments != sqlite::kAnyNumber && count > known->maxArguments)))
        return sqlite::kInvalidNumberOfArguments;
    if (known == nullptr && name.find('_') == std::string::npos)
        return sqlite::invalidIdentifier(name);
    static constexpr const char* kNumberFunctions[] = {
        "TO_NUMBER", "TRUNC", "ROUND", "FLOOR", "CEIL", "CEILING", "ABS",
        "SIGN",      "MOD",   "POWER", "SQRT",  "EXP",  "LN"};
    for (const char* numberFunction : kNumberFunctions)
        if (name == numberFunction) return kNotANumber;
    return {};
}

// `operator does not exist: date * integer`: arithmetic on a date that only numbers have.
std::string wrongOperandError(const std::string& text) {
    static const std::string kOperator = "operator does not exist: ";
    const size_t at = text.find(kOperator);
    if (at == std::string::npos) return {};
    const std::string operation = text.substr(at + kOperator.size());
    return isDateType(operation) ? kNumberGotDate : std::string();
}

} // namespace

std::string bankErrorText(const std::string& state, const std::string& serverText) {
    // A failure the translation itself raises (pg_temp.orv_raise) is already the bank's text.
    if (state == "P0001") return withoutHeading(serverText);
    // orafce's TRUNC and ROUND of a date with a unit they do not know.
    if (serverText.find("invalid value for round/trunc format string") != std::string::npos)
        return "ORA-01821: date format not recognized";
    if (state == "22007" || state == "22008" || state == "22009") {
        const std::string reason = dateTextError(serverText);
        if (!reason.empty()) return reason;
    }
    if (state == "42883") {
        std::string reason = wrongArgumentError(serverText);
        if (reason.empty()) reason = wrongOperandError(serverText);
        if (!reason.empty()) return reason;
    }
    if (state == "42703") {
        // column "nicesar" does not exist / column t.x does not exist
        const size_t at = serverText.find("column ");
        const size_t end = serverText.find(" does not exist");
        if (at != std::string::npos && end != std::string::npos && end > at + 7) {
            std::string name = serverText.substr(at + 7, end - at - 7);
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
                name = name.substr(1, name.size() - 2);
            return sqlite::invalidIdentifier(name);
        }
    }
    if (state == "23502") {
        // null value in column "c" of relation "t" violates not-null constraint
        const std::string column = quotedValueAfter(serverText, "column \"");
        const std::string table = quotedValueAfter(serverText, "relation \"");
        if (!column.empty() && !table.empty())
            return sqlite::cannotInsertNull(table + "." + column);
    }
    struct Known {
        const char* state;
        const char* text;
    };
    static constexpr Known kKnown[] = {
        {"22012", "ORA-01476: divisor is equal to zero"},
        {"22P02", kNotANumber},
        {"22008", "ORA-01847: day of month must be between 1 and last day of month"},
        {"22007", "ORA-01861: literal does not match format string"},
        {"42P01", sqlite::kTableDoesNotExist},
        {"42501", "ORA-01031: insufficient privileges"},
        {"23505", sqlite::kUniqueConstraintViolated},
        {"2201B", "ORA-12726: unmatched bracket in regular expression"},
        {"42P07", sqlite::kNameAlreadyUsed},
        // lock_timeout ran out while another session held the lock
        {"55P03", "ORA-00054: resource busy and acquire with NOWAIT specified or timeout expired"},
    };
    for (const Known& known : kKnown)
        if (state == known.state) return known.text;
    return serverText;
}

} // namespace orv::odbc
