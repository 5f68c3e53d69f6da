// Scrolling the data grid through 500,000 output rows of all POD_ORVEL columns: the cost of
// one page down, painted, on Qt's offscreen platform. A page that paints within a frame
// (16 ms) scrolls smoothly.

#include "db/TDM.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/TFwwDBGrid.h"

#include "bank/BankSchema.h"
#include "base/RecordingVmesnik.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace orv::bench {
namespace {

constexpr int kRows = 500000;

// A bank of its own with 500,000 output rows of one date, and a grid showing them.
struct BigGrid {
    std::string folder;
    RecordingVmesnik window;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<gui::TFwwDBGrid> grid;

    BigGrid() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvelnost-bench-grid-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        const std::string path = folder + "/banka.db";
        {
            sqlite::BankFile bank(path, true);
            sqlite::createBankSchema(bank.handle());
            sqlite::createUsersTable(bank.handle());
            sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
            bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                      std::to_string(kRows) +
                      ") INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ID_VALUTE, ZNESEK_VAL, "
                      "ZNESEK_SIT, OPOMBA, VKNT) SELECT '31.12.2024', 'P-' || i, 'EUR', i * 1.25, "
                      "i * 1.5, 'vrstica ' || i, 'A' FROM n");
        }
        dm = std::make_unique<TDM>(window, folder + "/");
        dm->OracleSession1.logonDatabase = "sqlite:" + path;
        dm->OracleSession1.logonUsername = "OPERATER";
        dm->OracleSession1.logonPassword = "demo";
        dm->OracleSession1.LogOn();
        grid = std::make_unique<gui::TFwwDBGrid>();
        grid->resize(1160, 520);
        grid->dataSetModel()->setDataSet(&dm->Q1);
        dm->OdpriPoizvedbo(dm->Q1, "SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024' ");
        grid->dataSetModel()->refresh();
        grid->show();
        QApplication::processEvents();
    }
    ~BigGrid() {
        grid.reset();
        dm.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "orvelnost-bench";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_GridPageDown500k(benchmark::State& state) {
    application();
    static BigGrid big;
    QScrollBar* bar = big.grid->verticalScrollBar();
    int position = 0;
    for (auto _ : state) {
        position = (position + bar->pageStep()) % bar->maximum();
        bar->setValue(position);
        big.grid->viewport()->repaint(); // paints the rows now in view
    }
    state.counters["rows"] = big.grid->model()->rowCount();
}
BENCHMARK(BM_GridPageDown500k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orv::bench
