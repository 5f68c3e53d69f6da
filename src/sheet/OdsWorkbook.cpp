#include "sheet/OdsWorkbook.h"

#include "sheet/CellText.h"
#include "sheet/XmlStream.h"
#include "sheet/ZipArchive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <optional>

namespace orv::sheet {

namespace {

constexpr size_t kPartLimit = 64u << 20;
constexpr size_t kChunk = 256u << 10;
// Repeated cells and rows with a value are spelled out up to these counts; empty ones (which
// fill a sheet to its end) only move the position.
constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1 << 20;
// The most spaces one <text:s> stands for: a few bytes of a file must not become gigabytes.
constexpr int kMaxSpaces = 1 << 16;
// The texts of one row, in bytes as kept: a text repeated over many columns costs a few bytes
// of XML and the text in every column.
constexpr size_t kLargestRowText = 64u << 20;

int toInt(const char* value, int otherwise) {
    if (!value) return otherwise;
    int result = otherwise;
    if (std::from_chars(value, value + std::strlen(value), result).ec != std::errc())
        return otherwise;
    return result;
}

// A repeat count of the file, within 1 and `most`: the counts are added up, and a hostile one
// would overflow the row or column number.
int repeatCount(const char* value, int most) {
    return std::clamp(toInt(value, 1), 1, most);
}

// settings.xml: the name of the table shown when the document opens.
class SettingsPart : public XmlStream {
public:
    using XmlStream::XmlStream;
    std::string activeTable;

private:
    void startElement(std::string_view name, const char** attributes) override {
        if (name != "config-item") return;
        const char* itemName = attribute(attributes, "name");
        inActiveTable_ = itemName && std::strcmp(itemName, "ActiveTable") == 0 && !found_;
    }
    void endElement(std::string_view name) override {
        if (name == "config-item" && inActiveTable_) {
            inActiveTable_ = false;
            found_ = true;
        }
    }
    void characters(std::string_view text) override {
        if (inActiveTable_) activeTable += text;
    }
    bool inActiveTable_ = false;
    bool found_ = false;
};

// content.xml: the rows of one table, collected as they end.
class ContentPart : public XmlStream {
public:
    ContentPart(std::string source, std::string tableName)
        : XmlStream(std::move(source)), wanted_(std::move(tableName)) {}

    struct Pending {
        SheetRow row;
        int repeat = 1;
    };
    std::deque<Pending> rows;

    void restart() {
        reset();
        rows.clear();
        stopped_ = false;
        tableDepth_ = 0;
        inTable_ = tableDone_ = false;
        nextRow_ = 1;
    }

private:
    void startElement(std::string_view name, const char** attributes) override {
        if (name == "table") {
            ++tableDepth_;
            if (tableDepth_ == 1 && !tableDone_ && !inTable_) {
                const char* tableName = attribute(attributes, "name");
                inTable_ = wanted_.empty() || (tableName && wanted_ == tableName);
            }
            return;
        }
        if (!inTable_ || tableDepth_ != 1) return;
        if (name == "table-row") {
            row_.clear();
            rowBytes_ = 0;
            row_.number = nextRow_;
            rowRepeat_ = repeatCount(attribute(attributes, "number-rows-repeated"), kMaxRows);
            column_ = 1;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            startCell(attributes);
        } else if (inCell_) {
            if (name == "p") {
                if (paragraphs_++ > 0) text_ += '\n';
                inParagraph_ = true;
            } else if (name == "s" && inParagraph_) {
                const int spaces = repeatCount(attribute(attributes, "c"), kMaxSpaces);
                text_.append(static_cast<size_t>(spaces), ' ');
                counted(static_cast<size_t>(spaces));
            } else if (name == "tab" && inParagraph_) {
                text_ += '\t';
            } else if (name == "line-break" && inParagraph_) {
                text_ += '\n';
            } else if (name == "annotation") {
                ++annotation_; // a comment's text is no part of the value
            }
        }
    }

    void startCell(const char** attributes) {
        inCell_ = true;
        cellCharacters_ = 0;
        paragraphs_ = 0;
        annotation_ = 0;
        text_.clear();
        cellRepeat_ = repeatCount(attribute(attributes, "number-columns-repeated"), kMaxColumns);
        formula_ = attribute(attributes, "formula") != nullptr;
        problem_.clear();
        value_.reset();
        const char* type = attribute(attributes, "value-type");
        if (!type) return;
        const std::string_view kind = type;
        if (kind == "float" || kind == "percentage" || kind == "currency") {
            const char* number = attribute(attributes, "value");
            double parsed = 0;
            bool valid = false;
            if (number) {
                // The whole value must be one finite number: "12abc" is no 12, "nan" no cell's.
                const char* end = number + std::strlen(number);
                const auto read = std::from_chars(number, end, parsed);
                valid = read.ec == std::errc() && read.ptr == end && std::isfinite(parsed);
            }
            if (valid)
                value_ = numberText(parsed);
            else
                problem_.assign("neveljavno število ").append(number ? number : "");
        } else if (kind == "date") {
            const char* date = attribute(attributes, "date-value");
            if (date) value_ = isoDateText(date);
            if (!value_) problem_.assign("neveljaven datum ").append(date ? date : "");
        } else if (kind == "boolean") {
            const char* flag = attribute(attributes, "boolean-value");
            value_ = flag && std::strcmp(flag, "true") == 0 ? "1" : "0";
        }
        // "string" and "time" take the text the cell shows.
    }

