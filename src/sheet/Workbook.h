#pragma once
// A workbook opened for reading: the cells of its first sheet by row and column, each as the
// text the import works with (see CellText.h). The sheet is read as a stream, one row at a time,
// so that a large sheet costs the memory of a row, not of the whole sheet.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orv::sheet {

/// A file that cannot be read as a workbook, or a cell that cannot be read. The text names the
/// file, and the row and column where there is one.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RowCache;

/// The longest text a cell holds in the spreadsheet programs, in characters. The readers refuse
/// a longer one, naming the cell, as soon as they have passed the limit, never reading it whole.
inline constexpr size_t kLongestCellText = 32767;

/// How much of a sheet's packed rows the zipped XML readers keep for reading them again.
inline constexpr size_t kRowCacheBudget = 192u << 20;

/// One row of a sheet as a reader delivers it: its number (1-based) and the texts of its cells
/// from column 1 on; missing cells at the end are empty.
struct SheetRow {
    int number = 0;
    std::vector<std::string> cells;
    /// Cells that hold no value the import may take (a formula, an error value): the column and
    /// what is wrong. Reading such a cell throws WorkbookError naming it.
    std::vector<std::pair<int, std::string>> problems;

    /// Sets the text of a column (1-based), growing the row as needed.
    void set(int column, std::string text);
    void clear() {
        number = 0;
        cells.clear();
        problems.clear();
    }
};

class Workbook {
public:
    virtual ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    /// The text of cell (row, column), both 1-based, untrimmed; empty for an empty cell or one
    /// outside the sheet. Reading forward is a stream; going back to an earlier row starts the
    /// sheet again. Throws WorkbookError when the file turns out to be unreadable.
    const std::string& cellText(int row, int column);

    /// Releases the file. Reading after it throws WorkbookError.
    void close();
    bool isOpen() const { return open_; }

    /// The file as it was given to openWorkbook.
    const std::string& path() const { return path_; }

    /// The format of the file: "xls", "xlsx", "ods" or "csv".
    virtual const char* format() const = 0;

    /// Keeps the descriptor the file was opened with open until the workbook is destroyed: the
    /// reader reads the file through it (see openWorkbook).
    void holdFile(int fd) { heldFile_ = fd; }

protected:
    explicit Workbook(std::string path);

    /// Starts the sheet again from its first row.
    virtual void rewind() = 0;
    /// The next row that has a cell, in ascending order of rows; false at the end of the sheet.
    virtual bool nextRow(SheetRow& row) = 0;
    /// Releases what the reader holds; called once by close().
    virtual void release() = 0;

    /// Keeps the rows read, packed, up to `budget` bytes, so that reading them again costs no
    /// second parse; past the budget the sheet is streamed again. For readers whose parse is
    /// costly.
    void keepRowsRead(size_t budget);

    /// A WorkbookError whose text names the file; `what` says what is wrong.
    [[noreturn]] void fail(const std::string& what) const;
    /// The same for one cell.
    [[noreturn]] void failAt(int row, int column, const std::string& what) const;

private:
    /// The row of that number, or nullptr when it is empty.
    const SheetRow* row(int number);
    void seek(int row);
    bool fillCache(int row);

    std::string path_;
    int heldFile_ = -1;
    bool open_ = true;
    bool started_ = false;
    int behind_ = 0;   // the number of the row delivered before current_
    SheetRow current_; // the row that the cursor stands on (its number may be past the one asked)
    std::string empty_;
    std::unique_ptr<RowCache> cache_;
    bool streamEnded_ = false; // the stream has delivered its last row into the cache
    SheetRow scratch_;
};

/// Opens the first sheet of a workbook. The format is told by the file's content (a compound
/// document is .xls, a zip archive .xlsx or .ods) and, for text files, by the extension .csv,
/// .txt or .tsv. The file is opened once, without waiting, and read only when it is a regular
/// file: a folder, a FIFO or a device is refused at once (nothing could be read from them that
/// a workbook is, and a FIFO would wait for a writer forever). Throws WorkbookError naming the
/// file when it is missing, unreadable, no regular file, no workbook, protected by a password
/// or damaged.
std::unique_ptr<Workbook> openWorkbook(const std::string& path);

/// Spreadsheet column letters of a 1-based column number: 1 is A, 27 is AA.
std::string columnLetters(int column);

} // namespace orv::sheet
