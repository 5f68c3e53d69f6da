#include "gui/GridTest.h"
#include "gui/ScriptedDialogs.h"

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "export/Izvoz.h"
#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/GridButtons.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/NajdiZapis.h"
#include "gui/grid/ProgressWindow.h"
#include "gui/grid/TFwwDBGrid.h"
#include "gui/grid/TfLocate.h"
#include "gui/grid/TfSort.h"
#include "gui/grid/Tgraf.h"
#include "gui/grid/TitleHeader.h"
#include "gui/grid/TsortSelect.h"
#include "support/TestBank.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

namespace orv::gui::test {

namespace {

// Checks inside a scripted dialog, which must return its result: failures are gathered and the
// test fails on them after the tool has run.
QStringList& scriptFailures() {
    static QStringList failures;
    return failures;
}
#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            scriptFailures() << QString("line %1: %2").arg(__LINE__).arg(#condition);              \
    } while (0)
#define CHECK_EQ(a, b) CHECK((a) == (b))

// The script's answers, with the failures of CHECKs inside its steps: they start empty and are
// reported when the script ends.
class GridDialogs : public ScriptedDialogs {
public:
    GridDialogs() { scriptFailures().clear(); }
    ~GridDialogs() {
        if (!scriptFailures().isEmpty()) qWarning() << scriptFailures();
    }
    GridDialogs(const GridDialogs&) = delete;
    GridDialogs& operator=(const GridDialogs&) = delete;
};

// A window with two grids over two datasets of a small bank.
struct GridBench {
    orv::test::TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};
    GridDialogs dialogs;
    QWidget host;
    QWidget* panel;
    TFwwDBGrid* grid;
    QWidget* panel2;
    TFwwDBGrid* grid2;

    explicit GridBench(const std::vector<std::string>& rows = defaultRows()) {
        bank.exec("CREATE TABLE T_GRID (ID NUMBER, NAZIV VARCHAR2(20), DAN DATE COLLATE DATUM, "
                  "ZNESEK NUMBER)");
        for (const std::string& row : rows)
            bank.exec("INSERT INTO T_GRID VALUES (" + row + ")");
        dm.OracleSession1.logonDatabase = bank.logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();

        host.resize(900, 600);
        panel = new QWidget(&host);
        panel->setGeometry(0, 0, 900, 400);
        grid = new TFwwDBGrid(panel);
        grid->setObjectName("grid");
        grid->setFillsParent(true);
        panel2 = new QWidget(&host);
        panel2->setGeometry(0, 400, 900, 200);
        grid2 = new TFwwDBGrid(panel2);
        grid2->setObjectName("grid2");
        grid2->setFillsParent(true);
        open(*grid, dm.Q1, "SELECT * FROM T_GRID ORDER BY ID");
        open(*grid2, dm.Q2, "SELECT ID, NAZIV FROM T_GRID ORDER BY ID DESC");
        host.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&host));
    }

    static std::vector<std::string> defaultRows() {
        return {"1, 'ABC', '05.03.2024', 12.5", "2, 'xyz', '06.03.2024', 20",
                "3, 'abc', '07.03.2024', 7.25", "4, 'ab', '08.03.2024', -1", "5, NULL, NULL, NULL"};
    }

    void open(TFwwDBGrid& g, TOracleDataSet& dataset, const std::string& sql) {
        g.dataSetModel()->setDataSet(&dataset);
        dm.OdpriPoizvedbo(dataset, sql);
        g.dataSetModel()->refresh();
    }

    void clickTitle(TFwwDBGrid& g, int column = 0) {
        QHeaderView* header = g.horizontalHeader();
        const int x = header->sectionViewportPosition(column) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    }
};

QStringList visibleNames(const TFwwDBGrid& grid) {
    QStringList names;
    for (const int field : grid.visibleFields())
        names << QString::fromStdString(
            grid.dataSet()->fieldInfos()[static_cast<size_t>(field)].name);
    return names;
}

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

// Where screenshots go when ORVELNOST_SCREENSHOTS names a folder.
void saveShot(QWidget& widget, const char* name) {
    const QString folder = qEnvironmentVariable("ORVELNOST_SCREENSHOTS");
    const QPixmap shot = widget.grab();
    QVERIFY(!shot.isNull());
    if (!folder.isEmpty()) QVERIFY(shot.save(QDir(folder).filePath(name)));
}

} // namespace

