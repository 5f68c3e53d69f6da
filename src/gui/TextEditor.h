#pragma once
// Opening a text file for the operator to edit.

#include <QString>

namespace orv::gui {

/// Opens `path` in the operator's text editor without waiting for it: the command of $VISUAL,
/// else of $EDITOR, else the desktop's default application for the file. Returns false when
/// none could be started; the caller need not say anything then.
bool odpriVUrejevalniku(const QString& path);

} // namespace orv::gui
