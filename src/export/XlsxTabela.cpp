// An Excel workbook (.xlsx), written with libxlsxwriter in its constant-memory mode: a row goes
// to the sheet's file as soon as the next one starts, so a workbook of any size costs the memory
// of a row. Row 1 holds the column names (bold, frozen); then one row per row, each value in the
// cell that the import reads back as the value:
// * a text as a text cell (codes keep their leading zeros);
// * a number as a number cell; one that needs more than 15 significant digits, which a
//   spreadsheet program rounds, as a text cell of its exact digits;
// * a date as a date cell shown dd.mm.yyyy (with hh:mm:ss when it has a time of day); a date
//   before 1.3.1900, where a spreadsheet's day numbers are not the program's, as a text cell
//   dd.mm.yyyy;
// * NULL as no cell.

#include "db/TOracleDataSet.h"
#include "export/CelicaPreglednice.h"
#include "export/IzvozError.h"
#include "export/IzvozneTabele.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <filesystem>
#include <memory>

namespace orv {

namespace {

constexpr double kPrviPraviDan = 61; // 1.3.1900: from it on a spreadsheet's day is the program's
constexpr double kSirinaDatuma = 11;

struct ZapriZvezek {
    void operator()(lxw_workbook* zvezek) const { workbook_close(zvezek); }
};

// The sheet's texts mark characters that XML cannot hold as _xHHHH_, and the reader turns every
// such sequence back into its character: a text that holds one literally has its '_' marked
// itself (_x005F_), so that it reads back as it was.
std::string zavarujOznake(const std::string& text) {
    const auto hex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    if (text.find("_x") == std::string::npos) return text;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && hex(text[i + 2]) &&
            hex(text[i + 3]) && hex(text[i + 4]) && hex(text[i + 5]) && text[i + 6] == '_')
            out += "_x005F";
        out += text[i];
    }
    return out;
}

class List {
public:
    List(VarnaDatoteka& datoteka, lxw_workbook* zvezek)
        : datoteka_(datoteka), list_(workbook_add_worksheet(zvezek, nullptr)) {
        if (!list_) throw IzvozError(datoteka_.sporociloNapake(ENOMEM));
        naslov_ = workbook_add_format(zvezek);
        format_set_bold(naslov_);
        besedilo_ = workbook_add_format(zvezek);
        format_set_num_format(besedilo_, "@");
        datum_ = workbook_add_format(zvezek);
        format_set_num_format(datum_, "dd.mm.yyyy");
        datumCas_ = workbook_add_format(zvezek);
        format_set_num_format(datumCas_, "dd.mm.yyyy hh:mm:ss");
    }

    void glava(const std::vector<StolpecIzvoza>& stolpci) {
        worksheet_freeze_panes(list_, 1, 0);
        for (size_t i = 0; i < stolpci.size(); ++i) {
            const auto stolpec = static_cast<lxw_col_t>(i);
            if (stolpci[i].vrsta == FieldType::Date)
                worksheet_set_column(list_, stolpec, stolpec, kSirinaDatuma, nullptr);
            preveri(worksheet_write_string(list_, 0, stolpec, zavarujOznake(stolpci[i].ime).c_str(),
                                           naslov_),
                    stolpci[i], 1);
        }
    }

