#include "gui/MainWindowTest.h"

#include "base/ProgramFolder.h"
#include "db/DatabaseError.h"
#include "gui/DataSetModel.h"
#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/VkntSelector.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace orv::gui::test {

namespace {

using Texts = std::vector<std::string>;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text of one column of the rows the grid shows.
QStringList gridColumn(const GuiProgram& program, const QString& name) {
    const DataSetModel* model = program.form.gridModel;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() != name) continue;
        QStringList values;
        for (int row = 0; row < model->rowCount(); ++row)
            values << model->index(row, column).data().toString();
        return values;
    }
    return {"no column " + name};
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// The geometry of every control of the window's client area, by name.
std::map<QString, QRect> layoutOf(const TForm1& form) {
    std::map<QString, QRect> layout;
    for (const QWidget* control :
         form.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        layout[control->objectName()] = control->geometry();
    return layout;
}

} // namespace

void MainWindowTest::controlsStartWithTheirCaptionsAndStates() {
    GuiProgram program;
    program.form.show();
    const Form1Controls& ui = program.form.ui;
    struct Control {
        QWidget* widget;
        QString caption;
        bool visible;
    };
    const Control controls[] = {
        {ui.Label4, "DAN", true},
        {ui.btnPredogled, "&Predogled", true},
        {ui.btnPrekini, "Pre&kini", false},
        {ui.lblSporocilo, "PREPIS V IZVAJANJU ...", false},
        {ui.lblKorak, "-------------", false},
        {ui.lblStevec, "--------", true},
        {ui.btnStart, "&Start prenosa", true},
        {ui.cbBrisanje, "Predhodno &brisanje", true},
        {ui.cbINT_NEW, "INT_NE&W", true},
        {ui.Label7, "VKNT", true},
        {ui.lblSporocilo2, "", true},
        {ui.cbDebugSQL, "Debug SQL save", true},
        {ui.btnImport, "I&mport popravljenih", true},
        {ui.btnIzhod, "&Izhod", true},
        {ui.btnExcel, "v Excel", false},
        {ui.cbFifo, "FIFO brisanje", false},
    };
    for (const Control& control : controls) {
        const QString caption = control.widget->property("text").toString();
        QVERIFY2(caption == control.caption, qPrintable(control.widget->objectName()));
        QVERIFY2(control.widget->isVisibleTo(&program.form) == control.visible,
                 qPrintable(control.widget->objectName()));
    }
    QVERIFY(ui.cbBrisanje->isChecked() && ui.cbINT_NEW->isChecked() && ui.cbFifo->isChecked());
    QVERIFY(!ui.cbDebugSQL->isChecked());
    QVERIFY(!(ui.cbDebugSQL->focusPolicy() & Qt::TabFocus));
    QVERIFY(ui.eVKNT->isReadOnly());
    QCOMPARE(ui.eVKNT->maxLength(), 1);
    QCOMPARE(ui.eVKNT->text(), QString());
    QCOMPARE(ui.eIdpog->toolTip(), QString("test idpog"));
    QCOMPARE(ui.Nastavitve1->title(), QString("&Nastavitve"));
    QCOMPARE(ui.Nastavitve1->actions(), QList<QAction*>{ui.ReferentVIni1});
    QCOMPARE(ui.ReferentVIni1->text(), QString("&Referenti v orvelnost.ini ..."));
    QCOMPARE(ui.DBGrid1->parentWidget(), ui.Panel1);

    const QColor navy(0, 0, 128);
    QCOMPARE(program.form.centralWidget()->palette().color(QPalette::Window), navy);
    QCOMPARE(ui.pnlVKNT->palette().color(QPalette::Window), navy);
    QCOMPARE(ui.pnlLogo->palette().color(QPalette::Window), navy);
    QCOMPARE(ui.lblSporocilo->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QVERIFY(ui.lblSporocilo->font().bold());
    QCOMPARE(ui.Label4->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(ui.lblBaza->palette().color(QPalette::WindowText), QColor(Qt::cyan));
}

void MainWindowTest::optionsReachTheCoreThroughThePort() {
    GuiProgram program;
    program.start();
    TForm1& form = program.form;
    const Vmesnik& port = form;
    QTest::mouseClick(form.ui.cbBrisanje, Qt::LeftButton);
    QTest::mouseClick(form.ui.cbINT_NEW, Qt::LeftButton);
    QTest::keyClicks(form.ui.eIdpog, "4711");
    QCOMPARE(port.cbBrisanje(), false);
    QCOMPARE(port.cbINT_NEW(), false);
    QCOMPARE(port.cbFifo(), true);
    QCOMPARE(port.eIdpog(), std::string("4711"));
    QCOMPARE(port.eDanText(), form.ui.eDan->text().toStdString());

    form.setLblSporociloVisible(true);
    form.setLblSporocilo("Prepis podatkov ...");
    form.setLblStevec("3 / 10");
    form.setLblSporocilo2(" Izračun ");
    QVERIFY(form.ui.lblSporocilo->isVisible());
    QCOMPARE(form.ui.lblSporocilo->text(), QString("Prepis podatkov ..."));
    QCOMPARE(form.ui.lblStevec->text(), QString("3 / 10"));
    QCOMPARE(form.ui.lblSporocilo2->text(), QString(" Izračun "));
}

void MainWindowTest::predogledShowsTheStoredRowsOfTheDate() {
    GuiProgram program;
    program.addRows(
        {{"31.12.2024", "P-1", 10.5}, {"30.11.2024", "P-9", 1}, {"31.12.2024", "P-2", -3}});
    program.start();
    TForm1& form = program.form;

    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(program.dialogs.log, Texts{});
    QCOMPARE(program.dm.Q1.SQL(),
             std::string("SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024' "));
    QCOMPARE(form.gridModel->dataSet(), &program.dm.Q1);
    QCOMPARE(form.ui.DBGrid1->model(), form.gridModel);
    QStringList contracts = gridColumn(program, "POGODBA");
    contracts.sort();
    QCOMPARE(contracts, (QStringList{"P-1", "P-2"}));
    QCOMPARE(form.ui.lblStevec->text(), QString("2")); // the rows previewed

    form.ui.eDan->setDate(QDate(2024, 11, 30));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(gridColumn(program, "POGODBA"), QStringList{"P-9"});
    QCOMPARE(gridColumn(program, "ZNESEK_VAL"), QStringList{"1"});
    QCOMPARE(form.ui.lblStevec->text(), QString("1"));
    QCOMPARE(program.dialogs.log, Texts{});

    // A date without rows says so.
    form.ui.eDan->setDate(QDate(2024, 10, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(form.gridModel->rowCount(), 0);
    QCOMPARE(form.ui.lblStevec->text(), QString("0"));
    QCOMPARE(program.dialogs.log, Texts{"message: Za dan 31.10.2024 ni shranjenih vrstic."});
}

void MainWindowTest::startRunsTheTransferAndShowsTheRowsOfTheDate() {
    GuiProgram program;
    program.bank.exec(
        "INSERT INTO MATRIKA (CTRL, VKNT, VPRC, GRUPIRAJ) VALUES (100, '1', '3', 'N');"
        "INSERT INTO SIFKONT (CTRL, OZNAKA, AKTIVEN) VALUES (100, '1000100', 'D');"
        "INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, IDOBD, DATUMV, BZNESEK, DZNESEK) "
        "VALUES (100, 'E', 1, 1, '15.06.2024', 120.5, 0), "
        "(100, 'E', 2, 1, '16.06.2024', 0, 80);");
    program.addRows({{"31.12.2024", "STARA", 1}, {"30.11.2024", "NOVEMBER", 1}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);

    QCOMPARE(program.dialogs.log,
             Texts{"message: Prepis končan: 2  / 2\nIzvornih vrstic: 2, zapisanih: 2, "
                   "odstranjenih s čiščenjem in popravki: 0, shranjenih: 2"});
    QCOMPARE(form.gridModel->dataSet(), &program.dm.Qpod_orvel);
    QCOMPARE(gridColumn(program, "POGODBA"), (QStringList{"00001", "00002"}));
    QCOMPARE(gridColumn(program, "ZNESEK_VAL"), (QStringList{"-120.5", "80"}));
    QCOMPARE(form.ui.lblStevec->text(), QString("2"));
    QVERIFY(!form.ui.lblSporocilo->isVisible());
    QCOMPARE(form.ui.lblKorak->text(), QString("ECB_34"));
    // The window as the operator sees it after a transfer.
    const QString slika = QDir::temp().filePath("orvelnost-prenos.png");
    QVERIFY(form.grab().save(slika));
}

void MainWindowTest::enterInTheDateRunsThePreviewWithoutReachingTheEdit() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "P-1", 1}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    // The date field answers Enter itself by finishing the edit: it must not see the key.
    QSignalSpy finished(form.ui.eDan, &QLineEdit::editingFinished);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        program.dm.Q1.Close();
        QTest::keyClick(form.ui.eDan, key);
        QVERIFY(program.dm.Q1.Active());
        QCOMPARE(gridColumn(program, "POGODBA"), QStringList{"P-1"});
    }
    QCOMPARE(finished.count(), 0);
    QCOMPARE(form.ui.eDan->text(), QString("31.12.2024"));
}

void MainWindowTest::dateFieldTakesTheTypedForms_data() {
    QTest::addColumn<bool>("ctrlA");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    // Right after the start the field holds today's date, selected: typing replaces it.
    QTest::newRow("dots") << false << "31.12.2024" << 0 << "31.12.2024" << false;
    QTest::newRow("eight digits") << false << "31122024" << 0 << "31.12.2024" << false;
    QTest::newRow("one-digit day and month") << false << "1.1.2024" << 0 << "01.01.2024" << false;
    QTest::newRow("typed slowly") << false << "31.12.2024" << 60 << "31.12.2024" << false;
    QTest::newRow("after Ctrl+A") << true << "31.12.2024" << 0 << "31.12.2024" << false;
    QTest::newRow("digits after Ctrl+A") << true << "01012024" << 0 << "01.01.2024" << false;
    QTest::newRow("blanks around") << false << " 1.1.2024 " << 0 << "01.01.2024" << false;
    QTest::newRow("month 13") << false << "31.13.2024" << 0 << "31.13.2024" << true;
    QTest::newRow("no 29 February") << false << "29.02.2023" << 0 << "29.02.2023" << true;
    QTest::newRow("two-digit year") << false << "1.1.24" << 0 << "1.1.24" << true;
    QTest::newRow("a letter") << true << "3l.12.2024" << 0 << "3l.12.2024" << true;
    QTest::newRow("a digit too many") << true << "31.12.20245" << 0 << "31.12.20245" << true;
    QTest::newRow("seven digits") << true << "3112202" << 0 << "3112202" << true;
    QTest::newRow("deleted") << true << "" << 0 << "" << true;
}

void MainWindowTest::dateFieldTakesTheTypedForms() {
    QFETCH(bool, ctrlA);
    QFETCH(QString, typed);
    QFETCH(int, delay);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    GuiProgram program;
    program.addRows({{"31.12.2024", "P-1", 1}, {"01.01.2024", "P-2", 2}});
    program.start();
    DatumskoPolje* eDan = program.form.ui.eDan;
    QCOMPARE(eDan->selectedText(), eDan->text()); // the start leaves it selected
    if (ctrlA) {
        eDan->end(false);
        QTest::keyClick(eDan, Qt::Key_A, Qt::ControlModifier);
    }
    QTest::keyClicks(eDan, typed, Qt::NoModifier, delay);
    if (typed.isEmpty()) QTest::keyClick(eDan, Qt::Key_Delete); // the selected date deleted
    QTest::keyClick(eDan, Qt::Key_Return);

    QCOMPARE(eDan->text(), shown);
    if (refused) {
        // Said where it was typed, and nothing ran for some other date.
        QCOMPARE(program.dialogs.log,
                 Texts{"message: " + DatumskoPolje::sporociloZaNapacenDatum(typed).toStdString()});
        QVERIFY(!program.dm.Q1.Active());
        QCOMPARE(eDan->selectedText(), shown);
        return;
    }
    QCOMPARE(program.dialogs.log, Texts{});
    QCOMPARE(program.dm.Q1.SQL(),
             "SELECT * FROM POD_ORVEL WHERE DAT_STANJE='" + shown.toStdString() + "' ");
    QCOMPARE(program.form.ui.lblStevec->text(), QString("1"));
}

void MainWindowTest::dateFieldRefusesOnLeavingAndTakesTheCalendar() {
    GuiProgram program;
    program.start();
    TForm1& form = program.form;
    DatumskoPolje* eDan = form.ui.eDan;
    QTest::keyClicks(eDan, "31.04.2024");
    eDan->clearFocus(); // the operator leaves the field
    QCOMPARE(
        program.dialogs.log,
        Texts{"message: " + DatumskoPolje::sporociloZaNapacenDatum("31.04.2024").toStdString()});
    QCOMPARE(eDan->text(), QString("31.04.2024"));
    // Start prenosa for a date that is no date does not start.
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(program.dialogs.log.size(), size_t{2});
    QVERIFY(!program.dm.Q1.Active() && !program.dm.Qpod_orvel.Active());

    // A day picked in the calendar.
    eDan->odpriKoledar();
    QVERIFY(eDan->koledar() && eDan->koledar()->isVisible());
    QCOMPARE(eDan->koledar()->selectedDate(), QDate::currentDate()); // the text is no date
    const QByteArray folder = qgetenv("ORVELNOST_GRAB_DIR");
    if (!folder.isEmpty()) eDan->koledar()->grab().save(QString::fromUtf8(folder) + "/koledar.png");
    emit eDan->koledar()->activated(QDate(2024, 12, 31));
    QVERIFY(!eDan->koledar()->isVisible());
    QCOMPARE(eDan->text(), QString("31.12.2024"));
    QCOMPARE(eDan->date(), QDate(2024, 12, 31));
    QCOMPARE(program.dialogs.log.size(), size_t{2});
}

void MainWindowTest::errorOfACommandIsShownAndTheProgramGoesOn() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "P-1", 1}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(form.gridModel->rowCount(), 1);

    program.bank.exec("alter table POD_ORVEL rename to POD_ORVEL_STARA");
    // What the database itself says of the statement.
    std::string databaseText = "no error";
    TOracleDataSet probe("probe", program.dm.OracleSession1);
    probe.setSQL(program.dm.Q1.SQL());
    try {
        probe.Open();
    } catch (const DatabaseError& error) {
        databaseText = error.what();
    }
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(program.dialogs.errors, Texts{databaseText});
    QCOMPARE(program.dialogs.messages, Texts{}); // no message of its own
    QVERIFY(!form.terminationRequested());
    QCOMPARE(form.gridModel->rowCount(), 0);
    QCOMPARE(form.gridModel->dataSet(), &program.dm.Q1);

    // The program goes on: the next command works.
    program.bank.exec("alter table POD_ORVEL_STARA rename to POD_ORVEL");
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    QCOMPARE(gridColumn(program, "POGODBA"), QStringList{"P-1"});
    QCOMPARE(program.dialogs.errors.size(), size_t{1});
}

