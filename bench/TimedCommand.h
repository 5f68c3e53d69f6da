#pragma once
// One of the program's commands, run in a child process under GNU time: its wall time and its
// own peak resident memory. The kernel keeps a process's high-water mark across exec, so a child
// started straight from the benchmark would report the benchmark's memory; GNU time's own child
// starts small.

#include <string>
#include <vector>

namespace orv::bench {

struct TimedRun {
    bool ok = false;       ///< the command exited with 0
    double seconds = 0;    ///< wall time
    long peakKiB = 0;      ///< peak resident memory
    double cpuSeconds = 0; ///< processor time, user and system: on a busy machine the wall time
                           ///< also counts the waits for a processor
};

/// Runs `command` (the program's path, then its arguments) with ORVELNOST_ALIASI set to
/// `aliasStore` and its standard output thrown away. GNU time writes its figures to
/// `reportFile`.
TimedRun runTimed(const std::vector<std::string>& command, const std::string& aliasStore,
                  const std::string& reportFile);

} // namespace orv::bench
