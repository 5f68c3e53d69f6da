#include "derive/SeznamObdelanih.h"

#include <functional>

namespace orv {

size_t SeznamObdelanih::Hash::operator()(const Kljuc& k) const {
    size_t h = std::hash<std::string>{}(k.valuta);
    h ^= std::hash<int>{}(k.pogodba) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= std::hash<int>{}(k.konto) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

bool SeznamObdelanih::ZeObdelan(int pogodba, int konto, const std::string& valuta) {
    if (!videni_.insert(Kljuc{pogodba, konto, valuta}).second) return true;
    pogodbe_.push_back(pogodba);
    konti_.push_back(konto);
    valute_.push_back(valuta);
    return false;
}

void SeznamObdelanih::izprazni() {
    pogodbe_.clear();
    konti_.clear();
    valute_.clear();
    videni_.clear();
}

} // namespace orv
