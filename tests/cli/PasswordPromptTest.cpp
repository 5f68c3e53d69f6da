// The password prompt on a terminal: no echo while the password is typed, and the echo back
// afterwards, also when the prompt is interrupted with Ctrl-C.

#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace orv {
namespace {

using namespace std::chrono_literals;

const std::string kSql = ORVELNOST_SQL_PROGRAM;

// The console started on a new terminal with PASSWORD "-".
class ConsoleOnATerminal {
public:
    ConsoleOnATerminal() {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            unsetenv("ORVELNOST_GESLO");
            execl(kSql.c_str(), kSql.c_str(), "ORVDEMO", "OPERATER", "-", nullptr);
            _exit(127);
        }
        terminal_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    }
    ~ConsoleOnATerminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(terminal_);
        close(master_);
    }
    ConsoleOnATerminal(const ConsoleOnATerminal&) = delete;
    ConsoleOnATerminal& operator=(const ConsoleOnATerminal&) = delete;

    // Reads what the console wrote until `text` appears; false after ten seconds.
    bool waitFor(const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (output_.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > end) return false;
            pollfd ready{master_, POLLIN, 0};
            if (poll(&ready, 1, 100) <= 0) continue;
            char buffer[512];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) return output_.find(text) != std::string::npos;
            output_.append(buffer, static_cast<size_t>(n));
        }
        return true;
    }
    // Whether the terminal echoes, once it has settled into `expected` (ten seconds at most).
    bool echoSettlesAt(bool expected) const {
        for (int i = 0; i < 100; ++i) {
            termios settings{};
            if (tcgetattr(terminal_, &settings) == 0 &&
                ((settings.c_lflag & ECHO) != 0) == expected)
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }
    void type(const std::string& keys) const {
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    int status() {
        int status = 0;
        waitpid(pid_, &status, 0);
        exited_ = true;
        return status;
    }
    const std::string& output() const { return output_; }
    bool started() const { return pid_ > 0 && terminal_ >= 0; }

private:
    int master_ = -1;
    int terminal_ = -1;
    pid_t pid_ = -1;
    bool exited_ = false;
    std::string output_;
};

struct PasswordPrompt : ::testing::Test {
    test::TestBank bank; // the alias ORVDEMO in the environment the console inherits
};

TEST_F(PasswordPrompt, AskedWithoutEchoAndTheScriptFollows) {
    ConsoleOnATerminal console;
    if (!console.started()) GTEST_SKIP() << "no pseudo-terminal";
    ASSERT_TRUE(console.waitFor("Geslo: ")) << console.output();
    EXPECT_TRUE(console.echoSettlesAt(false));
    console.type("demo\n");
    EXPECT_TRUE(console.echoSettlesAt(true));
    console.type("select 7 N from dual;\n\x04");
    const int status = console.status();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << console.output();
    console.waitFor("N\r\n7");
    EXPECT_NE(console.output().find("N\r\n7"), std::string::npos) << console.output();
    EXPECT_EQ(console.output().find("demo"), std::string::npos) << console.output();
}

TEST_F(PasswordPrompt, EchoComesBackWhenThePromptIsInterrupted) {
    ConsoleOnATerminal console;
    if (!console.started()) GTEST_SKIP() << "no pseudo-terminal";
    ASSERT_TRUE(console.waitFor("Geslo: ")) << console.output();
    ASSERT_TRUE(console.echoSettlesAt(false));
    console.type("\x03"); // Ctrl-C
    const int status = console.status();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_TRUE(console.echoSettlesAt(true));
}

} // namespace
} // namespace orv
