#include "base/TerminalVmesnik.h"

#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace orv {

namespace {

std::string readLine(bool echo) {
    termios saved{};
    const bool hide = !echo && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (hide) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::cerr << "\n";
    }
    if (!read) throw std::ios_base::failure("end of input");
    return line;
}

} // namespace

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
    std::cerr << text << std::endl;
}

bool TerminalVmesnik::askLogon(LogonPrompt& prompt) {
    if (!interactive_) return false;
    endStatusLine();
    try {
        std::cerr << "Uporabnik [" << prompt.userName << "]: " << std::flush;
        const std::string user = readLine(true);
        if (!user.empty()) prompt.userName = user;
        std::cerr << "Geslo: " << std::flush;
        prompt.password = readLine(false);
    } catch (const std::ios_base::failure&) {
        return false; // end of input is Cancel
    }
    return true;
}

} // namespace orv
