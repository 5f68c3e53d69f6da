#pragma once
// A file that appears whole or not at all: it is written under a temporary name in the target's
// folder and renamed to its name only when everything was written. A file that is not confirmed
// (a failure, an exception) is removed, so no half-written file is ever left behind.

#include <cstdio>
#include <string>

namespace orv {

class VarnaDatoteka {
public:
    /// Checks that the folder of `pot` exists and picks a temporary name beside it that ends in
    /// `koncnica` (some writers name their file by its extension). Throws IzvozError with a
    /// message for the operator when the folder is missing.
    explicit VarnaDatoteka(std::string pot, const std::string& koncnica = ".tmp");
    ~VarnaDatoteka();
    VarnaDatoteka(const VarnaDatoteka&) = delete;
    VarnaDatoteka& operator=(const VarnaDatoteka&) = delete;

    const std::string& pot() const { return pot_; }
    const std::string& zacasnaPot() const { return zacasna_; }

    /// Opens the temporary file for writing (binary). Throws IzvozError when it cannot be created.
    std::FILE* odpri();
    /// Flushes and closes the file opened by odpri(); throws IzvozError when a write failed.
    void zapri();
    /// Renames the temporary file to the target's name (replacing an older file of that name).
    void potrdi();

    /// The operator's message for a failed write with `errno` value `napaka`.
    std::string sporociloNapake(int napaka) const;

private:
    std::string pot_;
    std::string zacasna_;
    std::FILE* file_ = nullptr;
    bool potrjena_ = false;
};

/// Writes `besedilo` to `pot` as it is, through a VarnaDatoteka.
void zapisiBesedilo(const std::string& pot, const std::string& besedilo);

} // namespace orv