void MainWindowTest::selectorFillsTheClassAndTheBlankEntryEmptiesIt() {
    GuiProgram program;
    program.addClasses({{"1", "Krediti"}, {"A", "Vrednostni papirji"}, {"3", "Depoziti"}});
    program.start();
    TForm1& form = program.form;
    VkntSelector* selector = form.ui.DBLookupComboBox1;

    QTest::keyClick(selector, Qt::Key_Down); // key up: the class follows the selector
    QCOMPARE(form.eVKNT(), std::string("3"));

    const std::pair<int, const char*> choices[] = {{3, "A"}, {0, ""}, {2, "1"}, {0, ""}};
    for (const auto& [index, expected] : choices) {
        selector->showPopup();
        selector->setCurrentIndex(index);
        selector->hidePopup(); // close-up: the class follows the selector
        QCOMPARE(form.eVKNT(), std::string(expected));
    }

    // The class edit cannot be typed into.
    QTest::keyClicks(form.ui.eVKNT, "B");
    QCOMPARE(form.eVKNT(), std::string());
}

void MainWindowTest::debugSqlSaveFlipsTheSwitch() {
    GuiProgram program;
    program.start();
    TForm1& form = program.form;
    QVERIFY(!form.DebugSQL());
    for (const bool expected : {true, false, true}) {
        QTest::mouseClick(form.ui.cbDebugSQL, Qt::LeftButton);
        QCOMPARE(form.DebugSQL(), expected);
        QCOMPARE(form.ui.cbDebugSQL->isChecked(), expected);
    }
    // The data module sees the switch: statements are saved while it is on.
    const std::string debugFile = program.bank.folder() + "/probe.SQL";
    program.dm.OdpriPoizvedbo(program.dm.Q1, "select 1 X from dual", "probe.SQL");
    QCOMPARE(readFile(debugFile), std::string("select 1 X from dual\r\n"));
    QTest::mouseClick(form.ui.cbDebugSQL, Qt::LeftButton);
    std::filesystem::remove(debugFile);
    program.dm.OdpriPoizvedbo(program.dm.Q1, "select 2 X from dual", "probe.SQL");
    QVERIFY(!std::filesystem::exists(debugFile));
}

