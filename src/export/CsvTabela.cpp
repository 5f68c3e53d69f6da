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

class PisecCsv : public PisecVrstic {
public:
    PisecCsv(const std::vector<StolpecIzvoza>& stolpci, VarnaDatoteka& datoteka)
        : stolpci_(stolpci), datoteka_(datoteka) {
        line_ = "\xEF\xBB\xBF";
        for (size_t i = 0; i < stolpci_.size(); ++i) {
            if (i > 0) line_ += ';';
            dodajVrednost(line_, stolpci_[i].ime);
        }
        line_ += "\r\n";
        datoteka_.pisi(line_);
    }

    void vrstica(TOracleDataSet& dataset) override {
        line_.clear();
        for (size_t i = 0; i < stolpci_.size(); ++i) {
            if (i > 0) line_ += ';';
            Field field = dataset.Fields(stolpci_[i].polje);
            dodajVrednost(line_, besediloCelice(celicaPreglednice(field, stolpci_[i].vrsta)));
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
