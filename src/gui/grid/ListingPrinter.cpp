#include "gui/grid/ListingPrinter.h"

#include "db/TOracleDataSet.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/SafeFileDialog.h"
#include "gui/grid/TFwwDBGrid.h"
#include "gui/grid/TfPrintMsg.h"
#include "gui/print/QtListingCanvas.h"
#include "print/PrintedListing.h"

#include <QApplication>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace orv::gui {

namespace {

// The progress window is made on first use and kept; its owner may go before it.
TfPrintMsg* progressWindow(QWidget* owner) {
    static QPointer<TfPrintMsg> window;
    if (!window) window = new TfPrintMsg(owner ? owner->window() : nullptr);
    return window;
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

print::ListingFont listingFont(const QFont& font) {
    print::ListingFont listing;
    listing.name = font.family().toStdString();
    listing.size = font.pointSize() > 0 ? font.pointSize() : 8;
    listing.bold = font.bold();
    listing.italic = font.italic();
    return listing;
}

} // namespace

bool printListing(QWidget* owner, const QString& title, const QFont& font,
                  print::ListingRows& rows) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kListingResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setFromTo(1, 999);
    QPrintDialog dialog(&printer, owner ? owner->window() : nullptr);
    dialog.setObjectName("printDialog");
    makeFileChoicesSafe(dialog);
    dialog.setMinMax(1, 999);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (runModal(dialog) != QDialog::Accepted) return false;
    print::PageRange range;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        range = {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};

    QtListingCanvas canvas(
        printer,
        [&printer](const std::string& name) { printer.setDocName(QString::fromStdString(name)); },
        [&printer] { printer.abort(); });
    print::PrintedListing listing(canvas);
    TfPrintMsg* progress = progressWindow(owner);
    listing.progress = [progress](int done, int) { return progress->step(done); };
    listing.Begin(print::listingJobTitle(), title.toStdString(), listingFont(font), range);
    bool printed = false;
    {
        WaitCursor wait;
        progress->start(rows.count());
        printed = listing.Print(rows);
        progress->hide();
    }
    if (printed) listing.End();
    return printed;
}

bool printGrid(TFwwDBGrid& grid) {
    TOracleDataSet* dataset = grid.dataSet();
    if (!dataset || !dataset->Active()) return false;
    DataSetModel* model = grid.dataSetModel();
    print::DataSetRows rows(*dataset, grid.visibleFields(), [model](int field, const Value& value) {
        return model->displayText(field, value);
    });
    return printListing(&grid, grid.labelText, grid.font(), rows);
}

} // namespace orv::gui
