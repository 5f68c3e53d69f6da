#include "base/TerminalVmesnik.h"

#include "base/Besedilo.h"
#include "base/PasswordInput.h"

#include <iostream>
#include <unistd.h>

namespace orv {

TerminalVmesnik::TerminalVmesnik()
    : interactive_(isatty(STDIN_FILENO) != 0), progressTerminal_(isatty(STDERR_FILENO) != 0) {}

TerminalVmesnik::~TerminalVmesnik() {
    endStatusLine();
}

void TerminalVmesnik::drawStatusLine() {
    if (!progressTerminal_) return;
    std::string line = sporocilo_;
    if (!stevec_.empty()) line += (line.empty() ? "" : "  ") + stevec_;
    std::cerr << "\r\033[K" << line << std::flush;
    statusLineOpen_ = true;
}

void TerminalVmesnik::endStatusLine() {
    if (statusLineOpen_) std::cerr << "\r\033[K" << std::flush;
    statusLineOpen_ = false;
}

void TerminalVmesnik::setLblSporociloVisible(bool visible) {
    if (!visible) {
        sporocilo_.clear();
        endStatusLine();
    }
}

void TerminalVmesnik::setLblSporocilo(const std::string& text) {
    sporocilo_ = text;
    drawStatusLine();
}

void TerminalVmesnik::setLblSporocilo2(const std::string& text) {
    if (!text.empty() && progressTerminal_) {
        sporocilo_ = text;
        drawStatusLine();
    }
}

void TerminalVmesnik::setLblStevec(const std::string& text) {
    stevec_ = text;
    drawStatusLine();
}

void TerminalVmesnik::showMessage(const std::string& text) {
    endStatusLine();
    std::cerr << lineBreaksForTerminal(text) << std::endl;
}

bool TerminalVmesnik::askQuestion(const std::string& text) {
    endStatusLine();
    std::cerr << lineBreaksForTerminal(text) << std::endl;
    return false;
}

bool TerminalVmesnik::askLogon(LogonPrompt& prompt) {
    if (!interactive_) return false;
    endStatusLine();
    // The end of the input is Cancel.
    std::cerr << "Uporabnik [" << prompt.userName << "]: " << std::flush;
    const std::optional<std::string> user = readOneLine(std::cin);
    if (!user) return false;
    if (!user->empty()) prompt.userName = *user;
    const std::optional<std::string> password = readHiddenLine("Geslo: ");
    if (!password) return false;
    prompt.password = *password;
    return true;
}

} // namespace orv
