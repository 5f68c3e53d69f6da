#pragma once
// The grid's print tool and its print-group tool with the dataset print form, driven through the
// real widgets on the offscreen platform.

#include <QObject>

namespace orv::gui::test {

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void printToolPrintsTheGridThroughThePrinterDialog();
    void pageRangeTwoToThreePrintsTwoSheets();
    void wideGridPrintsOnPagesAcross();
    void aPdfThatCannotBeWrittenFailsWithTheReason();
    void cancelledPrinterDialogPrintsNothing();
    void printGroupOpensTheFormWithTheDefaultRoles();
    void formBuildsBothListingsAndPrintsThem();
    void hidingAndReopeningCopiesTheRowsAnew();
};

} // namespace orv::gui::test
