#pragma once
// The operator's language: Qt's own dialogs in Slovenian, as far as Qt's translation goes, and
// the texts of the standard buttons, which it leaves in English, set by the program.

class QCoreApplication;
class QMessageBox;

namespace orv::gui {

/// Loads Qt's Slovenian translation (qt_sl.qm from Qt's translation folder) into `application`.
/// False when it is not installed; the dialogs then stay in English.
bool namestiSlovenskePrevode(QCoreApplication& application);

/// Gives the standard buttons of `box` Slovenian captions with mnemonics.
void slovenskiGumbi(QMessageBox& box);

} // namespace orv::gui
