#pragma once
// The grid's print tool: the printer dialog (the system's printers and printing to a PDF file,
// pages 1 to 999), then the printed listing of the grid's rows on the chosen printer with the
// progress window TfPrintMsg.

#include "print/ListingRows.h"

#include <QString>

class QFont;
class QWidget;

namespace orv::gui {

class TFwwDBGrid;

/// Prints `rows` under `title` in `font`, after the printer dialog (nothing happens when it is
/// cancelled). Returns true when every row was printed, false after a cancel; throws
/// std::runtime_error with the reason when printing failed.
bool printListing(QWidget* owner, const QString& title, const QFont& font,
                  print::ListingRows& rows);

/// Prints the rows of the grid's dataset, its visible fields as the grid shows them, titled with
/// its label text, in its font.
bool printGrid(TFwwDBGrid& grid);

} // namespace orv::gui
