#include "base/Besedilo.h"
#include "base/Cp1250.h"
#include "base/Datum.h"
#include "db/TOracleDataSet.h"
#include "export/IzvozError.h"
#include "export/IzvozneTabele.h"

#include <filesystem>
#include <stdexcept>

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
        const std::vector<StolpecIzvoza> stolpci = izmeriStolpce(dataset, polja);
        if (datoteka.neposredno()) {
            // A device or a FIFO takes the text alone: a schema beside it would be a new file
            // in a folder such as /dev.
            zapisiFiksniTekst(dataset, stolpci, datoteka, nullptr, napredek, opombe);
            datoteka.potrdi();
            opombe.besedila.push_back("\"" + pot + "\" ni datoteka: shema " + potSheme(pot) +
                                      " ni zapisana.");
            break;
        }
        VarnaDatoteka shema(potSheme(pot), ".sch");
        zapisiFiksniTekst(dataset, stolpci, datoteka, &shema, napredek, opombe);
        shema.zapri();
        datoteka.zapri();
        shema.potrdi();
        datoteka.potrdi();
        break;
    }
    case OblikaIzvoza::Xlsx:
    case OblikaIzvoza::Csv: {
        const std::vector<StolpecIzvoza> stolpci = stolpciPolj(dataset, polja);
        const auto pisec = oblika == OblikaIzvoza::Xlsx ? pisecXlsx(stolpci, datoteka)
                                                        : pisecCsv(stolpci, datoteka);
        int row = 0;
        for (dataset.First(); !dataset.Eof(); dataset.Next()) {
            pisec->vrstica(dataset);
            if (napredek) napredek(++row);
        }
        pisec->koncaj();
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

namespace {

// Positions of the fields named (any letter case), in their order, or of all fields.
std::vector<int> poljaPoImenih(TOracleDataSet& dataset, const std::vector<std::string>& imena) {
    std::vector<int> polja;
    const std::vector<FieldInfo>& info = dataset.fieldInfos();
    if (imena.empty()) {
        for (size_t i = 0; i < info.size(); ++i)
            polja.push_back(static_cast<int>(i));
        return polja;
    }
    for (const std::string& ime : imena) {
        int najdeno = -1;
        for (size_t i = 0; i < info.size() && najdeno < 0; ++i)
            if (toUpper(info[i].name) == toUpper(ime)) najdeno = static_cast<int>(i);
        if (najdeno < 0) throw IzvozError("Podatki za izvoz nimajo stolpca " + ime + ".");
        polja.push_back(najdeno);
    }
    return polja;
}

} // namespace

int IzvoziPretok(TOracleDataSet& dataset, const std::vector<std::string>& imena,
                 OblikaIzvoza oblika, const std::string& pot, const Napredek& napredek) {
    if (oblika != OblikaIzvoza::Xlsx && oblika != OblikaIzvoza::Csv)
        throw std::logic_error("only the workbooks are exported as a stream");
    VarnaDatoteka datoteka(pot, koncnicaOblike(oblika));
    std::unique_ptr<PisecVrstic> pisec;
    int row = 0;
    dataset.ForEachRow(
        [&] {
            const auto stolpci = stolpciPolj(dataset, poljaPoImenih(dataset, imena));
            pisec = oblika == OblikaIzvoza::Xlsx ? pisecXlsx(stolpci, datoteka)
                                                 : pisecCsv(stolpci, datoteka);
        },
        [&] {
            pisec->vrstica(dataset);
            if (napredek) napredek(++row);
        });
    if (!pisec) throw IzvozError("Podatki za izvoz niso odprti.");
    pisec->koncaj();
    datoteka.potrdi();
    return row;
}

} // namespace orv
