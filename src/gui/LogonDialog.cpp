#include "gui/LogonDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv::gui {

namespace {

QLineEdit* lineEdit(const char* name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(320);
    return edit;
}

} // namespace

LogonDialog::LogonDialog(const LogonPrompt& prompt, QWidget* parent)
    : QDialog(parent), eUporabnik(lineEdit("eUporabnik", prompt.userName, this)),
      eGeslo(lineEdit("eGeslo", prompt.password, this)),
      eBaza(lineEdit("eBaza", prompt.database, this)) {
    setObjectName("LogonDialog");
    setWindowTitle("Prijava v bazo");
    eGeslo->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow("&Uporabnik:", eUporabnik);
    form->addRow("&Geslo:", eGeslo);
    form->addRow("&Baza:", eBaza);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Qt's Slovenian translation leaves the standard buttons in English.
    buttons->button(QDialogButtonBox::Ok)->setText("&V redu");
    buttons->button(QDialogButtonBox::Cancel)->setText("&Prekliči");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // After a failed attempt the password is what the operator most likely corrects.
    eGeslo->setFocus();
    eGeslo->selectAll();
}

LogonPrompt LogonDialog::values() const {
    return {eUporabnik->text().toStdString(), eGeslo->text().toStdString(),
            eBaza->text().toStdString()};
}

} // namespace orv::gui
