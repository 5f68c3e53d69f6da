#pragma once
// The import of corrected rows: the rows of one reporting date in POD_ORVEL are replaced by the
// rows of a spreadsheet file.
//
// Row 1 of the file's first sheet names the columns (any column of POD_ORVEL), the data rows
// start at row 2 and end before the first row blank in every imported column (and in column 1;
// texts go in as written, other values trimmed), and the DAT_STANJE column
// of every data row must hold the chosen date. Before anything changes every row is checked for
// what would double or drop rows: with a class chosen every row must be of that class, class D
// is never replaced (a class D row of the file must equal a stored one, and is left as it is),
// and header names that name no column are skipped only with the operator's consent. Then the
// rows of the date are deleted (all classes but D, or the one class chosen) and the rows of the
// file inserted, in one unit of work: an import either goes in whole or changes nothing.

#include "base/Datum.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "sheet/GlavaUvoza.h"
#include "sheet/Workbook.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orv::sheet {

/// Columns 1 to this of a sheet are considered.
inline constexpr int kUvozniStolpciDo = 200;

/// What an import came to; the window tells it in message boxes, the headless command in its
/// exit code.
enum class IzidUvoza {
    Uvozeno,    ///< the rows are in and committed (after a dry run: they would be)
    Prekinjeno, ///< a check or the operator stopped the import before anything changed
};

/// How an import treats what the operator may have to decide.
struct MoznostiUvoza {
    /// Header names that name no column are skipped without asking (headless
    /// --prezri-stolpce); otherwise the operator is asked, and without an answer the import
    /// is refused.
    bool prezriNeznaneStolpce = false;
    /// The operator is asked to go on when the file leaves out columns of POD_ORVEL (they go in
    /// empty); otherwise the caller names them (manjkajociStolpci).
    bool vprasajZaManjkajoce = true;
    /// A dry run: everything is read, checked and done, then rolled back.
    bool preizkus = false;
};

/// Rows per account class (an empty class is a row without VKNT).
using VrsticPoRazredih = std::map<std::string, int>;

class UvozIzExcela {
public:
    UvozIzExcela(TDM& dm, Vmesnik& window, MoznostiUvoza moznosti = {});
    ~UvozIzExcela();
    UvozIzExcela(const UvozIzExcela&) = delete;
    UvozIzExcela& operator=(const UvozIzExcela&) = delete;

    /// Imports the file `datoteka` for the reporting date `dan`; `vknt` is the class text as
    /// typed (blank: every class but D). Tells the outcome in messages: the counts per class
    /// and the closing message in one. A failure after the checks (an unreadable cell, a value
    /// the table refuses) rolls everything back, tells the failing row and column and goes on
    /// to the caller as an exception, as does a file that cannot be opened as a workbook.
    IzidUvoza ImportIzExcela(const std::string& datoteka, const std::string& vknt, DateValue dan);

    /// Closes the workbook that the import opened, if it is still open; nothing else.
    void ZapriExcel();

    /// The rows inserted by the last import (also after a failure, until the rollback).
    int stevec() const { return stevec_; }
    /// The rows the last import deleted, and inserted, per class.
    const VrsticPoRazredih& izbrisanih() const { return izbrisanih_; }
    const VrsticPoRazredih& vstavljenih() const { return vstavljenih_; }
    /// What the last import did (or, in a dry run, would do), per class, in lines.
    const std::string& porociloStevil() const { return porocilo_; }
    /// The columns of POD_ORVEL that the last import's file leaves out: they go in empty.
    const std::vector<std::string>& manjkajociStolpci() const { return glava_.manjkajoci; }
    /// The closing message of the last completed import.
    const std::string& zakljucnoSporocilo() const { return zakljucek_; }

private:
    bool preveriGlavo(const std::string& datoteka);
    bool vprasajZaStolpce(const std::string& datoteka);
    bool preveriDatume(const std::string& datoteka, const std::string& datumText);
    bool preveriRazred(const std::string& razred);
    bool preveriVrsticeRazredaD(const std::string& datumText);
    void beriSirine();
    void prestejBrisanje(const std::string& datumText, const std::string& razred);
    void brisi(const std::string& datumText, const std::string& razred);
    void vstavi(const std::string& datoteka);
    void vstaviVrstico(int vrstica, std::vector<std::pair<std::string, Value>>& vrednosti);
    std::string celica(int vrstica, int stolpec);
    bool jeVrstica(int vrstica);
    std::string razredVrstice(int vrstica);
    std::string sestaviPorocilo() const;
    /// Shows why the import stops, then prekini().
    IzidUvoza zavrni(const std::string& sporocilo);
    /// Closes the workbook and ends the import before anything changed.
    IzidUvoza prekini();

    TDM& dm_;
    Vmesnik& window_;
    MoznostiUvoza moznosti_;
    std::unique_ptr<Workbook> workbook_;
    GlavaUvoza glava_;
    std::vector<int> sirine_;   // per imported column: characters of a text column, else 0
    std::vector<int> vrsticeD_; // sheet rows of class D, left as they are
    int stevec_ = 0;
    VrsticPoRazredih izbrisanih_, vstavljenih_;
    std::string porocilo_, zakljucek_;
};

/// The question of "Import popravljenih": "Prosim potrdi brisanje in uvoz podatkov za  dan "
/// and the date text; when `vknt` is not blank, a line break, " in konto glavnic " and `vknt`.
std::string vprasanjeZaUvoz(const std::string& datumText, const std::string& vknt);

/// Sheet rows named in a refusal: the first ten, and how many there are in all.
std::string imenovaneVrstice(const std::vector<int>& vrstice);

} // namespace orv::sheet
