#pragma once
// The UI port of the headless commands: messages go to standard error, the row counter becomes
// a progress line when standard error is a terminal, and a failed logon is asked again on the
// terminal (the password without echo). Without a terminal every dialog answers Cancel.

#include "base/StoredOptionsVmesnik.h"

#include <cstdio>

namespace orv {

class TerminalVmesnik : public StoredOptionsVmesnik {
public:
    TerminalVmesnik();
    ~TerminalVmesnik() override;

    void setLblSporociloVisible(bool visible) override;
    void setLblSporocilo(const std::string& text) override;
    void setLblSporocilo2(const std::string& text) override;
    void setLblStevec(const std::string& text) override;
    void setLblKorak(const std::string&) override {}
    void showMessage(const std::string& text) override;
    bool askLogon(LogonPrompt& prompt) override;
    /// A scheduler cannot answer: every question is answered Cancel (the text goes to
    /// standard error, so the log shows what was asked).
    bool askQuestion(const std::string& text) override;
    void processMessages() override {}

private:
    void drawStatusLine();
    void endStatusLine();

    bool interactive_;      // standard input is a terminal: dialogs can be answered
    bool progressTerminal_; // standard error is a terminal: labels are drawn in place
    bool statusLineOpen_ = false;
    std::string sporocilo_;
    std::string stevec_;
};

} // namespace orv
