// The import of corrected rows: a sheet of 100,000 rows with all 161 importable columns, as
// .xlsx and as .csv, into an empty bank. Reports rows per second and the peak memory of the
// import (the high-water mark of the resident set, reset just before it).
//
//   ./dev bench --benchmark_filter=Uvoz

#include "bank/BankSchema.h"
#include "base/Besedilo.h"
#include "base/RecordingVmesnik.h"
#include "base/StoredOptionsVmesnik.h"
#include "db/TDM.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"
#include "sheet/UvozIzExcela.h"
#include "sheet/UvozniStolpci.h"
#include "sheet/Workbook.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
const std::string kDan = "31.12.2024";

// A port that only counts: recording 100,000 counter texts would weigh on the measurement.
class QuietPort : public orv::StoredOptionsVmesnik {
public:
    std::string last;
    void setLblSporociloVisible(bool) override {}
    void setLblSporocilo(const std::string&) override {}
    void setLblSporocilo2(const std::string&) override {}
    void setLblStevec(const std::string&) override {}
    void setLblKorak(const std::string&) override {}
    void showMessage(const std::string& text) override { last = text; }
    bool askLogon(orv::LogonPrompt&) override { return false; }
    bool askQuestion(const std::string&) override { return false; }
    void processMessages() override {}
};

enum class Kind { Text, Number, Date };
struct Column {
    std::string name;
    Kind kind = Kind::Text;
    int width = 0;
};

// An empty bank and the sheets, made once per run in a temporary folder.
struct UvozBench {
    std::string folder;
    std::string bank;
    std::vector<Column> columns;
    std::string xlsx, csv;

    UvozBench() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvelnost-uvoz-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        bank = folder + "/banka.db";
        {
            orv::sqlite::BankFile file(bank, true);
            orv::sqlite::createBankSchema(file.handle());
            orv::sqlite::createUsersTable(file.handle());
            orv::sqlite::setUserPassword(file.handle(), "OPERATER", "demo");
        }
        readColumns();
        xlsx = folder + "/popravki.xlsx";
        csv = folder + "/popravki.csv";
        writeXlsx();
        writeCsv();
    }
    ~UvozBench() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void logOn(orv::TDM& dm) const {
        dm.OracleSession1.logonDatabase = "sqlite:" + bank;
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
    }

    // The kinds and widths of the importable columns, as the bank defines them.
    void readColumns() {
        QuietPort port;
        orv::TDM dm(port, folder + "/");
        logOn(dm);
        dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM POD_ORVEL WHERE 1=0");
        for (std::string_view name : orv::sheet::UvozniStolpci) {
            Column column{std::string(name)};
            for (const orv::FieldInfo& field : dm.Q1.fieldInfos()) {
                if (orv::toUpper(field.name) != column.name) continue;
                column.kind = field.type == orv::FieldType::Float  ? Kind::Number
                              : field.type == orv::FieldType::Date ? Kind::Date
                                                                   : Kind::Text;
                column.width = field.size;
            }
            columns.push_back(column);
        }
    }

    // A value of a kind of column for a row: codes, amounts with cents, dates of the year.
    std::string textValue(const Column& column, int row, size_t index) const {
        if (column.name == "DAT_STANJE") return kDan;
        std::string text = "K" + std::to_string((row * 7 + static_cast<int>(index)) % 100000);
        if (column.width > 0 && text.size() > static_cast<size_t>(column.width))
            text = text.substr(text.size() - static_cast<size_t>(column.width));
        return text;
    }
    static double numberValue(int row, size_t index) {
        return (row % 1000) * 125.37 + static_cast<double>(index);
    }
    static int dayOfYear(int row, size_t index) { return 1 + (row + static_cast<int>(index)) % 28; }

    void writeXlsx() const {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE; // written row by row
        lxw_workbook* workbook = workbook_new_opt(xlsx.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
        lxw_format* dateFormat = workbook_add_format(workbook);
        format_set_num_format(dateFormat, "dd.mm.yyyy");
        for (size_t c = 0; c < columns.size(); ++c)
            worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), columns[c].name.c_str(),
                                   nullptr);
        for (int r = 1; r <= kRows; ++r) {
            for (size_t c = 0; c < columns.size(); ++c) {
                const auto column = static_cast<lxw_col_t>(c);
                const auto row = static_cast<lxw_row_t>(r);
                switch (columns[c].kind) {
                case Kind::Number:
                    worksheet_write_number(sheet, row, column, numberValue(r, c), nullptr);
                    break;
                case Kind::Date: {
                    lxw_datetime date{2024, 1 + r % 12, dayOfYear(r, c), 0, 0, 0};
                    worksheet_write_datetime(sheet, row, column, &date, dateFormat);
                    break;
                }
                case Kind::Text:
                    worksheet_write_string(sheet, row, column, textValue(columns[c], r, c).c_str(),
                                           nullptr);
                    break;
                }
            }
        }
        if (workbook_close(workbook) != LXW_NO_ERROR) throw std::runtime_error("xlsx");
    }

    void writeCsv() const {
        std::ofstream file(csv, std::ios::binary);
        for (size_t c = 0; c < columns.size(); ++c)
            file << (c ? ";" : "") << columns[c].name;
        file << "\r\n";
        char buffer[64];
        for (int r = 1; r <= kRows; ++r) {
            for (size_t c = 0; c < columns.size(); ++c) {
                if (c) file << ';';
                switch (columns[c].kind) {
                case Kind::Number:
                    std::snprintf(buffer, sizeof buffer, "%.2f", numberValue(r, c));
                    for (char* p = buffer; *p; ++p)
                        if (*p == '.') *p = ','; // as a Slovenian spreadsheet saves it
                    file << buffer;
                    break;
                case Kind::Date:
                    std::snprintf(buffer, sizeof buffer, "%02d.%02d.2024", dayOfYear(r, c),
                                  1 + r % 12);
                    file << buffer;
                    break;
                case Kind::Text:
                    file << textValue(columns[c], r, c);
                    break;
                }
            }
            file << "\r\n";
        }
    }
};

