#pragma once
// The grid's exports of a dataset's visible fields: the clipboard text and the three table
// files. The desktop program and orvelnost-izvoz share them.

#include <functional>
#include <string>
#include <vector>

namespace orv {

class TOracleDataSet;

class Value;

/// Called after each row with the number of rows done so far.
using Napredek = std::function<void(int)>;

/// A field's own display text (a grid column's display-text handler): given the field's position
/// and value, the text shown.
using PrikaznoBesedilo = std::function<std::string(int polje, const Value& vrednost)>;

enum class OblikaIzvoza {
    DBase,       ///< a dBase table (.dbf), code page 1250
    Paradox,     ///< a Paradox table (.db), code page 1250
    FiksniTekst, ///< fixed-length text (.txt) with its schema beside it (.sch), code page 1250
    Xlsx,        ///< an Excel workbook (.xlsx) that the import reads back as it was
    Csv          ///< text separated by ';' (.csv), UTF-8, that the import reads back as it was
};

/// The clipboard text of the open dataset: the caption line, a line of the fields' display
/// labels, then one line per row. Every label and value is followed by a TAB and every line by
/// CR LF. A value is the field's display text; a text field's value has every CR removed and
/// stands between double quotes with its inner double quotes doubled; no value keeps a TAB. The
/// dataset stands on its first row afterwards. With `prikaz`, values show as it gives them.
std::string BesediloOdlozisca(TOracleDataSet& dataset, const std::vector<int>& polja,
                              const std::string& napis, const Napredek& napredek = {},
                              const PrikaznoBesedilo& prikaz = {});

/// Writes the fields `polja` (positions in the open dataset, in their order) of all rows to a new
/// file at `pot` (see VarnaDatoteka: a file is replaced only when the whole export was written).
/// Throws IzvozError (nothing written) when the folder is missing or not writable, the disk is
/// full, or a value does not fit the format. Returns the notices the operator must read: what
/// was written otherwise than asked (a field name the format could not take, characters the
/// code page lacks, a column that changed kind to keep its values whole); empty when everything
/// went in as it is.
std::vector<std::string> IzvoziTabelo(TOracleDataSet& dataset, const std::vector<int>& polja,
                                      OblikaIzvoza oblika, const std::string& pot,
                                      const Napredek& napredek = {});

/// The workbook export (.xlsx or .csv) of the rows of the statement of `dataset`, streamed: each
/// row is written as it arrives and none is kept, so that the memory does not grow with the
/// rows. `imena` names the fields to write (any letter case) in their order, or all when empty;
/// a name the result lacks throws IzvozError. Returns the number of rows written; the dataset is
/// closed afterwards. Otherwise as IzvoziTabelo.
int IzvoziPretok(TOracleDataSet& dataset, const std::vector<std::string>& imena,
                 OblikaIzvoza oblika, const std::string& pot, const Napredek& napredek = {});

/// The file of the schema that goes with a fixed-length text file: its name with ".sch".
std::string potSheme(const std::string& potBesedila);

} // namespace orv
