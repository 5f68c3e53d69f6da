#include "print/PrintedListing.h"

#include "base/Datum.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace orv::print {

namespace {

// The text whose height is the line height: a TAB and letters that reach above and below.
constexpr const char* kHeightSample = "\tp^{}[]yq$";
constexpr const char* kWidthSample = "ABCDEFGHIJKLMNOPRSTUWZXY";
constexpr const char* kContinues = "> > >";

std::string systemClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return dateText(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900) + " " + time;
}

ListingFont styled(ListingFont font, bool bold, bool italic) {
    font.bold = bold;
    font.italic = italic;
    return font;
}

} // namespace

std::string listingJobTitle() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::string("orvelnost") : program.string()) + " : ";
}

int characterCount(const std::string& text) {
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

int widestWordWidth(const std::string& text,
                    const std::function<int(const std::string&)>& measure) {
    int widest = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t blank = text.find(' ', start);
        const size_t end = blank == std::string::npos ? text.size() : blank;
        if (end > start) widest = std::max(widest, measure(text.substr(start, end - start)));
        start = end + 1;
    }
    return widest;
}

PrintedListing::PrintedListing(ListingCanvas& canvas, ListingLayout layout)
    : canvas_(canvas), layout_(layout) {}

int PrintedListing::pageRight() const {
    return canvas_.pageWidth() - layout_.rightMargin;
}

int PrintedListing::pageBottom() const {
    return canvas_.pageHeight() - layout_.bottomMargin;
}

int PrintedListing::lineHeight() {
    return canvas_.textHeight(kHeightSample);
}

// A column is as wide as its display width in characters, and at least as wide as the widest
// word of its label, so that a label wraps between its words and is never cut inside one. A
// column wider than the page is narrowed to the page; its values are cut there.
int PrintedListing::columnWidth(const ListingColumn& column) {
    // A blank unit on the right: the wrapping of a word that just fits must not depend on
    // rounding in the measure.
    const int label =
        widestWordWidth(column.label,
                        [this](const std::string& word) { return canvas_.textWidth(word); }) +
        1;
    const int widest = cell().widestText(layout_.leftMargin, pageRight());
    return std::max(1, std::min(std::max(column.displayWidth * c_, label), widest));
}

PrintedListing::Table PrintedListing::layOut(const std::vector<ListingColumn>& columns) {
    Table table;
    table.columns = columns;
    canvas_.setFont(styled(font_, false, true)); // the labels' font
    std::vector<int> widths;
    for (const ListingColumn& column : columns) {
        widths.push_back(columnWidth(column));
        table.labelHeight =
            std::max(table.labelHeight, canvas_.wrappedHeight(column.label, widths.back()));
    }
    table.bands = bandsOfColumns(widths, layout_.leftMargin, pageRight(), cell());
    return table;
}

void PrintedListing::text(int x, int y, int width, int height, const std::string& value,
                          Align align, bool wrap) {
    if (drawing()) canvas_.drawText(x, y, width, height, value, align, wrap);
}

// A value in the data line's font. A text too wide for its cell is cut at the cell's edge; a
// number (aligned right or centred) is never cut, since a cut amount reads as another amount:
// it is drawn in a smaller font, down to half the size, and shown as "###" when even that is too
// wide, as spreadsheet programs do.
void PrintedListing::valueText(int x, int y, int width, int height, const std::string& value,
                               Align align) {
    if (!drawing()) return;
    if (align == Align::Left || canvas_.textWidth(value) <= width) {
        canvas_.drawText(x, y, width, height, value, align, false);
        return;
    }
    const ListingFont normal = styled(font_, true, false);
    ListingFont smaller = normal;
    const int smallest = std::max(1, normal.size / 2);
    bool fits = false;
    while (!fits && smaller.size > smallest) {
        --smaller.size;
        canvas_.setFont(smaller);
        fits = canvas_.textWidth(value) <= width;
    }
    if (!fits) canvas_.setFont(normal);
    canvas_.drawText(x, y, width, height, fits ? value : std::string("###"), align, false);
    canvas_.setFont(normal);
}

// The rules across a line end at the rule of its last column; a line without columns is ruled
// to the right margin.
int PrintedListing::ruledRight(const ColumnBand& band) const {
    return band.empty() ? pageRight() : cell().ruleX(band.back().x, band.back().width);
}

