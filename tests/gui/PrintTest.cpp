#include "gui/PrintTest.h"
#include "gui/ScriptedDialogs.h"

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/TFwwDBGrid.h"
#include "gui/grid/TfDataSetPrint.h"
#include "gui/grid/TfPrintMsg.h"
#include "gui/print/PdfListing.h"
#include "support/TestBank.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <system_error>
#include <unistd.h>

namespace orv::gui::test {

namespace {

// A window with a grid over a small table of branches, regions, dates and amounts.
struct PrintBench {
    orv::test::TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};
    ScriptedDialogs dialogs;
    QWidget host;
    TFwwDBGrid* grid;

    PrintBench() {
        bank.exec("CREATE TABLE T_PRINT (ID NUMBER, POSLOVALNICA VARCHAR2(6), "
                  "REGIJA VARCHAR2(4), DAN DATE COLLATE DATUM, ZNESEK NUMBER)");
        dm.OracleSession1.logonDatabase = bank.logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
        const char* rows[] = {
            "1, 'LJ1', 'ZA', '31.12.2024', 100", "2, 'MB1', 'VZ', '30.11.2024', 50",
            "3, 'LJ1', 'ZA', '15.12.2024', 25", "4, 'KP1', 'ZA', '31.12.2024', 10",
            "5, 'MB1', 'VZ', '31.12.2024', 5"};
        for (const char* row : rows)
            dm.IzvediInPotrdi(std::string("INSERT INTO T_PRINT VALUES (") + row + ")");
        host.resize(800, 400);
        grid = new TFwwDBGrid(&host);
        grid->setFillsParent(true);
        grid->labelText = "Poslovalnice";
        grid->dataSetModel()->setDataSet(&dm.Q1);
        openRows();
        host.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&host));
    }
    ~PrintBench() {
        // The form outlives the bench; it must not keep the bank's dataset.
        TfDataSetPrint::instance(nullptr)->hide();
    }

    void openRows() {
        dm.OdpriPoizvedbo(dm.Q1,
                          "SELECT POSLOVALNICA, REGIJA, DAN, ZNESEK FROM T_PRINT ORDER BY ID");
        grid->dataSetModel()->refresh();
        grid->showFields({0, 1, 2, 3});
        grid->sizeColumns();
    }
    std::string file(const std::string& name) const { return bank.folder() + "/" + name; }
};

// Prints to a PDF file from the printer dialog, with the given page range (0: all pages).
std::function<int(QDialog&)> printToPdf(const std::string& path, QStringList* seen, int from = 0,
                                        int to = 0) {
    return [path, seen, from, to](QDialog& dialog) -> int {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print) return QDialog::Rejected;
        QPrinter* printer = print->printer();
        if (seen)
            *seen << QString("range %1-%2 all=%3")
                         .arg(print->minPage())
                         .arg(print->maxPage())
                         .arg(print->printRange() == QAbstractPrintDialog::AllPages);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(path));
        if (from > 0) {
            printer->setPrintRange(QPrinter::PageRange);
            printer->setFromTo(from, to);
        }
        return QDialog::Accepted;
    };
}

std::string pdfText(const std::string& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    process.waitForFinished();
    return process.readAllStandardOutput().toStdString();
}

int pdfPages(const std::string& pdf) {
    QProcess process;
    process.start("pdfinfo", {QString::fromStdString(pdf)});
    process.waitForFinished();
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = out.indexOf("Pages:");
    return at < 0 ? -1 : out.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

void saveShot(QWidget& widget, const char* name) {
    const QString folder = qEnvironmentVariable("ORVELNOST_SCREENSHOTS");
    const QPixmap shot = widget.grab();
    QVERIFY(!shot.isNull());
    if (!folder.isEmpty()) QVERIFY(shot.save(QDir(folder).filePath(name)));
}

QStringList texts(const QListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

QStringList shownRows(TFwwDBGrid* grid) {
    QStringList rows;
    QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(" | ");
    }
    return rows;
}

const QString kMarker = QString(33, QChar(0xD7));

} // namespace

