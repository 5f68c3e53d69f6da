// The main window's commands: one handler per button, box and menu entry.

#include "gui/TForm1.h"

#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "db/TDM.h"
#include "gui/DataSetModel.h"
#include "gui/DatumskoPolje.h"
#include "gui/PobrisiConf.h"
#include "gui/TextEditor.h"
#include "gui/VkntSelector.h"
#include "transfer/Prepis.h"

#include <QLineEdit>
#include <QTableView>

#include <exception>

namespace orv::gui {

void TForm1::btnPredogledClick() {
    if (!datumPotrjen()) return;
    gridModel->setDataSet(&dm().Q1);
    processMessages();
    const std::string text = "SELECT * FROM POD_ORVEL WHERE DAT_STANJE='" + eDanText() + "' ";
    try {
        dm().OdpriPoizvedbo(dm().Q1, text);
    } catch (const std::exception&) {
        gridModel->refresh(); // the previous rows are gone with the failed reopen
        throw;
    }
    // The grid's caption (the first line of its clipboard text) names the rows shown.
    ui.DBGrid1->labelText = QString::fromStdString("POD_ORVEL " + eDanText());
    gridModel->refresh();
    prilagodiStolpce();
    const int vrstic = dm().Q1.RecordCount();
    setLblStevec(std::to_string(vrstic));
    if (vrstic == 0) showMessage("Za dan " + eDanText() + " ni shranjenih vrstic.");
}

void TForm1::prilagodiStolpce() {
    // The grid sizes its columns by their fields' display widths, or to their contents.
    ui.DBGrid1->sizeColumns();
}

void TForm1::btnStartClick() {
    if (!datumPotrjen()) return;
    // The grid shows nothing while the rows are written (dsNull).
    gridModel->setDataSet(nullptr);
    bool koncan = false;
    izvediTek("Prenos", [&] {
        processMessages();
        // The run context of the transfer starts with an empty seen list.
        const IzidPrenosa izid = Prepis(dm(), *this);
        koncan = true;
        if (izid.niPodatkov || izid.zavrnjeno) return;
        // The closing message, held back by the run, gets the line that names its numbers.
        const std::string stevila = opisStevilPrenosa(izid);
        odlozeno_ = odlozeno_.empty() ? stevila : odlozeno_ + "\n" + stevila;
    });
    if (!koncan) {
        setLblStevec("--------");
        return;
    }
    // Then it shows the rows of the date (DSecb: Qpod_orvel).
    gridModel->setDataSet(&dm().Qpod_orvel);
    prilagodiStolpce();
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
