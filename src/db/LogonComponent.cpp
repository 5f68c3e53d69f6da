#include "db/LogonComponent.h"

#include <exception>

namespace orv {

bool LogonComponent::attempt(Vmesnik& window) {
    try {
        session_.LogOn();
        return true;
    } catch (const std::exception& error) {
        window.showMessage(error.what());
        return false;
    }
}

void LogonComponent::Execute(Vmesnik& window) {
    const int attempts = 1 + retries;
    int made = 0;
    if (!session_.logonUsername.empty() && !session_.logonPassword.empty()) {
        if (attempt(window)) return;
        made = 1;
    }
    while (made < attempts) {
        LogonPrompt prompt{session_.logonUsername, session_.logonPassword, session_.logonDatabase};
        if (!window.askLogon(prompt)) return;
        session_.logonUsername = prompt.userName;
        session_.logonPassword = prompt.password;
        session_.logonDatabase = prompt.database;
        ++made;
        if (attempt(window)) return;
    }
}

} // namespace orv
