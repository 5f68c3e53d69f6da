#pragma once
// The clean-up of offsetting rows: within one account, contract and currency of the class 3 and
// 4 rows of the date, the rows are taken in date order, first in first out, and the rows up to
// the last date at which their running sum comes back to zero (within 0.02) are deleted. Pass 1
// orders by opening date, pass 2 by maturity date; pass 2 sees what pass 1 left.

#include "derive/KontekstPrenosa.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv {

/// A group of offsetting rows with the date up to which its rows cancel out.
struct VnosBrisanja {
    std::string konto, pogodba, valuta, datum;
};

/// The deletion list of one pass. A group has at most one entry, found by a hash index on the
/// group, so recording a zero point costs the same however long the list is; the list has no
/// fixed limit, so no group goes uncleaned.
class SeznamBrisanja {
public:
    /// Records that the group's rows up to `datum` cancel out: replaces the date of the group's
    /// entry, or adds an entry at the end.
    void zabelezi(const std::string& konto, const std::string& pogodba, const std::string& valuta,
                  const std::string& datum);
    /// Adds an entry at the end without looking for one of the same group (the final check).
    void dodaj(const std::string& konto, const std::string& pogodba, const std::string& valuta,
               const std::string& datum);
    const std::vector<VnosBrisanja>& vnosi() const { return vnosi_; }

private:
    std::vector<VnosBrisanja> vnosi_;
    std::unordered_map<std::string, size_t> indeks_;
};

/// One row of a pass, as the selection delivers it (texts as the dataset reads them).
struct VrsticaFifo {
    std::string konto, pogodba, valuta, datum;
    double znesek = 0;
};

/// Walks the rows of one pass in their order and returns its deletion list.
SeznamBrisanja FIFOSeznam(const std::vector<VrsticaFifo>& vrstice);

/// Pass 1, by opening date. Saves "fifo.SQL" while debug SQL is on.
void FIFOBrisanje1(KontekstPrenosa& k);

/// Pass 2, by maturity date. Saves "fifo.SQL" while debug SQL is on.
void FIFOBrisanje2(KontekstPrenosa& k);

} // namespace orv
