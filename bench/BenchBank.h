#pragma once
// The demo bank the benchmarks share: size 10000 (or the size in ORVELNOST_BENCH_VELIKOST),
// created once per run in a temporary folder and removed at exit, and a data module logged on
// to it.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "db/sqlite/BankFile.h"

#include <string>

namespace orv::bench {

struct BenchBank {
    std::string folder;
    std::string path;
    BenchBank();
    ~BenchBank();
};

/// The shared bank, created on first use.
const BenchBank& benchBank();

/// The first column of the first row of a query in SQLite's syntax, as text ("" for NULL).
std::string scalar(sqlite::BankFile& bank, const std::string& sql);

/// A data module logged on to the shared bank, with the reporting date 31.12.2024 in the window.
struct LoggedOn {
    RecordingVmesnik window;
    TDM dm{window, benchBank().folder + "/"};
    LoggedOn();
};

} // namespace orv::bench