void GridTest::titleClickOpensAndClosesTheSharedToolBar() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    grid.labelText = "Vrstice T_GRID";
    QCOMPARE(grid.geometry(), bench.panel->contentsRect());
    QVERIFY(!grid.font().italic() && grid.font().bold());
    QCOMPARE(grid.font().pointSize(), 8);
    QCOMPARE(grid.titleFont().pointSize(), 7);
    QVERIFY(!grid.titleFont().bold());
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(grid.verticalHeader()->isHidden());

    bench.clickTitle(grid, 1);
    QVERIFY(grid.toolBarOpen());
    QVERIFY(grid.label()->isVisible());
    QCOMPARE(grid.label()->text(), QString("Vrstice T_GRID"));
    QCOMPARE(grid.label()->toolTip(), QString("Vrstice T_GRID"));
    QCOMPARE(grid.label()->width(), bench.panel->width() - 252);
    QCOMPARE(grid.y(), grid.label()->y() + grid.label()->height() + grid.labelSpacing);
    QCOMPARE(grid.height(), bench.panel->height() - grid.y());
    // Eleven buttons in a row from 8 pixels, zoom first and export last, the label after them.
    int x = 8;
    for (const TGridButton tool : GridButtons::barOrder()) {
        QToolButton* button = TFwwDBGrid::toolButton(tool);
        QCOMPARE(button->parentWidget(), bench.panel);
        QVERIFY(button->isVisible());
        QCOMPARE(button->x(), x);
        QCOMPARE(button->y(), grid.label()->y() - 1);
        QVERIFY(button->isEnabled());
        x += button->width();
    }
    QCOMPARE(GridButtons::barOrder().front(), TGridButton::gbZoom);
    QCOMPARE(GridButtons::barOrder().back(), TGridButton::gbExport);
    QCOMPARE(grid.label()->x(), x + grid.labelSpacing);
    saveShot(bench.host, "grid-toolbar.png");

    // The same buttons go to the other grid when its tool bar opens, enabled by its own set.
    bench.grid2->gridButtons = {TGridButton::gbLocate, TGridButton::gbPrint, TGridButton::gbGraph,
                                TGridButton::gbTitleWordWrap, TGridButton::gbCopyToClip};
    QToolButton* locate = TFwwDBGrid::toolButton(TGridButton::gbLocate);
    bench.clickTitle(*bench.grid2);
    QCOMPARE(locate->parentWidget(), bench.panel2);
    QVERIFY(locate->isEnabled());
    QVERIFY(!TFwwDBGrid::toolButton(TGridButton::gbRefresh)->isEnabled());
    QVERIFY(TFwwDBGrid::toolButton(TGridButton::gbPrint)->isEnabled());
    QVERIFY(!TFwwDBGrid::toolButton(TGridButton::gbPrintGroup)->isEnabled());

    // A second click closes it: the grid fills its parent again.
    bench.clickTitle(*bench.grid2);
    QVERIFY(!bench.grid2->toolBarOpen());
    QCOMPARE(bench.grid2->geometry(), bench.panel2->contentsRect());
    QVERIFY(!locate->isVisible());
    bench.grid->closeToolBar();
    QCOMPARE(grid.geometry(), bench.panel->contentsRect());
    QVERIFY(bench.dialogs.unexpected.isEmpty());
}

void GridTest::leavingTheGridClosesTheToolBarAndTurnsTheTitlesBack() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    bench.host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&bench.host));
    grid.setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(grid.hasFocus());
    QCOMPARE(grid.horizontalHeader()->palette().color(QPalette::ButtonText), QColor(0, 0, 128));
    grid.openToolBar();
    bench.grid2->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!grid.hasFocus());
    QVERIFY(!grid.toolBarOpen());
    QCOMPARE(grid.horizontalHeader()->palette().color(QPalette::ButtonText),
             QApplication::palette().color(QPalette::ButtonText));
}

