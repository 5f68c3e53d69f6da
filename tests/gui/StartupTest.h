#pragma once
// The first activation of the program: command line, alias, logon, caption, class list.

#include <QObject>

namespace orv::gui::test {

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void fewerThanThreeParametersShowTheUsageAndEnd_data();
    void fewerThanThreeParametersShowTheUsageAndEnd();
    void startsWithThreeOrMoreParameters_data();
    void startsWithThreeOrMoreParameters();
    void driverTypeDecidesTheServer_data();
    void driverTypeDecidesTheServer();
    void failedLogonIsShownAndAskedAgain_data();
    void failedLogonIsShownAndAskedAgain();
    void failureInsideTheLogonBlockEndsTheProgram();
    void undefinedAliasIsShownAndTheWindowStays();
    void onlyTheFirstActivationStartsTheProgram();
    void classSelectorListsTheClassesWithABlankFirst();
};

} // namespace orv::gui::test
