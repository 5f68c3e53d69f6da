// Text separated by ';' (.csv): UTF-8 with a byte order mark (so that a spreadsheet program
// opens it as UTF-8), row 1 the column names, one line per row ended by CR LF. A value is its
// cell text as the import reads it (see CelicaPreglednice); a value holding ';', ',', a TAB, a
// double quote, a CR or an LF stands between double quotes with its inner quotes doubled, and so
// does a text that a reader might take for a date or a number (a digit first, then '.' or '-'
// somewhere: "1.2.2024", "2024-01-02"), to mark it as a text for readers that keep quoted
// values as they are. NULL is the empty value.

#include "db/TOracleDataSet.h"
#include "export/CelicaPreglednice.h"
#include "export/IzvozneTabele.h"

namespace orv {

namespace {

bool podobnoDatumu(const std::string& text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9' &&
           text.find_first_of(".-") != std::string::npos;
}

void dodajVrednost(std::string& line, const std::string& text, bool besedilo) {
    if (text.find_first_of(";,\t\"\r\n") == std::string::npos &&
        !(besedilo && podobnoDatumu(text))) {
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

class PisecCsv : public PisecVrstic {
public:
    PisecCsv(const std::vector<StolpecIzvoza>& stolpci, VarnaDatoteka& datoteka)
        : stolpci_(stolpci), datoteka_(datoteka) {
        line_ = "\xEF\xBB\xBF";
        for (size_t i = 0; i < stolpci_.size(); ++i) {
            if (i > 0) line_ += ';';
            dodajVrednost(line_, stolpci_[i].ime, false);
        }
        line_ += "\r\n";
        datoteka_.pisi(line_);
    }

    void vrstica(TOracleDataSet& dataset) override {
        line_.clear();
        for (size_t i = 0; i < stolpci_.size(); ++i) {
            if (i > 0) line_ += ';';
            Field field = dataset.Fields(stolpci_[i].polje);
            const CelicaPreglednice celica = celicaPreglednice(field, stolpci_[i].vrsta);
            dodajVrednost(line_, besediloCelice(celica),
                          celica.vrsta == CelicaPreglednice::Vrsta::Besedilo);
        }
        line_ += "\r\n";
        datoteka_.pisi(line_);
    }

    void koncaj() override {}

private:
    std::vector<StolpecIzvoza> stolpci_;
    VarnaDatoteka& datoteka_;
    std::string line_;
};

} // namespace

std::unique_ptr<PisecVrstic> pisecCsv(const std::vector<StolpecIzvoza>& stolpci,
                                      VarnaDatoteka& datoteka) {
    return std::make_unique<PisecCsv>(stolpci, datoteka);
}

} // namespace orv