void GridTest::selectedShowsTheListedFieldsAndSkipsUnknownOnes() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    grid.setSelected({"ZNESEK\t10\tZnesek", "NI_TAKEGA\t5\tx", "naziv\t20\tNaziv"});
    bench.open(grid, bench.dm.Q1, "SELECT * FROM T_GRID ORDER BY ID");
    QCOMPARE(visibleNames(grid), QStringList({"ZNESEK", "NAZIV"}));
    QVERIFY(grid.isColumnHidden(0) && grid.isColumnHidden(2));
    QVERIFY(!bench.dm.Q1.fieldInfos()[0].visible);
    // Widths and labels of the lines are not applied.
    QCOMPARE(bench.dm.Q1.fieldInfos()[3].displayLabel, std::string("ZNESEK"));

    // A column made wider writes the list anew from the visible fields.
    grid.setColumnWidth(1, grid.columnWidth(1) + 10 * grid.fontMetrics().averageCharWidth());
    QCOMPARE(grid.selected().size(), 2);
    QVERIFY(grid.selected()[0].startsWith("ZNESEK\t"));
    QVERIFY(grid.selected()[0].endsWith("\tZNESEK"));
    QVERIFY(grid.selected()[1].startsWith("NAZIV\t"));
    const int width = grid.selected()[1].section('\t', 1, 1).toInt();
    QCOMPARE(width, bench.dm.Q1.fieldInfos()[1].displayWidth);
}

void GridTest::copyToClipboardPutsTheGridTextThere() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    grid.labelText = "Napis";
    grid.setSelected({"NAZIV\t10\tNaziv", "ZNESEK\t10\tZnesek"});
    bench.open(grid, bench.dm.Q1, "SELECT * FROM T_GRID ORDER BY ID");
    bench.dm.Q1.moveTo(3);
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* w = ProgressWindow::current()) title = w->windowTitle();
    });
    grid.runTool(TGridButton::gbCopyToClip);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(QApplication::clipboard()->text(),
             QString::fromUtf8("Napis\r\nNAZIV\tZNESEK\t\r\n\"ABC\"\t12.5\t\r\n\"xyz\"\t20\t\r\n"
                               "\"abc\"\t7.25\t\r\n\"ab\"\t-1\t\r\n\"\"\t\t\r\n"));
    QCOMPARE(title, QString("Copy to clipboard"));
    QCOMPARE(bench.dm.Q1.currentRow(), 0);
    QCOMPARE(grid.currentIndex().row(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A tool that is not in the grid's set does nothing.
    QApplication::clipboard()->setText("unchanged");
    grid.gridButtons = {TGridButton::gbLocate};
    grid.runTool(TGridButton::gbCopyToClip);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(QApplication::clipboard()->text(), QString("unchanged"));
}

void GridTest::exportWritesTheChosenKindOfTable() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    const QString target = QString::fromStdString(bench.bank.folder()) + "/izvoz";
    QStringList filters;
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        filters = files.nameFilters();
        files.selectNameFilter(filters[2]);
        files.selectFile(target);
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbExport);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(filters, QStringList({"DBase (*.dbf *.DBF)", "Paradox (*.db *.DB)",
                                   "Text fixed length (*.txt *.TXT)", "Excel (*.xlsx *.XLSX)",
                                   "CSV (*.csv *.CSV)"}));
    QVERIFY(bench.dialogs.messages.isEmpty());
    QVERIFY(std::filesystem::exists(target.toStdString() + ".txt"));
    QVERIFY(std::filesystem::exists(target.toStdString() + ".sch"));

    // The workbooks the import reads back.
    for (const int filter : {3, 4}) {
        bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectNameFilter(files.nameFilters()[filter]);
            files.selectFile(target);
            return int(QDialog::Accepted);
        });
        grid.runTool(TGridButton::gbExport);
        QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    }
    QVERIFY(bench.dialogs.messages.isEmpty());
    QVERIFY(std::filesystem::exists(target.toStdString() + ".xlsx"));
    QVERIFY(std::filesystem::exists(target.toStdString() + ".csv"));

    // A failure reaches the general error handler, and the cursor comes back.
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        dynamic_cast<QFileDialog&>(dialog).selectFile(target + "/ni/t.dbf");
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbExport);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QVERIFY2(bench.dialogs.messages[0].contains("ne obstaja"),
             qPrintable(bench.dialogs.messages[0]));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(ProgressWindow::current() == nullptr || !ProgressWindow::current()->isVisible());
}

