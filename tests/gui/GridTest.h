#pragma once
// The data grid and its tools, driven through the real widgets on the offscreen platform.

#include <QObject>

namespace orv::gui::test {

class GridTest : public QObject {
    Q_OBJECT
private slots:
    void titleClickOpensAndClosesTheSharedToolBar();
    void leavingTheGridClosesTheToolBarAndTurnsTheTitlesBack();
    void selectedShowsTheListedFieldsAndSkipsUnknownOnes();
    void copyToClipboardPutsTheGridTextThere();
    void exportWritesTheChosenKindOfTable();
    void locateFindsByPrefixOrExactlyAndSaysWhatItMissed();
    void locateRefillsForAnotherGridAndChecksTheEditMask();
    void editMasksOfTheDesktopToolsBecomeQtMasks_data();
    void editMasksOfTheDesktopToolsBecomeQtMasks();
    void chooserMovesEntriesAndCancelKeepsTheColumns();
    void chooserOkAppliesTheOrderAndRewritesSelected();
    void holdingDownRepeatsAfter500MsThenEvery100Ms();
    void sortCallsTheOwnerWithTheChosenItem();
    void titleWordWrapMakesTheTitleRow45PixelsHigh();
    void chartTakesTheFirstTwoColumnsAndTheirLabels();
    void refreshReadsTheRowsAgain();
    void zoomKeysAndScrollBarFlags();
    void mainWindowGridIsTheDataGrid();
    void halfAMillionRowsAreShownWithoutCopies();
};

} // namespace orv::gui::test
