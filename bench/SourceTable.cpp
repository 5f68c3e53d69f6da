#include "SourceTable.h"

#include "BenchBanks.h"
#include "TimedCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

// `orvelnost-prenos ALIAS OPERATER demo --dan 31.12.2024 --izvor` on the bank, its output thrown
// away: its wall time and peak resident memory.
TimedRun runIzvor(const CachedBank& bank) {
    return runTimed({ORVELNOST_PRENOS_PROGRAM, bank.alias, "OPERATER", "demo", "--dan",
                     "31.12.2024", "--izvor"},
                    bank.aliasStore, bank.folder + "/izvor-time.txt");
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
        const TimedRun izvor = runIzvor(cachedBank(size));
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
