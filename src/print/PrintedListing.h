#pragma once
// The printed listing: the rows of a dataset as a ruled listing with a page header (date, time
// and page number), a title, the master rows, a line of column labels and one line per row with
// the columns side by side. Columns that do not fit between the margins continue on further
// pages to the right, across and then down as spreadsheet programs print: the rows of a page are
// printed with the first columns, then the same rows with the next columns on the next page, and
// so on, before the next rows begin. Lays the pages out and draws them through a ListingCanvas;
// only the pages of the chosen range are drawn. Only the rows of one page are held at a time.

#include "print/ColumnBands.h"
#include "print/ListingCanvas.h"
#include "print/ListingRows.h"

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace orv::print {

/// Page layout values in printer device units.
struct ListingLayout {
    int leftMargin = 20;
    int rightMargin = 20;
    int topMargin = 50;
    int bottomMargin = 200;
    int gap = 5;          ///< between lines
    int cellPadding = 10; ///< between a cell's text and its rules, on either side
    bool ruling = true;
};

/// The pages to draw. All pages are every page, however many: a listing of more pages than a
/// range the printer dialog offers (1 to 999) must not lose its end.
struct PageRange {
    int from = 1;
    int to = std::numeric_limits<int>::max();
};

class PrintedListing {
public:
    explicit PrintedListing(ListingCanvas& canvas, ListingLayout layout = {});

    /// The date and time of the page header; the system's clock as dd.mm.yyyy hh:mm:ss unless
    /// set.
    std::function<std::string()> clock;
    /// Called after each row with the rows done and the row count; returning false cancels.
    std::function<bool(int done, int total)> progress;

    /// Sets up the job: starts it under `jobTitle` on the canvas, measures the character width
    /// in `font` made bold, and draws the first page header with `title`. Throws when the
    /// canvas cannot start the job.
    void Begin(const std::string& jobTitle, const std::string& title, const ListingFont& font,
               PageRange range = {});
    /// Prints the master rows (outermost first), the column header line and the rows, on as
    /// many pages across as the columns need. Returns true when every row was printed; after a
    /// cancel or a failure the job is aborted and Print returns false.
    bool Print(ListingRows& rows, const std::vector<ListingMaster>& masters = {});
    /// Ends the job and resets the page number, position and texts.
    void End();

    /// Why the last Print returned false: the failure's text; empty after a cancel.
    const std::string& failure() const { return failure_; }
    /// The pages laid out so far (the last page's number).
    int page() const { return page_; }
    /// The pages across that the columns of the last Print needed (1 when they fit one page).
    int pagesAcross() const { return static_cast<int>(table_.bands.size()); }
    /// The character width c and the line height h of the job.
    int charWidth() const { return c_; }
    int lineHeight();

private:
    // Columns laid out for the pages: their text widths, their pages across and the height of
    // the highest label, which every page's header line takes so that the rows of the pages
    // across stand at the same heights.
    struct Table {
        std::vector<ListingColumn> columns;
        std::vector<ColumnBand> bands;
        int labelHeight = 0;
    };

    bool drawing() const { return !measuring_ && page_ >= range_.from && page_ <= range_.to; }
    int pageRight() const;
    int pageBottom() const;
    CellGeometry cell() const { return {layout_.cellPadding}; }
    Table layOut(const std::vector<ListingColumn>& columns);
    int columnWidth(const ListingColumn& column);
    void text(int x, int y, int width, int height, const std::string& text, Align align, bool wrap);
    void valueText(int x, int y, int width, int height, const std::string& value, Align align);
    int ruledRight(const ColumnBand& band) const;
    void line(int x1, int y1, int x2, int y2);
    void pageHeader();
    void columnHeaderLine(const Table& table, const ColumnBand& band);
    bool dataLine(const ColumnBand& band, const std::vector<ListingColumn>& columns,
                  const std::vector<std::string>& texts, int number);
    void masterRows();
    int rowsPerPage();
    void keepRow(const std::vector<std::string>& texts);
    void printHeldRows();
    void continuationMark();
    void breakPage();

    ListingCanvas& canvas_;
    ListingLayout layout_;
    PageRange range_;
    ListingFont font_;
    std::string title_;
    int page_ = 1;
    int x_ = 0, y_ = 0;
    int c_ = 1;
    bool headerDone_ = false;
    bool started_ = false;
    bool measuring_ = false;
    std::string failure_;

    Table table_;
    std::vector<Table> masterTables_;
    const std::vector<ListingMaster>* masters_ = nullptr;
    // The rows of the page being filled: the first `held_` entries of `rows_`, numbered from
    // `firstHeld_`. The entries are reused from page to page.
    std::vector<std::vector<std::string>> rows_;
    size_t held_ = 0;
    int firstHeld_ = 1;
    int rowsPerPage_ = 0;
    bool pageFree_ = false; ///< the current page has its header and nothing else yet
};

/// The print job's title: the full path of the running program's file followed by " : ".
std::string listingJobTitle();

/// The number of characters of a UTF-8 text.
int characterCount(const std::string& text);

/// The width the widest word of `text` (words are separated by blanks) takes, by `measure`.
int widestWordWidth(const std::string& text, const std::function<int(const std::string&)>& measure);

} // namespace orv::print
