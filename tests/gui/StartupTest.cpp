#include "gui/StartupTest.h"

#include "gui/DatumskoPolje.h"
#include "gui/GuiProgram.h"
#include "gui/VkntSelector.h"

#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QTest>

namespace orv::gui::test {

namespace {

constexpr const char* kLogonDenied = "ORA-01017: invalid username/password; logon denied";

using Parameters = std::vector<std::string>;
using Texts = std::vector<std::string>;

QString lblBaza(const GuiProgram& program) {
    return program.form.ui.lblBaza->text();
}

std::string bazaFor(const std::string& alias, const GuiProgram& program) {
    return alias + " (" + program.bank.logonDatabase() + ") / OPERATER";
}

} // namespace

void StartupTest::fewerThanThreeParametersShowTheUsageAndEnd_data() {
    QTest::addColumn<Parameters>("parameters");
    QTest::newRow("none") << Parameters{};
    QTest::newRow("two") << Parameters{"ORVDEMO", "OPERATER"};
}

void StartupTest::fewerThanThreeParametersShowTheUsageAndEnd() {
    QFETCH(Parameters, parameters);
    GuiProgram program(parameters);
    program.start();
    QCOMPARE(program.dialogs.log, Texts{"message: ORVELNOST  alias user password "});
    QVERIFY(program.form.terminationRequested());
    QVERIFY(!program.dm.OracleSession1.connected());
    QVERIFY(program.dm.OracleSession1.logonUsername.empty()); // no logon was attempted
    QCOMPARE(lblBaza(program), QString());
}

void StartupTest::startsWithThreeOrMoreParameters_data() {
    QTest::addColumn<Parameters>("parameters");
    QTest::newRow("three") << demoParameters();
    QTest::newRow("referent") << Parameters{"ORVDEMO", "OPERATER", "demo", "REF01"};
    QTest::newRow("fifth ignored") << Parameters{"ORVDEMO", "OPERATER", "demo", "REF01", "X"};
}

void StartupTest::startsWithThreeOrMoreParameters() {
    QFETCH(Parameters, parameters);
    GuiProgram program(parameters);
    program.start();
    QCOMPARE(program.dialogs.log, Texts{});
    QVERIFY(!program.form.terminationRequested());
    QVERIFY(program.dm.OracleSession1.connected());
    QCOMPARE(program.form.windowTitle(), QString("ORVELNOST"));
    QCOMPARE(lblBaza(program).toStdString(), bazaFor("ORVDEMO", program));
    QCOMPARE(program.form.ui.eDan->date(), QDate::currentDate());
    QCOMPARE(program.form.ui.eDan->text(), QDate::currentDate().toString("dd.MM.yyyy"));
    QVERIFY(program.dm.Qvknt.Active());
    QVERIFY(program.form.PotPrograma().ends_with('/'));
}

void StartupTest::driverTypeDecidesTheServer_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<bool>("resolved");
    QTest::newRow("ODBC name") << "ODBC_SERVER"
                               << "ODBC DSN" << true;
    QTest::newRow("oracle, blanks, lower case") << "  oracle "
                                                << "SERVER NAME" << true;
    QTest::newRow("DB2") << "DB2"
                         << "DB2 DSN" << true;
    QTest::newRow("unknown type") << "STANDARD"
                                  << "SERVER NAME" << false;
}

void StartupTest::driverTypeDecidesTheServer() {
    QFETCH(QString, driver);
    QFETCH(QString, parameter);
    QFETCH(bool, resolved);
    GuiProgram program({"ALIAS", "OPERATER", "demo"});
    program.addAlias("ALIAS", driver.toStdString(), parameter.toStdString(),
                     program.bank.logonDatabase());
    program.start();
    QVERIFY(!program.form.terminationRequested());
    QCOMPARE(program.form.windowTitle(), QString("ORVELNOST"));
    if (resolved) {
        QCOMPARE(lblBaza(program).toStdString(), bazaFor("ALIAS", program));
        QVERIFY(program.dm.OracleSession1.connected());
        QCOMPARE(program.dialogs.log, Texts{});
        return;
    }
    // No server: the logon fails, the operator cancels, and nothing more is read or said.
    QCOMPARE(lblBaza(program), QString("ALIAS () / ") + QString::fromUtf8(kNobodyLoggedOn));
    QCOMPARE(program.dialogs.logonPrompts.size(), size_t{1});
    QCOMPARE(program.dialogs.logonPrompts[0].database, std::string());
    QCOMPARE(program.dialogs.errors, Texts{});
}

