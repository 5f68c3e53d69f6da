#include "sheet/UvozIzExcela.h"

#include "base/Besedilo.h"
#include "base/RazredKontov.h"
#include "db/DatabaseError.h"
#include "db/UnitOfWork.h"
#include "sheet/PrimerjavaVrstic.h"

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

UvozIzExcela::UvozIzExcela(TDM& dm, Vmesnik& window, MoznostiUvoza moznosti)
    : dm_(dm), window_(window), moznosti_(moznosti) {}

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

bool UvozIzExcela::jeVrstica(int vrstica) {
    // Data end at the first row without a value in any imported column. Column 1 alone cannot
    // tell: a whole export starts with ORGEN, which a row may leave empty, and the rows after it
    // would be deleted and never inserted again.
    if (!celica(vrstica, 1).empty()) return true;
    if (glava_.stolpci.empty()) {
        for (int c = 2; c <= kUvozniStolpciDo; ++c)
            if (!celica(vrstica, c).empty()) return true;
        return false;
    }
    for (const UvozniStolpec& stolpec : glava_.stolpci)
        if (!celica(vrstica, stolpec.stolpec).empty()) return true;
    return false;
}

std::string UvozIzExcela::razredVrstice(int vrstica) {
    if (!glava_.razredniStolpec) return "";
    return toUpper(celica(vrstica, *glava_.razredniStolpec));
}

IzidUvoza UvozIzExcela::zavrni(const std::string& sporocilo) {
    window_.showMessage(sporocilo);
    return prekini();
}

IzidUvoza UvozIzExcela::prekini() {
    ZapriExcel();
    window_.processMessages();
    return IzidUvoza::Prekinjeno;
}

IzidUvoza UvozIzExcela::ImportIzExcela(const std::string& datoteka, const std::string& vknt,
                                       DateValue dan) {
    stevec_ = 0;
    izbrisanih_.clear();
    vstavljenih_.clear();
    vrsticeD_.clear();
    porocilo_.clear();
    zakljucek_.clear();
    if (trim(datoteka).empty()) {
        window_.showMessage("Excel datoteka ni izbrana!");
        return IzidUvoza::Prekinjeno;
    }
    if (!fileExists(datoteka)) {
        window_.showMessage(datoteka + " ne obstaja!");
        return IzidUvoza::Prekinjeno;
    }
    // The class is checked as every command checks it; class D is never replaced, so choosing
    // it would delete nothing and add every row of the file again.
    const std::optional<std::string> razred = razredKontov(vknt);
    if (!razred) return zavrni(neznanRazredKontov(vknt));
    if (*razred == "D")
        return zavrni("Uvoz vrstic razreda D ne zamenja: izbran razred D bi vse vrstice datoteke "
                      "dodal k shranjenim.\rUvoz ni bil izveden.");
    ZapriExcel();
    workbook_ = openWorkbook(datoteka);
    const std::string datumText = formatDate(dan);

    // Row 2 must hold data.
    glava_ = {};
    if (!jeVrstica(2)) {
        std::string message = std::string(kCr) + "Vrstica " + std::to_string(2) + "ni napolnjena!!";
        bool prazen = true;
        for (int c = 1; c <= kUvozniStolpciDo && prazen; ++c)
            prazen = celica(1, c).empty();
        if (prazen)
            message += std::string(kCr) + "Prvi list excel datoteke " + datoteka + " je prazen.";
        return zavrni(message);
    }

    // Each check tells what stops the import; the questions come only once every check that
    // needs no answer has passed.
    if (!preveriGlavo(datoteka) || !preveriDatume(datoteka, datumText) || !preveriRazred(*razred) ||
        !vprasajZaStolpce(datoteka))
        return prekini();
    beriSirine();

    {
        // The deletion and every insert are one unit of work: a failure, the operator's stop
        // or a killed process leaves the table as it was. The lock makes a transfer or another
        // import of the bank wait until this one ends.
        UnitOfWork delo(dm_.OracleSession1);
        try {
            delo.lockForWriting("POD_ORVEL");
            if (razred->empty() && !preveriVrsticeRazredaD(datumText)) return prekini();
            prestejBrisanje(datumText, *razred);
            brisi(datumText, *razred);
            vstavi(datoteka);
            window_.processMessages();
            if (!moznosti_.preizkus) delo.commit();
        } catch (...) {
            ZapriExcel();
            throw;
        }
    }
    ZapriExcel();
    porocilo_ = sestaviPorocilo();
    zakljucek_ = moznosti_.preizkus
                     ? std::string("Preizkus uvoza je uspel; v tabeli ni nič spremenjeno.")
                     : std::string("Uvoz podatkov iz excel datoteke zaključen!") + kCr +
                           "Uvoženih vrstic: " + std::to_string(stevec_);
    window_.showMessage(porocilo_ + kCr + zakljucek_);
    window_.processMessages();
    return IzidUvoza::Uvozeno;
}

