// Fixed-length text: one line per row ended by CR LF, every field in a fixed number of
// characters, with a schema file (.sch) beside it that names the fields, their kinds, widths,
// places and offsets in the form the desktop database engines read. Texts are code page 1250,
// left-aligned and padded with blanks; numbers right-aligned with the places their column needs;
// dates dd.mm.yyyy (with hh:mm:ss when the column has a time of day); NULL is blanks. Fields are
// as wide as their longest value (a text field at least its declared width), so nothing is cut.

#include "db/TOracleDataSet.h"
#include "export/IzvozneTabele.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace orv {

namespace {

int sirina(const StolpecIzvoza& stolpec) {
    if (stolpec.vrsta == FieldType::String)
        return std::max({1, stolpec.velikost, stolpec.najdaljsa});
    return std::max(1, stolpec.najdaljsa);
}

std::string vrsta(const StolpecIzvoza& stolpec) {
    switch (stolpec.vrsta) {
    case FieldType::Float:
        return "FLOAT";
    case FieldType::Date:
        return stolpec.sCasom ? "TIMESTAMP" : "DATE";
    case FieldType::String:
        break;
    }
    return "CHAR";
}

std::string shema(const std::string& pot, const std::vector<StolpecIzvoza>& stolpci) {
    std::string text = "[" + std::filesystem::path(pot).stem().string() + "]\r\n";
    text += "FILETYPE=FIXED\r\nCHARSET=ANSI1250\r\n";
    int offset = 0;
    for (size_t i = 0; i < stolpci.size(); ++i) {
        const StolpecIzvoza& s = stolpci[i];
        char places[8];
        std::snprintf(places, sizeof places, "%02d", s.vrsta == FieldType::Float ? s.decimalke : 0);
        char at[16];
        std::snprintf(at, sizeof at, "%02d", offset);
        text += "FIELD" + std::to_string(i + 1) + "=" + s.ime + "," + vrsta(s) + "," +
                std::to_string(sirina(s)) + "," + places + "," + at + "\r\n";
        offset += sirina(s);
    }
    return text;
}

} // namespace

void zapisiFiksniTekst(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
                       VarnaDatoteka& datoteka, VarnaDatoteka* shemaDatoteka,
                       const Napredek& napredek, Opombe& opombe) {
    if (shemaDatoteka) shemaDatoteka->pisi(shema(datoteka.pot(), stolpci));
    std::string line;
    int row = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        line.clear();
        for (const StolpecIzvoza& stolpec : stolpci) {
            Field field = dataset.Fields(stolpec.polje);
            const auto width = static_cast<size_t>(sirina(stolpec));
            std::string text;
            if (!field.IsNull()) {
                if (stolpec.vrsta == FieldType::Float)
                    text = stevilkaZDecimalkami(field.AsFloat(), stolpec.decimalke);
                else if (stolpec.vrsta == FieldType::Date)
                    text = datumStolpca(stolpec, field.AsDateTime());
                else
                    text = besediloVCp1250(field.AsString(), opombe);
            }
            const std::string padding(width - text.size(), ' ');
            line += stolpec.vrsta == FieldType::Float ? padding + text : text + padding;
        }
        line += "\r\n";
        datoteka.pisi(line);
        ++row;
        if (napredek) napredek(row);
    }
}

} // namespace orv