void StartupTest::failedLogonIsShownAndAskedAgain_data() {
    QTest::addColumn<QStringList>("passwords"); // typed into each logon dialog; "-" is Cancel
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("failures");
    QTest::newRow("retried") << QStringList{"demo"} << true << 1;
    QTest::newRow("cancel after the first failure") << QStringList{"-"} << false << 1;
    QTest::newRow("third attempt succeeds") << QStringList{"wrong", "demo"} << true << 2;
    QTest::newRow("three attempts in all") << QStringList{"x", "y", "demo"} << false << 3;
}

void StartupTest::failedLogonIsShownAndAskedAgain() {
    QFETCH(QStringList, passwords);
    QFETCH(bool, connected);
    QFETCH(int, failures);
    GuiProgram program({"ORVDEMO", "OPERATER", "wrong"});
    for (const QString& password : passwords) {
        if (password == "-")
            program.dialogs.logonAnswers.push_back(std::nullopt);
        else
            program.dialogs.logonAnswers.push_back(
                LogonPrompt{"OPERATER", password.toStdString(), program.bank.logonDatabase()});
    }
    program.start();

    QCOMPARE(program.dialogs.messages, Texts(static_cast<size_t>(failures), kLogonDenied));
    QVERIFY(!program.dialogs.logonPrompts.empty());
    const LogonPrompt& first = program.dialogs.logonPrompts.front();
    QCOMPARE(first.userName, std::string("OPERATER"));
    QCOMPARE(first.password, std::string("wrong"));
    QCOMPARE(first.database, program.bank.logonDatabase());
    QCOMPARE(program.dm.OracleSession1.connected(), connected);
    // Caption and database label are set whether or not the logon succeeded; the label names
    // the user only when the user is logged on.
    QCOMPARE(program.form.windowTitle(), QString("ORVELNOST"));
    if (connected)
        QCOMPARE(lblBaza(program).toStdString(), bazaFor("ORVDEMO", program));
    else
        QCOMPARE(lblBaza(program).toStdString(),
                 "ORVDEMO (" + program.bank.logonDatabase() + ") / " + kNobodyLoggedOn);
    QVERIFY(!program.form.terminationRequested());
    QCOMPARE(program.dm.Qvknt.Active(), connected);
    QCOMPARE(program.dialogs.errors, Texts{}); // never the database's "not logged on"
}

void StartupTest::failureInsideTheLogonBlockEndsTheProgram() {
    GuiProgram program({"ORVDEMO", "OPERATER", "wrong"});
    program.dialogs.failLogonDialog = true;
    program.start();
    QCOMPARE(program.dialogs.messages,
             (Texts{kLogonDenied, "Prijava v " + program.bank.logonDatabase() + " ni uspela!"}));
    QVERIFY(program.form.terminationRequested());
    QCOMPARE(lblBaza(program), QString());
    QVERIFY(!program.dm.Qvknt.Active());
}

void StartupTest::undefinedAliasIsShownAndTheWindowStays() {
    GuiProgram program({"NIMAGA", "OPERATER", "demo"});
    program.start();
    QCOMPARE(program.dialogs.errors.size(), size_t{1});
    QVERIFY(QString::fromStdString(program.dialogs.errors[0]).contains("NIMAGA"));
    QVERIFY(program.dialogs.logonPrompts.empty());
    QVERIFY(!program.form.terminationRequested());
    QVERIFY(!program.dm.OracleSession1.connected());
    QCOMPARE(lblBaza(program), QString());
}

void StartupTest::onlyTheFirstActivationStartsTheProgram() {
    GuiProgram program;
    program.form.show();
    // No call of the handler: the platform's activation of the window starts the program.
    QVERIFY(QTest::qWaitForWindowActive(&program.form));
    QTRY_VERIFY(program.dm.OracleSession1.connected());
    QVERIFY(!program.form.PrviZagon());
    program.form.ui.lblBaza->setText("unchanged");
    program.form.AppActivate();
    QCOMPARE(lblBaza(program), QString("unchanged"));
}

void StartupTest::classSelectorListsTheClassesWithABlankFirst() {
    GuiProgram program;
    program.addClasses({{"1", "Krediti"}, {"A", "Vrednostni papirji"}, {"3", "Depoziti"}});
    program.start();
    const VkntSelector* selector = program.form.ui.DBLookupComboBox1;
    QStringList names, keys;
    for (int i = 0; i < selector->count(); ++i) {
        names << selector->itemText(i);
        keys << selector->itemData(i).toString();
    }
    QCOMPARE(names, (QStringList{" ", "Depoziti", "Krediti", "Vrednostni papirji"}));
    QCOMPARE(keys, (QStringList{" ", "3", "1", "A"}));
    QCOMPARE(selector->currentIndex(), 0);
}

} // namespace orv::gui::test
