#include "sheet/CsvWorkbook.h"

#include "base/Cp1250.h"
#include "sheet/CellText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orv::sheet {

namespace {

constexpr size_t kChunk = 256u << 10;

// Checks UTF-8 across chunk boundaries: `pending` counts continuation bytes still expected.
bool validUtf8(const unsigned char* data, size_t size, int& pending) {
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = data[i];
        if (pending > 0) {
            if ((c & 0xC0) != 0x80) return false;
            --pending;
        } else if (c >= 0x80) {
            if ((c & 0xE0) == 0xC0 && c >= 0xC2)
                pending = 1;
            else if ((c & 0xF0) == 0xE0)
                pending = 2;
            else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
                pending = 3;
            else
                return false;
        }
    }
    return true;
}

class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(const std::string& path, const std::string& source) : Workbook(path) {
        file_ = std::fopen(source.c_str(), "rb");
        if (!file_) fail(std::strerror(errno));
        buffer_.resize(kChunk);
        // The import reads the file twice (the dates, then the rows); unpacking a kept row costs
        // less than splitting and converting its line again.
        keepRowsRead(kRowCacheBudget);
        try {
            inspect();
        } catch (...) {
            release();
            throw;
        }
    }

    ~CsvWorkbook() override { release(); }

    const char* format() const override { return "csv"; }

protected:
    void rewind() override {
        std::fseek(file_, static_cast<long>(bomSize_), SEEK_SET);
        size_ = position_ = 0;
        atEnd_ = false;
        rowNumber_ = 0;
    }

    bool nextRow(SheetRow& row) override {
        row.clear();
        if (!readRecord(row)) return false;
        row.number = ++rowNumber_;
        return true;
    }

    void release() override {
        if (file_) std::fclose(file_);
        file_ = nullptr;
    }

private:
    // One pass over the file before reading: is it text, is it UTF-8, which separator.
    void inspect() {
        int pending = 0;
        bool utf8 = true;
        bool first = true;
        std::string header;
        bool headerDone = false;
        while (const size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_)) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.data());
            size_t start = 0;
            if (first && got >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
                start = bomSize_ = 3;
            first = false;
            if (std::memchr(bytes, 0, got)) fail("ni besedilna datoteka (vsebuje ničelne bajte)");
            if (utf8) utf8 = validUtf8(bytes + start, got - start, pending);
            if (!headerDone) {
                const char* begin = buffer_.data() + start;
                const char* end = buffer_.data() + got;
                const char* newline =
                    std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
                header.append(begin, newline);
                headerDone = newline != end;
            }
        }
        if (std::ferror(file_)) fail(std::strerror(errno));
        utf8_ = utf8 && pending == 0;
        separator_ = detectSeparator(header);
        rewind();
    }

    static char detectSeparator(const std::string& header) {
        size_t semicolons = 0, commas = 0, tabs = 0;
        bool quoted = false;
        for (char c : header) {
            if (c == '"') quoted = !quoted;
            if (quoted) continue;
            semicolons += c == ';';
            commas += c == ',';
            tabs += c == '\t';
        }
        if (tabs > semicolons && tabs > commas) return '\t';
        if (commas > semicolons) return ',';
        return ';';
    }

    // The next byte, or -1 at the end of the file.
    int get() {
        if (position_ == size_) {
            if (atEnd_) return -1;
            size_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
            position_ = 0;
            if (size_ == 0) {
                atEnd_ = true;
                if (std::ferror(file_)) fail(std::strerror(errno));
                return -1;
            }
        }
        return static_cast<unsigned char>(buffer_[position_++]);
    }

    int peek() {
        const int c = get();
        if (c >= 0) --position_;
        return c;
    }

    // Reads one record; false at the end of the file.
    bool readRecord(SheetRow& row) {
        int c = get();
        if (c < 0) return false;
        int column = 1;
        std::string field;
        bool quoted = false;
        while (true) {
            if (quoted) {
                if (c < 0) break; // an open quote at the end: take what there is
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        field += '"';
                    } else {
                        quoted = false;
                    }
                } else {
                    field += static_cast<char>(c);
                }
            } else if (c < 0 || c == '\n' || c == '\r') {
                if (c == '\r' && peek() == '\n') get();
                break;
            } else if (c == separator_) {
                store(row, column++, field);
                field.clear();
            } else if (c == '"' && field.empty()) {
                quoted = true;
            } else {
                field += static_cast<char>(c);
            }
            c = get();
        }
        store(row, column, field);
        return true;
    }

    void store(SheetRow& row, int column, const std::string& raw) {
        if (raw.empty()) return;
        std::string text = utf8_ ? raw : izCp1250(raw);
        const std::string_view plain = text;
        if (auto date = shortDateText(plain))
            text = std::move(*date);
        else if (auto iso = isoDateText(plain))
            text = std::move(*iso);
        else if (separator_ != ',')
            if (auto number = decimalCommaText(plain)) text = std::move(*number);
        row.set(column, std::move(text));
    }

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t size_ = 0;
    size_t position_ = 0;
    bool atEnd_ = false;
    size_t bomSize_ = 0;
    bool utf8_ = true;
    char separator_ = ';';
    int rowNumber_ = 0;
};

} // namespace

std::unique_ptr<Workbook> openCsvWorkbook(const std::string& path, const std::string& source) {
    return std::make_unique<CsvWorkbook>(path, source);
}

} // namespace orv::sheet