void GridTest::locateFindsByPrefixOrExactlyAndSaysWhatItMissed() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    QList<int> rows;
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& locate = dynamic_cast<TfLocate&>(dialog);
        CHECK_EQ(locate.windowTitle(), QString("Iskanje"));
        CHECK_EQ(locate.cbFields->count(), 4);
        CHECK_EQ(locate.cbFields->currentIndex(), -1);
        CHECK(!locate.meValue->isVisible());
        locate.cbFields->setCurrentIndex(1); // NAZIV
        CHECK(locate.meValue->isVisibleTo(&locate));
        CHECK(!locate.btnFindFirst->isEnabled() && !locate.btnFindNext->isEnabled());
        QTest::keyClicks(locate.meValue, "ab");
        CHECK(locate.btnFindFirst->isEnabled() && locate.btnFindNext->isEnabled());
        locate.show();
        saveShot(locate, "locate.png");
        // Prefix search ignores case: ABC, then abc, then ab, then nothing more.
        QTest::mouseClick(locate.btnFindFirst, Qt::LeftButton);
        rows << bench.dm.Q1.currentRow();
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(locate.btnFindNext, Qt::LeftButton);
            rows << (bench.dm.Q1.Eof() ? -1 : bench.dm.Q1.currentRow());
        }
        // Exact search is case-sensitive and whole.
        locate.cbExact->setChecked(true);
        QTest::mouseClick(locate.btnFindFirst, Qt::LeftButton);
        rows << bench.dm.Q1.currentRow();
        locate.meValue->clear();
        QTest::keyClicks(locate.meValue, "a");
        QTest::mouseClick(locate.btnFindFirst, Qt::LeftButton);
        locate.hide();
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbLocate);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(rows, QList<int>({0, 2, 3, -1, 3}));
    QCOMPARE(bench.dialogs.messages, QStringList({"Ne najdem \"ab...\"", "Ne najdem \"a\""}));
    QVERIFY(bench.dm.Q1.Eof()); // past the last row after a failed search
    QCOMPARE(grid.currentIndex().row(), 4);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Opened again for the same grid: column, value and check box stay.
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& locate = dynamic_cast<TfLocate&>(dialog);
        CHECK_EQ(locate.cbFields->currentIndex(), 1);
        CHECK_EQ(locate.meValue->text(), QString("a"));
        CHECK(locate.cbExact->isChecked());
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbLocate);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QVERIFY(bench.dialogs.steps.empty());
}

void GridTest::locateRefillsForAnotherGridAndChecksTheEditMask() {
    GridBench bench;
    bench.dialogs.steps.push_back([](QDialog& dialog) -> int {
        dynamic_cast<TfLocate&>(dialog).cbFields->setCurrentIndex(1);
        return int(QDialog::Accepted);
    });
    bench.grid->runTool(TGridButton::gbLocate);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    // The other grid's dataset: its two fields, no column chosen; its ID has an edit mask.
    bench.dm.Q2.fieldInfos()[0].editMask = "000;1;_";
    bench.dm.Q2.fieldInfos()[1].displayLabel = "Naziv";
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& locate = dynamic_cast<TfLocate&>(dialog);
        CHECK_EQ(locate.cbFields->count(), 2);
        CHECK_EQ(locate.cbFields->itemText(1), QString("Naziv"));
        CHECK_EQ(locate.cbFields->currentIndex(), -1);
        locate.cbFields->setCurrentIndex(0);
        CHECK_EQ(locate.meValue->inputMask(), QString("999;_"));
        QTest::keyClicks(locate.meValue, "4");
        QTest::mouseClick(locate.btnFindFirst, Qt::LeftButton);
        return int(QDialog::Accepted);
    });
    bench.grid2->runTool(TGridButton::gbLocate);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QVERIFY2(bench.dialogs.messages[0].contains("maski"), qPrintable(bench.dialogs.messages[0]));
    QCOMPARE(bench.dm.Q2.currentRow(), 0); // no search ran
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void GridTest::editMasksOfTheDesktopToolsBecomeQtMasks_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("qt");
    QTest::newRow("digits") << "000;1;_"
                            << "999;_";
    QTest::newRow("optional digits") << "99999;0;*"
                                     << "00000;*";
    QTest::newRow("date") << "!99/99/0000;1;_"
                          << "00.00.9999;_";
    QTest::newRow("letters upper") << ">LLL<ll"
                                   << ">AAA<aa";
    QTest::newRow("case off and literal") << "<>AA\\-cc"
                                          << "!NN\\-xx";
    QTest::newRow("literal that means something") << "0X0"
                                                  << "9\\X9";
    QTest::newRow("none") << ""
                          << "";
}

