#include "gui/UvozDialogTest.h"

#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/TfInsert.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <fstream>

namespace orv::gui::test {

namespace {

using Texts = std::vector<std::string>;

// A corrected sheet of 31.12.2024 as a text file: two rows, classes 7 and A.
std::string writeSheet(const GuiProgram& program) {
    const std::string path = program.bank.folder() + "/popravki.csv";
    std::ofstream(path) << "DAT_STANJE;POGODBA;ZNESEK_VAL;VKNT\n"
                           "31.12.2024;N-1;12,5;7\n"
                           "31.12.2024;N-2;O'Brien;A\n"
                           "31.12.2024;N-3;3;A\n";
    return path;
}

std::string writeGoodSheet(const GuiProgram& program) {
    const std::string path = program.bank.folder() + "/dobri.csv";
    std::ofstream(path) << "DAT_STANJE;POGODBA;ZNESEK_VAL;VKNT\n"
                           "31.12.2024;N-1;12,5;7\n"
                           "31.12.2024;N-2;4;7\n";
    return path;
}

// "POGODBA VKNT" of the stored rows of 31.12.2024.
Texts rowsOfTheDate(GuiProgram& program) {
    Texts rows;
    program.dm.OdpriPoizvedbo(program.dm.Q2, "SELECT POGODBA, VKNT FROM POD_ORVEL WHERE "
                                             "DAT_STANJE='31.12.2024' ORDER BY POGODBA");
    for (program.dm.Q2.First(); !program.dm.Q2.Eof(); program.dm.Q2.Next())
        rows.push_back(program.dm.Q2.Fields(0).AsString() + " " +
                       program.dm.Q2.Fields(1).AsString());
    return rows;
}

// Answers the import dialog and the question as a script says.
struct ImportScript {
    std::string file;          // typed into the dialog when not empty
    std::string vknt = "\x01"; // typed into the dialog unless "\x01"
    bool acceptDialog = true;
    bool approve = true;
    // What the dialogs showed.
    std::vector<QString> datesShown, filesShown, classesShown;
    std::vector<QString> questions;
    std::vector<bool> cancelWasDefault;