void PrintedListing::line(int x1, int y1, int x2, int y2) {
    if (drawing() && layout_.ruling) canvas_.drawLine(x1, y1, x2, y2);
}

void PrintedListing::Begin(const std::string& jobTitle, const std::string& title,
                           const ListingFont& font, PageRange range) {
    range_ = range;
    page_ = 1;
    x_ = layout_.leftMargin;
    y_ = layout_.topMargin;
    title_ = title;
    font_ = font;
    headerDone_ = false;
    canvas_.startJob(jobTitle);
    started_ = true;
    canvas_.setFont(styled(font_, true, font_.italic));
    c_ = std::max(1, canvas_.textWidth(kWidthSample) / 24);
    canvas_.setFont(font_);
    pageHeader();
    pageFree_ = true;
}

void PrintedListing::pageHeader() {
    if (headerDone_) return;
    canvas_.setFont(styled(font_, false, true));
    const int h = lineHeight();
    const std::string stamp =
        " " + (clock ? clock() : systemClock()) + ", Stran " + std::to_string(page_);
    const int width = c_ * characterCount(stamp);
    text(pageRight() - width, y_, width, h, stamp, Align::Right, false);
    y_ += h + layout_.gap;

    ListingFont big = styled(font_, true, false);
    big.size = static_cast<int>(std::lround(font_.size * 1.5));
    canvas_.setFont(big);
    const int width2 = pageRight() - layout_.leftMargin;
    const int titleHeight = title_.empty() ? 0 : canvas_.wrappedHeight(title_, width2);
    text(layout_.leftMargin, y_, width2, titleHeight, title_, Align::Left, true);
    y_ += titleHeight + layout_.gap;
    headerDone_ = true;
}

void PrintedListing::columnHeaderLine(const Table& table, const ColumnBand& band) {
    canvas_.setFont(styled(font_, false, true));
    const int h = lineHeight();
    if (pageBottom() - y_ < 2 * (h + layout_.gap + 1)) return;
    const int bottom = y_ + table.labelHeight + layout_.gap + 1;
    for (const PlacedColumn& placed : band) {
        const std::string& label = table.columns[static_cast<size_t>(placed.column)].label;
        text(cell().textX(placed.x), y_ + layout_.gap / 2, placed.width, table.labelHeight, label,
             Align::Left, true);
        const int rule = cell().ruleX(placed.x, placed.width);
        line(rule, y_, rule, bottom);
    }
    line(layout_.leftMargin, y_, ruledRight(band), y_);
    line(layout_.leftMargin, bottom, ruledRight(band), bottom);
    line(layout_.leftMargin, y_, layout_.leftMargin, bottom);
    x_ = layout_.leftMargin;
    y_ = bottom + 1;
}

bool PrintedListing::dataLine(const ColumnBand& band, const std::vector<ListingColumn>& columns,
                              const std::vector<std::string>& texts, int number) {
    canvas_.setFont(styled(font_, true, false));
    const int h = lineHeight();
    const int bottom = y_ + h + layout_.gap + 1;
    if (bottom > pageBottom()) return false;
    for (const PlacedColumn& placed : band) {
        const size_t i = static_cast<size_t>(placed.column);
        const ListingColumn& column = columns[i];
        // A field named "#" numbers the rows.
        const std::string& value = column.name == "#" ? std::to_string(number)
                                   : i < texts.size() ? texts[i]
                                                      : std::string();
        valueText(cell().textX(placed.x), y_ + layout_.gap / 2, placed.width, h, value,
                  column.align);
        const int rule = cell().ruleX(placed.x, placed.width);
        line(rule, y_, rule, bottom);
    }
    line(layout_.leftMargin, y_, layout_.leftMargin, bottom);
    line(layout_.leftMargin, bottom, ruledRight(band), bottom);
    x_ = layout_.leftMargin;
    y_ = bottom + 1;
    return true;
}

// The master rows stand on every page whole: each master's columns on as many lines as its
// pages across would take.
void PrintedListing::masterRows() {
    if (!masters_) return;
    for (size_t i = 0; i < masters_->size() && i < masterTables_.size(); ++i) {
        const Table& table = masterTables_[i];
        for (const ColumnBand& band : table.bands) {
            columnHeaderLine(table, band);
            dataLine(band, table.columns, (*masters_)[i].texts, 0);
        }
        y_ += layout_.gap;
    }
}

