#include "gui/grid/ModalDialogs.h"

#include "base/ProgramFolder.h"
#include "gui/grid/Slovenscina.h"

#include <QDialog>
#include <QMessageBox>

#include <utility>

namespace orv::gui {

namespace {

ModalRunner& currentRunner() {
    static ModalRunner runner;
    return runner;
}

void messageBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QString::fromLatin1(ImePrograma), QString::fromStdString(text),
                    QMessageBox::Ok, parent);
    slovenskiGumbi(box);
    runModal(box);
}

} // namespace

void setModalRunner(ModalRunner runner) {
    currentRunner() = std::move(runner);
}

int runModal(QDialog& dialog) {
    if (currentRunner()) return currentRunner()(dialog);
    return dialog.exec();
}

void showMessageBox(QWidget* parent, const std::string& text) {
    messageBox(parent, QMessageBox::NoIcon, text);
}

bool askOkCancel(QWidget* parent, const std::string& title, const std::string& text) {
    QMessageBox question(QMessageBox::Question, QString::fromStdString(title),
                         QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel,
                         parent);
    question.setObjectName(QString::fromStdString(title));
    question.setDefaultButton(QMessageBox::Cancel);
    slovenskiGumbi(question);
    return runModal(question) == QMessageBox::Ok;
}

void showErrorBox(QWidget* parent, const std::string& text) {
    messageBox(parent, QMessageBox::Critical, text);
}

} // namespace orv::gui