    void celica(lxw_row_t vrstica, const StolpecIzvoza& stolpec, lxw_col_t mesto,
                const CelicaPreglednice& celica) {
        lxw_error izid = LXW_NO_ERROR;
        switch (celica.vrsta) {
        case CelicaPreglednice::Vrsta::Prazna:
            return;
        case CelicaPreglednice::Vrsta::Stevilo:
            izid = celica.petnajstMest
                       ? worksheet_write_number(list_, vrstica, mesto, celica.vrednost, nullptr)
                       : worksheet_write_string(list_, vrstica, mesto,
                                                besediloCelice(celica).c_str(), besedilo_);
            break;
        case CelicaPreglednice::Vrsta::Datum:
            izid = celica.vrednost >= kPrviPraviDan
                       ? worksheet_write_number(list_, vrstica, mesto, celica.vrednost,
                                                celica.sCasom ? datumCas_ : datum_)
                       : worksheet_write_string(list_, vrstica, mesto,
                                                besediloCelice(celica).c_str(), besedilo_);
            break;
        case CelicaPreglednice::Vrsta::Besedilo:
            izid = worksheet_write_string(list_, vrstica, mesto,
                                          zavarujOznake(celica.besedilo).c_str(), besedilo_);
            break;
        }
        preveri(izid, stolpec, static_cast<long>(vrstica) + 1);
    }

private:
    void preveri(lxw_error izid, const StolpecIzvoza& stolpec, long vrstica) const {
        if (izid == LXW_NO_ERROR) return;
        if (izid == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
            throw IzvozError("Vrednost stolpca " + stolpec.ime + " v vrstici " +
                             std::to_string(vrstica) +
                             " je daljša od 32767 znakov, kolikor jih sprejme celica Excela; "
                             "izvoz ni bil narejen.");
        throw IzvozError("Stolpca " + stolpec.ime + " v vrstici " + std::to_string(vrstica) +
                         " ni mogoče zapisati v datoteko \"" + datoteka_.pot() + "\" (" +
                         lxw_strerror(izid) + "); nič ni bilo zapisano.");
    }

    VarnaDatoteka& datoteka_;
    lxw_worksheet* list_;
    lxw_format* naslov_ = nullptr;
    lxw_format* besedilo_ = nullptr;
    lxw_format* datum_ = nullptr;
    lxw_format* datumCas_ = nullptr;
};

class PisecXlsx : public PisecVrstic {
public:
    PisecXlsx(const std::vector<StolpecIzvoza>& stolpci, VarnaDatoteka& datoteka)
        : stolpci_(stolpci), datoteka_(datoteka) {
        if (stolpci_.size() > LXW_COL_MAX)
            throw IzvozError("List Excela sprejme največ " + std::to_string(LXW_COL_MAX) +
                             " stolpcev; izvoz ni bil narejen.");
        // libxlsxwriter creates the workbook by name and keeps the sheet's rows in a temporary
        // file until it packs them: both in the export's own working folder, on the disk of the
        // output.
        const std::string& pot = datoteka_.delovnaPot();
        mapa_ = std::filesystem::path(pot).parent_path().string();
        lxw_workbook_options moznosti{};
        moznosti.constant_memory = LXW_TRUE;
        moznosti.tmpdir = mapa_.data();
        errno = 0;
        zvezek_.reset(workbook_new_opt(pot.c_str(), &moznosti));
        if (!zvezek_) throw IzvozError(datoteka_.sporociloNapake(errno ? errno : EIO));
        list_ = std::make_unique<List>(datoteka_, zvezek_.get());
        list_->glava(stolpci_);
    }

    void vrstica(TOracleDataSet& dataset) override {
        if (vrstica_ >= LXW_ROW_MAX)
            throw IzvozError("List Excela sprejme največ " + std::to_string(LXW_ROW_MAX - 1) +
                             " vrstic (in vrstico imen); izvoz ni bil narejen.");
        for (size_t i = 0; i < stolpci_.size(); ++i) {
            Field field = dataset.Fields(stolpci_[i].polje);
            list_->celica(vrstica_, stolpci_[i], static_cast<lxw_col_t>(i),
                          celicaPreglednice(field, stolpci_[i].vrsta));
        }
        ++vrstica_;
    }

    void koncaj() override {
        errno = 0;
        const lxw_error izid = workbook_close(zvezek_.release());
        if (izid != LXW_NO_ERROR) {
            const int napaka = errno ? errno : EIO;
            throw IzvozError(datoteka_.sporociloNapake(napaka) + " (" + lxw_strerror(izid) + ")");
        }
    }

private:
    std::vector<StolpecIzvoza> stolpci_;
    VarnaDatoteka& datoteka_;
    std::string mapa_;
    std::unique_ptr<lxw_workbook, ZapriZvezek> zvezek_;
    std::unique_ptr<List> list_;
    lxw_row_t vrstica_ = 1;
};

} // namespace

std::unique_ptr<PisecVrstic> pisecXlsx(const std::vector<StolpecIzvoza>& stolpci,
                                       VarnaDatoteka& datoteka) {
    return std::make_unique<PisecXlsx>(stolpci, datoteka);
}

} // namespace orv