bool UvozIzExcela::preveriGlavo(const std::string& datoteka) {
    glava_ = preberiGlavoUvoza([this](int c) { return celica(1, c); }, kUvozniStolpciDo);
    if (glava_.podvojen) {
        window_.showMessage("Stolpec " + glava_.podvojen->ime + " je v excel datoteki " + datoteka +
                            " dvakrat: v stolpcih " + std::to_string(glava_.podvojen->prvi) +
                            " in " + std::to_string(glava_.podvojen->drugi) + "!");
        return false;
    }
    if (glava_.stolpci.empty()) {
        window_.showMessage("V prvi vrstici excel datoteke " + datoteka +
                            " ni imena nobenega stolpca tabele POD_ORVEL!");
        return false;
    }
    return true;
}

bool UvozIzExcela::vprasajZaStolpce(const std::string& datoteka) {
    const std::string prazni =
        glava_.manjkajoci.empty()
            ? std::string()
            : "Stolpci tabele POD_ORVEL, ki jih v datoteki ni, bodo v uvoženih vrsticah prazni: " +
                  seznamImen(glava_.manjkajoci) + ".";
    if (!glava_.neznani.empty()) {
        // A misspelt header would leave its column empty in every row without a word.
        const std::string neznani =
            "V prvi vrstici excel datoteke " + datoteka +
            " so imena, ki niso stolpci tabele POD_ORVEL: " + seznamImen(glava_.neznani) + ".";
        if (moznosti_.prezriNeznaneStolpce) {
            window_.showMessage(neznani + kCr + "Ti stolpci datoteke se ne uvozijo." +
                                (prazni.empty() ? "" : kCr + prazni));
            return true;
        }
        if (window_.askQuestion(neznani + kCr + (prazni.empty() ? "" : prazni + kCr) +
                                "Uvozim brez stolpcev s temi imeni?"))
            return true;
        window_.showMessage(neznani + kCr + "Uvoz ni bil izveden.");
        return false;
    }
    // Without a question the face names them itself (see manjkajociStolpci).
    if (prazni.empty() || !moznosti_.vprasajZaManjkajoce) return true;
    if (window_.askQuestion(prazni + kCr + "Nadaljujem z uvozom?")) return true;
    window_.showMessage("Uvoz ni bil izveden.");
    return false;
}

bool UvozIzExcela::preveriDatume(const std::string& datoteka, const std::string& datumText) {
    // Every data row, before anything is deleted; a row without a date belongs to no date.
    for (int r = 2; jeVrstica(r); ++r) {
        const std::string datum = celica(r, glava_.datumskiStolpec);
        if (datum == datumText) continue;
        // A long cell is shown by its beginning: the message names the row and column anyway.
        window_.showMessage("Izbrani datum " + datumText + " ni enak datumu " + shortened(datum) +
                            kCr + "v excel datoteki " + datoteka + kCr + " v koloni DAT_STANJA " +
                            std::to_string(glava_.datumskiStolpec) + "  v vrstici " +
                            std::to_string(r));
        return false;
    }
    return true;
}

bool UvozIzExcela::preveriRazred(const std::string& razred) {
    // With a class chosen only its rows are deleted: a row of another class would be added
    // beside the stored rows of its class, and the chosen class would lose rows.
    if (razred.empty()) return true;
    std::vector<int> tuje;
    for (int r = 2; jeVrstica(r); ++r)
        if (razredVrstice(r) != razred) tuje.push_back(r);
    if (tuje.empty()) return true;
    const std::string zakaj =
        glava_.razredniStolpec
            ? std::to_string(tuje.size()) + " vrstic datoteke ni razreda " + razred + " (vrstice " +
                  imenovaneVrstice(tuje) + ")."
            : std::string("v datoteki ni stolpca VKNT, zato ni znano, katerega razreda so njene "
                          "vrstice.");
    window_.showMessage("Izbran je razred " + razred + ", a " + zakaj + kCr +
                        "Uvoz bi izbrisal vrstice razreda " + razred +
                        " in dodal vrstice drugih razredov; uvoz ni bil izveden.");
    return false;
}

