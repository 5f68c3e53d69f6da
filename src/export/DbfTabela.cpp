// A dBase table through shapelib's DBF functions. Every value is formatted here and handed to
// shapelib as the field's bytes, so that nothing is cut or rounded behind our back: texts are
// code page 1250 (language driver 200, Windows Central European), numbers right-aligned with the
// places their column needs, dates YYYYMMDD, NULL as blanks.

#include "base/Datum.h"
#include "db/TOracleDataSet.h"
#include "export/IzvozError.h"
#include "export/IzvozneTabele.h"

#include <shapefil.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>

namespace orv {

namespace {

constexpr int kNajdaljseBesedilo = 254; // a character field holds at most 254 bytes
constexpr int kNajsirseStevilo = 20;    // a numeric field holds at most 20 characters
constexpr size_t kDolzinaImena = 10;    // a field name has at most 10 characters

// shapelib reports write failures only through its hooks: they keep the first errno here.
thread_local int tNapaka = 0;

SAOffset pisi(void* data, SAOffset size, SAOffset count, SAFile file) {
    const size_t written = std::fwrite(data, size, count, reinterpret_cast<std::FILE*>(file));
    if (written != count && tNapaka == 0) tNapaka = errno ? errno : EIO;
    return written;
}

SAOffset isci(SAFile file, SAOffset offset, int whence) {
    // A seek writes out what is buffered: a full disk may show here first.
    const int result =
        std::fseek(reinterpret_cast<std::FILE*>(file), static_cast<long>(offset), whence);
    if (result != 0 && tNapaka == 0) tNapaka = errno;
    return static_cast<SAOffset>(result);
}

int izprazni(SAFile file) {
    const int result = std::fflush(reinterpret_cast<std::FILE*>(file));
    if (result != 0 && tNapaka == 0) tNapaka = errno;
    return result;
}

int zapri(SAFile file) {
    const int result = std::fclose(reinterpret_cast<std::FILE*>(file));
    if (result != 0 && tNapaka == 0) tNapaka = errno;
    return result;
}

void napaka(const char*) {
    if (tNapaka == 0) tNapaka = EIO;
}

struct ZapriDbf {
    void operator()(DBFInfo* handle) const { DBFClose(handle); }
};

// How one exported column is stored in the table.
struct PoljeDbf {
    char tip = 'C';
    int sirina = 1;
    int decimalke = 0;
};

PoljeDbf poljeZa(const StolpecIzvoza& stolpec, Opombe& opombe) {
    switch (stolpec.vrsta) {
    case FieldType::Float:
        if (stolpec.najdaljsa <= kNajsirseStevilo)
            return {'N', stolpec.najdaljsa, stolpec.decimalke};
        // The exact values need more places than a numeric field has: they go whole into a
        // character field instead of being rounded.
        opombe.besedila.push_back("Stolpec " + stolpec.ime +
                                  " je zapisan kot besedilo: njegove "
                                  "vrednosti potrebujejo " +
                                  std::to_string(stolpec.najdaljsa) +
                                  " mest, številsko polje dBase pa jih ima največ 20.");
        return {'C', stolpec.najdaljsa, 0};
    case FieldType::Date:
        if (!stolpec.sCasom) return {'D', 8, 0};
        opombe.besedila.push_back("Stolpec " + stolpec.ime +
                                  " je zapisan kot besedilo dd.mm.yyyy hh:mm:ss: dBase nima "
                                  "polja za datum s časom.");
        return {'C', 19, 0};
    case FieldType::String:
        preveriSirino(stolpec, kNajdaljseBesedilo, "dBase");
        return {'C',
                std::max(
                    1, std::min(std::max(stolpec.velikost, stolpec.najdaljsa), kNajdaljseBesedilo)),
                0};
    }
    return {};
}

std::string vrednostDbf(Field& field, const StolpecIzvoza& stolpec, const PoljeDbf& polje,
                        Opombe& opombe) {
    if (field.IsNull()) return std::string(static_cast<size_t>(polje.sirina), ' ');
    std::string text;
    switch (stolpec.vrsta) {
    case FieldType::Float:
        text = stevilkaZDecimalkami(field.AsFloat(), stolpec.decimalke);
        return std::string(static_cast<size_t>(polje.sirina) - text.size(), ' ') + text;
    case FieldType::Date: {
        if (polje.tip == 'C') {
            text = datumStolpca(stolpec, field.AsDateTime());
            break;
        }
        const DateParts parts = decodeDate(field.AsDateTime());
        char date[16];
        std::snprintf(date, sizeof date, "%04d%02d%02d", parts.year, parts.month, parts.day);
        return date;
    }
    case FieldType::String:
        text = besediloVCp1250(field.AsString(), opombe);
        break;
    }
    return text + std::string(static_cast<size_t>(polje.sirina) - text.size(), ' ');
}

} // namespace

void zapisiDbf(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
               VarnaDatoteka& datoteka, const Napredek& napredek, Opombe& opombe) {
    std::vector<PoljeDbf> polja;
    for (const StolpecIzvoza& stolpec : stolpci)
        polja.push_back(poljeZa(stolpec, opombe));
    const std::vector<std::string> imena = imenaPolj(stolpci, kDolzinaImena, "dBase", opombe);

    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FWrite = pisi;
    hooks.FSeek = isci;
    hooks.FFlush = izprazni;
    hooks.FClose = zapri;
    hooks.Error = napaka;
    tNapaka = 0;
    errno = 0;
    // shapelib opens its file by name and seeks in it: it writes into the export's own working
    // folder, whose file becomes the output when it is complete.
    std::unique_ptr<DBFInfo, ZapriDbf> table(
        DBFCreateLL(datoteka.delovnaPot().c_str(), "LDID/200", &hooks));
    if (!table) throw IzvozError(datoteka.sporociloNapake(errno ? errno : EIO));
    // The header's date of the last update is the day of the export.
    const std::time_t now = std::time(nullptr);
    std::tm danes{};
    localtime_r(&now, &danes);
    DBFSetLastModifiedDate(table.get(), danes.tm_year, danes.tm_mon + 1, danes.tm_mday);
    for (size_t i = 0; i < polja.size(); ++i)
        if (DBFAddNativeFieldType(table.get(), imena[i].c_str(), polja[i].tip, polja[i].sirina,
                                  polja[i].decimalke) < 0)
            throw IzvozError("Stolpca " + stolpci[i].ime + " ni mogoče dodati v tabelo dBase.");

    int row = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        for (size_t i = 0; i < stolpci.size(); ++i) {
            Field field = dataset.Fields(stolpci[i].polje);
            std::string value = vrednostDbf(field, stolpci[i], polja[i], opombe);
            DBFWriteAttributeDirectly(table.get(), row, static_cast<int>(i), value.data());
        }
        ++row;
        if (tNapaka) throw IzvozError(datoteka.sporociloNapake(tNapaka));
        if (napredek) napredek(row);
    }
    table.reset(); // writes the header with the row count and closes the file
    if (tNapaka) throw IzvozError(datoteka.sporociloNapake(tNapaka));
}

} // namespace orv
