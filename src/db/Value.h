#pragma once
// One value of a result row or a bound variable, as the database hands it over.

#include <string>
#include <variant>

namespace orv {

/// NULL, an integer, a real or a text. Dates travel as their canonical texts
/// ("dd.mm.yyyy", with " hh:mm:ss" only when they have a time of day).
class Value {
public:
    Value() = default;
    Value(long long integer) : data_(integer) {}
    Value(int integer) : data_(static_cast<long long>(integer)) {}
    Value(double real) : data_(real) {}
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isInteger() const { return std::holds_alternative<long long>(data_); }
    bool isReal() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }
    bool isNumber() const { return isInteger() || isReal(); }

    long long integer() const { return std::get<long long>(data_); }
    double real() const { return std::get<double>(data_); }
    const std::string& text() const { return std::get<std::string>(data_); }

    /// An integer or real as a double (0 for anything else).
    double number() const;

    /// The value as the whole program reads it as text: NULL is empty, numbers as "%.15g".
    std::string toText() const;

    bool operator==(const Value& other) const = default;

private:
    std::variant<std::monostate, long long, double, std::string> data_;
};

} // namespace orv
