#pragma once
// Whether a row of an import file equals a stored row: the import never replaces class D rows,
// so a class D row of the file must be one that the date holds already.

#include "db/Value.h"
#include "output/StolpciPodOrvel.h"

#include <map>
#include <string>
#include <vector>

namespace orv::sheet {

/// A cell text as it compares with a stored value of a column of kind `vrsta`: texts trimmed,
/// a number as the exact text of its value, a date as dd.mm.yyyy; empty for an empty cell.
std::string primerljivo(VrstaStolpca vrsta, const std::string& celica);

/// A stored value as it compares with a cell text (NULL is empty).
std::string primerljivo(VrstaStolpca vrsta, const Value& shranjeno);

/// Stored rows, each as its comparable values; every stored row matches one file row at most.
class ShranjeneVrstice {
public:
    void dodaj(std::vector<std::string> vrednosti) { ++vrstice_[std::move(vrednosti)]; }
    /// True, and the stored row used up, when one equal to `vrednosti` is left.
    bool vzemi(const std::vector<std::string>& vrednosti);

private:
    std::map<std::vector<std::string>, int> vrstice_;
};

} // namespace orv::sheet
