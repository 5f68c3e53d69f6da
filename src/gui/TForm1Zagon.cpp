// The main window's start-up: the first activation and the logon.

#include "gui/TForm1.h"

#include "base/AliasStore.h"
#include "base/ProgramFolder.h"
#include "db/TDM.h"
#include "gui/DatumskoPolje.h"
#include "gui/GeneralErrorHandler.h"
#include "gui/VkntSelector.h"

#include <QApplication>
#include <QDate>
#include <QLabel>

#include <exception>

namespace orv::gui {

void TForm1::AppActivate() {
    if (!prviZagon_) return;
    prviZagon_ = false;
    runCommand(this, [this] { prviZagon(); });
}

void TForm1::prviZagon() {
    if (parameters_.size() < 3) {
        showMessage(std::string(ImePrograma) + "  alias user password ");
        processMessages();
        Terminate();
        return;
    }
    processMessages();
    ZacetneMere();
    ui.eDan->setDate(QDate::currentDate());
    // The operator types the date first: the field has the focus, its text selected.
    ui.eDan->setFocus(Qt::OtherFocusReason);
    ui.eDan->selectAll();
    potPrograma_ = programFolder();
    processMessages();
    const std::string& alias = parameters_[0];
    const std::string& user = parameters_[1];
    const std::string& password = parameters_[2];
    // An alias that is not configured is no logon failure: the general error handler shows it
    // and the window stays open without a session.
    const std::string server = StreznikAliasa(AliasStore::standard(), alias);
    if (!prijava(alias, user, password, server)) return;
    // After cancelled logons nobody is logged on: the label says so, and nothing is read.
    if (!dm().OracleSession1.connected()) return;
    processMessages();
    dm().Qvknt.Close();
    dm().Qvknt.Open();
    napolniIzbirnikVknt();
}

bool TForm1::prijava(const std::string& alias, const std::string& user, const std::string& password,
                     const std::string& server) {
    try {
        dm().OracleSession1.busyTimeoutSeconds = busyTimeoutOfAlias(AliasStore::standard(), alias);
        dm().OracleSession1.logonDatabase = server;
        dm().OracleSession1.logonUsername = user;
        dm().OracleSession1.logonPassword = password;
        // Wrong credentials are the logon component's own business: it shows them, asks again
        // and returns, connected or not.
        dm().OracleLogon1.Execute(*this);
        setWindowTitle(QString::fromLatin1(ImePrograma));
        // The label names the user only when the user is logged on: after failed attempts or a
        // cancelled dialog it says that nobody is.
        const std::string who = dm().OracleSession1.connected() ? user : kNobodyLoggedOn;
        ui.lblBaza->setText(QString::fromStdString(alias + " (" + server + ") / " + who));
        return true;
    } catch (const std::exception&) {
        showMessage("Prijava v " + server + " ni uspela!");
        Terminate();
        processMessages();
        return false;
    }
}

void TForm1::napolniIzbirnikVknt() {
    // The selector shows the names; the code of the chosen row is its key.
    TOracleDataSet& vknt = dm().Qvknt;
    ui.DBLookupComboBox1->clear();
    for (vknt.First(); !vknt.Eof(); vknt.Next())
        ui.DBLookupComboBox1->addItem(QString::fromStdString(vknt.FieldByName("NZV").AsString()),
                                      QString::fromStdString(vknt.FieldByName("SIF").AsString()));
    vknt.First();
}

void TForm1::Terminate() {
    terminationRequested_ = true;
    QCoreApplication::quit();
}

} // namespace orv::gui
