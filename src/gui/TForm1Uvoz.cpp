// "Import popravljenih": the import dialog, the approval, and the import of the chosen file.

#include "gui/TForm1.h"

#include "base/DatumIzTeksta.h"
#include "gui/ModalDialogs.h"
#include "gui/TfInsert.h"
#include "sheet/UvozIzExcela.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>

namespace orv::gui {

void TForm1::btnImportClick() {
    fInsert->eDatum->setDate(ui.eDan->date());
    if (runModal(*fInsert) != QDialog::Accepted) return;

    const std::string datum = fInsert->eDatum->text().toStdString();
    const std::string vknt = fInsert->eVKNT->text().toStdString();
    QMessageBox question(QMessageBox::Question, "POTRDITEV",
                         QString::fromStdString(sheet::vprasanjeZaUvoz(datum, vknt)),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setObjectName("POTRDITEV");
    question.setDefaultButton(QMessageBox::Cancel);
    if (runModal(question) != QMessageBox::Ok) return;

    setLblSporocilo("Import podatkov ...");
    setLblSporociloVisible(true);
    processMessages();
    if (!uvoz_) uvoz_ = std::make_unique<sheet::UvozIzExcela>(dm(), *this);
    uvoz_->ImportIzExcela(fInsert->eExcelDatoteka->text().toStdString(), vknt,
                          DatumIzTeksta(*this, datum));
    setLblSporociloVisible(false);
    processMessages();
}

} // namespace orv::gui