void GridTest::editMasksOfTheDesktopToolsBecomeQtMasks() {
    QFETCH(QString, mask);
    QFETCH(QString, qt);
    QCOMPARE(qtInputMask(mask), qt);
}

void GridTest::chooserMovesEntriesAndCancelKeepsTheColumns() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& chooser = dynamic_cast<TsortSelect&>(dialog);
        CHECK_EQ(texts(chooser.lbOn), QStringList({"ID", "NAZIV", "DAN", "ZNESEK"}));
        CHECK_EQ(chooser.lbOff->count(), 0);
        CHECK_EQ(chooser.lbOn->currentRow(), 0);
        CHECK(!chooser.btnLeft->isEnabled() && !chooser.btnAllLeft->isEnabled());
        // The last entry to the hidden list: the choice moves to the new last entry.
        chooser.lbOn->setCurrentRow(3);
        QTest::mouseClick(chooser.btnRight, Qt::LeftButton);
        CHECK_EQ(chooser.lbOn->currentRow(), 2);
        QTest::mouseClick(chooser.btnAllRight, Qt::LeftButton);
        CHECK_EQ(chooser.lbOn->count(), 0);
        CHECK_EQ(texts(chooser.lbOff), QStringList({"DAN", "ID", "NAZIV", "ZNESEK"})); // sorted
        CHECK_EQ(chooser.lbOff->currentRow(), 0);
        for (QPushButton* b :
             {chooser.btnUp, chooser.btnDown, chooser.btnRight, chooser.btnAllRight})
            CHECK(!b->isEnabled());
        CHECK(!chooser.edDisplayLabel->isEnabled());
        // Back from the hidden list, appended at the end of the visible order.
        chooser.lbOff->setCurrentRow(3); // ZNESEK
        QTest::mouseClick(chooser.btnLeft, Qt::LeftButton);
        CHECK_EQ(chooser.lbOff->currentRow(), 2);
        chooser.lbOff->setCurrentRow(1); // ID
        QTest::mouseClick(chooser.btnLeft, Qt::LeftButton);
        CHECK_EQ(texts(chooser.lbOn), QStringList({"ZNESEK", "ID"}));
        // Rename ZNESEK: the label and width take effect at once, whatever the result.
        chooser.lbOn->setCurrentRow(0);
        QTest::mouseClick(chooser.lbOn->viewport(), Qt::LeftButton, {},
                          chooser.lbOn->visualItemRect(chooser.lbOn->item(0)).center());
        CHECK_EQ(chooser.edDisplayLabel->text(), QString("ZNESEK"));
        chooser.edDisplayLabel->setText("Znesek EUR");
        chooser.edDisplayWidth->setText("14");
        QTest::mouseClick(chooser.btnDisplayLabel, Qt::LeftButton);
        CHECK_EQ(chooser.lbOn->item(0)->text(), QString("Znesek EUR"));
        // A width that is no number: the label is taken, the width stays, the error is shown.
        chooser.lbOn->setCurrentRow(1);
        chooser.edDisplayLabel->setText("Št.");
        chooser.edDisplayWidth->setText("x");
        QTest::mouseClick(chooser.btnDisplayLabel, Qt::LeftButton);
        chooser.show();
        saveShot(chooser, "chooser.png");
        chooser.hide();
        QTest::mouseClick(chooser.BitBtn2, Qt::LeftButton);
        return chooser.result();
    });
    const int idWidth = bench.dm.Q1.fieldInfos()[0].displayWidth;
    grid.runTool(TGridButton::gbView);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(visibleNames(grid), QStringList({"ID", "NAZIV", "DAN", "ZNESEK"}));
    QCOMPARE(bench.dm.Q1.fieldInfos()[3].displayLabel, std::string("Znesek EUR"));
    QCOMPARE(bench.dm.Q1.fieldInfos()[3].displayWidth, 14);
    QCOMPARE(bench.dm.Q1.fieldInfos()[0].displayLabel, std::string("Št."));
    QCOMPARE(bench.dm.Q1.fieldInfos()[0].displayWidth, idWidth);
    QCOMPARE(grid.model()->headerData(3, Qt::Horizontal).toString(), QString("Znesek EUR"));
    QCOMPARE(bench.dialogs.messages, QStringList({"'x' is not a valid integer value"}));
    QVERIFY(grid.selected().isEmpty());
}

