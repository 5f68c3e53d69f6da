#pragma once
// The summary of the source-statement benchmark: the best time of each kind and size, their
// ratio, and the peak memory of the command that reads the source rows.

#include <ostream>

namespace orv::bench {

/// Records one run of the source statement on the bank of a size (plain: the plain copy): its
/// wall time and processor time. On a shared machine the processor time is the fairer measure.
void recordSourceRun(int size, bool plain, double seconds, double cpuSeconds, long rows);

/// Prints the table of the recorded sizes (nothing when none was recorded). For each size it
/// runs `orvelnost-prenos --izvor` once in a child process and reports its peak memory.
void printSourceTable(std::ostream& out);

} // namespace orv::bench
