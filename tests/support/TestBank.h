#pragma once
// A small bank for one test: the empty bank's schema in a temporary folder, the user OPERATER
// with password "demo", and an alias store that names it as ORVDEMO. Rows are added per test.

#include <string>

namespace orv::test {

class TestBank {
public:
    TestBank();
    ~TestBank();
    TestBank(const TestBank&) = delete;
    TestBank& operator=(const TestBank&) = delete;

    /// The temporary folder that holds the bank, the alias store and any files of the test.
    const std::string& folder() const { return folder_; }
    const std::string& path() const { return path_; }
    /// What the alias resolves to: "sqlite:<path>".
    std::string logonDatabase() const { return "sqlite:" + path_; }

    /// Runs statements in SQLite's own syntax on a connection of the test's own and commits.
    void exec(const std::string& sql) const;
    /// The first column of the first row of a query in SQLite's syntax, as text ("" for NULL).
    std::string scalar(const std::string& sql) const;

private:
    std::string folder_;
    std::string path_;
};

/// Runs a command line in a shell; returns its exit code, standard output and error.
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
CommandResult runCommand(const std::string& commandLine, const std::string& input = "");

/// The address space a probe command runs in: what a hostile input may not push it past.
inline constexpr long long kProbeAddressSpace = 1500000000;

/// What a command run under a memory limit did, and the most memory it held (its peak resident
/// set, in megabytes).
struct BoundedResult : CommandResult {
    long peakMegabytes = -1;
    bool timedOut = false;
};

/// Runs a command line under `prlimit --as=kProbeAddressSpace` and a timeout of `seconds`,
/// measuring its peak memory with GNU time. The command's own standard error is in `err`.
BoundedResult runBoundedCommand(const std::string& commandLine, const std::string& input = "",
                                int seconds = 120);

} // namespace orv::test