void PrintTest::printToolPrintsTheGridThroughThePrinterDialog() {
    PrintBench bench;
    const std::string pdf = bench.file("grid.pdf");
    QStringList seen;
    bench.dm.Q1.moveTo(2);
    bench.dialogs.steps.push_back(printToPdf(pdf, &seen));
    bench.grid->runTool(TGridButton::gbPrint);
    QCOMPARE(seen, QStringList({"range 1-999 all=1"}));
    QVERIFY(bench.dialogs.unexpected.isEmpty());
    QVERIFY(std::filesystem::exists(pdf));
    const std::string text = pdfText(pdf);
    QVERIFY2(text.find("Poslovalnice") != std::string::npos, text.c_str());
    QVERIFY(text.find(", Stran 1") != std::string::npos);
    QVERIFY(text.find("LJ1") != std::string::npos);
    QVERIFY(text.find("30.11.2024") != std::string::npos);
    QCOMPARE(bench.dm.Q1.currentRow(), 2);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    auto* progress = bench.host.window()->findChild<TfPrintMsg*>("TfPrintMsg");
    if (!progress) {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<TfPrintMsg*>(widget)) progress = found;
    }
    QVERIFY(progress);
    QCOMPARE(progress->windowTitle(), QString("Print"));
    QCOMPARE(progress->gauge()->maximum(), 5);
    QCOMPARE(progress->gauge()->value(), 5);
    QVERIFY(!progress->isVisible());
}

void PrintTest::pageRangeTwoToThreePrintsTwoSheets() {
    PrintBench bench;
    bench.bank.exec("WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                    "INSERT INTO T_PRINT (ID, POSLOVALNICA, REGIJA, ZNESEK) "
                    "SELECT i, 'P' || i, 'R', i FROM n");
    bench.openRows();
    const std::string pdf = bench.file("strani.pdf");
    bench.dialogs.steps.push_back(printToPdf(pdf, nullptr, 2, 3));
    bench.grid->runTool(TGridButton::gbPrint);
    QCOMPARE(pdfPages(pdf), 2);
    const std::string text = pdfText(pdf);
    QVERIFY(text.find(", Stran 1") == std::string::npos);
    QVERIFY(text.find(", Stran 2") != std::string::npos);
    QVERIFY(text.find(", Stran 3") != std::string::npos);
    QVERIFY(text.find(", Stran 4") == std::string::npos);
    QVERIFY(text.find("LJ1") == std::string::npos); // the first rows are on page 1
}

// A grid wider than an A4 page: the print tool prints the columns that do not fit on pages to
// the right, every title whole and the amount in its column.
void PrintTest::wideGridPrintsOnPagesAcross() {
    PrintBench bench;
    // The grid sizes its columns to their values: four long addresses and an amount.
    bench.bank.exec("CREATE TABLE T_SIROKA (NAZIV_POSLOVALNICE VARCHAR2(60), NASLOV VARCHAR2(60), "
                    "KRAJ VARCHAR2(60), OPIS_POSLOVALNICE VARCHAR2(60), ZNESEK NUMBER)");
    const std::string address = "'Poslovalnica Ljubljana center, Trg republike 1, Ljubljana'";
    bench.dm.IzvediInPotrdi("INSERT INTO T_SIROKA VALUES (" + address + ", " + address + ", " +
                            address + ", 'Glavna poslovalnica', -1234567.89)");
    bench.dm.OdpriPoizvedbo(bench.dm.Q1, "SELECT * FROM T_SIROKA");
    bench.grid->dataSetModel()->refresh();
    bench.grid->showFields({0, 1, 2, 3, 4});
    bench.grid->sizeColumns();
    const std::string pdf = bench.file("siroka.pdf");
    bench.dialogs.steps.push_back(printToPdf(pdf, nullptr));
    bench.grid->runTool(TGridButton::gbPrint);
    QVERIFY2(bench.dialogs.messages.isEmpty(), qPrintable(bench.dialogs.messages.join("; ")));
    QVERIFY2(pdfPages(pdf) >= 2, pdfText(pdf).c_str());
    const std::string text = pdfText(pdf);
    for (const char* title :
         {"NAZIV_POSLOVALNICE", "NASLOV", "KRAJ", "OPIS_POSLOVALNICE", "ZNESEK"})
        QVERIFY2(text.find(title) != std::string::npos, title);
    QVERIFY2(text.find("-1234567.89") != std::string::npos, text.c_str());
    QVERIFY(text.find("Glavna poslovalnica") != std::string::npos);
}

