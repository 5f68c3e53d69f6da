#pragma once
// The writers of the export formats. Each writes all rows of the open dataset into the output
// of `datoteka` and leaves its confirmation to the caller.

#include "export/Izvoz.h"
#include "export/StolpciIzvoza.h"
#include "export/VarnaDatoteka.h"

#include <memory>
#include <string>
#include <vector>

namespace orv {

/// What the writers tell the operator, gathered over one export.
struct Opombe {
    int zamenjaniZnaki = 0; ///< characters the code page lacks, written as '?'
    std::vector<std::string> besedila;
};

void zapisiDbf(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
               VarnaDatoteka& datoteka, const Napredek& napredek, Opombe& opombe);
void zapisiParadox(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
                   VarnaDatoteka& datoteka, const Napredek& napredek, Opombe& opombe);
/// Also writes the schema into `shema`, when there is one.
void zapisiFiksniTekst(TOracleDataSet& dataset, const std::vector<StolpecIzvoza>& stolpci,
                       VarnaDatoteka& datoteka, VarnaDatoteka* shema, const Napredek& napredek,
                       Opombe& opombe);

/// A writer that takes one row at a time: the workbooks, which are written as the rows arrive
/// (from an open dataset or streamed from its statement).
class PisecVrstic {
public:
    virtual ~PisecVrstic() = default;
    /// Writes the current row of `dataset`.
    virtual void vrstica(TOracleDataSet& dataset) = 0;
    /// Completes the file (the output itself is confirmed by the caller).
    virtual void koncaj() = 0;
};

/// The workbooks the import reads back: row 1 names the columns, then one row per row. The
/// names are written at once.
std::unique_ptr<PisecVrstic> pisecXlsx(const std::vector<StolpecIzvoza>& stolpci,
                                       VarnaDatoteka& datoteka);
std::unique_ptr<PisecVrstic> pisecCsv(const std::vector<StolpecIzvoza>& stolpci,
                                      VarnaDatoteka& datoteka);

/// The columns' field names in a format whose names have at most `najvec` characters (see
/// kratkaImena); every name that changed is told in `opombe`, old and new.
std::vector<std::string> imenaPolj(const std::vector<StolpecIzvoza>& stolpci, size_t najvec,
                                   const char* oblika, Opombe& opombe);

/// A text value in code page 1250; counts the characters it lacks.
std::string besediloVCp1250(const std::string& utf8, Opombe& opombe);

/// Throws IzvozError when the longest value of a text column is wider than `najvec`.
void preveriSirino(const StolpecIzvoza& stolpec, int najvec, const char* oblika);

/// "dd.mm.yyyy" or "dd.mm.yyyy hh:mm:ss" as the column needs.
std::string datumStolpca(const StolpecIzvoza& stolpec, double datum);

} // namespace orv