bool UvozIzExcela::preveriVrsticeRazredaD(const std::string& datumText) {
    // The import never replaces class D, so a class D row of the file is taken as one that is
    // stored already and left as it is; one that is new or changed would be lost or doubled.
    if (!glava_.razredniStolpec) return true;
    for (int r = 2; jeVrstica(r); ++r)
        if (razredVrstice(r) == "D") vrsticeD_.push_back(r);
    if (vrsticeD_.empty()) return true;

    std::string stolpci;
    for (const UvozniStolpec& stolpec : glava_.stolpci)
        stolpci += std::string(stolpci.empty() ? "" : ", ") + stolpec.tabela->ime;
    const ResultSet shranjene = dm_.OracleSession1.query(
        "SELECT " + stolpci + " FROM POD_ORVEL WHERE DAT_STANJE=" + literal(datumText) +
            " AND VKNT='D'",
        {});
    ShranjeneVrstice vrstice;
    for (size_t v = 0; v < shranjene.rows.size(); ++v) {
        std::vector<std::string> vrednosti;
        for (size_t i = 0; i < glava_.stolpci.size(); ++i)
            vrednosti.push_back(
                primerljivo(glava_.stolpci[i].tabela->vrsta, shranjene.rows.value(v, i)));
        vrstice.dodaj(std::move(vrednosti));
    }
    std::vector<int> drugacne;
    for (int r : vrsticeD_) {
        std::vector<std::string> vrednosti;
        for (const UvozniStolpec& stolpec : glava_.stolpci)
            vrednosti.push_back(primerljivo(stolpec.tabela->vrsta, celica(r, stolpec.stolpec)));
        if (!vrstice.vzemi(vrednosti)) drugacne.push_back(r);
    }
    if (drugacne.empty()) return true;
    window_.showMessage("Uvoz vrstic razreda D ne zamenja, zato mora biti vsaka vrstica razreda D "
                        "v datoteki enaka shranjeni vrstici dneva " +
                        datumText + ". " + std::to_string(drugacne.size()) +
                        " vrstic razreda D je novih ali spremenjenih (vrstice " +
                        imenovaneVrstice(drugacne) + ")." + kCr + "Uvoz ni bil izveden.");
    return false;
}

void UvozIzExcela::beriSirine() {
    // The widths of the text columns: a longer text is refused, not cut.
    sirine_.clear();
    for (const UvozniStolpec& stolpec : glava_.stolpci)
        sirine_.push_back(stolpec.tabela->vrsta == VrstaStolpca::Besedilo ? stolpec.tabela->sirina
                                                                          : 0);
}

// The rows the deletion takes: the date's rows of the chosen class, or of every class but D.
// A row without a class is no class D row, so it goes too; it would otherwise stay beside the
// same row imported again.
static std::string pogojBrisanja(const std::string& datumText, const std::string& razred) {
    std::string pogoj = " WHERE DAT_STANJE=" + literal(datumText) + " ";
    if (!razred.empty()) pogoj += " AND VKNT=" + literal(razred) + " ";
    pogoj += " AND (VKNT<>'D' OR VKNT IS NULL) ";
    return pogoj;
}

void UvozIzExcela::prestejBrisanje(const std::string& datumText, const std::string& razred) {
    const ResultSet razredi =
        dm_.OracleSession1.query("SELECT VKNT, COUNT(*) FROM POD_ORVEL " +
                                     pogojBrisanja(datumText, razred) + " GROUP BY VKNT",
                                 {});
    for (size_t v = 0; v < razredi.rows.size(); ++v)
        izbrisanih_[razredi.rows.value(v, 0).toText()] +=
            std::stoi(razredi.rows.value(v, 1).toText());
}

