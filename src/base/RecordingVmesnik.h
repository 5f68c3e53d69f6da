#pragma once
// A UI port for tests: records every call, answers dialogs from a script.

#include "base/StoredOptionsVmesnik.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class RecordingVmesnik : public StoredOptionsVmesnik {
public:
    /// Every call, in order, as "name: argument" ("message: ...", "lblStevec: 3 / 10", ...).
    std::vector<std::string> calls;
    /// Only the texts of modal messages, in order.
    std::vector<std::string> messages;
    /// Answers for the logon dialog, used in order; an empty answer (or none left) is Cancel.
    std::deque<std::optional<LogonPrompt>> logonAnswers;
    /// What the logon dialog was prefilled with, each time it was shown.
    std::vector<LogonPrompt> logonPrompts;
    /// Answers for questions, used in order; none left is Cancel.
    std::deque<bool> questionAnswers;
    /// The texts of the questions asked, in order.
    std::vector<std::string> questions;

    void setLblSporociloVisible(bool visible) override;
    void setLblSporocilo(const std::string& text) override;
    void setLblSporocilo2(const std::string& text) override;
    void setLblStevec(const std::string& text) override;
    void setLblKorak(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool askLogon(LogonPrompt& prompt) override;
    bool askQuestion(const std::string& text) override;
    void processMessages() override;
};

} // namespace orv
