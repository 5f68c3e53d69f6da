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
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <stdexcept>

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

bool printsToFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

std::string cannotCreate(const QString& path) {
    const QFileInfo file(path);
    return "V mapi " + file.absolutePath().toStdString() + " ni mogoče ustvariti datoteke " +
           file.fileName().toStdString() + ".";
}

// A PDF file ends with its end-of-file marker, which Qt's writer puts last.
bool endsAsPdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 5) return false;
    file.seek(std::max<qint64>(0, file.size() - 32));
    return file.readAll().contains("%%EOF");
}

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
    try {
        listing.Begin(print::listingJobTitle(), title.toStdString(), listingFont(font), range);
    } catch (const std::exception&) {
        if (!printsToFile(printer)) throw;
        throw std::runtime_error(cannotCreate(printer.outputFileName()));
    }
    bool printed = false;
    {
        WaitCursor wait;
        progress->start(rows.count());
        printed = listing.Print(rows);
        progress->hide();
    }
    if (!printed && !listing.failure().empty()) throw std::runtime_error(listing.failure());
    if (!printed) return false;
    listing.End();
    // Qt's PDF writer keeps its write failures to itself: a file without its end is a failed
    // print, and is not left behind.
    if (printsToFile(printer) && !endsAsPdf(printer.outputFileName())) {
        QFile::remove(printer.outputFileName());
        throw std::runtime_error("Datoteke " + printer.outputFileName().toStdString() +
                                 " ni mogoče zapisati do konca.");
    }
    return true;
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
