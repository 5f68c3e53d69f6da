#include "print/PrintedListing.h"

#include "base/Datum.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <exception>
#include <filesystem>

namespace orv::print {

namespace {

// The text whose height is the line height: a TAB and letters that reach above and below.
constexpr const char* kHeightSample = "\tp^{}[]yq$";
constexpr const char* kWidthSample = "ABCDEFGHIJKLMNOPRSTUWZXY";

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

// A column is as wide as its display width in characters, but ends before the right margin.
int PrintedListing::columnWidth(const ListingColumn& column) const {
    return std::max(0, std::min(column.displayWidth * c_, pageRight() - x_ - 1));
}

void PrintedListing::text(int x, int y, int width, int height, const std::string& value,
                          Align align, bool wrap) {
    if (drawing()) canvas_.drawText(x, y, width, height, value, align, wrap);
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

void PrintedListing::columnHeaderLine(const std::vector<ListingColumn>& columns) {
    canvas_.setFont(styled(font_, false, true));
    const int h = lineHeight();
    if (pageBottom() - y_ < 2 * (h + layout_.gap + 1)) return;
    // The labels are measured first: the line is as high as its highest label.
    struct Cell {
        int x, width;
        const std::string* label;
    };
    std::vector<Cell> cells;
    int highest = 0;
    x_ = layout_.leftMargin;
    for (const ListingColumn& column : columns) {
        if (x_ >= pageRight()) break;
        const int width = columnWidth(column);
        cells.push_back({x_, width, &column.label});
        highest = std::max(highest, canvas_.wrappedHeight(column.label, width));
        x_ += width + 3;
    }
    const int bottom = y_ + highest + layout_.gap + 1;
    for (const Cell& cell : cells) {
        text(cell.x + 1, y_ + layout_.gap / 2, cell.width, highest, *cell.label, Align::Left, true);
        line(cell.x + cell.width + 2, y_, cell.x + cell.width + 2, bottom);
    }
    line(layout_.leftMargin, y_, pageRight(), y_);
    line(layout_.leftMargin, bottom, pageRight(), bottom);
    line(layout_.leftMargin, y_, layout_.leftMargin, bottom);
    x_ = layout_.leftMargin;
    y_ = bottom + 1;
}

bool PrintedListing::dataLine(const std::vector<ListingColumn>& columns,
                              const std::vector<std::string>& texts, int number) {
    canvas_.setFont(styled(font_, true, false));
    const int h = lineHeight();
    const int bottom = y_ + h + layout_.gap + 1;
    if (bottom > pageBottom()) return false;
    x_ = layout_.leftMargin;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (x_ >= pageRight()) break;
        const ListingColumn& column = columns[i];
        const int width = columnWidth(column);
        // A field named "#" numbers the rows.
        const std::string& value = column.name == "#" ? std::to_string(number)
                                   : i < texts.size() ? texts[i]
                                                      : std::string();
        text(x_ + 1, y_ + layout_.gap / 2, width, h, value, column.align, false);
        line(x_ + width + 2, y_, x_ + width + 2, bottom);
        x_ += width + 3;
    }
    line(layout_.leftMargin, y_, layout_.leftMargin, bottom);
    line(layout_.leftMargin, bottom, pageRight(), bottom);
    x_ = layout_.leftMargin;
    y_ = bottom + 1;
    return true;
}

void PrintedListing::masterRows(const std::vector<ListingMaster>& masters) {
    for (const ListingMaster& master : masters) {
        columnHeaderLine(master.columns);
        dataLine(master.columns, master.texts, 0);
        y_ += layout_.gap;
        if (y_ > pageBottom()) breakPage();
    }
}

void PrintedListing::breakPage() {
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
    try {
        const int total = rows.count();
        std::vector<ListingColumn> columns;
        int number = 0;
        bool cancelled = false;
        rows.forEach(
            [&](const std::vector<ListingColumn>& opened) {
                columns = opened;
                pageHeader();
                masterRows(masters);
                columnHeaderLine(columns);
            },
            [&](const std::vector<std::string>& texts) {
                ++number;
                if (!dataLine(columns, texts, number)) {
                    canvas_.setFont(styled(font_, true, false));
                    const std::string more = "> > >";
                    const int width = canvas_.textWidth(more);
                    text(pageRight() - width, y_, width, lineHeight(), more, Align::Right, false);
                    breakPage();
                    masterRows(masters);
                    columnHeaderLine(columns);
                    // A line taller than an empty page is left out rather than breaking
                    // pages for ever.
                    dataLine(columns, texts, number);
                }
                if (progress && !progress(number, total)) {
                    cancelled = true;
                    return false;
                }
                return true;
            });
        if (cancelled) {
            canvas_.abortJob();
            started_ = false;
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        failure_ = error.what();
    } catch (...) {
        failure_ = "unknown failure";
    }
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