    std::optional<int> operator()(QDialog& dialog) {
        if (auto* insert = qobject_cast<TfInsert*>(&dialog)) {
            datesShown.push_back(insert->eDatum->text());
            filesShown.push_back(insert->eExcelDatoteka->text());
            classesShown.push_back(insert->eVKNT->text());
            if (!file.empty()) insert->eExcelDatoteka->setText(QString::fromStdString(file));
            if (vknt != "\x01") insert->eVKNT->setText(QString::fromStdString(vknt));
            return acceptDialog ? QDialog::Accepted : QDialog::Rejected;
        }
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (box && box->windowTitle() == "POTRDITEV") {
            questions.push_back(box->text());
            cancelWasDefault.push_back(box->defaultButton() == box->button(QMessageBox::Cancel));
            return approve ? QMessageBox::Ok : QMessageBox::Cancel;
        }
        return std::nullopt;
    }
};

} // namespace

void UvozDialogTest::dialogHasItsControlsAndLooks() {
    GuiProgram program;
    TfInsert& dialog = *program.form.fInsert;
    QCOMPARE(dialog.windowTitle(), QString("Uvoz popravljenih podatkov"));
    QCOMPARE(dialog.size(), QSize(279, 329));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0, 0, 128));
    const std::pair<QWidget*, QString> captions[] = {
        {dialog.Label2, "IZBIRA PODATKOV za zamenjavo "},
        {dialog.Label3, "v tabeli POD_ORVEL"},
        {dialog.Label4, "DAN"},
        {dialog.Label1, "Vrsta konta"},
        {dialog.Label6, "(prazno pomeni vse VKNT)"},
        {dialog.Label5, "VHODNA EXCEL DATOTEKA"},
        {dialog.btnPotrdi, "&Potrdi"},
        {dialog.btnPreklici, "Pre&kliči"},
        {dialog.btnExcel, "&.."},
        {dialog.eVKNT, ""},
        {dialog.eExcelDatoteka, ""},
    };
    for (const auto& [widget, caption] : captions)
        QVERIFY2(widget->property("text").toString() == caption, qPrintable(widget->objectName()));
    // Tab order as the controls are listed: the focus chain from eDatum meets them in order
    // (a date edit's own line edit is part of it).
    const std::vector<QWidget*> order = {dialog.eDatum,         dialog.eVKNT,
                                         dialog.btnPotrdi,      dialog.btnPreklici,
                                         dialog.eExcelDatoteka, dialog.btnExcel};
    std::vector<QWidget*> met;
    QWidget* widget = dialog.eDatum;
    for (int step = 0; step < 500 && met.size() < order.size(); ++step) {
        for (QWidget* control : order)
            if ((widget == control || control->isAncestorOf(widget)) &&
                (met.empty() || met.back() != control))
                met.push_back(control);
        widget = widget->nextInFocusChain();
    }
    QVERIFY(met == order);

    // Looked at, not only asserted: the picture goes where ORVELNOST_GRAB_DIR says.
    dialog.eDatum->setDate(QDate(2024, 12, 31));
    dialog.eVKNT->setText("7");
    dialog.eExcelDatoteka->setText("/home/operater/popravki.xls");
    const QPixmap picture = dialog.grab();
    QCOMPARE(picture.size(), QSize(279, 329));
    const QByteArray folder = qgetenv("ORVELNOST_GRAB_DIR");
    if (!folder.isEmpty()) QVERIFY(picture.save(QString::fromUtf8(folder) + "/TfInsert.png"));
    dialog.eVKNT->clear();
    dialog.eExcelDatoteka->clear();
}

void UvozDialogTest::fileDialogOffersEveryWorkbookFormatTogether() {
    GuiProgram program;
    TfInsert& dialog = *program.form.fInsert;
    const std::string file = writeSheet(program);
    QStringList filters;
    QString selectedFilter, suffix;
    program.dialogs.intercept = [&](QDialog& shown) -> std::optional<int> {
        auto* files = qobject_cast<QFileDialog*>(&shown);
        if (!files) return std::nullopt;
        filters = files->nameFilters();
        selectedFilter = files->selectedNameFilter();
        suffix = files->defaultSuffix();
        files->selectFile(QString::fromStdString(file));
        return QDialog::Accepted;
    };
    QTest::mouseClick(dialog.btnExcel, Qt::LeftButton);
    QCOMPARE(dialog.eExcelDatoteka->text(), QString::fromStdString(file));
    QCOMPARE(selectedFilter,
             QString("Vse preglednice (*.xls *.xlsx *.ods *.csv *.XLS *.XLSX *.ODS *.CSV)"));
    QCOMPARE(suffix, QString("XLS"));
    QCOMPARE(filters.last(), QString("Vse datoteke (*)"));
    for (const char* pattern : {"*.xls", "*.xlsx", "*.ods", "*.csv"})
        QVERIFY2(filters.join(' ').contains(pattern), pattern);
}