void GridTest::chooserOkAppliesTheOrderAndRewritesSelected() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    grid.setSelected({"NAZIV\t9\tx", "ID\t9\tx", "ZNESEK\t9\tx"});
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& chooser = dynamic_cast<TsortSelect&>(dialog);
        // `selected` was applied before the dialog opened.
        CHECK_EQ(texts(chooser.lbOn), QStringList({"NAZIV", "ID", "ZNESEK"}));
        CHECK_EQ(texts(chooser.lbOff), QStringList({"DAN"}));
        chooser.lbOn->setCurrentRow(2);
        QTest::mouseClick(chooser.btnUp, Qt::LeftButton);
        QTest::mouseClick(chooser.btnUp, Qt::LeftButton);
        QTest::mouseClick(chooser.btnUp, Qt::LeftButton); // nothing happens at the top
        CHECK_EQ(texts(chooser.lbOn), QStringList({"ZNESEK", "NAZIV", "ID"}));
        CHECK_EQ(chooser.lbOn->currentRow(), 0);
        QTest::mouseClick(chooser.btnLeft, Qt::LeftButton);
        QTest::mouseClick(chooser.BitBtn1, Qt::LeftButton);
        return chooser.result();
    });
    grid.runTool(TGridButton::gbView);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(visibleNames(grid), QStringList({"ZNESEK", "NAZIV", "ID", "DAN"}));
    QCOMPARE(grid.selected().size(), 4);
    QStringList names;
    for (const QString& line : grid.selected())
        names << line.section('\t', 0, 0);
    QCOMPARE(names, QStringList({"ZNESEK", "NAZIV", "ID", "DAN"}));
    QVERIFY(grid.selected()[0].endsWith("\tZNESEK"));
}

void GridTest::holdingDownRepeatsAfter500MsThenEvery100Ms() {
    GridBench bench;
    QList<QPair<qint64, int>> moves; // (ms since the press, new position of the held entry)
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& chooser = dynamic_cast<TsortSelect&>(dialog);
        chooser.lbOff->setCurrentRow(0);
        QTest::mouseClick(chooser.btnAllLeft, Qt::LeftButton);
        CHECK_EQ(chooser.lbOn->count(), 4);
        chooser.lbOn->addItem("E"); // a fifth entry
        chooser.lbOn->setCurrentRow(0);
        const QString held = chooser.lbOn->item(0)->text();
        const auto position = [&] { return int(texts(chooser.lbOn).indexOf(held)); };
        chooser.show();
        QElapsedTimer clock;
        QTest::mousePress(chooser.btnDown, Qt::LeftButton);
        clock.start();
        int last = 0;
        if (position() != last) moves << qMakePair(clock.elapsed(), last = position());
        while (clock.elapsed() < 1200) {
            QTest::qWait(2);
            if (position() != last) moves << qMakePair(clock.elapsed(), last = position());
        }
        QTest::mouseRelease(chooser.btnDown, Qt::LeftButton);
        CHECK(!chooser.tmrBtn->isActive());
        chooser.hide();
        return int(QDialog::Rejected);
    });
    bench.grid->runTool(TGridButton::gbView);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QString seen;
    for (const auto& [at, to] : moves)
        seen += QString(" %1@%2ms").arg(to).arg(at);
    // One place at once, the next at 500 ms, then one every 100 ms: the bottom (position 4) at
    // about 0.7 s, where it stays. Timers never fire early; a busy machine may make them late.
    QVERIFY2(moves.size() == 4, qPrintable(seen));
    QVERIFY2(moves[0].first < 100 && moves[0].second == 1, qPrintable(seen));
    QVERIFY2(moves[1].first >= 500 && moves[1].first < 650 && moves[1].second == 2,
             qPrintable(seen));
    // The repeats are due at 600 and 700 ms from the press; a late first repeat on a busy
    // machine shortens the gap after it, so the times are checked from the press, with a few
    // milliseconds of slack for the clock's rounding.
    QVERIFY2(moves[2].first >= 590 && moves[2].second == 3, qPrintable(seen));
    QVERIFY2(moves[3].first >= 690 && moves[3].first > moves[2].first && moves[3].first < 900 &&
                 moves[3].second == 4,
             qPrintable(seen));
}

