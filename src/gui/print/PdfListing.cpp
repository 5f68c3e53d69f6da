#include "gui/print/PdfListing.h"

#include "gui/print/DescriptorDevice.h"
#include "gui/print/QtListingCanvas.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

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

std::system_error writeFailure(int error, const std::string& path) {
    return std::system_error(error, std::generic_category(),
                             "Datoteke " + path + " ni mogoče zapisati");
}

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

} // namespace

PdfListingResult printListingToPdf(int descriptor, const std::string& path,
                                   const std::string& jobTitle, const std::string& title,
                                   const print::ListingFont& font, print::ListingRows& rows,
                                   print::PageRange range,
                                   const std::function<bool(int, int)>& progress,
                                   const std::function<std::string()>& clock) {
    const auto application = applicationForPrinting();
    DescriptorDevice device(descriptor);
    PdfListingResult result;
    {
        QPdfWriter writer(&device);
        writer.setResolution(kListingResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setCreator("ORVELNOST");
        QtListingCanvas canvas(
            writer,
            [&writer](const std::string& name) { writer.setTitle(QString::fromStdString(name)); },
            {});
        print::PrintedListing listing(canvas);
        // A failed write ends the print at once rather than drawing the rest into nothing.
        listing.progress = [&device, &path, &progress](int done, int total) {
            if (device.failure() != 0) throw writeFailure(device.failure(), path);
            return !progress || progress(done, total);
        };
        if (clock) listing.clock = clock;
        listing.Begin(jobTitle, title, font, range);
        result.complete = listing.Print(rows);
        if (!result.complete && device.failure() != 0) throw writeFailure(device.failure(), path);
        if (!result.complete && !listing.failure().empty())
            throw std::runtime_error(listing.failure());
        if (!result.complete) return result;
        result.pages = listing.page();
        result.pagesAcross = listing.pagesAcross();
        listing.End();
    }
    if (!device.flush()) throw writeFailure(device.failure(), path);
    return result;
}

PdfListingResult printListingToPdf(const std::string& path, const std::string& jobTitle,
                                   const std::string& title, const print::ListingFont& font,
                                   print::ListingRows& rows, print::PageRange range,
                                   const std::function<bool(int, int)>& progress,
                                   const std::function<std::string()>& clock) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        throw std::system_error(errno, std::generic_category(),
                                "V mapi " + folderOf(path) + " ni mogoče ustvariti datoteke " +
                                    std::filesystem::path(path).filename().string());
    PdfListingResult result;
    try {
        result = printListingToPdf(descriptor, path, jobTitle, title, font, rows, range, progress,
                                   clock);
    } catch (...) {
        ::close(descriptor);
        ::unlink(path.c_str());
        throw;
    }
    const bool closed = ::close(descriptor) == 0;
    const int error = errno;
    if (!result.complete || !closed) ::unlink(path.c_str());
    if (!closed && result.complete) throw writeFailure(error, path);
    return result;
}

} // namespace orv::gui
