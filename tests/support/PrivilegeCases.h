#pragma once
// What a user and the bank's owner may do to a bank, as statements given to the SQL console:
// one list that both backends answer alike (the embedded bank through its authorizer, the
// server through the demo's grants).

#include "support/PostgresServer.h"

#include <string>
#include <vector>

namespace orv::test {

/// The bank's owner in the privilege cases: on the server the user that made the bank, on the
/// embedded bank a user of the owner's role.
inline constexpr const char* kPrivilegeOwner = PostgresServer::kAdmin;
inline constexpr const char* kPrivilegeOwnerPassword = PostgresServer::kAdminPassword;

struct PrivilegeCase {
    const char* what;
    bool asOwner; ///< logged on as the owner, else as OPERATER
    /// The console's input.
    const char* statements;
    /// Empty when every statement runs; else the error (ORA-nnnnn) the console stops with.
    const char* expectedError;
    /// Statements the same user ran and committed in an earlier session, or none.
    const char* earlierSession = "";
    /// Statements in the embedded engine's own syntax that only it runs (its triggers).
    bool embeddedOnly = false;
};

const std::vector<PrivilegeCase>& privilegeCases();

} // namespace orv::test