    void endElement(std::string_view name) override {
        if (name == "table") {
            if (tableDepth_ == 1 && inTable_) {
                inTable_ = false;
                tableDone_ = true;
            }
            --tableDepth_;
            return;
        }
        if (!inTable_ || tableDepth_ != 1) return;
        if (name == "table-cell" || name == "covered-table-cell") {
            endCell();
        } else if (name == "table-row") {
            endRow();
        } else if (name == "p") {
            inParagraph_ = false;
        } else if (name == "annotation") {
            --annotation_;
        }
    }

    void characters(std::string_view text) override {
        if (!inCell_ || !inParagraph_ || annotation_ != 0 || stopped_) return;
        text_ += text;
        size_t characters = 0;
        for (const char c : text)
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        counted(characters);
    }

    // Characters added to the cell's text: past a cell's limit the parse stops, naming it.
    void counted(size_t characters) {
        cellCharacters_ += characters;
        if (cellCharacters_ <= kLongestCellText || stopped_) return;
        stopped_ = true;
        stop(source() + ", vrstica " + std::to_string(row_.number) + ", stolpec " +
             std::to_string(column_) + " (" + columnLetters(column_) + "): celica je daljša od " +
             std::to_string(kLongestCellText) +
             " znakov, kolikor jih celica lahko ima v programih za preglednice");
    }

    void endCell() {
        inCell_ = false;
        const int first = column_;
        column_ = std::min(column_ + cellRepeat_, kMaxColumns + 1); // past the sheet, it stays
        std::string text = value_ ? *value_ : text_;
        const bool hasProblem = formula_ || !problem_.empty();
        if (text.empty() && !hasProblem) return;
        const int last = std::min(column_ - 1, kMaxColumns);
        // A long text repeated over every column of the sheet is many times its XML.
        rowBytes_ += text.size() * static_cast<size_t>(std::max(0, last - first + 1));
        if (rowBytes_ > kLargestRowText && !stopped_) {
            stopped_ = true;
            stop(source() + ": vrstica " + std::to_string(row_.number) + " ima več kot " +
                 std::to_string(kLargestRowText >> 20) +
                 " MB besedila; delovni zvezek je prevelik za uvoz");
            return;
        }
        for (int column = first; column <= last; ++column) {
            if (formula_)
                row_.problems.emplace_back(column,
                                           "celica vsebuje formulo; uvažajo se le vrednosti");
            else if (!problem_.empty())
                row_.problems.emplace_back(column, problem_);
            else
                row_.set(column, text);
        }
    }

    void endRow() {
        const int repeat = rowRepeat_;
        nextRow_ = std::min(nextRow_ + repeat, kMaxRows + 1);
        if (row_.cells.empty() && row_.problems.empty()) return;
        const int count = std::min(repeat, std::max(1, kMaxRows - row_.number + 1));
        rows.push_back({std::move(row_), count});
        row_.clear();
    }

    std::string wanted_;
    int tableDepth_ = 0;
    bool inTable_ = false;
    bool tableDone_ = false;
    int nextRow_ = 1;

    SheetRow row_;
    int rowRepeat_ = 1;
    int column_ = 1;
    bool inCell_ = false;
    bool inParagraph_ = false;
    int paragraphs_ = 0;
    int annotation_ = 0;
    int cellRepeat_ = 1;
    bool formula_ = false;
    std::string problem_;
    std::optional<std::string> value_;
    std::string text_;
    size_t cellCharacters_ = 0;
    size_t rowBytes_ = 0;
    bool stopped_ = false;
};

class OdsWorkbook : public Workbook {
public:
    OdsWorkbook(const std::string& path, std::unique_ptr<ZipArchive> archive)
        : Workbook(path), archive_(std::move(archive)) {
        // An encrypted document keeps its parts readable as zip entries, but not as XML.
        if (archive_->contains("META-INF/manifest.xml") &&
            archive_->read("META-INF/manifest.xml", kPartLimit).find("encryption-data") !=
                std::string::npos)
            fail("delovni zvezek je zaščiten z geslom (šifriran)");
        std::string active;
        if (archive_->contains("settings.xml")) {
            SettingsPart settings("Excel datoteka " + path + " (settings.xml)");
            settings.parse(archive_->read("settings.xml", kPartLimit));
            active = settings.activeTable;
        }
        content_ = std::make_unique<ContentPart>("Excel datoteka " + path + " (content.xml)",
                                                 std::move(active));
        keepRowsRead(kRowCacheBudget);
    }

    const char* format() const override { return "ods"; }

protected:
    void rewind() override {
        content_->restart();
        archive_->openEntry("content.xml");
        ended_ = false;
    }

    bool nextRow(SheetRow& row) override {
        // The entry is inflated straight into the parser's own buffer.
        while (content_->rows.empty() && !ended_)
            ended_ = !content_->feedFrom(
                kChunk, [this](char* room, size_t size) { return archive_->readSome(room, size); });
        if (content_->rows.empty()) return false;
        ContentPart::Pending& pending = content_->rows.front();
        if (pending.repeat > 1) {
            row = pending.row;
            ++pending.row.number;
            --pending.repeat;
        } else {
            row = std::move(pending.row);
            content_->rows.pop_front();
        }
        return true;
    }

    void release() override {
        content_.reset();
        archive_.reset();
    }

private:
    std::unique_ptr<ZipArchive> archive_;
    std::unique_ptr<ContentPart> content_;
    bool ended_ = false;
};

} // namespace

std::unique_ptr<Workbook> openOdsWorkbook(const std::string& path,
                                          std::unique_ptr<ZipArchive> archive) {
    return std::make_unique<OdsWorkbook>(path, std::move(archive));
}

} // namespace orv::sheet
