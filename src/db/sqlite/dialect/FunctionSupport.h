#pragma once
// What the registered functions share: registering, reading arguments as the bank's database
// reads them, and raising its errors.

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

using ScalarFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

/// Registers a deterministic scalar function (nArgs -1: any number); throws DatabaseError.
void defineFunction(sqlite3* db, const char* name, int nArgs, ScalarFunction function);

/// A number as the bank's database writes it as text: whole numbers without a decimal part,
/// others with 15 significant digits and without the zero before the point (0.5 -> ".5").
std::string numberText(double value);

/// The argument as text; empty optional for NULL. Numbers are written as numberText does, date
/// keys as date texts (dd.mm.yyyy).
std::optional<std::string> argumentText(sqlite3_value* value);

/// A numeric argument: a number, or a text that reads wholly as one.
struct Number {
    bool isInteger = false;
    long long integer = 0;
    double real = 0.0;
    double value() const { return isInteger ? static_cast<double>(integer) : real; }
};

/// A text that reads wholly as a number, blanks around it allowed; empty optional otherwise.
std::optional<Number> readNumberText(const std::string& text);

/// Sets a number result: an integer, or a real.
void resultNumber(sqlite3_context* context, const Number& number);

/// Registers a scalar function whose result changes between calls with the same arguments (the
/// current time); SQLite then never evaluates it once for all rows of an index or a constant.
void defineVolatileFunction(sqlite3* db, const char* name, int nArgs, ScalarFunction function);

/// The argument as a number; empty optional for NULL. A text that is no number raises
/// ORA-01722 on the context and gives `ok` false.
std::optional<Number> argumentNumber(sqlite3_context* context, sqlite3_value* value, bool& ok);

/// The bank database's text for an invalid number.
inline constexpr const char* kInvalidNumber = "ORA-01722: invalid number";

/// Sets a text result; the empty text becomes NULL, as the bank's database has no empty text.
void resultText(sqlite3_context* context, const std::string& text);

/// Byte offsets of the characters of a UTF-8 text, followed by the text's size.
std::vector<size_t> characterOffsets(std::string_view text);

} // namespace orv::sqlite