void UvozDialogTest::importsAfterApprovalAndKeepsFileAndClass() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "STARA-1", 1}, {"30.11.2024", "NOVEMBER", 2}});
    program.bank.exec("update POD_ORVEL set VKNT = '7'");
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    ImportScript script;
    script.file = writeGoodSheet(program);
    script.vknt = "7";
    program.dialogs.intercept = std::ref(script);

    QTest::mouseClick(form.ui.btnImport, Qt::LeftButton);
    QCOMPARE(rowsOfTheDate(program), (Texts{"N-1 7", "N-2 7"}));
    // The counts per class and the closing message in one box.
    QCOMPARE(program.dialogs.messages,
             Texts{"Izbrisanih vrstic: 1 (razred 7: 1)\rVstavljenih vrstic: 2 (razred 7: 2)\r"
                   "Uvoz podatkov iz excel datoteke zaključen!\rUvoženih vrstic: 2"});
    QCOMPARE(script.datesShown, std::vector<QString>{"31.12.2024"});
    // The approval, then the columns the file leaves out, named in a question of their own.
    QCOMPARE(script.questions.size(), size_t{2});
    QCOMPARE(script.questions[0],
             QString("Prosim potrdi brisanje in uvoz podatkov za  dan 31.12.2024\r in konto "
                     "glavnic 7"));
    QVERIFY2(script.questions[1].startsWith("Stolpci tabele POD_ORVEL, ki jih v datoteki ni, bodo "
                                            "v uvoženih vrsticah prazni: ORGEN, ID_KOM,"),
             qPrintable(script.questions[1]));
    QCOMPARE(script.cancelWasDefault, (std::vector<bool>{true, true}));
    QCOMPARE(form.ui.lblStevec->text(), QString("2"));
    QVERIFY(!form.ui.lblSporocilo->isVisibleTo(&form));

    // The second time the dialog shows the file and the class of the first, and today's date
    // of the window.
    script.file.clear();
    script.vknt = "\x01";
    form.ui.eDan->setDate(QDate(2024, 11, 30));
    script.approve = false;
    QTest::mouseClick(form.ui.btnImport, Qt::LeftButton);
    QCOMPARE(script.filesShown.back(), QString::fromStdString(writeGoodSheet(program)));
    QCOMPARE(script.classesShown.back(), QString("7"));
    QCOMPARE(script.datesShown.back(), QString("30.11.2024"));
}

void UvozDialogTest::cancelInTheDialogOrTheQuestionChangesNothing() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "STARA-1", 1}});
    program.start();
    program.form.ui.eDan->setDate(QDate(2024, 12, 31));
    ImportScript script;
    script.file = writeGoodSheet(program);
    script.acceptDialog = false;
    program.dialogs.intercept = std::ref(script);
    QTest::mouseClick(program.form.ui.btnImport, Qt::LeftButton);
    QVERIFY(script.questions.empty());
    script.acceptDialog = true;
    script.approve = false;
    QTest::mouseClick(program.form.ui.btnImport, Qt::LeftButton);
    QCOMPARE(script.questions.size(), size_t(1));
    QCOMPARE(script.questions.front(),
             QString("Prosim potrdi brisanje in uvoz podatkov za  dan 31.12.2024"));
    QVERIFY(program.dialogs.messages.empty());
    QCOMPARE(rowsOfTheDate(program), Texts{"STARA-1 "});
}

void UvozDialogTest::aFailedImportIsShownAndChangesNothing() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "STARA-1", 1}});
    program.start();
    program.form.ui.eDan->setDate(QDate(2024, 12, 31));
    ImportScript script;
    script.file = writeSheet(program); // row 3 holds a text in a number column
    script.vknt = "";
    program.dialogs.intercept = std::ref(script);
    QTest::mouseClick(program.form.ui.btnImport, Qt::LeftButton);
    // One failure, one box: the import's own words, then the database's.
    QCOMPARE(program.dialogs.messages, Texts{});
    QCOMPARE(program.dialogs.errors.size(), size_t(1));
    const std::string& error = program.dialogs.errors.front();
    QVERIFY2(error.rfind("Napaka v vrstici 3\rstolpec 3 (ZNESEK_VAL), vrednost 'O'Brien'\r"
                         "v excel datoteki " +
                             script.file + "\n\n",
                         0) == 0,
             error.c_str());
    QVERIFY2(error.find("ORA-01722") != std::string::npos, error.c_str());
    QCOMPARE(rowsOfTheDate(program), Texts{"STARA-1 "});
    // The run is over: its message label is gone with it.
    QVERIFY(!program.form.ui.lblSporocilo->isVisibleTo(&program.form));
}

} // namespace orv::gui::test