void MainWindowTest::resizeMovesTheBottomAndRightControls_data() {
    QTest::addColumn<int>("dW");
    QTest::addColumn<int>("dH");
    QTest::newRow("enlarged") << 100 << 50;
    QTest::newRow("made lower") << 0 << -40;
}

void MainWindowTest::resizeMovesTheBottomAndRightControls() {
    QFETCH(int, dW);
    QFETCH(int, dH);
    GuiProgram program;
    program.start();
    TForm1& form = program.form;
    const std::map<QString, QRect> before = layoutOf(form);
    const QSize gridSize = form.ui.DBGrid1->size();
    const QSize size = form.size();
    form.resize(size.width() + dW, size.height() + dH);
    QTRY_COMPARE(form.size(), QSize(size.width() + dW, size.height() + dH));

    const std::set<QString> down = {"btnStart",  "btnExcel", "btnIzhod",
                                    "btnImport", "pnlVKNT",  "pnlLogo"};
    const std::set<QString> right = {"lblStevec", "btnIzhod", "btnImport", "pnlVKNT"};
    const std::map<QString, QRect> after = layoutOf(form);
    QCOMPARE(after.size(), before.size());
    for (const auto& [name, was] : before) {
        QRect expected = was.translated(right.count(name) ? dW : 0, down.count(name) ? dH : 0);
        if (name == "Panel1") expected.setSize(was.size() + QSize(dW, dH));
        QVERIFY2(after.at(name) == expected, qPrintable(name));
    }
    // The grid fills its panel.
    QTRY_COMPARE(form.ui.DBGrid1->size(), gridSize + QSize(dW, dH));
}

