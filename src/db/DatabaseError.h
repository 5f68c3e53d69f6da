#pragma once
// A failure reported by the database, carrying the database's own error text.

#include <stdexcept>
#include <string>

namespace orv {

class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace orv
