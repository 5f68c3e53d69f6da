#include "gui/print/PdfListing.h"

#include "gui/print/QtListingCanvas.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>
#include <stdexcept>

namespace orv::gui {

namespace {

// A headless command has no application of Qt's: one lives for the print, on the offscreen
// platform unless the caller chose one, since a PDF needs fonts but no screen.
std::unique_ptr<QGuiApplication> applicationForPrinting() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvelnost";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

bool printListingToPdf(const std::string& path, const std::string& jobTitle,
                       const std::string& title, const print::ListingFont& font,
                       print::ListingRows& rows, print::PageRange range,
                       const std::function<bool(int, int)>& progress,
                       const std::function<std::string()>& clock) {
    const auto application = applicationForPrinting();
    const QString file = QString::fromStdString(path);
    bool printed = false;
    std::string failure;
    {
        QPdfWriter writer(file);
        writer.setResolution(kListingResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setCreator("ORVELNOST");
        QtListingCanvas canvas(
            writer,
            [&writer](const std::string& name) { writer.setTitle(QString::fromStdString(name)); },
            {});
        print::PrintedListing listing(canvas);
        listing.progress = progress;
        if (clock) listing.clock = clock;
        listing.Begin(jobTitle, title, font, range);
        printed = listing.Print(rows);
        if (printed)
            listing.End();
        else
            failure = listing.failure();
    }
    if (!printed) QFile::remove(file);
    if (!failure.empty()) throw std::runtime_error(failure);
    return printed;
}

} // namespace orv::gui