void MainWindowTest::minimumSizeKeepsEveryControlVisible() {
    GuiProgram program;
    program.start();
    TForm1& form = program.form;
    form.resize(640, 200); // smaller than the operator tried (640 x 400)
    QTRY_COMPARE(form.size(), form.minimumSize());
    // Every control shown lies whole inside the window and over no other one.
    const QRect client = form.centralWidget()->rect();
    std::vector<const QWidget*> shown;
    for (const QWidget* control :
         form.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisibleTo(&form)) shown.push_back(control);
    QVERIFY(shown.size() >= 9);
    for (const QWidget* control : shown) {
        QVERIFY2(client.contains(control->geometry()), qPrintable(control->objectName()));
        for (const QWidget* other : shown)
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + " / " + other->objectName()));
    }
    QVERIFY(form.ui.DBGrid1->height() >= 100);
    const QByteArray pictures = qgetenv("ORVELNOST_GRAB_DIR");
    if (!pictures.isEmpty()) form.grab().save(QString::fromUtf8(pictures) + "/najmanjse-okno.png");
}

void MainWindowTest::tabLeavesTheGrid() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "P-1", 1}, {"31.12.2024", "P-2", 2}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton);
    form.ui.DBGrid1->setFocus();
    QTRY_VERIFY(form.ui.DBGrid1->hasFocus());
    QTest::keyClick(form.ui.DBGrid1, Qt::Key_Tab);
    QTRY_VERIFY(!form.ui.DBGrid1->hasFocus());
    QCOMPARE(form.ui.DBGrid1->currentIndex().row(), 0); // Tab moved no cell
}

