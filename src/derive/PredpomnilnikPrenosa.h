#pragma once
// Answers of reference lookups that cannot change within one transfer. Many source rows ask the
// same question (the same reference index, the same security, the same pair of dates), and the
// answer depends only on the bank's reference tables and the reporting date, which a transfer
// does not change. The cache belongs to the run context, so every transfer starts with an empty
// one and sees the bank as it is then.
//
// Only answers are kept, never failures: a question whose lookup failed is asked again, and it
// fails again with its own message. Lookups that leave a dataset open for a later step to read
// are not cached here.

#include "base/Datum.h"

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace orv {

/// One table of answers: the value of a lookup for each key asked so far.
template <typename Kljuc, typename Vrednost> class Odgovori {
public:
    /// The answer for `kljuc`; `vprasaj` runs the lookup the first time the key is asked.
    template <typename Vprasaj> const Vrednost& odgovor(const Kljuc& kljuc, Vprasaj&& vprasaj) {
        auto najden = odgovori_.find(kljuc);
        if (najden == odgovori_.end()) najden = odgovori_.emplace(kljuc, vprasaj()).first;
        return najden->second;
    }

    size_t velikost() const { return odgovori_.size(); }

private:
    std::map<Kljuc, Vrednost> odgovori_;
};

/// What RacunajSteviloDni measures of a security's coupon schedule.
struct SteviloDniKupona {
    std::string PrviDanKPN;
    double DniKPN = 0;
    double PreostaliDniKPN = 0;
};

/// The holding's yield and purchase date (NabavniTecajNKP).
struct DonosNakupa {
    double donos = 0;
    DateValue danNakupa = 0;
};

/// The purchase data of a contract's holding of a security on the reporting date.
struct NakupImetja {
    DateValue DanNKP = 0;
    bool PrimarniNakup = false;
};

struct PredpomnilnikPrenosa {
    /// The run's referent identification (DBSReferent), read once per transfer.
    std::optional<std::string> dbsReferent;
    /// OsnovaIndeksa by index key.
    Odgovori<std::string, int> osnovaIndeksa;
    /// VrednostIndeksa by index key, on the reporting date.
    Odgovori<std::string, double> vrednostIndeksa;
    /// NazivIndeksa by index key.
    Odgovori<std::string, std::string> nazivIndeksa;
    /// RacunajSteviloDni by security.
    Odgovori<int, SteviloDniKupona> steviloDni;
    /// EcbSifra15 by number of days.
    Odgovori<double, int> ecbSifra15;
    /// RacunajDanNKP and PrimarniTrg by security and contract.
    Odgovori<std::pair<int, int>, NakupImetja> nakup;
    /// KolicinaVP by security, holding line and contract.
    Odgovori<std::tuple<int, int, int>, double> kolicina;
    /// NabavniTecajNKP by security, interest-period code, contract, holding line and the coupon
    /// rate plus index value it adds.
    Odgovori<std::tuple<int, int, int, int, double>, DonosNakupa> donos;
    /// ZadnjiDanKupona by security and date.
    Odgovori<std::pair<int, DateValue>, std::string> zadnjiDanKupona;
    /// VrstaObveznice and BeriJamstvo by security.
    Odgovori<int, std::string> vrstaObveznice;
    Odgovori<int, std::string> jamstvo;
    /// The new-scheme code of the bank's database by flag and the two dates.
    Odgovori<std::tuple<std::string, DateValue, DateValue>, std::string> sifraSheme;
};

} // namespace orv
