// "Import popravljenih": the import dialog, the approval, and the import of the chosen file.

#include "gui/TForm1.h"

#include "base/DatumIzTeksta.h"
#include "gui/DatumskoPolje.h"
#include "gui/ModalDialogs.h"
#include "gui/TfInsert.h"
#include "gui/grid/HeldOpenFiles.h"
#include "gui/grid/Slovenscina.h"
#include "sheet/UvozIzExcela.h"

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>

namespace orv::gui {

void TForm1::btnImportClick() {
    fInsert->eDatum->setDate(ui.eDan->date());
    if (runModal(*fInsert) != QDialog::Accepted) return;

    const std::string datum = fInsert->eDatum->text().toStdString();
    const std::string vknt = fInsert->eVKNT->text().toStdString();
    const QString datoteka = fInsert->eExcelDatoteka->text();
    // Reading the bank's own files would drop the database's locks on them.
    if (isHeldOpenByThisProcess(QFile::encodeName(datoteka).toStdString())) {
        showMessage("Datoteke " + datoteka.toStdString() +
                    " ni mogoče uvoziti: program jo ima odprto (podatkovna baza banke).");
        return;
    }
    QMessageBox question(QMessageBox::Question, "POTRDITEV",
                         QString::fromStdString(sheet::vprasanjeZaUvoz(datum, vknt)),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setObjectName("POTRDITEV");
    question.setDefaultButton(QMessageBox::Cancel);
    slovenskiGumbi(question);
    if (runModal(question) != QMessageBox::Ok) return;

    izvediTek("Uvoz", [&] {
        setLblSporocilo("Import podatkov ...");
        setLblSporociloVisible(true);
        processMessages();
        if (!uvoz_) uvoz_ = std::make_unique<sheet::UvozIzExcela>(dm(), *this);
        uvoz_->ImportIzExcela(datoteka.toStdString(), vknt, DatumIzTeksta(*this, datum));
    });
}

} // namespace orv::gui