// The PDF is complete or absent: a write that fails, or a folder that cannot take the file, is
// an error with the system's reason, naming the file or its folder; nothing is left behind.
void PrintTest::aPdfThatCannotBeWrittenFailsWithTheReason() {
    PrintBench bench;
    print::DataSetRows rows(bench.dm.Q1, {0, 1, 2, 3});
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    QVERIFY(full >= 0);
    try {
        printListingToPdf(full, "/dev/full", "orvelnost : ", "Poslovalnice", {}, rows);
        ::close(full);
        QFAIL("a full device took the listing");
    } catch (const std::system_error& error) {
        ::close(full);
        QCOMPARE(error.code().value(), ENOSPC);
        QVERIFY2(std::string(error.what()).find("/dev/full") != std::string::npos, error.what());
    }

    const std::string missing = bench.file("ni/seznam.pdf");
    try {
        printListingToPdf(missing, "orvelnost : ", "Poslovalnice", {}, rows);
        QFAIL("a missing folder took the listing");
    } catch (const std::system_error& error) {
        QCOMPARE(error.code().value(), ENOENT);
        QVERIFY2(std::string(error.what()).find(bench.file("ni")) != std::string::npos,
                 error.what());
    }

    // The print tool printing to a file in a missing folder says so, naming the folder.
    bench.dialogs.steps.push_back(printToPdf(bench.file("ni/okno.pdf"), nullptr));
    bench.grid->runTool(TGridButton::gbPrint);
    QCOMPARE(bench.dialogs.messages.size(), 1);
    QVERIFY2(bench.dialogs.messages.front().contains(QString::fromStdString(bench.file("ni"))),
             qPrintable(bench.dialogs.messages.front()));
    QVERIFY(!bench.dialogs.messages.front().contains("QPainter"));

    // A listing that is cancelled leaves no file.
    const std::string cancelled = bench.file("preklican.pdf");
    const PdfListingResult result =
        printListingToPdf(cancelled, "orvelnost : ", "Poslovalnice", {}, rows, {},
                          [](int done, int) { return done < 2; });
    QVERIFY(!result.complete);
    QVERIFY(!std::filesystem::exists(cancelled));
}

void PrintTest::cancelledPrinterDialogPrintsNothing() {
    PrintBench bench;
    bench.dialogs.steps.push_back([](QDialog&) { return int(QDialog::Rejected); });
    bench.grid->runTool(TGridButton::gbPrint);
    QVERIFY(bench.dialogs.messages.isEmpty());
    QVERIFY(bench.dialogs.steps.empty());
    QDir folder(QString::fromStdString(bench.bank.folder()));
    QVERIFY(folder.entryList({"*.pdf"}).isEmpty());
}

void PrintTest::printGroupOpensTheFormWithTheDefaultRoles() {
    PrintBench bench;
    bench.grid->runTool(TGridButton::gbPrintGroup);
    TfDataSetPrint* form = TfDataSetPrint::instance(nullptr);
    QVERIFY(form->isVisible());
    QCOMPARE(form->title->toPlainText(), QString("Poslovalnice"));
    QCOMPARE(form->tabs->currentIndex(), 0);
    QCOMPARE(form->tabs->tabText(0), QString("Nastavitve"));
    QCOMPARE(form->eLine->text(), kMarker);
    QVERIFY(form->cbShowSumOp->isChecked());
    QVERIFY(!form->cbAutoSumBy->isChecked());
    QCOMPARE(texts(form->lbGroup), QStringList({"POSLOVALNICA", "REGIJA", "DAN"}));
    QCOMPARE(texts(form->lbSum), QStringList({"SUM ZNESEK", "SUM N"}));
    // The copy shows N first and the fields after it; nothing is copied yet.
    QCOMPARE(form->dbgTemp->model()->columnCount(), 5);
    QCOMPARE(form->dbgTemp->model()->rowCount(), 0);
    QCOMPARE(form->dbgTemp->model()->headerData(0, Qt::Horizontal).toString(), QString("N"));

    // Entries answer clicks: a mark toggles, an operator moves on, the operator can hide.
    QTest::mouseClick(form->lbGroup->viewport(), Qt::LeftButton, {},
                      form->lbGroup->visualItemRect(form->lbGroup->item(1)).center());
    QCOMPARE(form->lbGroup->item(1)->text(), QString("\u00D7\u00D7REGIJA"));
    QTest::mouseClick(form->lbSum->viewport(), Qt::LeftButton, {},
                      form->lbSum->visualItemRect(form->lbSum->item(0)).center());
    QCOMPARE(form->lbSum->item(0)->text(), QString("AVG ZNESEK"));
    form->cbShowSumOp->setChecked(false);
    QCOMPARE(form->lbSum->item(0)->text(), QString("ZNESEK"));

    // A click on the title of REGIJA groups by the columns up to it.
    QHeaderView* header = form->dbgTemp->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, 5));
    QCOMPARE(texts(form->lbGroup), QStringList({"POSLOVALNICA", "REGIJA"}));
    QCOMPARE(texts(form->lbSum), QStringList({"DAN", "ZNESEK", "N"})); // no operator shown
    form->cbShowSumOp->setChecked(true);
    QCOMPARE(texts(form->lbSum), QStringList({"MAX DAN", "SUM ZNESEK", "SUM N"}));
    // N stays first: moving it away is undone.
    header->moveSection(0, 3);
    QCOMPARE(header->logicalIndex(0), 0);
    saveShot(*form, "dataset-print-settings.png");
}

