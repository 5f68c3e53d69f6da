#include "sheet/XlsxWorkbook.h"

#include "base/Besedilo.h"
#include "sheet/CellText.h"
#include "sheet/XmlStream.h"
#include "sheet/ZipArchive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

namespace orv::sheet {

namespace {

// Parts other than the sheet and the shared texts are read whole; none of them is large in a
// real workbook (a few megabytes of styles at most).
constexpr size_t kPartLimit = 32u << 20;
constexpr size_t kChunk = 256u << 10;
// All shared texts together, in bytes as kept (each text's size and its bookkeeping).
constexpr size_t kSharedTextsBudget = 128u << 20;
// The texts of the rows parsed from one chunk of the sheet and not yet handed on: a cell that
// refers to a long shared text costs a few bytes of XML and the whole text in the row.
constexpr size_t kPendingRowsBudget = 128u << 20;
// The sheet's XML, inflated: past this the parser's and the archive's counters of 32 bits
// would no longer hold, and no sheet of the import is nearly as large.
constexpr unsigned long long kLargestSheet = 2ull << 30;

// The characters of UTF-8 bytes: every byte that does not continue a character.
size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string megabytes(size_t bytes) {
    return std::to_string(bytes >> 20) + " MB";
}

bool isTrue(const char* value) {
    return value && (std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0);
}

int toInt(const char* value, int otherwise) {
    if (!value) return otherwise;
    int result = otherwise;
    const char* end = value + std::strlen(value);
    if (std::from_chars(value, end, result).ec != std::errc()) return otherwise;
    return result;
}

// Texts in the parts escape characters that XML cannot hold as _xHHHH_.
std::string unescapeOoxml(std::string text) {
    if (text.find("_x") == std::string::npos) return text;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            unsigned code = 0;
            const auto parsed = std::from_chars(text.data() + i + 2, text.data() + i + 6, code, 16);
            if (parsed.ec == std::errc() && parsed.ptr == text.data() + i + 6) {
                appendUtf8(out, code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The widest sheet a spreadsheet program makes: columns A to XFD.
constexpr int kLastColumn = 16384;

// The column of a cell reference: "AB12" -> 28; 0 when it names none, -1 when it names one past
// the widest sheet (a damaged or hostile file, whose letters would overflow the number).
int referenceColumn(const char* reference) {
    int column = 0;
    for (const char* p = reference; *p >= 'A' && *p <= 'Z'; ++p) {
        column = column * 26 + (*p - 'A' + 1);
        if (column > kLastColumn) return -1;
    }
    return column;
}

// workbook.xml: the date system and which sheet shows when the workbook opens.
class WorkbookPart : public XmlStream {
public:
    using XmlStream::XmlStream;
    bool date1904 = false;
    int activeTab = 0;
    std::vector<std::string> sheetIds;

private:
    void startElement(std::string_view name, const char** attributes) override {
        if (name == "workbookPr") {
            date1904 = isTrue(attribute(attributes, "date1904"));
        } else if (name == "workbookView" && !viewSeen_) {
            viewSeen_ = true;
            activeTab = toInt(attribute(attributes, "activeTab"), 0);
        } else if (name == "sheet") {
            const char* id = attribute(attributes, "id");
            sheetIds.push_back(id ? id : "");
        }
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}
    bool viewSeen_ = false;
};

// xl/_rels/workbook.xml.rels: the part of each relationship id.
class RelationshipsPart : public XmlStream {
public:
    using XmlStream::XmlStream;
    std::map<std::string, std::string> targets;

private:
    void startElement(std::string_view name, const char** attributes) override {
        if (name != "Relationship") return;
        const char* id = attribute(attributes, "Id");
        const char* target = attribute(attributes, "Target");
        if (id && target) targets[id] = target;
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}
};

// Collects the text of <t> elements, leaving out phonetic runs (<rPh>).
class RunText {
public:
    void start(std::string_view name) {
        if (name == "rPh") ++phonetic_;
        if (name == "t" && phonetic_ == 0) inText_ = true;
    }
    void end(std::string_view name) {
        if (name == "rPh") --phonetic_;
        if (name == "t") inText_ = false;
    }
    void characters(std::string_view text) {
        if (!inText_) return;
        text_ += text;
        characters_ += characterCount(text);
    }
    /// The characters collected so far.
    size_t length() const { return characters_; }
    void clear() {
        text_.clear();
        characters_ = 0;
    }
    std::string take() {
        std::string text = unescapeOoxml(std::move(text_));
        text_.clear();
        characters_ = 0;
        return text;
    }

private:
    int phonetic_ = 0;
    bool inText_ = false;
    std::string text_;
    size_t characters_ = 0;
};

// sharedStrings.xml: the texts that cells of type "s" refer to by index. A text longer than a
// cell may hold, or more texts than the budget, stop the parse as soon as they pass the bound.
class SharedStringsPart : public XmlStream {
public:
    using XmlStream::XmlStream;
    std::vector<std::string> strings;

private:
    void startElement(std::string_view name, const char**) override {
        if (!stopped_) text_.start(name);
    }
    void endElement(std::string_view name) override {
        if (stopped_) return;
        text_.end(name);
        if (name != "si") return;
        strings.push_back(text_.take());
        kept_ += strings.back().size() + sizeof(std::string);
        if (kept_ > kSharedTextsBudget)
            refuse("skupna besedila obsegajo več kot " + megabytes(kSharedTextsBudget) +
                   ", več, kot jih uvoz sprejme");
    }
    void characters(std::string_view text) override {
        if (stopped_) return;
        text_.characters(text);
        if (text_.length() > kLongestCellText)
            refuse("skupno besedilo št. " + std::to_string(strings.size()) + " je daljše od " +
                   std::to_string(kLongestCellText) +
                   " znakov, kolikor jih celica lahko ima v programih za preglednice");
    }
    void refuse(const std::string& what) {
        stopped_ = true;
        stop(source() + ": " + what);
    }
    RunText text_;
    size_t kept_ = 0;
    bool stopped_ = false;
};

// styles.xml: which cell formats (the s attribute of a cell) show a date.
class StylesPart : public XmlStream {
public:
    using XmlStream::XmlStream;
    std::vector<bool> dateStyles;

private:
    void startElement(std::string_view name, const char** attributes) override {
        if (name == "numFmt") {
            const char* code = attribute(attributes, "formatCode");
            customDates_[toInt(attribute(attributes, "numFmtId"), -1)] =
                code && isDateFormatCode(code);
        } else if (name == "cellXfs") {
            inCellXfs_ = true;
        } else if (name == "xf" && inCellXfs_) {
            const int id = toInt(attribute(attributes, "numFmtId"), 0);
            const auto custom = customDates_.find(id);
            dateStyles.push_back(custom != customDates_.end() ? custom->second
                                                              : isBuiltInDateFormat(id));
        }
    }
    void endElement(std::string_view name) override {
        if (name == "cellXfs") inCellXfs_ = false;
    }
    void characters(std::string_view) override {}
    std::map<int, bool> customDates_;
    bool inCellXfs_ = false;
};

// The sheet: rows are collected as they end and handed out in order.
class SheetPart : public XmlStream {
public:
    SheetPart(std::string source, const std::vector<std::string>& strings,
              const std::vector<bool>& dateStyles, bool date1904)
        : XmlStream(std::move(source)), strings_(strings), dateStyles_(dateStyles),
          date1904_(date1904) {}

    /// The next row parsed, if any: false when none is waiting.
    bool takeRow(SheetRow& row) {
        if (rows_.empty()) return false;
        row = std::move(rows_.front().row);
        pendingBytes_ -= rows_.front().bytes;
        rows_.pop_front();
        return true;
    }
    bool rowsWaiting() const { return !rows_.empty(); }

    void restart() {
        reset();
        rows_.clear();
        row_.clear();
        rowBytes_ = 0;
        pendingBytes_ = 0;
        lastRow_ = 0;
        inRow_ = false;
        stopped_ = false;
    }

private:
    enum class Kind { Number, SharedString, InlineString, FormulaString, Boolean, Error, Date };

    void startElement(std::string_view name, const char** attributes) override {
        if (stopped_) return;
        if (name == "row") {
            row_.clear();
            rowBytes_ = 0;
            row_.cells.reserve(widest_); // most rows are as wide as the one before

            const int number = toInt(attribute(attributes, "r"), 0);
            row_.number = number > 0 ? number : lastRow_ + 1;
            lastRow_ = row_.number;
            lastColumn_ = 0;
            inRow_ = true;
        } else if (name == "c" && inRow_) {
            startCell(attributes);
        } else if (inCell_) {
            if (name == "v") {
                inValue_ = true;
            } else if (name == "f") {
                formula_ = true;
            } else {
                inline_.start(name);
            }
        }
    }

    void startCell(const char** attributes) {
        inCell_ = true;
        formula_ = false;
        value_.clear();
        cellCharacters_ = 0;
        inline_.clear();
        // One pass over the attributes: there are millions of cells, each with a few of them.
        const char* reference = nullptr;
        const char* type = nullptr;
        const char* style = nullptr;
        for (size_t i = 0; attributes[i]; i += 2) {
            const std::string_view name = localName(attributes[i]);
            if (name == "r")
                reference = attributes[i + 1];
            else if (name == "t")
                type = attributes[i + 1];
            else if (name == "s")
                style = attributes[i + 1];
        }
        const int column = reference ? referenceColumn(reference) : 0;
        column_ = column != 0 ? column : lastColumn_ + 1;
        if (column_ < 1 || column_ > kLastColumn) {
            stop(source() + " je poškodovan: celica " + (reference ? reference : "") +
                 " v vrstici " + std::to_string(row_.number) + " je zunaj lista");
            column_ = 0; // whatever the parser still reports goes nowhere
            return;
        }
        lastColumn_ = column_;
        kind_ = Kind::Number;
        if (type) {
            const std::string_view t = type;
            if (t == "s")
                kind_ = Kind::SharedString;
            else if (t == "inlineStr")
                kind_ = Kind::InlineString;
            else if (t == "str")
                kind_ = Kind::FormulaString;
            else if (t == "b")
                kind_ = Kind::Boolean;
            else if (t == "e")
                kind_ = Kind::Error;
            else if (t == "d")
                kind_ = Kind::Date;
        }
        const int format = toInt(style, 0);
        dateStyle_ = format >= 0 && static_cast<size_t>(format) < dateStyles_.size() &&
                     dateStyles_[static_cast<size_t>(format)];
    }

    void endElement(std::string_view name) override {
        if (stopped_) return;
        if (name == "row" && inRow_) {
            inRow_ = false;
            widest_ = std::max(widest_, row_.cells.size());
            pendingBytes_ += rowBytes_;
            rows_.push_back(PendingRow{std::move(row_), rowBytes_});
            row_.clear();
            if (pendingBytes_ > kPendingRowsBudget)
                refuse(source() + ": vrstice do " + std::to_string(lastRow_) +
                       " imajo na nekaj kilobajtih zapisa več kot " +
                       megabytes(kPendingRowsBudget) +
                       " besedila; delovni zvezek je prevelik za uvoz");
        } else if (name == "c" && inCell_) {
            inCell_ = false;
            endCell();
        } else if (name == "v") {
            inValue_ = false;
        } else if (inCell_) {
            inline_.end(name);
        }
    }

    void characters(std::string_view text) override {
        if (stopped_ || !inCell_) return;
        if (inValue_) {
            value_ += text;
            cellCharacters_ += characterCount(text);
        } else {
            inline_.characters(text);
        }
        if (std::max(cellCharacters_, inline_.length()) > kLongestCellText)
            refuse(source() + ", vrstica " + std::to_string(row_.number) + ", stolpec " +
                   std::to_string(column_) + " (" + columnLetters(column_) +
                   "): celica je daljša od " + std::to_string(kLongestCellText) +
                   " znakov, kolikor jih celica lahko ima v programih za preglednice");
    }

    void refuse(std::string text) {
        stopped_ = true;
        stop(std::move(text));
    }

    // A cell's text into the row, counted against the rows' budget.
    void setCell(std::string text) {
        rowBytes_ += text.size();
        row_.set(column_, std::move(text));
    }

    void endCell() {
        if (formula_) {
            // A formula's stored result may be stale or missing (files written by programs
            // carry none): only values are imported.
            row_.problems.emplace_back(column_, "celica vsebuje formulo; uvažajo se le vrednosti");
            return;
        }
        switch (kind_) {
        case Kind::SharedString: {
            const int index = toInt(value_.c_str(), -1);
            if (index < 0 || static_cast<size_t>(index) >= strings_.size()) {
                row_.problems.emplace_back(column_, "celica kaže na neobstoječe besedilo");
                return;
            }
            setCell(strings_[static_cast<size_t>(index)]);
            return;
        }
        case Kind::InlineString:
            setCell(inline_.take());
            return;
        case Kind::FormulaString:
            setCell(unescapeOoxml(value_));
            return;
        case Kind::Boolean:
            setCell(value_ == "1" || value_ == "true" ? "1" : "0");
            return;
        case Kind::Error:
            row_.problems.emplace_back(column_, "celica vsebuje napako " + value_);
            return;
        case Kind::Date: {
            const auto date = isoDateText(value_);
            if (!date)
                row_.problems.emplace_back(column_, "neveljaven datum " + value_);
            else
                setCell(*date);
            return;
        }
        case Kind::Number:
            break;
        }
        if (value_.empty()) return; // a formatted cell without a value
        double number = 0;
        const auto parsed = std::from_chars(value_.data(), value_.data() + value_.size(), number);
        // "inf" and "nan" read as numbers, but no cell holds one: the cell is damaged.
        if (parsed.ec != std::errc() || parsed.ptr != value_.data() + value_.size() ||
            !std::isfinite(number)) {
            row_.problems.emplace_back(column_, "neveljavno število " + value_);
            return;
        }
        setCell(dateStyle_ ? serialDateText(number, date1904_) : numberText(number));
    }

    const std::vector<std::string>& strings_;
    const std::vector<bool>& dateStyles_;
    bool date1904_;

    struct PendingRow {
        SheetRow row;
        size_t bytes = 0;
    };
    std::deque<PendingRow> rows_;
    size_t pendingBytes_ = 0;
    size_t rowBytes_ = 0;
    size_t cellCharacters_ = 0;
    bool stopped_ = false;
    SheetRow row_;
    size_t widest_ = 0;
    int lastRow_ = 0;
    int lastColumn_ = 0;
    bool inRow_ = false;
    bool inCell_ = false;
    bool inValue_ = false;
    bool formula_ = false;
    bool dateStyle_ = false;
    int column_ = 0;
    Kind kind_ = Kind::Number;
    std::string value_;
    RunText inline_;
};

class XlsxWorkbook : public Workbook {
public:
    XlsxWorkbook(const std::string& path, std::unique_ptr<ZipArchive> archive)
        : Workbook(path), archive_(std::move(archive)) {
        WorkbookPart workbook(source("xl/workbook.xml"));
        workbook.parse(archive_->read("xl/workbook.xml", kPartLimit));
        if (workbook.sheetIds.empty()) fail("delovni zvezek nima nobenega lista");
        const size_t tab = workbook.activeTab >= 0 && static_cast<size_t>(workbook.activeTab) <
                                                          workbook.sheetIds.size()
                               ? static_cast<size_t>(workbook.activeTab)
                               : 0;
        sheetPart_ = sheetPartOf(workbook.sheetIds[tab]);
        date1904_ = workbook.date1904;

        if (archive_->contains("xl/sharedStrings.xml")) {
            // Streamed like the sheet: in a large workbook the shared texts are hundreds of
            // megabytes of XML, of which only the texts are kept.
            SharedStringsPart shared(source("xl/sharedStrings.xml"));
            archive_->openEntry("xl/sharedStrings.xml");
            while (shared.feedFrom(kChunk, [this](char* room, size_t size) {
                return archive_->readSome(room, size);
            })) {
            }
            strings_ = std::move(shared.strings);
        }
        if (archive_->contains("xl/styles.xml")) {
            StylesPart styles(source("xl/styles.xml"));
            styles.parse(archive_->read("xl/styles.xml", kPartLimit));
            dateStyles_ = std::move(styles.dateStyles);
        }
        if (!archive_->contains(sheetPart_)) fail("v arhivu ni lista " + sheetPart_);
        sheet_ = std::make_unique<SheetPart>(source(sheetPart_), strings_, dateStyles_, date1904_);
        keepRowsRead(kRowCacheBudget);
    }

    const char* format() const override { return "xlsx"; }

protected:
    void rewind() override {
        sheet_->restart();
        archive_->openEntry(sheetPart_);
        ended_ = false;
        inflated_ = 0;
    }

    bool nextRow(SheetRow& row) override {
        // The entry is inflated straight into the parser's own buffer.
        while (!sheet_->rowsWaiting() && !ended_)
            ended_ = !sheet_->feedFrom(kChunk, [this](char* room, size_t size) {
                const size_t got = archive_->readSome(room, size);
                inflated_ += got;
                if (inflated_ > kLargestSheet)
                    fail("list " + sheetPart_ + " je prevelik za uvoz: razširjen obsega več kot " +
                         std::to_string(kLargestSheet >> 30) + " GiB XML");
                return got;
            });
        return sheet_->takeRow(row);
    }

    void release() override {
        sheet_.reset();
        archive_.reset();
        strings_.clear();
    }

private:
    std::string source(const std::string& part) const {
        return "Excel datoteka " + path() + " (" + part + ")";
    }

    std::string sheetPartOf(const std::string& id) {
        RelationshipsPart relationships(source("xl/_rels/workbook.xml.rels"));
        relationships.parse(archive_->read("xl/_rels/workbook.xml.rels", kPartLimit));
        const auto found = relationships.targets.find(id);
        if (found == relationships.targets.end()) fail("prvi list delovnega zvezka ne obstaja");
        const std::string& target = found->second;
        if (target.empty()) fail("prvi list delovnega zvezka ne obstaja");
        return target.front() == '/' ? target.substr(1) : "xl/" + target;
    }

    std::unique_ptr<ZipArchive> archive_;
    std::string sheetPart_;
    bool date1904_ = false;
    std::vector<std::string> strings_;
    std::vector<bool> dateStyles_;
    std::unique_ptr<SheetPart> sheet_;
    bool ended_ = false;
    unsigned long long inflated_ = 0;
};

} // namespace

std::unique_ptr<Workbook> openXlsxWorkbook(const std::string& path,
                                           std::unique_ptr<ZipArchive> archive) {
    return std::make_unique<XlsxWorkbook>(path, std::move(archive));
}

} // namespace orv::sheet
