#include "base/PasswordInput.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace orv {

namespace {

// The terminal settings to restore from a signal handler: plain data, written before the
// handlers are installed and only read by them.
termios savedTerminal{};
constexpr int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void restoreEchoAndDie(int signal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    const char newline = '\n';
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, &newline, 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Echo off for as long as it lives, with handlers that put it back on a signal.
class EchoOff {
public:
    EchoOff() {
        active_ = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
        if (!active_) return;
        struct sigaction restoring {};
        restoring.sa_handler = restoreEchoAndDie;
        sigemptyset(&restoring.sa_mask);
        for (size_t i = 0; i < std::size(kRestoringSignals); ++i)
            sigaction(kRestoringSignals[i], &restoring, &previous_[i]);
        termios silent = savedTerminal;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    ~EchoOff() {
        if (!active_) return;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        for (size_t i = 0; i < std::size(kRestoringSignals); ++i)
            sigaction(kRestoringSignals[i], &previous_[i], nullptr);
        std::cerr << "\n";
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    bool active_ = false;
    struct sigaction previous_[std::size(kRestoringSignals)]{};
};

} // namespace

std::optional<std::string> readOneLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<std::string> readHiddenLine(const std::string& prompt) {
    std::cerr << prompt << std::flush;
    const EchoOff echoOff;
    return readOneLine(std::cin);
}

std::string passwordFromArgument(const std::string& argument) {
    if (argument != "-") return argument;
    const char* fromEnvironment = std::getenv(kPasswordVariable);
    if (fromEnvironment) return fromEnvironment;
    const std::optional<std::string> line =
        isatty(STDIN_FILENO) ? readHiddenLine("Geslo: ") : readOneLine(std::cin);
    if (!line) throw std::runtime_error("the password is missing: standard input ended");
    return *line;
}

} // namespace orv