void GridTest::sortCallsTheOwnerWithTheChosenItem() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    grid.SortInfo = {{"Po nazivu", {"NAZIV"}}, {"Po znesku in datumu", {"ZNESEK", "DAN"}}};
    std::vector<std::string> calls;
    grid.OnCustomSort = [&](TFwwDBGrid* sender, const TSortItem& item) {
        QCOMPARE(sender, &grid);
        std::string columns;
        for (const std::string& column : item.Columns)
            columns += column + " ";
        calls.push_back(item.DisplayText + ": " + columns);
    };
    bench.dialogs.steps.push_back([](QDialog& dialog) -> int {
        auto& sort = dynamic_cast<TfSort&>(dialog);
        if (sort.windowTitle() != "Sort" || sort.lbSort->count() != 2)
            return int(QDialog::Rejected);
        sort.lbSort->setCurrentRow(1);
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbSort);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(calls, std::vector<std::string>({"Po znesku in datumu: ZNESEK DAN "}));
    QCOMPARE(grid.sortIndex(), 1);
    // Cancel calls nothing; the remembered choice is offered first next time.
    bench.dialogs.steps.push_back([](QDialog& dialog) -> int {
        return dynamic_cast<TfSort&>(dialog).lbSort->currentRow() == 1 ? int(QDialog::Rejected)
                                                                       : int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbSort);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(calls.size(), size_t(1));
    QCOMPARE(grid.model()->index(0, 0).data().toString(), QString("1")); // the grid never sorts
}

void GridTest::titleWordWrapMakesTheTitleRow45PixelsHigh() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    const int plain = grid.horizontalHeader()->height();
    QVERIFY(plain < 45);
    grid.runTool(TGridButton::gbTitleWordWrap);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QVERIFY(grid.TitleWordwrap());
    QTRY_COMPARE(grid.horizontalHeader()->height(), 45);
    auto* titles = static_cast<TitleHeader*>(grid.horizontalHeader());
    const QString wrapped = titles->drawnTitle("Znesek v domači valuti", 60, 40);
    QVERIFY2(wrapped.contains('\n'), qPrintable(wrapped));
    const QString cut = titles->drawnTitle("Zelo dolg naslov stolpca brez konca", 50, 12);
    QVERIFY2(cut.endsWith(QChar(0x2026)), qPrintable(cut));
    grid.runTool(TGridButton::gbTitleWordWrap);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QTRY_COMPARE(grid.horizontalHeader()->height(), plain);
    QVERIFY(!titles->drawnTitle("Zelo dolg naslov stolpca", 40, 40).contains('\n'));
}

