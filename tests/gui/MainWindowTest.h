#pragma once
// The main window's controls and commands, driven through the real window.

#include <QObject>

namespace orv::gui::test {

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsStartWithTheirCaptionsAndStates();
    void optionsReachTheCoreThroughThePort();
    void predogledShowsTheStoredRowsOfTheDate();
    void startRunsTheTransferAndShowsTheRowsOfTheDate();
    void enterInTheDateRunsThePreviewWithoutReachingTheEdit();
    void dateFieldTakesTheTypedForms_data();
    void dateFieldTakesTheTypedForms();
    void dateFieldRefusesOnLeavingAndTakesTheCalendar();
    void errorOfACommandIsShownAndTheProgramGoesOn();
    void selectorFillsTheClassAndTheBlankEntryEmptiesIt();
    void debugSqlSaveFlipsTheSwitch();
    void resizeMovesTheBottomAndRightControls_data();
    void resizeMovesTheBottomAndRightControls();
    void minimumSizeKeepsEveryControlVisible();
    void tabLeavesTheGrid();
    void resizeBeforeTheFirstActivationChangesNothing();
    void izhodLeavesAnEmptyConfFile_data();
    void izhodLeavesAnEmptyConfFile();
    void referentIniOpensInTheEditor_data();
    void referentIniOpensInTheEditor();
};

} // namespace orv::gui::test
