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

std::vector<std::string> imenaPolj(const std::vector<StolpecIzvoza>& stolpci, size_t najvec,
                                   const char* oblika, Opombe& opombe) {
    std::vector<std::string> imena;
    for (const StolpecIzvoza& stolpec : stolpci)
        imena.push_back(stolpec.ime);
    const std::vector<std::string> kratka = kratkaImena(imena, najvec);
    for (size_t i = 0; i < imena.size(); ++i)
        if (kratka[i] != imena[i])
            opombe.besedila.push_back("Polje " + imena[i] + " → " + kratka[i] + " (" + oblika +
                                      ": ime polja ima največ " + std::to_string(najvec) +
                                      " znakov)");
    return kratka;
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

namespace {

// The columns as the spreadsheet writers need them: their names and kinds. Unlike the tables',
// their cells take any width, so nothing is measured.
std::vector<StolpecIzvoza> stolpciBrezMer(TOracleDataSet& dataset, const std::vector<int>& polja) {
    std::vector<StolpecIzvoza> stolpci;
    for (const int polje : polja) {
        const FieldInfo& info = dataset.fieldInfos()[static_cast<size_t>(polje)];
        StolpecIzvoza stolpec;
        stolpec.polje = polje;
        stolpec.ime = info.name;
        stolpec.vrsta = info.type;
        stolpec.velikost = info.size;
        stolpci.push_back(stolpec);
    }
    return stolpci;
}

const char* koncnicaOblike(OblikaIzvoza oblika) {
    switch (oblika) {
    case OblikaIzvoza::DBase:
        return ".dbf";
    case OblikaIzvoza::Paradox:
        return ".db";
    case OblikaIzvoza::FiksniTekst:
        return ".txt";
    case OblikaIzvoza::Xlsx:
        return ".xlsx";
    case OblikaIzvoza::Csv:
        return ".csv";
    }
    return ".tmp";
}

} // namespace

std::vector<std::string> IzvoziTabelo(TOracleDataSet& dataset, const std::vector<int>& polja,
                                      OblikaIzvoza oblika, const std::string& pot,
                                      const Napredek& napredek) {
    if (!dataset.Active()) throw IzvozError("Podatki za izvoz niso odprti.");
    // The temporary files carry the target's extension: shapelib names its file by it.
    VarnaDatoteka datoteka(pot, koncnicaOblike(oblika));
    Opombe opombe;
    switch (oblika) {
    case OblikaIzvoza::DBase:
        zapisiDbf(dataset, izmeriStolpce(dataset, polja), datoteka, napredek, opombe);
        datoteka.potrdi();
        break;
    case OblikaIzvoza::Paradox:
        zapisiParadox(dataset, izmeriStolpce(dataset, polja), datoteka, napredek, opombe);
        datoteka.potrdi();
        break;
    case OblikaIzvoza::FiksniTekst: {
        VarnaDatoteka shema(potSheme(pot), ".sch");
        zapisiFiksniTekst(dataset, izmeriStolpce(dataset, polja), datoteka, shema, napredek,
                          opombe);
        shema.zapri();
        datoteka.zapri();
        shema.potrdi();
        datoteka.potrdi();
        break;
    }
    case OblikaIzvoza::Xlsx:
        zapisiXlsx(dataset, stolpciBrezMer(dataset, polja), datoteka, napredek);
        datoteka.potrdi();
        break;
    case OblikaIzvoza::Csv:
        zapisiCsv(dataset, stolpciBrezMer(dataset, polja), datoteka, napredek);
        datoteka.potrdi();
        break;
    }
    dataset.First();
    if (opombe.zamenjaniZnaki > 0)
        opombe.besedila.push_back(std::to_string(opombe.zamenjaniZnaki) +
                                  " znakov, ki jih kodna stran 1250 nima, je zapisanih kot '?'.");
    return opombe.besedila;
}

} // namespace orv