void MainWindowTest::resizeBeforeTheFirstActivationChangesNothing() {
    GuiProgram program;
    TForm1& form = program.form;
    const std::map<QString, QRect> designed = layoutOf(form);
    const QSize size = form.size();
    form.resize(size.width() + 100, size.height() + 50);
    form.show(); // delivers the resize, before the platform activates the window
    QVERIFY(form.PrviZagon());
    QCOMPARE(layoutOf(form), designed);

    // The first activation takes the layout as it finds it; later resizes work from there.
    program.start();
    QCOMPARE(layoutOf(form), designed);
    form.resize(size);
    QTRY_COMPARE(form.size(), size);
    QCOMPARE(form.ui.btnIzhod->pos(), designed.at("btnIzhod").topLeft() - QPoint(100, 50));
    QCOMPARE(form.ui.Panel1->size(), designed.at("Panel1").size() - QSize(100, 50));
}

void MainWindowTest::izhodLeavesAnEmptyConfFile_data() {
    QTest::addColumn<bool>("existed");
    QTest::newRow("held text") << true;
    QTest::newRow("missing") << false;
}

void MainWindowTest::izhodLeavesAnEmptyConfFile() {
    QFETCH(bool, existed);
    GuiProgram program;
    program.start();
    const std::string conf = program.form.PotPrograma() + "ORVELNOST.conf";
    QCOMPARE(program.form.PotPrograma(), programFolder());
    std::filesystem::remove(conf);
    if (existed) std::ofstream(conf) << "[OKNO]\nSIRINA=1024\n";

    QTest::mouseClick(program.form.ui.btnIzhod, Qt::LeftButton);
    QVERIFY(program.form.terminationRequested());
    QVERIFY(std::filesystem::exists(conf));
    QCOMPARE(std::filesystem::file_size(conf), std::uintmax_t{0});
    std::filesystem::remove(conf);
}