void PrintTest::formBuildsBothListingsAndPrintsThem() {
    PrintBench bench;
    bench.grid->runTool(TGridButton::gbPrintGroup);
    TfDataSetPrint* form = TfDataSetPrint::instance(nullptr);
    form->cbAutoSumBy->setChecked(true);
    QTest::mouseClick(form->btnSort, Qt::LeftButton);
    QVERIFY2(bench.dialogs.messages.isEmpty(), qPrintable(bench.dialogs.messages.join("; ")));
    QCOMPARE(form->tabs->currentIndex(), 1);
    QCOMPARE(form->dbgTemp->model()->rowCount(), 5); // the rows are copied
    const QStringList sorted = shownRows(form->dbgQ);
    QCOMPARE(sorted.size(), 6);
    QCOMPARE(sorted.front(), QString("KP1 | ZA | 31.12.2024 | 10 | 1"));
    QCOMPARE(sorted.back(), kMarker + " | " + kMarker + " | " + kMarker + " | 190 | 5");
    QCOMPARE(form->dbgQ->model()->headerData(3, Qt::Horizontal).toString(), QString("SUM ZNESEK"));
    saveShot(*form, "dataset-print-sorted.png");

    QTest::mouseClick(form->btnGroup, Qt::LeftButton);
    QCOMPARE(form->tabs->currentIndex(), 2);
    // The region follows from the branch: no level of its own.
    QCOMPARE(texts(form->lbGroup), QStringList({"POSLOVALNICA", "\u00D7\u00D7REGIJA", "DAN"}));
    const QStringList groups = shownRows(form->dbgQG);
    QCOMPARE(groups.size(), 9);
    QCOMPARE(groups[4], QString("LJ1 | ZA | ") + kMarker + " | 125 | 2");
    QVERIFY(form->dbgQG->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!form->dbgQG->model()->index(0, 3).data(Qt::BackgroundRole).isValid());
    saveShot(*form, "dataset-print-groups.png");

    // A new marker text shows at once; the title titles both grids.
    form->eLine->setText("SKUPAJ");
    QCOMPARE(shownRows(form->dbgQG).back(), QString("SKUPAJ | SKUPAJ | SKUPAJ | 190 | 5"));
    form->dbgQG->runTool(TGridButton::gbCopyToClip);
    QVERIFY2(
        QApplication::clipboard()->text().contains("\"SKUPAJ\"\t\"SKUPAJ\"\tSKUPAJ\t190\t5\t\r\n"),
        qPrintable(QApplication::clipboard()->text()));
    form->title->setPlainText("Po poslovalnicah");
    QCOMPARE(form->dbgQG->labelText, QString("Po poslovalnicah"));

    // The listing's own print tool prints it with the marker text.
    const std::string pdf = bench.file("skupine.pdf");
    bench.dialogs.steps.push_back(printToPdf(pdf, nullptr));
    form->dbgQG->runTool(TGridButton::gbPrint);
    const std::string text = pdfText(pdf);
    QVERIFY2(text.find("Po poslovalnicah") != std::string::npos, text.c_str());
    QVERIFY(text.find("SKUPAJ") != std::string::npos);
    QVERIFY(text.find("125") != std::string::npos);
}

void PrintTest::hidingAndReopeningCopiesTheRowsAnew() {
    PrintBench bench;
    bench.grid->runTool(TGridButton::gbPrintGroup);
    TfDataSetPrint* form = TfDataSetPrint::instance(nullptr);
    QTest::mouseClick(form->btnSort, Qt::LeftButton);
    QCOMPARE(form->dbgQ->model()->rowCount(), 6);
    const std::string first = form->data().tTemp().name();
    form->hide();
    QVERIFY(!form->data().copied());
    QVERIFY(!form->data().q.Active());

    bench.dm.IzvediInPotrdi("INSERT INTO T_PRINT VALUES (6, 'NM1', 'JV', '31.12.2024', 1)");
    bench.openRows();
    bench.grid->runTool(TGridButton::gbPrintGroup);
    QVERIFY(form->isVisible());
    QVERIFY(form->data().tTemp().name() != first);
    QTest::mouseClick(form->btnSort, Qt::LeftButton);
    QCOMPARE(form->dbgQ->model()->rowCount(), 7);
    QVERIFY(bench.dialogs.messages.isEmpty());
}

} // namespace orv::gui::test
