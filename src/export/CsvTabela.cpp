// Text separated by ';' (.csv): UTF-8 with a byte order mark (so that a spreadsheet program
// opens it as UTF-8), row 1 the column names, one line per row ended by CR LF. A value is its
// cell text as the import reads it (see CelicaPreglednice); a value holding ';', ',', a TAB, a
// double quote, a CR or an LF stands between double quotes with its inner quotes doubled. NULL
// is the empty value.

#include "db/TOracleDataSet.h"
#include "export/CelicaPreglednice.h"
#include "export/IzvozneTabele.h"

namespace orv {

namespace {

void dodajVrednost(std::string& line, const std::string& text) {
    if (text.find_first_of(";,\t\"\r\n") == std::string::npos) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

} // namespace

void zapisiCsv(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
               VarnaDatoteka& datoteka, const Napredek& napredek) {
    std::string line = "\xEF\xBB\xBF";
    for (size_t i = 0; i < stolpci.size(); ++i) {
        if (i > 0) line += ';';
        dodajVrednost(line, stolpci[i].ime);
    }
    line += "\r\n";
    datoteka.pisi(line);
    int row = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        line.clear();
        for (size_t i = 0; i < stolpci.size(); ++i) {
            if (i > 0) line += ';';
            Field field = dataset.Fields(stolpci[i].polje);
            dodajVrednost(line, celicaPreglednice(field, stolpci[i].vrsta).besedilo);
        }
        line += "\r\n";
        datoteka.pisi(line);
        ++row;
        if (napredek) napredek(row);
    }
}

} // namespace orv
