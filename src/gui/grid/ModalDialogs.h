#pragma once
// Every modal dialog of the program runs through here, so that a test can answer it without an
// event loop that waits for a person.

#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace orv::gui {

/// Runs a modal dialog and returns its result code (QDialog::Accepted or QDialog::Rejected).
using ModalRunner = std::function<int(QDialog&)>;

/// Replaces how modal dialogs run; an empty runner restores QDialog::exec.
void setModalRunner(ModalRunner runner);

/// Runs `dialog` modally through the current runner.
int runModal(QDialog& dialog);

/// A modal message box with an OK button, titled with the program name.
void showMessageBox(QWidget* parent, const std::string& text);

/// A question box with OK and Cancel, Cancel the default, captioned `title`; true on OK.
bool askOkCancel(QWidget* parent, const std::string& title, const std::string& text);

/// The message box of the general error handler: the same with an error icon.
void showErrorBox(QWidget* parent, const std::string& text);

} // namespace orv::gui