// The rows a page holds below its header, its master rows and its column header line; the same
// on every page, since each page repeats them with the same heights.
int PrintedListing::rowsPerPage() {
    const int x = x_, y = y_;
    const bool headerDone = headerDone_;
    measuring_ = true;
    y_ = layout_.topMargin;
    headerDone_ = false;
    pageHeader();
    masterRows();
    columnHeaderLine(table_, table_.bands.front());
    canvas_.setFont(styled(font_, true, false));
    const int step = lineHeight() + layout_.gap + 2;
    const int rows = std::max(0, (pageBottom() - y_ + 1) / step);
    measuring_ = false;
    x_ = x;
    y_ = y;
    headerDone_ = headerDone;
    return rows;
}

void PrintedListing::keepRow(const std::vector<std::string>& texts) {
    if (held_ == rows_.size()) rows_.emplace_back();
    rows_[held_].assign(texts.begin(), texts.end());
    ++held_;
    if (static_cast<int>(held_) == rowsPerPage_) printHeldRows();
}

// The held rows, once on each page across: every page has its header, the master rows and the
// column header line of its columns.
void PrintedListing::printHeldRows() {
    for (const ColumnBand& band : table_.bands) {
        if (!pageFree_) breakPage();
        pageFree_ = false;
        masterRows();
        columnHeaderLine(table_, band);
        for (size_t i = 0; i < held_; ++i)
            dataLine(band, table_.columns, rows_[i], firstHeld_ + static_cast<int>(i));
    }
    firstHeld_ += static_cast<int>(held_);
    held_ = 0;
}

void PrintedListing::continuationMark() {
    canvas_.setFont(styled(font_, true, false));
    const int width = canvas_.textWidth(kContinues);
    text(pageRight() - width, y_, width, lineHeight(), kContinues, Align::Right, false);
}

// A page that another follows ends with the continuation mark.
void PrintedListing::breakPage() {
    continuationMark();
    // A sheet is ended only when it carries a page of the range and more of the range follow;
    // the pages before the range are laid out over each other on the first sheet, undrawn.
    if (drawing() && page_ < range_.to) canvas_.newPage();
    ++page_;
    x_ = layout_.leftMargin;
    y_ = layout_.topMargin;
    headerDone_ = false;
    pageHeader();
}

bool PrintedListing::Print(ListingRows& rows, const std::vector<ListingMaster>& masters) {
    failure_.clear();
    masters_ = &masters;
    held_ = 0;
    firstHeld_ = 1;
    try {
        table_ = layOut({});
        const int total = rows.count();
        int number = 0;
        bool cancelled = false;
        rows.forEach(
            [&](const std::vector<ListingColumn>& opened) {
                table_ = layOut(opened);
                masterTables_.clear();
                for (const ListingMaster& master : masters)
                    masterTables_.push_back(layOut(master.columns));
                rowsPerPage_ = rowsPerPage();
                if (rowsPerPage_ < 1)
                    throw std::runtime_error(
                        "Naslov in glava izpisa sta višja od strani; za vrstice ni prostora.");
            },
            [&](const std::vector<std::string>& texts) {
                ++number;
                keepRow(texts);
                if (progress && !progress(number, total)) {
                    cancelled = true;
                    return false;
                }
                return true;
            });
        if (!cancelled) {
            // The last rows; a listing without rows still shows its column header lines.
            if (held_ > 0 || number == 0) printHeldRows();
            masters_ = nullptr;
            return true;
        }
    } catch (const std::exception& error) {
        failure_ = error.what();
    } catch (...) {
        failure_ = "unknown failure";
    }
    masters_ = nullptr;
    canvas_.abortJob();
    started_ = false;
    return false;
}

void PrintedListing::End() {
    const bool started = started_;
    started_ = false;
    page_ = 1;
    x_ = layout_.leftMargin;
    y_ = layout_.topMargin;
    title_.clear();
    headerDone_ = false;
    masters_ = nullptr;
    rows_.clear();
    held_ = 0;
    if (started) {
        try {
            canvas_.endJob();
        } catch (...) {
            canvas_.abortJob();
            throw;
        }
    }
}

} // namespace orv::print
