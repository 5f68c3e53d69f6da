#pragma once
// A failed export: the file was not written (no part of it is left behind).

#include <stdexcept>

namespace orv {

class IzvozError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orv
