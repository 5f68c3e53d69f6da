#pragma once
// The synthetic bank of `orvelnost-demo`: deterministic data for a seed, scaled by a size.

#include <sqlite3.h>

namespace orv::demo {

struct DemoOptions {
    /// Contracts, securities, deals and postings grow linearly with it; code lists, accounts,
    /// currencies and rates do not.
    long velikost = 100;
    unsigned long seme = 1;
};

/// Fills an empty bank (schema already created) with deterministic synthetic data, in one
/// transaction. Throws DatabaseError; nothing is written then.
void fillDemoBank(sqlite3* db, const DemoOptions& options);

} // namespace orv::demo
