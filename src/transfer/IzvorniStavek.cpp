#include "transfer/IzvorneVeje.h"

#include <array>
#include <stdexcept>

namespace orv {

namespace {

using Veja = std::string (*)(const IzvornaIzbira&);

constexpr std::array<Veja, SteviloIzvornihVej> kVeje{{
    veja01Splosna,
    veja02OdprtiPosliA,
    veja03PosliSStanjemA,
    veja04Razreda78,
    veja05RazredBZdruzen,
    veja06RazredaBCBrezL,
    veja07RazredaBCDejavnostL,
    veja08Razred6PosliZ,
    veja09Razreda34,
    veja10NicelniRazred6,
    veja11NicelniRazredA,
    veja12RazredD,
}};

} // namespace

std::string izvornaVeja(int stevilka, const IzvornaIzbira& izbira) {
    if (stevilka < 1 || stevilka > SteviloIzvornihVej)
        throw std::out_of_range("no source branch " + std::to_string(stevilka));
    return kVeje[static_cast<size_t>(stevilka - 1)](izbira);
}

// Plain UNION: rows equal in all 78 columns come out once.
std::string izvorniStavek(const IzvornaIzbira& izbira) {
    std::string text = izvornaVeja(1, izbira);
    for (int stevilka = 2; stevilka <= SteviloIzvornihVej; ++stevilka)
        text += " UNION " + izvornaVeja(stevilka, izbira);
    return text + " ORDER BY IDPOG,  KONTO, znesek2 DESC, VKNT";
}

} // namespace orv
