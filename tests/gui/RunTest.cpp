#include "gui/RunTest.h"

#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/TfInsert.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>

namespace orv::gui::test {

namespace {

using Texts = std::vector<std::string>;

// Two postings of one class 1 account: a transfer of 31.12.2024 has two source rows. The date
// also holds one row of an earlier transfer.
void addTwoSourceRows(GuiProgram& program) {
    program.bank.exec(
        "INSERT INTO MATRIKA (CTRL, VKNT, VPRC, GRUPIRAJ) VALUES (100, '1', '3', 'N');"
        "INSERT INTO SIFKONT (CTRL, OZNAKA, AKTIVEN) VALUES (100, '1000100', 'D');"
        "INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, IDOBD, DATUMV, BZNESEK, DZNESEK) "
        "VALUES (100, 'E', 1, 1, '15.06.2024', 120.5, 0), "
        "(100, 'E', 2, 1, '16.06.2024', 0, 80);");
    program.addRows({{"31.12.2024", "STARA", 1}});
}

// The contracts of the stored rows of 31.12.2024.
std::string storedContracts(GuiProgram& program) {
    TOracleDataSet& q = program.dm.Q2;
    program.dm.OdpriPoizvedbo(
        q, "SELECT POGODBA FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024' ORDER BY POGODBA");
    std::string contracts;
    for (q.First(); !q.Eof(); q.Next())
        contracts += (contracts.empty() ? "" : " ") + q.Fields(0).AsString();
    q.Close();
    return contracts;
}

// Runs `step` each time the window lets its messages run, until it returns true.
class DuringTheRun {
public:
    explicit DuringTheRun(std::function<bool()> step) : step_(std::move(step)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (step_()) timer_.stop();
        });
        timer_.start();
    }

private:
    std::function<bool()> step_;
    QTimer timer_;
};

// What the window looks like at one moment of a run.
struct RunState {
    QStringList enabledCommands;
    bool prekiniShown = false;
    bool prekiniEnabled = false;
    QString bar;
};

RunState stateOf(TForm1& form) {
    RunState state;
    for (QWidget* command : form.sessionCommands())
        if (command->isEnabled()) state.enabledCommands << command->objectName();
    state.prekiniShown = form.ui.btnPrekini->isVisibleTo(&form);
    state.prekiniEnabled = form.ui.btnPrekini->isEnabled();
    if (form.ui.pbNapredek->isVisibleTo(&form)) state.bar = form.ui.pbNapredek->text();
    return state;
}

// The window started on a bank with two source rows for 31.12.2024, that date in its field.
TForm1& startWithTwoSourceRows(GuiProgram& program) {
    addTwoSourceRows(program);
    program.start();
    program.form.ui.eDan->setDate(QDate(2024, 12, 31));
    return program.form;
}

void grab(QWidget& widget, const QString& name) {
    const QByteArray folder = qgetenv("ORVELNOST_GRAB_DIR");
    if (!folder.isEmpty()) widget.grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

} // namespace

