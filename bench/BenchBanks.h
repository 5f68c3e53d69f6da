#pragma once
// Demo banks of the source-statement benchmark, kept between runs under build/bench-banks: a
// bank of size 100000 takes about half a minute to write. A bank is written again when the
// bank's schema changes (its folder name carries a fingerprint of the schema).

#include <string>

namespace orv::bench {

struct CachedBank {
    std::string folder;     ///< holds the bank, its plain copy and the alias store
    std::string path;       ///< the demo bank (user OPERATER, password demo)
    std::string plainPath;  ///< its plain-SQLite copy (see PlainCopy.h)
    std::string aliasStore; ///< aliasi.ini with the alias below, for the commands
    std::string alias;
};

/// The demo bank of a size with its plain copy, written when missing.
const CachedBank& cachedBank(int size);

} // namespace orv::bench
