#include "gui/DialogAnswers.h"

#include "gui/LogonDialog.h"
#include "gui/ModalDialogs.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <stdexcept>

namespace orv::gui::test {

DialogAnswers::DialogAnswers() {
    setModalRunner([this](QDialog& dialog) { return answer(dialog); });
}

DialogAnswers::~DialogAnswers() {
    setModalRunner({});
}

int DialogAnswers::answer(QDialog& dialog) {
    if (intercept)
        if (const std::optional<int> result = intercept(dialog)) return *result;
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        const std::string text = box->text().toStdString();
        const bool error = box->icon() == QMessageBox::Critical;
        (error ? errors : messages).push_back(text);
        log.push_back((error ? "error: " : "message: ") + text);
        return QMessageBox::Ok;
    }
    if (qobject_cast<LogonDialog*>(&dialog)) return answerLogon(dialog);
    log.push_back("unexpected dialog: " + dialog.objectName().toStdString());
    return QDialog::Rejected;
}

int DialogAnswers::answerLogon(QDialog& dialog) {
    if (failLogonDialog) throw std::runtime_error("the logon dialog cannot be shown");
    auto& logon = static_cast<LogonDialog&>(dialog);
    const LogonPrompt shown = logon.values();
    logonPrompts.push_back(shown);
    log.push_back("logon: " + shown.userName + "@" + shown.database);
    if (logonAnswers.empty() || !logonAnswers.front()) {
        if (!logonAnswers.empty()) logonAnswers.pop_front();
        return QDialog::Rejected;
    }
    const LogonPrompt typed = *logonAnswers.front();
    logonAnswers.pop_front();
    // Typed into the dialog's own fields, as the operator would.
    const std::pair<QLineEdit*, const std::string*> fields[] = {{logon.eUporabnik, &typed.userName},
                                                                {logon.eGeslo, &typed.password},
                                                                {logon.eBaza, &typed.database}};
    for (const auto& [edit, text] : fields) {
        edit->clear();
        QTest::keyClicks(edit, QString::fromStdString(*text));
    }
    return QDialog::Accepted;
}

} // namespace orv::gui::test