void UvozIzExcela::brisi(const std::string& datumText, const std::string& razred) {
    const std::string sql = "DELETE FROM POD_ORVEL  " + pogojBrisanja(datumText, razred);
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
    for (const UvozniStolpec& stolpec : glava_.stolpci)
        vrednosti.emplace_back(stolpec.tabela->ime, Value());
    size_t naslednjaD = 0;
    for (int r = 2;; ++r) {
        bool vrstica = false;
        try {
            vrstica = jeVrstica(r);
        } catch (const std::exception&) {
            window_.showMessage("Napaka v vrstici " + std::to_string(r) + kCr +
                                "v excel datoteki " + datoteka);
            throw;
        }
        if (!vrstica) break;
        if (naslednjaD < vrsticeD_.size() && vrsticeD_[naslednjaD] == r) {
            ++naslednjaD; // a stored class D row: it stays as it is
            continue;
        }
        ++stevec_;
        ++vstavljenih_[razredVrstice(r)];
        window_.setLblStevec(std::to_string(stevec_));
        window_.processMessages();
        vstaviVrstico(r, vrednosti);
    }
}

std::string UvozIzExcela::sestaviPorocilo() const {
    const auto poRazredih = [](const VrsticPoRazredih& vrstice) {
        int skupaj = 0;
        std::string razredi;
        for (const auto& [razred, stevilo] : vrstice) {
            skupaj += stevilo;
            razredi += std::string(razredi.empty() ? "" : ", ") +
                       (razred.empty() ? std::string("brez razreda") : "razred " + razred) + ": " +
                       std::to_string(stevilo);
        }
        return std::to_string(skupaj) + (razredi.empty() ? "" : " (" + razredi + ")");
    };
    const bool preizkus = moznosti_.preizkus;
    std::string porocilo =
        std::string(preizkus ? "Uvoz bi izbrisal vrstic: " : "Izbrisanih vrstic: ") +
        poRazredih(izbrisanih_) + kCr +
        (preizkus ? "Uvoz bi vstavil vrstic: " : "Vstavljenih vrstic: ") + poRazredih(vstavljenih_);
    if (!vrsticeD_.empty())
        porocilo += std::string(kCr) + "Vrstic razreda D, ki so enake shranjenim in ostanejo: " +
                    std::to_string(vrsticeD_.size());
    return porocilo;
}

std::string imenovaneVrstice(const std::vector<int>& vrstice) {
    std::string seznam;
    for (size_t i = 0; i < vrstice.size() && i < 10; ++i)
        seznam += std::string(i ? ", " : "") + std::to_string(vrstice[i]);
    if (vrstice.size() > 10) seznam += " ... " + std::to_string(vrstice.size()) + " v vseh";
    return seznam;
}

void UvozIzExcela::vstaviVrstico(int vrstica,
                                 std::vector<std::pair<std::string, Value>>& vrednosti) {
    const std::string& datoteka = workbook_->path();
    const auto report = [&](const UvozniStolpec* stolpec, const std::string& vrednost) {
        std::string message = "Napaka v vrstici " + std::to_string(vrstica);
        if (stolpec)
            message += std::string(kCr) + "stolpec " + std::to_string(stolpec->stolpec) + " (" +
                       stolpec->tabela->ime + "), vrednost '" + shortened(vrednost) + "'";
        window_.showMessage(message + kCr + "v excel datoteki " + datoteka);
    };

    for (size_t i = 0; i < glava_.stolpci.size(); ++i) {
        const UvozniStolpec& stolpec = glava_.stolpci[i];
        const int sirina = sirine_[i];
        std::string text;
        try {
            // A text goes in as written, blanks included, so that an exported row comes back
            // as it was; a number or a date is read without the blanks around it.
            text = stolpec.tabela->vrsta == VrstaStolpca::Besedilo
                       ? workbook_->cellText(vrstica, stolpec.stolpec)
                       : celica(vrstica, stolpec.stolpec);
        } catch (const std::exception&) {
            report(&stolpec, "");
            throw;
        }
        if (sirina > 0 && characterCount(text) > static_cast<size_t>(sirina)) {
            report(&stolpec, text);
            throw DatabaseError(
                std::string("ORA-12899: value too large for column \"POD_ORVEL\".\"") +
                stolpec.tabela->ime + "\" (actual: " + std::to_string(characterCount(text)) +
                ", maximum: " + std::to_string(sirina) + ")");
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
        for (size_t i = 0; i < glava_.stolpci.size() && !kriv; ++i) {
            try {
                connection.insertRow("POD_ORVEL", {vrednosti[i]});
            } catch (const std::exception&) {
                kriv = &glava_.stolpci[i];
                vrednost = vrednosti[i].second.toText();
            }
        }
        report(kriv, vrednost);
        throw;
    }
}

} // namespace orv::sheet
