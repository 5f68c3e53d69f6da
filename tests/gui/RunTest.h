#pragma once
// A running transfer or import owns the window: the session's commands are disabled, "Prekini"
// stops the run and nothing of it stays, closing the window asks first, and a bar counts the rows.

#include <QObject>

namespace orv::gui::test {

class RunTest : public QObject {
    Q_OBJECT
private slots:
    void commandsWaitForTheTransferAndPrekiniStopsIt();
    void prekiniStopsTheImportAndNothingOfItStays();
    void closingTheWindowDuringARunAsksFirst_data();
    void closingTheWindowDuringARunAsksFirst();
    void closingMessageNamesItsNumbers();
};

} // namespace orv::gui::test
