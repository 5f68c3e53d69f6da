#include "base/Cp1250.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"
#include "export/IzvozError.h"
#include "export/IzvozneTabele.h"

#include <filesystem>

namespace orv {

std::string besediloVCp1250(const std::string& utf8, Opombe& opombe) {
    return vCp1250(utf8, &opombe.zamenjaniZnaki);
}

void preveriSirino(const StolpecIzvoza& stolpec, int najvec, const char* oblika) {
    if (stolpec.najdaljsa <= najvec) return;
    throw IzvozError("Vrednosti stolpca " + stolpec.ime + " so dolge do " +
                     std::to_string(stolpec.najdaljsa) + " znakov, " + oblika +
                     " pa v stolpec sprejme največ " + std::to_string(najvec) +
                     ". Izvoz ni bil narejen, da se vrednosti ne bi odrezale.");
}

std::string datumStolpca(const StolpecIzvoza& stolpec, double datum) {
    if (!stolpec.sCasom) return formatDate(datum);
    std::string text = formatDateTime(datum);
    if (text.size() == 10) text += " 00:00:00";
    return text;
}

std::string potSheme(const std::string& potBesedila) {
    return std::filesystem::path(potBesedila).replace_extension(".sch").string();
}

std::vector<std::string> IzvoziTabelo(TOracleDataSet& dataset, const std::vector<int>& polja,
                                      OblikaIzvoza oblika, const std::string& pot,
                                      const Napredek& napredek) {
    if (!dataset.Active()) throw IzvozError("Podatki za izvoz niso odprti.");
    // The temporary files carry the target's extension: shapelib names its file by it.
    const std::string koncnica = oblika == OblikaIzvoza::DBase     ? ".dbf"
                                 : oblika == OblikaIzvoza::Paradox ? ".db"
                                                                   : ".txt";
    VarnaDatoteka datoteka(pot, koncnica);
    const std::vector<StolpecIzvoza> stolpci = izmeriStolpce(dataset, polja);
    Opombe opombe;
    switch (oblika) {
    case OblikaIzvoza::DBase:
        zapisiDbf(dataset, stolpci, datoteka, napredek, opombe);
        datoteka.potrdi();
        break;
    case OblikaIzvoza::Paradox:
        zapisiParadox(dataset, stolpci, datoteka, napredek, opombe);
        datoteka.potrdi();
        break;
    case OblikaIzvoza::FiksniTekst: {
        VarnaDatoteka shema(potSheme(pot), ".sch");
        zapisiFiksniTekst(dataset, stolpci, datoteka, shema, napredek, opombe);
        shema.zapri();
        datoteka.zapri();
        shema.potrdi();
        datoteka.potrdi();
        break;
    }
    }
    dataset.First();
    if (opombe.zamenjaniZnaki > 0)
        opombe.besedila.push_back(std::to_string(opombe.zamenjaniZnaki) +
                                  " znakov, ki jih kodna stran 1250 nima, je zapisanih kot '?'.");
    return opombe.besedila;
}

} // namespace orv
