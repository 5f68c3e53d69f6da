#include "sheet/UvozIzExcela.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "sheet/UvozniStolpci.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

namespace orv::sheet {

namespace {

constexpr const char* kCr = "\r";

// A text as a quoted literal: a quote inside is doubled, so it stays part of the text.
std::string literal(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return quoted + "'";
}

size_t characterCount(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A cell value as a message shows it: at most 40 characters.
std::string shortened(const std::string& text) {
    if (characterCount(text) <= 40) return text;
    std::string cut;
    size_t characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > 40) break;
        cut += c;
    }
    return cut + "...";
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

std::string vprasanjeZaUvoz(const std::string& datumText, const std::string& vknt) {
    std::string question = "Prosim potrdi brisanje in uvoz podatkov za  dan " + datumText;
    if (!trim(vknt).empty()) question += std::string(kCr) + " in konto glavnic " + vknt;
    return question;
}

UvozIzExcela::UvozIzExcela(TDM& dm, Vmesnik& window) : dm_(dm), window_(window) {}

UvozIzExcela::~UvozIzExcela() {
    ZapriExcel();
}

void UvozIzExcela::ZapriExcel() {
    if (workbook_) workbook_->close();
    workbook_.reset();
}

std::string UvozIzExcela::celica(int vrstica, int stolpec) {
    return trim(workbook_->cellText(vrstica, stolpec));
}

IzidUvoza UvozIzExcela::ImportIzExcela(const std::string& datoteka, const std::string& vknt,
                                       DateValue dan) {
    stevec_ = 0;
    if (trim(datoteka).empty()) {
        window_.showMessage("Excel datoteka ni izbrana!");
        return IzidUvoza::Prekinjeno;
    }
    if (!fileExists(datoteka)) {
        window_.showMessage(datoteka + " ne obstaja!");
        return IzidUvoza::Prekinjeno;
    }
    ZapriExcel();
    workbook_ = openWorkbook(datoteka);
    const std::string datumText = formatDate(dan);

    const auto stop = [this](const std::string& message) {
        window_.showMessage(message);
        ZapriExcel();
        window_.processMessages();
        return IzidUvoza::Prekinjeno;
    };

    // Row 2 must hold data.
    const std::string prva = celica(2, 1);
    if (prva.empty()) {
        std::string message = prva + kCr + "Vrstica " + std::to_string(2) + "ni napolnjena!!";
        bool prazen = true;
        for (int c = 1; c <= kUvozniStolpciDo && prazen; ++c)
            prazen = celica(1, c).empty();
        if (prazen)
            message += std::string(kCr) + "Prvi list excel datoteke " + datoteka + " je prazen.";
        return stop(message);
    }

    if (!preberiGlavo(datoteka)) {
        ZapriExcel();
        window_.processMessages();
        return IzidUvoza::Prekinjeno;
    }
    if (!preveriDatume(datoteka, datumText)) return IzidUvoza::Prekinjeno;
    beriSirine();

    // The deletion and every insert are one transaction: a failure leaves the table as it was.
    try {
        brisi(datumText, vknt);
        vstavi(datoteka);
        dm_.OracleSession1.Commit();
    } catch (...) {
        dm_.OracleSession1.Rollback();
        ZapriExcel();
        throw;
    }
    ZapriExcel();
    window_.showMessage(std::string("Uvoz podatkov iz excel datoteke zaključen!") + kCr +
                        "Uvoženih vrstic: " + std::to_string(stevec_));
    window_.processMessages();
    return IzidUvoza::Uvozeno;
}

bool UvozIzExcela::preberiGlavo(const std::string& datoteka) {
    stolpci_.clear();
    datumskiStolpec_ = 1;
    std::map<std::string, int> videni;
    for (int c = 1; c <= kUvozniStolpciDo; ++c) {
        const std::string ime = toUpper(celica(1, c));
        const auto found = std::find(UvozniStolpci.begin(), UvozniStolpci.end(), ime);
        if (ime.empty() || found == UvozniStolpci.end()) continue;
        // The same column twice would be inserted twice; which value is meant cannot be told.
        const auto [seen, first] = videni.emplace(ime, c);
        if (!first) {
            window_.showMessage("Stolpec " + ime + " je v excel datoteki " + datoteka +
                                " dvakrat: v stolpcih " + std::to_string(seen->second) + " in " +
                                std::to_string(c) + "!");
            return false;
        }
        stolpci_.push_back({c, ime, 0});
        if (ime == "DAT_STANJE") datumskiStolpec_ = c;
    }
    if (stolpci_.empty()) {
        window_.showMessage("V prvi vrstici excel datoteke " + datoteka +
                            " ni imena nobenega stolpca tabele POD_ORVEL!");
        return false;
    }
    return true;
}

bool UvozIzExcela::preveriDatume(const std::string& datoteka, const std::string& datumText) {
    // Every data row, before anything is deleted; a row without a date belongs to no date.
    for (int r = 2; !celica(r, 1).empty(); ++r) {
        const std::string datum = celica(r, datumskiStolpec_);
        if (datum == datumText) continue;
        // A long cell is shown by its beginning: the message names the row and column anyway.
        window_.showMessage("Izbrani datum " + datumText + " ni enak datumu " + shortened(datum) +
                            kCr + "v excel datoteki " + datoteka + kCr + " v koloni DAT_STANJA " +
                            std::to_string(datumskiStolpec_) + "  v vrstici " + std::to_string(r));
        ZapriExcel();
        window_.processMessages();
        return false;
    }
    return true;
}

void UvozIzExcela::beriSirine() {
    // The widths of the text columns: a longer text is refused, not cut.
    dm_.OdpriPoizvedbo(dm_.Qin, "SELECT * FROM POD_ORVEL WHERE 1=0");
    for (UvozniStolpec& stolpec : stolpci_) {
        for (const FieldInfo& field : dm_.Qin.fieldInfos()) {
            if (toUpper(field.name) != stolpec.ime) continue;
            if (field.type == FieldType::String) stolpec.sirina = field.size;
        }
    }
    dm_.Qin.Close();
}

void UvozIzExcela::brisi(const std::string& datumText, const std::string& vknt) {
    std::string sql = "DELETE FROM POD_ORVEL  " + (" WHERE DAT_STANJE=" + literal(datumText)) + " ";
    if (!trim(vknt).empty()) sql += " AND VKNT=" + literal(vknt) + " ";
    sql += " AND VKNT<>'D'  ";
    try {
        dm_.Qpod_orvel.Close();
        dm_.Qpod_orvel.setSQL(sql);
        dm_.Qpod_orvel.ExecSQL();
    } catch (...) {
        window_.showMessage(std::string("Napaka pri DELETE FROM POD_ORVEL ") + kCr + sql);
        throw;
    }
}

void UvozIzExcela::vstavi(const std::string& datoteka) {
    // Each row is one insert of the header's columns with the cell texts bound as values, so a
    // quote in a cell is a quote in the table. The database converts the texts to the columns'
    // types and refuses what they cannot take.
    std::vector<std::pair<std::string, Value>> vrednosti;
    for (const UvozniStolpec& stolpec : stolpci_)
        vrednosti.emplace_back(stolpec.ime, Value());
    for (int r = 2;; ++r) {
        std::string prva;
        try {
            prva = celica(r, 1);
        } catch (const std::exception&) {
            window_.showMessage("Napaka v vrstici " + std::to_string(r) + kCr +
                                "v excel datoteki " + datoteka);
            throw;
        }
        if (prva.empty()) break;
        ++stevec_;
        window_.setLblStevec(std::to_string(stevec_));
        window_.processMessages();
        vstaviVrstico(r, vrednosti);
    }
}

void UvozIzExcela::vstaviVrstico(int vrstica,
                                 std::vector<std::pair<std::string, Value>>& vrednosti) {
    const std::string& datoteka = workbook_->path();
    const auto report = [&](const UvozniStolpec* stolpec, const std::string& vrednost) {
        std::string message = "Napaka v vrstici " + std::to_string(vrstica);
        if (stolpec)
            message += std::string(kCr) + "stolpec " + std::to_string(stolpec->stolpec) + " (" +
                       stolpec->ime + "), vrednost '" + shortened(vrednost) + "'";
        window_.showMessage(message + kCr + "v excel datoteki " + datoteka);
    };

    for (size_t i = 0; i < stolpci_.size(); ++i) {
        const UvozniStolpec& stolpec = stolpci_[i];
        std::string text;
        try {
            text = celica(vrstica, stolpec.stolpec);
        } catch (const std::exception&) {
            report(&stolpec, "");
            throw;
        }
        if (stolpec.sirina > 0 && characterCount(text) > static_cast<size_t>(stolpec.sirina)) {
            report(&stolpec, text);
            throw DatabaseError("ORA-12899: value too large for column \"POD_ORVEL\".\"" +
                                stolpec.ime +
                                "\" (actual: " + std::to_string(characterCount(text)) +
                                ", maximum: " + std::to_string(stolpec.sirina) + ")");
        }
        vrednosti[i].second = text.empty() ? Value() : Value(std::move(text));
    }

    Connection& connection = dm_.OracleSession1.connection();
    try {
        connection.insertRow("POD_ORVEL", vrednosti);
    } catch (const std::exception&) {
        // Which value the table refused: each one alone, until one fails. The probe rows go
        // with the rollback of the whole import.
        const UvozniStolpec* kriv = nullptr;
        std::string vrednost;
        for (size_t i = 0; i < stolpci_.size() && !kriv; ++i) {
            try {
                connection.insertRow("POD_ORVEL", {vrednosti[i]});
            } catch (const std::exception&) {
                kriv = &stolpci_[i];
                vrednost = vrednosti[i].second.toText();
            }
        }
        report(kriv, vrednost);
        throw;
    }
}

} // namespace orv::sheet
