#pragma once
// Answers the modal dialogs of the grid's tools from a script: each dialog other than a message
// box is handed to the next step; message boxes are recorded and acknowledged. A dialog that no
// step is left for is rejected and its name recorded, so a test sees what it did not expect.

#include "gui/grid/ModalDialogs.h"

#include <QDialog>
#include <QMessageBox>
#include <QStringList>

#include <deque>
#include <functional>

namespace orv::gui::test {

class ScriptedDialogs {
public:
    ScriptedDialogs() {
        setModalRunner([this](QDialog& dialog) { return answer(dialog); });
    }
    ~ScriptedDialogs() { setModalRunner({}); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    /// The answers to the next dialogs, in order: each gets the dialog and returns its result.
    std::deque<std::function<int(QDialog&)>> steps;
    /// The texts of the message boxes, in order.
    QStringList messages;
    /// The object names of dialogs that came when no step was left.
    QStringList unexpected;

private:
    int answer(QDialog& dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            messages << box->text();
            return QMessageBox::Ok;
        }
        if (steps.empty()) {
            unexpected << dialog.objectName();
            return QDialog::Rejected;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        return step(dialog);
    }
};

} // namespace orv::gui::test
