#include "gui/BankLockTest.h"

#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/TfInsert.h"
#include "gui/grid/HeldOpenFiles.h"
#include "gui/grid/SafeFileDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace orv::gui::test {

namespace {

using orv::test::runCommand;

const std::string kDan = "31.12.2024";

// The device and inode of the bank's files, as /proc/locks writes them (major:minor:inode, hex
// device numbers); a file that does not exist is left out.
std::set<std::string> lockKeys(const std::string& bank) {
    std::set<std::string> keys;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        struct stat file {};
        if (::stat((bank + suffix).c_str(), &file) != 0) continue;
        std::ostringstream key;
        key << std::hex << std::setfill('0') << std::setw(2) << major(file.st_dev) << ':'
            << std::setw(2) << minor(file.st_dev) << ':' << std::dec << file.st_ino;
        keys.insert(key.str());
    }
    return keys;
}

// The POSIX locks this process holds on the bank's files, from the kernel's own list.
int locksOnBank(const std::string& bank) {
    const std::set<std::string> keys = lockKeys(bank);
    std::ifstream list("/proc/locks");
    int count = 0;
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        std::vector<std::string> field;
        for (std::string word; fields >> word;)
            if (word != "->") field.push_back(word);
        // 1: POSIX ADVISORY READ <pid> <maj:min:inode> <start> <end>
        if (field.size() < 6 || field[1] != "POSIX") continue;
        if (field[4] != std::to_string(::getpid())) continue;
        if (keys.count(field[5])) ++count;
    }
    return count;
}

// The process-wide working folder for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& folder) : old_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~WorkingFolder() { QDir::setCurrent(old_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString old_;
};

// Shows a file dialog in `folder` with every file listed, its details (type and icon of each
// file) asked for as the view paints them, and cancels it. Returns the type names it listed.
QStringList listTheFolder(QFileDialog& dialog, const QString& folder) {
    dialog.selectNameFilter(dialog.nameFilters().last()); // all files: the bank's too
    dialog.setDirectory(folder);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    auto* model = dialog.findChild<QFileSystemModel*>();
    QStringList types;
    if (!model) return {"no file model"};
    const QModelIndex root = model->index(folder);
    static_cast<void>(QTest::qWaitFor([&] { return model->rowCount(root) >= 3; }, 5000));
    for (int pass = 0; pass < 5; ++pass) {
        types.clear();
        for (int row = 0; row < model->rowCount(root); ++row) {
            model->data(model->index(row, 0, root), Qt::DecorationRole);
            types << model->index(row, 0, root).data().toString() + "=" +
                         model->index(row, 2, root).data().toString();
        }
        QTest::qWait(100);
    }
    const QByteArray pictures = qgetenv("ORVELNOST_GRAB_DIR");
    if (!pictures.isEmpty())
        dialog.grab().save(QString::fromUtf8(pictures) + "/" + dialog.objectName() + ".png");
    dialog.hide();
    types.sort();
    return types;
}

// The rows of the date and of the whole table, as one line of the program's query output.
std::string rowsSeenInTheWindow(GuiProgram& program) {
    TOracleDataSet& q = program.dm.Q2;
    program.dm.OdpriPoizvedbo(q, "select count(*) N, sum(ZNESEK_VAL) S, (select count(*) from "
                                 "POD_ORVEL) T from POD_ORVEL where DAT_STANJE='" +
                                     kDan + "'");
    const std::string seen =
        q.Fields(0).AsString() + "\t" + q.Fields(1).AsString() + "\t" + q.Fields(2).AsString();
    q.Close();
    return seen;
}

} // namespace

