#pragma once
// The search behind the locate dialog's find buttons.

#include <QString>

namespace orv {
class TOracleDataSet;
}

namespace orv::gui {

/// Moves the dataset to the first row (`fromFirst`) or to the row after the current one, then on
/// to the first row whose display text of field `field` matches `value`: equal to it (`exact`,
/// case-sensitive), or beginning with it ignoring case. Returns true with the matching row
/// current; false when none matches, the dataset then standing past its last row.
bool NajdiZapis(TOracleDataSet& dataset, int field, const QString& value, bool fromFirst,
                bool exact);

/// The modern edit mask of a field's edit mask: "mask;saves literals;blank character" with the
/// mask characters of the desktop database tools (L l A a C c 0 9 # > < <> \ and literals).
QString qtInputMask(const QString& editMask);

} // namespace orv::gui
