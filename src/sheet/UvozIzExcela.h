#pragma once
// The import of corrected rows: the rows of one reporting date in POD_ORVEL are replaced by the
// rows of a spreadsheet file.
//
// Row 1 of the file's first sheet names the columns (see UvozniStolpci.h), the data rows start
// at row 2 and end before the first row whose column 1 is blank, and the DAT_STANJE column of
// every data row must hold the chosen date. Only then are the rows of the date deleted (all
// classes but D, or the one class chosen) and the rows of the file inserted, in one transaction:
// an import either goes in whole or changes nothing.

#include "base/Datum.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "sheet/Workbook.h"

#include <memory>
#include <string>
#include <vector>

namespace orv::sheet {

/// Columns 1 to this of a sheet are considered.
inline constexpr int kUvozniStolpciDo = 200;

/// What an import came to; the window tells it in message boxes, the headless command in its
/// exit code.
enum class IzidUvoza {
    Uvozeno,    ///< the rows are in and committed
    Prekinjeno, ///< a check stopped the import before anything changed
};

class UvozIzExcela {
public:
    UvozIzExcela(TDM& dm, Vmesnik& window);
    ~UvozIzExcela();
    UvozIzExcela(const UvozIzExcela&) = delete;
    UvozIzExcela& operator=(const UvozIzExcela&) = delete;

    /// Imports the file `datoteka` for the reporting date `dan`; `vknt` is the class text as
    /// typed (blank: every class but D). Tells the outcome in messages. A failure after the
    /// checks (an unreadable cell, a value the table refuses) rolls everything back, tells the
    /// failing row and column and goes on to the caller as an exception, as does a file that
    /// cannot be opened as a workbook.
    IzidUvoza ImportIzExcela(const std::string& datoteka, const std::string& vknt, DateValue dan);

    /// Closes the workbook that the import opened, if it is still open; nothing else.
    void ZapriExcel();

    /// The rows inserted by the last import (also after a failure, until the rollback).
    int stevec() const { return stevec_; }

private:
    struct UvozniStolpec {
        int stolpec = 0; // spreadsheet column, 1-based
        std::string ime; // POD_ORVEL column
        int sirina = 0;  // width of a text column, 0 when not a text column or unknown
    };

    bool preberiGlavo(const std::string& datoteka);
    bool preveriDatume(const std::string& datoteka, const std::string& datumText);
    void beriSirine();
    void brisi(const std::string& datumText, const std::string& vknt);
    void vstavi(const std::string& datoteka);
    void vstaviVrstico(int vrstica, std::vector<std::pair<std::string, Value>>& vrednosti);
    std::string celica(int vrstica, int stolpec);

    TDM& dm_;
    Vmesnik& window_;
    std::unique_ptr<Workbook> workbook_;
    std::vector<UvozniStolpec> stolpci_;
    int datumskiStolpec_ = 1;
    int stevec_ = 0;
};

/// The question of "Import popravljenih": "Prosim potrdi brisanje in uvoz podatkov za  dan "
/// and the date text; when `vknt` is not blank, a line break, " in konto glavnic " and `vknt`.
std::string vprasanjeZaUvoz(const std::string& datumText, const std::string& vknt);

} // namespace orv::sheet
