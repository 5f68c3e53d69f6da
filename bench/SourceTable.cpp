#include "SourceTable.h"

#include "BenchBanks.h"

#include <sys/wait.h>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace orv::bench {

namespace {

struct Runs {
    double ours = 0, plain = 0;       ///< best wall seconds; 0 when not run
    double oursCpu = 0, plainCpu = 0; ///< best processor seconds
    long oursRows = 0, plainRows = 0;
};

void keepBest(double& best, double seconds) {
    best = best == 0 ? seconds : std::min(best, seconds);
}

std::map<int, Runs>& runs() {
    static std::map<int, Runs> recorded;
    return recorded;
}

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    long peakKiB = 0;
};

// `orvelnost-prenos ALIAS OPERATER demo --dan 31.12.2024 --izvor` on the bank, its output thrown
// away, under GNU time: its wall time and peak resident memory (RSS high-water mark). The kernel
// keeps a process's high-water mark across exec, so a child started straight from this process
// would report this process's memory; GNU time's own child starts small.
ChildRun runIzvor(const CachedBank& bank) {
    const std::string report = bank.folder + "/izvor-time.txt";
    std::vector<std::string> arguments = {
        "/usr/bin/time", "-f",       "%e %M", "-o",    report,       ORVELNOST_PRENOS_PROGRAM,
        bank.alias,      "OPERATER", "demo",  "--dan", "31.12.2024", "--izvor"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"ORVELNOST_ALIASI=" + bank.aliasStore};
    for (char** variable = environ; *variable; ++variable)
        if (std::string(*variable).rfind("ORVELNOST_ALIASI=", 0) != 0)
            environment.push_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ChildRun result;
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child)
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream(report) >> result.seconds >> result.peakKiB;
    return result;
}

} // namespace

void recordSourceRun(int size, bool plain, double seconds, double cpuSeconds, long rows) {
    Runs& r = runs()[size];
    keepBest(plain ? r.plain : r.ours, seconds);
    keepBest(plain ? r.plainCpu : r.oursCpu, cpuSeconds);
    (plain ? r.plainRows : r.oursRows) = rows;
}

void printSourceTable(std::ostream& out) {
    if (runs().empty()) return;
    char line[256];
    out << "\nSource statement: best of the runs, wall and processor seconds; ratio ours/plain.\n"
           "--izvor: one run of orvelnost-prenos --izvor (log-on, statement, printing) and its "
           "peak resident memory.\n";
    std::snprintf(line, sizeof line, "%7s %8s %8s %6s %8s %8s %6s %7s %9s %10s\n", "size", "ours",
                  "plain", "ratio", "ours cpu", "plain cpu", "ratio", "rows", "--izvor s",
                  "--izvor MiB");
    out << line;
    for (const auto& [size, r] : runs()) {
        const ChildRun izvor = runIzvor(cachedBank(size));
        const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
        std::snprintf(line, sizeof line,
                      "%7d %8.3f %8.3f %6.2f %8.3f %8.3f %6.2f %7ld %9.2f %10.1f%s%s\n", size,
                      r.ours, r.plain, ratio(r.ours, r.plain), r.oursCpu, r.plainCpu,
                      ratio(r.oursCpu, r.plainCpu), r.oursRows, izvor.seconds,
                      static_cast<double>(izvor.peakKiB) / 1024.0,
                      r.plainRows == r.oursRows || r.plain == 0 ? "" : "  (plain rows differ)",
                      izvor.ok ? "" : "  (--izvor failed)");
        out << line;
    }
}

} // namespace orv::bench
