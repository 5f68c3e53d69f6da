#include "sheet/GlavaUvoza.h"

#include "base/Besedilo.h"

#include <map>

namespace orv::sheet {

GlavaUvoza preberiGlavoUvoza(const std::function<std::string(int stolpec)>& celica, int doStolpca) {
    GlavaUvoza glava;
    std::map<std::string, int> videni;
    for (int c = 1; c <= doStolpca; ++c) {
        const std::string zapisano = trim(celica(c));
        if (zapisano.empty()) continue;
        const StolpecPodOrvel* stolpec = stolpecPodOrvel(zapisano);
        if (!stolpec) {
            glava.neznani.push_back(zapisano);
            continue;
        }
        // The same column twice would be inserted twice; which value is meant cannot be told.
        const auto [prvi, nov] = videni.emplace(stolpec->ime, c);
        if (!nov) {
            if (!glava.podvojen)
                glava.podvojen = GlavaUvoza::Podvojen{stolpec->ime, prvi->second, c};
            continue;
        }
        glava.stolpci.push_back({c, stolpec});
        if (std::string_view(stolpec->ime) == "DAT_STANJE") glava.datumskiStolpec = c;
        if (std::string_view(stolpec->ime) == "VKNT") glava.razredniStolpec = c;
    }
    for (const StolpecPodOrvel& stolpec : stolpciPodOrvel())
        if (!videni.count(stolpec.ime)) glava.manjkajoci.push_back(stolpec.ime);
    return glava;
}

std::string seznamImen(const std::vector<std::string>& imena) {
    std::string seznam;
    for (const std::string& ime : imena) {
        if (!seznam.empty()) seznam += ", ";
        seznam += ime;
    }
    return seznam;
}

} // namespace orv::sheet