void MainWindowTest::referentIniOpensInTheEditor_data() {
    QTest::addColumn<QString>("visual");
    QTest::addColumn<QString>("editor");
    QTest::newRow("VISUAL") << "EDITOR_SCRIPT"
                            << "missing-editor";
    QTest::newRow("EDITOR when VISUAL is unset") << ""
                                                 << "EDITOR_SCRIPT";
    QTest::newRow("EDITOR when VISUAL cannot start") << "missing-editor"
                                                     << "EDITOR_SCRIPT";
}

void MainWindowTest::referentIniOpensInTheEditor() {
    QFETCH(QString, visual);
    QFETCH(QString, editor);
    GuiProgram program;
    program.start();
    // A stand-in editor that writes down what it was asked to open.
    const std::string opened = program.bank.folder() + "/opened";
    const std::string script = program.bank.folder() + "/editor.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s|' \"$@\" > '" << opened << ".tmp'\n"
                          << "mv '" << opened << ".tmp' '" << opened << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const QString scriptCommand = QString::fromStdString(script) + " --wait";
    ScopedEnv visualEnv("VISUAL", visual.replace("EDITOR_SCRIPT", scriptCommand));
    ScopedEnv editorEnv("EDITOR", editor.replace("EDITOR_SCRIPT", scriptCommand));

    program.form.ui.ReferentVIni1->trigger();
    QTRY_VERIFY(std::filesystem::exists(opened));
    QCOMPARE(readFile(opened), "--wait|" + programFolder() + "orvelnost.ini|");
    QCOMPARE(program.dialogs.log, Texts{});
}

} // namespace orv::gui::test