void RunTest::commandsWaitForTheTransferAndPrekiniStopsIt() {
    GuiProgram program;
    TForm1& form = startWithTwoSourceRows(program);
    QCOMPARE(form.sessionCommands().size(), size_t{7});

    RunState during;
    // Stopped in the loop over the source rows, after the first row's counter.
    DuringTheRun stop([&] {
        if (!form.runInProgress() || !form.ui.pbNapredek->isVisibleTo(&form)) return false;
        during = stateOf(form);
        grab(form, "prenos-tece");
        QTest::mouseClick(form.ui.btnPrekini, Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);

    QCOMPARE(during.enabledCommands, QStringList{});
    QVERIFY(during.prekiniShown && during.prekiniEnabled);
    QVERIFY2(during.bar.startsWith("1 / 2"), qPrintable(during.bar));
    QCOMPARE(program.dialogs.log,
             Texts{"message: Prekinjeno na zahtevo operaterja.\nPrenos ni shranil ničesar."});
    // The transfer is one unit of work: the stopped run leaves the date's rows as they were.
    QCOMPARE(storedContracts(program), std::string("STARA"));
    // The window is the operator's again.
    const RunState after = stateOf(form);
    QCOMPARE(after.enabledCommands.size(), qsizetype{7});
    QVERIFY(!after.prekiniShown);
    QVERIFY(!form.ui.lblSporocilo->isVisibleTo(&form) && after.bar.isEmpty());
    QVERIFY(!form.runInProgress());

    // The next run goes to its end.
    program.dialogs.log.clear();
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(program.dialogs.errors, Texts{});
    QCOMPARE(storedContracts(program), std::string("00001 00002"));
}

void RunTest::prekiniStopsTheImportAndNothingOfItStays() {
    GuiProgram program;
    program.addRows({{"31.12.2024", "STARA", 1}});
    program.start();
    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    const std::string sheet = program.bank.folder() + "/popravki.csv";
    std::ofstream(sheet) << "DAT_STANJE;POGODBA;ZNESEK_VAL\n31.12.2024;N-1;1\n31.12.2024;N-2;2\n";
    program.dialogs.intercept = [&](QDialog& dialog) -> std::optional<int> {
        if (auto* insert = qobject_cast<TfInsert*>(&dialog)) {
            insert->eExcelDatoteka->setText(QString::fromStdString(sheet));
            return QDialog::Accepted;
        }
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (box && box->windowTitle() == "POTRDITEV") return QMessageBox::Ok;
        return std::nullopt;
    };
    RunState during;
    // Stopped after the first row was inserted: the deletion and the insert are undone.
    DuringTheRun stop([&] {
        if (!form.runInProgress() || form.ui.lblStevec->text() != "1") return false;
        during = stateOf(form);
        QTest::mouseClick(form.ui.btnPrekini, Qt::LeftButton);
        return true;
    });
    QTest::mouseClick(form.ui.btnImport, Qt::LeftButton);
    QCOMPARE(during.enabledCommands, QStringList{});
    QVERIFY(during.prekiniShown && during.prekiniEnabled);
    QCOMPARE(program.dialogs.log,
             Texts{"message: Prekinjeno na zahtevo operaterja.\nUvoz ni shranil ničesar."});
    QCOMPARE(storedContracts(program), std::string("STARA"));
    QVERIFY(!form.ui.lblSporocilo->isVisibleTo(&form));
    QCOMPARE(stateOf(form).enabledCommands.size(), qsizetype{7});
}

void RunTest::closingTheWindowDuringARunAsksFirst_data() {
    QTest::addColumn<bool>("stop");
    QTest::newRow("OK stops the run and closes") << true;
    QTest::newRow("Cancel lets the run end") << false;
}

void RunTest::closingTheWindowDuringARunAsksFirst() {
    QFETCH(bool, stop);
    GuiProgram program;
    TForm1& form = startWithTwoSourceRows(program);
    QStringList questions;
    bool visibleWhileAsked = false;
    program.dialogs.intercept = [&](QDialog& dialog) -> std::optional<int> {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box || box->windowTitle() != "POTRDITEV") return std::nullopt;
        questions << box->text();
        visibleWhileAsked = form.isVisible();
        grab(*box, "zapiranje-med-prenosom");
        return stop ? QMessageBox::Ok : QMessageBox::Cancel;
    };
    DuringTheRun close([&] {
        if (!form.runInProgress() || !form.ui.pbNapredek->isVisibleTo(&form)) return false;
        form.close(); // as the window manager asks (Alt+F4)
        return true;
    });
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(questions.size(), qsizetype{1});
    QVERIFY2(questions[0].startsWith("Prenos še teče."), qPrintable(questions[0]));
    QVERIFY(visibleWhileAsked);
    if (stop) {
        QCOMPARE(storedContracts(program), std::string("STARA"));
        QTRY_VERIFY(!form.isVisible());
    } else {
        QCOMPARE(storedContracts(program), std::string("00001 00002"));
        QTest::qWait(50);
        QVERIFY(form.isVisible());
    }
}

void RunTest::closingMessageNamesItsNumbers() {
    GuiProgram program;
    TForm1& form = startWithTwoSourceRows(program);
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(program.dialogs.log,
             Texts{"message: Prepis končan: 2  / 2\nIzvornih vrstic: 2, zapisanih: 2, "
                   "odstranjenih s čiščenjem in popravki: 0, shranjenih: 2"});
    QCOMPARE(form.ui.lblStevec->text(), QString("2"));

    // Without the deletion the window asks before adding to the stored rows (the test's boxes
    // answer OK); the rows of earlier transfers stay, and the line says so.
    program.dialogs.log.clear();
    QTest::mouseClick(form.ui.cbBrisanje, Qt::LeftButton);
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(program.dialogs.log.size(), size_t{2});
    QVERIFY2(program.dialogs.log[0].starts_with(
                 "message: Za dan 31.12.2024 je v tabeli POD_ORVEL že 2 vrstic"),
             program.dialogs.log[0].c_str());
    QCOMPARE(program.dialogs.log[1],
             std::string("message: Prepis končan: 2  / 2\nIzvornih vrstic: 2, zapisanih: 2, "
                         "odstranjenih s čiščenjem in popravki: 0, shranjenih: 4 (z 2 "
                         "vrsticami, ki so že bile shranjene)"));
}

} // namespace orv::gui::test
