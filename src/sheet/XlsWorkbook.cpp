#include "sheet/XlsWorkbook.h"

#include "sheet/CellText.h"
#include "sheet/XlsFormule.h"

#include <freexl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace orv::sheet {

namespace {

std::string freexlError(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return "datoteke ni mogoče brati";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "ni dovolj pomnilnika";
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return "neznan nabor znakov";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return "v datoteki ni delovnega zvezka Excel";
    case FREEXL_CRAFTED_FILE:
        return "datoteka je močno poškodovana";
    default:
        return "datoteka je poškodovana (FreeXL " + std::to_string(code) + ")";
    }
}

// An Office document encrypted with a password is a compound document with an
// "EncryptedPackage" stream instead of a workbook; its directory names are UTF-16.
bool isEncryptedPackage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    static const std::string marker = [] {
        std::string utf16;
        for (char c : std::string("EncryptedPackage")) {
            utf16 += c;
            utf16 += '\0';
        }
        return utf16;
    }();
    return content.find(marker) != std::string::npos;
}

// FreeXL gives dates as "yyyy-mm-dd", "yyyy-mm-dd hh:mm:ss" and times as "hh:mm:ss".
std::string freexlDateText(const char* text) {
    if (const auto date = isoDateText(text)) return *date;
    return text;
}

class XlsWorkbook : public Workbook {
public:
    XlsWorkbook(const std::string& path, const std::string& source)
        : Workbook(path), source_(source) {
        const int opened = freexl_open(source.c_str(), &handle_);
        if (opened != FREEXL_OK) {
            handle_ = nullptr;
            if (opened == FREEXL_BIFF_WORKBOOK_NOT_FOUND && isEncryptedPackage(source))
                fail("delovni zvezek je zaščiten z geslom (šifriran)");
            fail(freexlError(opened));
        }
        try {
            inspect();
        } catch (...) {
            release();
            throw;
        }
    }

    ~XlsWorkbook() override { release(); }

    const char* format() const override { return "xls"; }

protected:
    void rewind() override { next_ = 0; }

private:
    void inspect() {
        unsigned password = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
            password == FREEXL_BIFF_OBFUSCATED)
            fail("delovni zvezek je zaščiten z geslom (šifriran)");
        unsigned sheets = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
            fail("delovni zvezek nima nobenega lista");
        check(freexl_select_active_worksheet(handle_, 0));
        check(freexl_worksheet_dimensions(handle_, &rows_, &columns_));
        formule_ = xlsFormule(source_);
        std::sort(formule_.begin(), formule_.end());
    }

protected:
    bool nextRow(SheetRow& row) override {
        while (next_ < rows_) {
            const unsigned index = next_++;
            row.clear();
            row.number = static_cast<int>(index) + 1;
            for (unsigned short column = 0; column < columns_; ++column)
                readCell(index, column, row);
            // FreeXL reads a formula cell as empty; its stored result may be stale.
            const auto first =
                std::lower_bound(formule_.begin(), formule_.end(), std::make_pair(row.number, 0));
            for (auto cell = first; cell != formule_.end() && cell->first == row.number; ++cell)
                row.problems.emplace_back(cell->second,
                                          "celica vsebuje formulo; uvažajo se le vrednosti");
            if (!row.cells.empty() || !row.problems.empty()) return true;
        }
        return false;
    }

    void release() override {
        if (handle_) freexl_close(handle_);
        handle_ = nullptr;
    }

private:
    void check(int code) const {
        if (code != FREEXL_OK) fail(freexlError(code));
    }

    void readCell(unsigned row, unsigned short column, SheetRow& into) const {
        FreeXL_CellValue cell{};
        const int read = freexl_get_cell_value(handle_, row, column, &cell);
        const int number = static_cast<int>(column) + 1;
        if (read != FREEXL_OK) {
            into.problems.emplace_back(number, freexlError(read));
            return;
        }
        switch (cell.type) {
        case FREEXL_CELL_INT:
            into.set(number, std::to_string(cell.value.int_value));
            break;
        case FREEXL_CELL_DOUBLE:
            into.set(number, numberText(cell.value.double_value));
            break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            if (cell.value.text_value && *cell.value.text_value)
                into.set(number, cell.value.text_value);
            break;
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            if (cell.value.text_value) into.set(number, freexlDateText(cell.value.text_value));
            break;
        default:
            break;
        }
    }

    std::string source_; // what FreeXL opens: the file's descriptor entry, or its path
    const void* handle_ = nullptr;
    unsigned rows_ = 0;
    unsigned short columns_ = 0;
    unsigned next_ = 0;
    std::vector<std::pair<int, int>> formule_; // (row, column) of the formula cells
};

} // namespace

std::unique_ptr<Workbook> openXlsWorkbook(const std::string& path, const std::string& source) {
    return std::make_unique<XlsWorkbook>(path, source);
}

} // namespace orv::sheet