void GridTest::chartTakesTheFirstTwoColumnsAndTheirLabels() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    bench.dm.Q1.fieldInfos()[2].displayLabel = "Datum";
    bench.dm.Q1.fieldInfos()[3].displayLabel = "Znesek";
    grid.setSelected({"DAN\t10\tx", "ZNESEK\t10\tx"});
    bench.dm.Q1.Open();
    grid.dataSetModel()->refresh();
    bench.dm.Q1.fieldInfos()[2].displayLabel = "Datum";
    bench.dm.Q1.fieldInfos()[3].displayLabel = "Znesek";
    int points = -1;
    bench.dialogs.steps.push_back([&](QDialog& dialog) -> int {
        auto& graf = dynamic_cast<Tgraf&>(dialog);
        CHECK(graf.windowState() & Qt::WindowMaximized);
        CHECK_EQ(graf.chart()->axes(Qt::Horizontal).first()->titleText(), QString("Datum"));
        CHECK_EQ(graf.chart()->axes(Qt::Vertical).first()->titleText(), QString("Znesek"));
        points = static_cast<int>(graf.chart()->series().size());
        graf.setWindowState(Qt::WindowNoState);
        graf.resize(700, 420);
        graf.show();
        saveShot(graf, "chart.png");
        graf.hide();
        return int(QDialog::Accepted);
    });
    grid.runTool(TGridButton::gbGraph);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(points, 1);
    QVERIFY(bench.dialogs.unexpected.isEmpty());
}

void GridTest::refreshReadsTheRowsAgain() {
    GridBench bench;
    bench.bank.exec("INSERT INTO T_GRID VALUES (6, 'nova', NULL, 1)");
    QCOMPARE(bench.grid->model()->rowCount(), 5);
    bench.grid->runTool(TGridButton::gbRefresh);
    QVERIFY2(scriptFailures().isEmpty(), qPrintable(scriptFailures().join("; ")));
    QCOMPARE(bench.grid->model()->rowCount(), 6);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void GridTest::zoomKeysAndScrollBarFlags() {
    GridBench bench;
    TFwwDBGrid& grid = *bench.grid;
    int zooms = 0;
    grid.OnZoom = [&zooms](TFwwDBGrid*) { ++zooms; };
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    grid.runTool(TGridButton::gbZoom);
    QCOMPARE(zooms, 3);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(grid.model()->rowCount(), 5);
    grid.OnZoom = nullptr;
    QTest::keyClick(&grid, Qt::Key_Return); // no zoom of its own: nothing happens
    QVERIFY(bench.dialogs.unexpected.isEmpty() && bench.dialogs.messages.isEmpty());

    QVERIFY(grid.ShowHorzScrollBar() && grid.ShowVertscrollBar());
    QCOMPARE(grid.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    grid.setShowVertscrollBar(false);
    QCOMPARE(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    grid.setShowVertscrollBar(true);
    grid.setShowHorzScrollBar(true); // a horizontal bar only
    QVERIFY(grid.ShowHorzScrollBar());
    QCOMPARE(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    grid.setShowHorzScrollBar(false); // none
    QVERIFY(!grid.ShowHorzScrollBar());
    QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void GridTest::mainWindowGridIsTheDataGrid() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "P-1", 100.0}, {"31.12.2024", "P-2", 200.0}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    TFwwDBGrid* grid = form.ui.DBGrid1;
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->gridButtons, TGridButtons::all());
    QCOMPARE(grid->geometry(), form.ui.Panel1->contentsRect());
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(grid->toolBarOpen());
    QCOMPARE(TFwwDBGrid::toolButton(TGridButton::gbZoom)->parentWidget(), form.ui.Panel1);
    QTest::qWait(50);
    saveShot(form, "orvelnost-grid.png");
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(!grid->toolBarOpen());
    QCOMPARE(grid->geometry(), form.ui.Panel1->contentsRect());
    QVERIFY(program.dialogs.log.empty());
}

void GridTest::halfAMillionRowsAreShownWithoutCopies() {
    GridBench bench(std::vector<std::string>{});
    bench.bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                    "WHERE i < 500000) INSERT INTO T_GRID SELECT i, 'vrstica ' || i, NULL, "
                    "i * 0.5 FROM n");
    bench.open(*bench.grid, bench.dm.Q1, "SELECT * FROM T_GRID");
    TFwwDBGrid& grid = *bench.grid;
    QCOMPARE(grid.model()->rowCount(), 500000);
    // No widget per row: the grid's only children are its own frame parts.
    QVERIFY(grid.findChildren<QLabel*>().isEmpty());
    grid.scrollToBottom();
    QTest::qWait(20);
    const QModelIndex last = grid.indexAt(QPoint(5, grid.viewport()->height() - 5));
    QCOMPARE(last.row(), 499999);
    QCOMPARE(last.data().toString(), QString("500000"));
}

} // namespace orv::gui::test