void BankLockTest::fileDialogsInTheBankFolderKeepTheBankWhole() {
    GuiProgram program({"BANKA", "OPERATER", "demo"});
    const std::string folder = program.bank.folder() + "/banka";
    const std::string bank = folder + "/banka.db";
    std::filesystem::create_directory(folder);
    // A demo bank of its own, named BANKA in the test's alias store (which the children share).
    const auto demo =
        runCommand(std::string(ORVELNOST_DEMO_PROGRAM) + " --velikost 3 --alias BANKA " + bank);
    QVERIFY2(demo.exitCode == 0, demo.err.c_str());

    WorkingFolder here(QString::fromStdString(folder));
    program.start();
    QVERIFY(program.dm.OracleSession1.connected());
    const int locks = locksOnBank(bank);
    QVERIFY2(locks > 0, "the window's connection holds no lock on the bank");

    TForm1& form = program.form;
    form.ui.eDan->setDate(QDate(2024, 12, 31));
    QTest::mouseClick(form.ui.btnPredogled, Qt::LeftButton); // the grid's tools need rows

    // Every file dialog of the program, opened in the bank's folder.
    const QString here_ = QString::fromStdString(folder);
    QStringList shown;
    QStringList listed;
    program.dialogs.intercept = [&](QDialog& dialog) -> std::optional<int> {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            shown << dialog.objectName();
            if (!dynamic_cast<SafeFileDialog*>(files)) shown << "Qt's own file dialog";
            listed = listTheFolder(*files, here_);
            return QDialog::Rejected;
        }
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            shown << dialog.objectName();
            // Its output file: the ".." dialog, then the bank's own file typed in.
            auto* browse = print->findChild<QAbstractButton*>("fileBrowser");
            auto* fileName = print->findChild<QLineEdit*>("filename");
            auto* printers = print->findChild<QComboBox*>("printers");
            if (!browse || !fileName || !printers) {
                shown << "print dialog without its file controls";
                return QDialog::Rejected;
            }
            printers->setCurrentIndex(printers->count() - 1);
            print->show();
            browse->click();
            fileName->setText(QString::fromStdString(bank));
            QPushButton* ok = print->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            if (ok->isEnabled()) shown << "print dialog would write over the bank";
            fileName->setText(here_ + "/izpis.pdf");
            if (!ok->isEnabled()) shown << "print dialog refuses a new file";
            QTest::qWait(300);
            const QByteArray pictures = qgetenv("ORVELNOST_GRAB_DIR");
            if (!pictures.isEmpty())
                print->grab().save(QString::fromUtf8(pictures) + "/printDialog.png");
            print->hide();
            return QDialog::Rejected;
        }
        return std::nullopt;
    };
    QTest::mouseClick(form.fInsert->btnExcel, Qt::LeftButton);
    QCOMPARE(locksOnBank(bank), locks);
    form.ui.DBGrid1->runTool(TGridButton::gbExport);
    QCOMPARE(locksOnBank(bank), locks);
    {
        // The print dialog completes its output file's name from the home folder.
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(folder));
        form.ui.DBGrid1->runTool(TGridButton::gbPrint);
        qputenv("HOME", home);
    }
    QCOMPARE(shown, (QStringList{"OpenDialog1", "exportDialog", "printDialog", "printFileDialog"}));
    QVERIFY2(listed.contains("banka.db=Datoteka DB"), qPrintable(listed.join(", ")));
    QVERIFY2(listed.contains("banka.db-wal=Datoteka DB-WAL"), qPrintable(listed.join(", ")));
    QCOMPARE(locksOnBank(bank), locks);
    program.dialogs.intercept = nullptr;

    // A transfer in another program, then one in the window: both see the same rows.
    const auto prenos =
        runCommand(std::string(ORVELNOST_PRENOS_PROGRAM) + " BANKA OPERATER demo --dan " + kDan);
    QVERIFY2(prenos.exitCode == 0, prenos.err.c_str());
    QVERIFY(std::filesystem::exists(bank + "-wal") && std::filesystem::exists(bank + "-shm"));
    program.dialogs.messages.clear(); // the preview's: the date had no rows yet
    QTest::mouseClick(form.ui.btnStart, Qt::LeftButton);
    QCOMPARE(program.dialogs.errors, std::vector<std::string>{});
    QCOMPARE(program.dialogs.messages.size(), size_t{1});
    QVERIFY2(program.dialogs.messages[0].rfind("Prepis končan: ", 0) == 0,
             program.dialogs.messages[0].c_str());
    QVERIFY(locksOnBank(bank) > 0);

    const std::string inTheWindow = rowsSeenInTheWindow(program);
    const auto inAnother = runCommand(std::string(ORVELNOST_SQL_PROGRAM) + " BANKA OPERATER demo",
                                      "select count(*) N, sum(ZNESEK_VAL) S, (select count(*) "
                                      "from POD_ORVEL) T from POD_ORVEL where DAT_STANJE='" +
                                          kDan + "';");
    QVERIFY2(inAnother.exitCode == 0, inAnother.err.c_str());
    QCOMPARE(inAnother.out, "N\tS\tT\n" + inTheWindow + "\n");
    QVERIFY(inTheWindow.rfind("0\t", 0) != 0); // the transfer wrote rows

    const auto preveri =
        runCommand(std::string(ORVELNOST_SQL_PROGRAM) + " --preveri BANKA OPERATER demo");
    QCOMPARE(preveri.out, std::string("ok\n"));
    QCOMPARE(preveri.exitCode, 0);
}

void BankLockTest::aFileTheProgramHoldsOpenCannotBeChosen() {
    GuiProgram program;
    program.start();
    const QString bank = QString::fromStdString(program.bank.path());
    QVERIFY(isHeldOpenByThisProcess(program.bank.path()));
    QVERIFY(!isHeldOpenByThisProcess(program.bank.folder() + "/aliasi.ini"));
    QVERIFY(!isHeldOpenByThisProcess(program.bank.folder()));
    QVERIFY(!isHeldOpenByThisProcess(program.bank.folder() + "/ni.db"));

    // In the import's file dialog.
    TfInsert& insert = *program.form.fInsert;
    bool accepted = true;
    program.dialogs.intercept = [&](QDialog& dialog) -> std::optional<int> {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files) return std::nullopt;
        files->selectFile(bank);
        dynamic_cast<SafeFileDialog&>(*files).accept();
        accepted = files->result() == QDialog::Accepted;
        return files->result();
    };
    QTest::mouseClick(insert.btnExcel, Qt::LeftButton);
    QVERIFY(!accepted);
    QCOMPARE(insert.eExcelDatoteka->text(), QString());
    QCOMPARE(program.dialogs.messages.size(), size_t{1});
    QVERIFY2(program.dialogs.messages[0].find("program jo ima odprto") != std::string::npos,
             program.dialogs.messages[0].c_str());

    // Typed into the import dialog: refused before anything reads it.
    program.dialogs.messages.clear();
    program.dialogs.intercept = [&](QDialog& dialog) -> std::optional<int> {
        auto* dialogInsert = qobject_cast<TfInsert*>(&dialog);
        if (!dialogInsert) return std::nullopt;
        dialogInsert->eExcelDatoteka->setText(bank);
        return QDialog::Accepted;
    };
    QTest::mouseClick(program.form.ui.btnImport, Qt::LeftButton);
    QCOMPARE(program.dialogs.messages.size(), size_t{1});
    QVERIFY2(program.dialogs.messages[0].find("ni mogoče uvoziti") != std::string::npos,
             program.dialogs.messages[0].c_str());
    QCOMPARE(program.dialogs.errors, std::vector<std::string>{});
}

} // namespace orv::gui::test
