#include "derive/OdgovoriKorakov.h"

#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/Salda.h"
#include "lookup/Tecaji.h"

namespace orv {

namespace {

template <typename Lookup>
const std::string& zapomni(std::unordered_map<int, std::string>& odgovori, int kljuc,
                           Lookup&& vprasaj) {
    auto found = odgovori.find(kljuc);
    if (found == odgovori.end()) found = odgovori.emplace(kljuc, vprasaj()).first;
    return found->second;
}

} // namespace

std::string OdgovoriKorakov::devizen(TDM& dm, Vmesnik& okno, int konto) {
    return zapomni(devizen_, konto, [&] { return BeriDevizen(dm, okno, konto); });
}

std::string OdgovoriKorakov::prviDanTrgovanja1(TDM& dm, Vmesnik& okno, int sfvp) {
    return zapomni(prviDan1_, sfvp, [&] { return BeriPrvDan1(dm, okno, sfvp); });
}

std::string OdgovoriKorakov::primernost(TDM& dm, Vmesnik& okno, int sfvp) {
    return zapomni(primernost_, sfvp, [&] { return ELIGIBLE(dm, okno, sfvp); });
}

std::string OdgovoriKorakov::banTrg(TDM& dm, Vmesnik& okno, int idpog) {
    return zapomni(banTrg_, idpog, [&] { return BanTrg(dm, okno, idpog); });
}

double OdgovoriKorakov::znesekSit(TDM& dm, Vmesnik& okno, int konto, int idvp) {
    const long long kljuc =
        (static_cast<long long>(konto) << 32) | static_cast<long long>(static_cast<unsigned>(idvp));
    auto found = znesekSit_.find(kljuc);
    if (found == znesekSit_.end())
        found = znesekSit_.emplace(kljuc, BeriZnesekSit(dm, okno, konto, idvp)).first;
    return found->second;
}

} // namespace orv
