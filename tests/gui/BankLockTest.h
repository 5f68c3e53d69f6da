#pragma once
// The program started in the bank's folder keeps the bank whole: its file dialogs never open the
// bank's files, so the database's locks stay and another program sees the same bank.

#include <QObject>

namespace orv::gui::test {

class BankLockTest : public QObject {
    Q_OBJECT
private slots:
    void fileDialogsInTheBankFolderKeepTheBankWhole();
    void aFileTheProgramHoldsOpenCannotBeChosen();
};

} // namespace orv::gui::test
