#pragma once
// The printed listing written to a PDF file: the same drawing as on a printer, on an A4 page at
// the listing's resolution. Needs a QGuiApplication (any platform, offscreen will do).

#include "print/PrintedListing.h"

#include <string>

namespace orv::gui {

/// Prints `rows` to the PDF file `path` under `title` in `font`, pages out one at a time.
/// Returns false (and removes the file) after a cancel; throws std::runtime_error with the
/// failure's text when the file cannot be written or printing failed.
bool printListingToPdf(const std::string& path, const std::string& jobTitle,
                       const std::string& title, const print::ListingFont& font,
                       print::ListingRows& rows, print::PageRange range = {},
                       const std::function<bool(int, int)>& progress = {},
                       const std::function<std::string()>& clock = {});

} // namespace orv::gui
