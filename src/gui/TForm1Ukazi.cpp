// The main window's commands: one handler per button, box and menu entry.

#include "gui/TForm1.h"

#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "db/TDM.h"
#include "gui/DataSetModel.h"
#include "gui/PobrisiConf.h"
#include "gui/TextEditor.h"
#include "gui/VkntSelector.h"
#include "transfer/Prepis.h"

#include <QLineEdit>
#include <QTableView>

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
    prilagodiStolpce();
}

void TForm1::prilagodiStolpce() {
    // Columns as wide as their titles and the rows in view, or as the dataset's fields say.
    ui.DBGrid1->resizeColumnsToContents();
    TOracleDataSet* dataset = gridModel->dataSet();
    if (!dataset) return;
    const std::vector<FieldInfo>& fields = dataset->fieldInfos();
    const int charWidth = ui.DBGrid1->fontMetrics().averageCharWidth();
    for (size_t column = 0; column < fields.size(); ++column) {
        const int index = static_cast<int>(column);
        ui.DBGrid1->setColumnHidden(index, !fields[column].visible);
        if (fields[column].displayWidth > 0)
            ui.DBGrid1->setColumnWidth(index, fields[column].displayWidth * charWidth + 12);
    }
}

void TForm1::btnStartClick() {
    // The grid shows nothing while the rows are written (dsNull).
    gridModel->setDataSet(nullptr);
    processMessages();
    // The run context of the transfer starts with an empty seen list.
    Prepis(dm(), *this);
    // Then it shows the rows of the date (DSecb: Qpod_orvel).
    gridModel->setDataSet(&dm().Qpod_orvel);
    prilagodiStolpce();
    setLblSporociloVisible(false);
    processMessages();
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
