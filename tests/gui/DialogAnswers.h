#pragma once
// Answers the program's modal dialogs in a test: message boxes are acknowledged and recorded,
// logon dialogs are filled from a script of answers. Nothing ever waits for a person.

#include "base/Vmesnik.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QDialog;

namespace orv::gui::test {

class DialogAnswers {
public:
    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    /// Plain message boxes, in order.
    std::vector<std::string> messages;
    /// Message boxes of the general error handler, in order.
    std::vector<std::string> errors;
    /// What each logon dialog was prefilled with, in order.
    std::vector<LogonPrompt> logonPrompts;
    /// Answers for the logon dialogs, in order: values typed into the dialog and OK, or Cancel
    /// (nullopt, also when none is left).
    std::deque<std::optional<LogonPrompt>> logonAnswers;
    /// When set, the logon dialog fails to appear: asking for a logon raises an error.
    bool failLogonDialog = false;
    /// Every dialog in order: "message: ...", "error: ...", "logon: user@database".
    std::vector<std::string> log;
    /// Asked first for every dialog: a result code answers it, nullopt leaves it to the answers
    /// above.
    std::function<std::optional<int>(QDialog&)> intercept;

private:
    int answer(QDialog& dialog);
    int answerLogon(QDialog& dialog);
};

} // namespace orv::gui::test
