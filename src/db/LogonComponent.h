#pragma once
// The logon component (`OracleLogon1`): logs the session on, asking the operator again through
// the logon dialog after a failed attempt.

#include "base/Vmesnik.h"
#include "db/Session.h"

namespace orv {

class LogonComponent {
public:
    explicit LogonComponent(Session& session) : session_(session) {}

    /// Attempts after the first one; three attempts in all.
    int retries = 2;

    /// Logs the session on. With user name and password both preset the first attempt needs no
    /// dialog. A failed attempt shows the database's error text, then the logon dialog prefilled
    /// with the current values: OK tries again with the edited values, Cancel stops. Never
    /// raises; afterwards the session may or may not be connected.
    void Execute(Vmesnik& window);

private:
    bool attempt(Vmesnik& window);

    Session& session_;
};

} // namespace orv
