#pragma once
// One whole transfer of 31.12.2024 in a child process of its own, so that its CPU seconds and
// peak memory are its own and not the benchmark's. Used by the transfer benchmarks of both
// backends.

#include <string>

namespace orv::bench {

struct TransferRun {
    int sourceRows = 0, writtenRows = 0;
    double seconds = 0;                     ///< the whole transfer, logon not included
    double source = 0, loop = 0, clean = 0; ///< the source statement, the loop, FIFO with K1-K11
    double cpu = 0;  ///< user and system seconds of the child, logon and bank opening included
    long peakKb = 0; ///< the child's peak resident memory
};

/// The demo bank of a size under build/bench-banks, made on first use and kept between runs
/// (a bank whose filling was interrupted has no mark and is made again).
std::string cachedDemoBank(long size);

/// Logs on to `logonDatabase` as OPERATER/demo and runs the transfer of 31.12.2024 with the
/// program folder `folder` (for the debug files). Throws std::runtime_error when it fails.
TransferRun transferInChild(const std::string& logonDatabase, const std::string& folder);

} // namespace orv::bench