const UvozBench& uvozBench() {
    static UvozBench bench;
    return bench;
}

// The high-water mark of the resident set in MB, and its reset (Linux).
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
double peakMemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void importFile(benchmark::State& state, const std::string& file) {
    const UvozBench& bench = uvozBench();
    double peak = 0;
    for (auto _ : state) {
        QuietPort port;
        port.options.eDanText = kDan;
        orv::TDM dm(port, bench.folder + "/");
        bench.logOn(dm);
        resetPeakMemory();
        orv::sheet::UvozIzExcela uvoz(dm, port);
        const auto outcome = uvoz.ImportIzExcela(file, "", *orv::parseDate(kDan));
        peak = std::max(peak, peakMemoryMb());
        if (outcome != orv::sheet::IzidUvoza::Uvozeno || uvoz.stevec() != kRows)
            state.SkipWithError(("import failed: " + port.last).c_str());
    }
    state.counters["rows"] = kRows;
    state.counters["rows_per_s"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = peak;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}

// Reading alone: every cell of the sheet once, as the import's insert pass reads them.
void readFile(benchmark::State& state, const std::string& file) {
    const int columns = static_cast<int>(uvozBench().columns.size());
    for (auto _ : state) {
        auto workbook = orv::sheet::openWorkbook(file);
        size_t bytes = 0;
        for (int r = 1; r <= kRows + 1; ++r)
            for (int c = 1; c <= columns; ++c)
                bytes += workbook->cellText(r, c).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["rows_per_s"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BranjeXlsx(benchmark::State& state) {
    readFile(state, uvozBench().xlsx);
}
BENCHMARK(BM_BranjeXlsx)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_BranjeCsv(benchmark::State& state) {
    readFile(state, uvozBench().csv);
}
BENCHMARK(BM_BranjeCsv)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_UvozXlsx(benchmark::State& state) {
    importFile(state, uvozBench().xlsx);
}
BENCHMARK(BM_UvozXlsx)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_UvozCsv(benchmark::State& state) {
    importFile(state, uvozBench().csv);
}
BENCHMARK(BM_UvozCsv)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace
