// The main window's commands: one handler per button, box and menu entry.

#include "app/gui/TForm1.h"

#include "app/ProgramFolder.h"
#include "app/Referent.h"
#include "app/gui/DataSetModel.h"
#include "app/gui/PobrisiConf.h"
#include "app/gui/TextEditor.h"
#include "app/gui/VkntSelector.h"
#include "db/TDM.h"

#include <QLineEdit>

#include <exception>

namespace orv::gui {

void TForm1::btnPredogledClick() {
    gridModel->setDataSet(&dm().Q1);
    processMessages();
    const std::string text = "SELECT * FROM POD_ORVEL WHERE DAT_STANJE='" + eDanText() + "' ";
    try {
        dm().OdpriPoizvedbo(dm().Q1, text);
    } catch (const std::exception&) {
        gridModel->refresh(); // the previous rows are gone with the failed reopen
        throw;
    }
    gridModel->refresh();
}

void TForm1::btnStartClick() {
    showMessage("Prenos podatkov v tej različici programa še ni na voljo.");
}

void TForm1::btnImportClick() {
    showMessage("Uvoz popravljenih podatkov v tej različici programa še ni na voljo.");
}

void TForm1::btnIzhodClick() {
    PobrisiConf(potPrograma_ + ConfDatoteka());
    Terminate();
}

void TForm1::DBLookupComboBox1CloseUp() {
    const QString key = ui.DBLookupComboBox1->currentData().toString().trimmed();
    ui.eVKNT->setText(key);
}

void TForm1::cbDebugSQLClick() {
    processMessages();
    // The switch is flipped, not read from the box: both start off and change together.
    debugSQL_ = !debugSQL_;
}

void TForm1::ReferentVIni1Click() {
    odpriVUrejevalniku(QString::fromStdString(programFolder() + ReferentIniDatoteka));
}

} // namespace orv::gui
