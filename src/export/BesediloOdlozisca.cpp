#include "db/TOracleDataSet.h"
#include "export/Izvoz.h"

namespace orv {

namespace {

std::string oznaka(const FieldInfo& field) {
    return field.displayLabel.empty() ? field.name : field.displayLabel;
}

void removeAll(std::string& text, char unwanted) {
    std::erase(text, unwanted);
}

// A text value: without its CRs, quoted, with its quotes doubled.
std::string quoted(std::string text) {
    removeAll(text, '\r');
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"') result += '"';
        result += c;
    }
    return result + '"';
}

} // namespace

std::string BesediloOdlozisca(TOracleDataSet& dataset, const std::vector<int>& polja,
                              const std::string& napis, const Napredek& napredek,
                              const PrikaznoBesedilo& prikaz) {
    std::string text = napis + "\r\n";
    for (const int polje : polja) {
        std::string label = oznaka(dataset.fieldInfos()[static_cast<size_t>(polje)]);
        text += label + "\t";
    }
    text += "\r\n";
    int rows = 0;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        for (const int polje : polja) {
            Field field = dataset.Fields(polje);
            std::string value = prikaz ? prikaz(polje, dataset.cell(dataset.currentRow(), polje))
                                       : field.AsString();
            if (field.info().type == FieldType::String) value = quoted(std::move(value));
            removeAll(value, '\t');
            text += value;
            text += '\t';
        }
        text += "\r\n";
        if (napredek) napredek(++rows);
    }
    dataset.First();
    return text;
}

} // namespace orv
