#include "sheet/SheetFiles.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace orv::sheet::test {

namespace {

std::string utf8ToWindows1250(const std::string& text) {
    // The Slovenian letters suffice for the tests.
    static const std::pair<const char*, char> letters[] = {
        {"č", '\xE8'}, {"Č", '\xC8'}, {"š", '\x9A'}, {"Š", '\x8A'}, {"ž", '\x9E'},
        {"Ž", '\x8E'}, {"ć", '\xE6'}, {"Ć", '\xC6'}, {"đ", '\xF0'}, {"Đ", '\xD0'}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [utf8, byte] : letters) {
            const std::string letter = utf8;
            if (text.compare(i, letter.size(), letter) == 0) {
                out += byte;
                i += letter.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::string csvField(const Cell& cell, char separator, bool decimalComma) {
    if (const auto* value = std::get_if<std::string>(&cell)) {
        if (value->find_first_of(std::string(1, separator) + "\"\r\n") == std::string::npos)
            return *value;
        std::string quoted = "\"";
        for (char c : *value) {
            if (c == '"') quoted += '"';
            quoted += c;
        }
        return quoted + "\"";
    }
    if (const auto* number = std::get_if<double>(&cell)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", *number);
        std::string written = text;
        if (decimalComma)
            for (char& c : written)
                if (c == '.') c = ',';
        return written;
    }
    if (const auto* date = std::get_if<Datum>(&cell)) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", date->day, date->month, date->year);
        return text;
    }
    if (const auto* flag = std::get_if<bool>(&cell)) return *flag ? "1" : "0";
    return "";
}

void check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(std::string(what) + ": " + lxw_strerror(error));
}

} // namespace

void writeXlsx(const std::string& path, const Sheet& sheet, const XlsxOptions& options) {
    lxw_workbook_options workbookOptions{};
    workbookOptions.constant_memory = options.inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &workbookOptions);
    if (!workbook) throw std::runtime_error("cannot create " + path);
    if (options.dataOnSecondSheet) {
        lxw_worksheet* other = workbook_add_worksheet(workbook, "Navodila");
        worksheet_write_string(other, 0, 0, "To ni list s podatki", nullptr);
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, "Podatki");
    if (options.dataOnSecondSheet) worksheet_activate(worksheet);
    lxw_format* dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    lxw_format* dateTimeFormat = workbook_add_format(workbook);
    format_set_num_format(dateTimeFormat, "d/m/yy h:mm");

    for (size_t r = 0; r < sheet.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(r);
        for (size_t c = 0; c < sheet[r].size(); ++c) {
            const auto column = static_cast<lxw_col_t>(c);
            const Cell& cell = sheet[r][c];
            if (const auto* value = std::get_if<std::string>(&cell)) {
                check(worksheet_write_string(worksheet, row, column, value->c_str(), nullptr),
                      "string");
            } else if (const auto* number = std::get_if<double>(&cell)) {
                check(worksheet_write_number(worksheet, row, column, *number, nullptr), "number");
            } else if (const auto* date = std::get_if<Datum>(&cell)) {
                lxw_datetime when{date->year, date->month,  date->day,
                                  date->hour, date->minute, static_cast<double>(date->second)};
                const bool withTime = date->hour || date->minute || date->second;
                check(worksheet_write_datetime(worksheet, row, column, &when,
                                               withTime ? dateTimeFormat : dateFormat),
                      "date");
            } else if (const auto* flag = std::get_if<bool>(&cell)) {
                check(worksheet_write_boolean(worksheet, row, column, *flag ? 1 : 0, nullptr),
                      "boolean");
            } else if (const auto* formula = std::get_if<Formula>(&cell)) {
                check(worksheet_write_formula_num(worksheet, row, column, formula->text.c_str(),
                                                  nullptr, formula->result),
                      "formula");
            }
        }
    }
    check(workbook_close(workbook), "close");
}

void writeCsv(const std::string& path, const Sheet& sheet, char separator, bool decimalComma,
              bool windows1250) {
    std::string content;
    for (const Row& row : sheet) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c) content += separator;
            content += csvField(row[c], separator, decimalComma);
        }
        content += "\r\n";
    }
    writeBytes(path, windows1250 ? utf8ToWindows1250(content) : content);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

std::string fixture(const std::string& name) {
    return std::string(ORVELNOST_SHEET_FIXTURES) + "/" + name;
}

} // namespace orv::sheet::test
