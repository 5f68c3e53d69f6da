#pragma once
// The seen list of the derivation: the (contract, account, currency) triples whose row has
// already been handled in this transfer. Kept as three parallel growing arrays, as the list is
// described, with a hash index beside them so that the question "seen before?" costs the same
// however long the list grows.

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace orv {

class SeznamObdelanih {
public:
    /// True when the triple is already in the list; otherwise appends it and returns false.
    bool ZeObdelan(int pogodba, int konto, const std::string& valuta);

    /// Empties the list (the start of a transfer).
    void izprazni();

    size_t velikost() const { return pogodbe_.size(); }
    const std::vector<int>& pogodbe() const { return pogodbe_; }
    const std::vector<int>& konti() const { return konti_; }
    const std::vector<std::string>& valute() const { return valute_; }

private:
    struct Kljuc {
        int pogodba;
        int konto;
        std::string valuta;
        bool operator==(const Kljuc&) const = default;
    };
    struct Hash {
        size_t operator()(const Kljuc& k) const;
    };

    std::vector<int> pogodbe_;
    std::vector<int> konti_;
    std::vector<std::string> valute_;
    std::unordered_set<Kljuc, Hash> videni_;
};

} // namespace orv
