#pragma once
// The server's failures in the bank database's words.

#include <string>

namespace orv::odbc {

/// The bank database's error text for a failure the server reports with `state` (its SQLSTATE)
/// and `serverText` (its message, without the driver's tags); the server's text where the bank
/// has no words for it.
std::string bankErrorText(const std::string& state, const std::string& serverText);

} // namespace orv::odbc
