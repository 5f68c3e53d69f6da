#pragma once
// The general error handler: the outermost catch of every command of the window.

#include <functional>

class QWidget;

namespace orv::gui {

/// Runs one command. An exception that leaves it is shown in a message box with its text (for a
/// database error, the database's own text); the command ends there and the program keeps running.
void runCommand(QWidget* owner, const std::function<void()>& command);

} // namespace orv::gui
