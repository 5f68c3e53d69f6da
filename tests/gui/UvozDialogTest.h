#pragma once
// "Import popravljenih": the import dialog, the approval and the import through the window.

#include <QObject>

namespace orv::gui::test {

class UvozDialogTest : public QObject {
    Q_OBJECT
private slots:
    void dialogHasItsControlsAndLooks();
    void fileDialogOffersEveryWorkbookFormatTogether();
    void importsAfterApprovalAndKeepsFileAndClass();
    void cancelInTheDialogOrTheQuestionChangesNothing();
    void aFailedImportIsShownAndChangesNothing();
};

} // namespace orv::gui::test
