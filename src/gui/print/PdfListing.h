#pragma once
// The printed listing written to a PDF file: the same drawing as on a printer, on an A4 page at
// the listing's resolution. Needs a QGuiApplication (any platform, offscreen will do); a
// headless command gets one for the print.

#include "print/PrintedListing.h"

#include <functional>
#include <string>

namespace orv::gui {

struct PdfListingResult {
    bool complete = false; ///< every row printed; false after a cancel
    int pages = 0;
    int pagesAcross = 1; ///< the pages the columns needed side by side
};

/// Prints `rows` under `title` in `font` to the open file `descriptor`, pages out one at a time.
/// The descriptor stays open: the caller syncs, closes and names the file; `path` names it in
/// messages. Throws std::system_error (the system's error number, a message naming `path`)
/// when a write fails, std::runtime_error with the failure's text when printing failed. After a
/// cancel the file holds an unfinished PDF, which the caller removes.
PdfListingResult printListingToPdf(int descriptor, const std::string& path,
                                   const std::string& jobTitle, const std::string& title,
                                   const print::ListingFont& font, print::ListingRows& rows,
                                   print::PageRange range = {},
                                   const std::function<bool(int, int)>& progress = {},
                                   const std::function<std::string()>& clock = {});

/// As above, to the file `path`, created or replaced. The file is complete or absent: it is
/// removed after a cancel or a failure. A file that cannot be created is a std::system_error
/// naming its folder.
PdfListingResult printListingToPdf(const std::string& path, const std::string& jobTitle,
                                   const std::string& title, const print::ListingFont& font,
                                   print::ListingRows& rows, print::PageRange range = {},
                                   const std::function<bool(int, int)>& progress = {},
                                   const std::function<std::string()>& clock = {});

} // namespace orv::gui
