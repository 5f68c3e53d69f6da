// The tools of the data grid's tool bar. Each acts only when its button is enabled for the grid
// and, for those that use data, when the grid shows an open dataset; failures go to the general
// error handler after the cursor and the progress window are restored.

#include "db/TOracleDataSet.h"
#include "export/Izvoz.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/GeneralErrorHandler.h"
#include "gui/grid/GridButtons.h"
#include "gui/grid/ListingPrinter.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/ProgressWindow.h"
#include "gui/grid/SafeFileDialog.h"
#include "gui/grid/TFwwDBGrid.h"
#include "gui/grid/TfDataSetPrint.h"
#include "gui/grid/TfLocate.h"
#include "gui/grid/TfSort.h"
#include "gui/grid/Tgraf.h"
#include "gui/grid/TitleHeader.h"
#include "gui/grid/TsortSelect.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>

#include <optional>

namespace orv::gui {

namespace {

// The hourglass while a tool works; the cursor returns also when it fails.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString labelOf(const FieldInfo& field) {
    return QString::fromStdString(field.displayLabel.empty() ? field.name : field.displayLabel);
}

struct ExportChoice {
    QString path;
    OblikaIzvoza format = OblikaIzvoza::DBase;
};

const QStringList& exportFilters() {
    static const QStringList filters = {"DBase (*.dbf *.DBF)", "Paradox (*.db *.DB)",
                                        "Text fixed length (*.txt *.TXT)", "Excel (*.xlsx *.XLSX)",
                                        "CSV (*.csv *.CSV)"};
    return filters;
}

// The save dialog of the export; the filter picks the table's kind, and a name without an
// extension gets the filter's.
std::optional<ExportChoice> chooseExportFile(QWidget* owner) {
    SafeFileDialog dialog(owner ? owner->window() : nullptr, "Izvoz", QFileDialog::AcceptSave);
    dialog.setObjectName("exportDialog");
    dialog.setNameFilters(exportFilters());
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    ExportChoice choice;
    choice.path = dialog.selectedFiles().first();
    const qsizetype filter = exportFilters().indexOf(dialog.selectedNameFilter());
    static const char* extensions[] = {"dbf", "db", "txt", "xlsx", "csv"};
    const OblikaIzvoza formats[] = {OblikaIzvoza::DBase, OblikaIzvoza::Paradox,
                                    OblikaIzvoza::FiksniTekst, OblikaIzvoza::Xlsx,
                                    OblikaIzvoza::Csv};
    const qsizetype at = filter < 0 ? 0 : filter;
    choice.format = formats[at];
    if (QFileInfo(choice.path).suffix().isEmpty()) choice.path += QString(".") + extensions[at];
    return choice;
}

} // namespace

bool TFwwDBGrid::toolEnabled(TGridButton tool) const {
    return gridButtons.contains(tool);
}

void TFwwDBGrid::runTool(TGridButton tool) {
    if (!toolEnabled(tool)) return;
    runCommand(this, [this, tool] {
        switch (tool) {
        case TGridButton::gbLocate:
            return Locate();
        case TGridButton::gbZoom:
            return Zoom();
        case TGridButton::gbView:
            return ColumnChooser();
        case TGridButton::gbPrint:
            return Print();
        case TGridButton::gbPrintGroup:
            return PrintGroup();
        case TGridButton::gbRefresh:
            return Refresh();
        case TGridButton::gbSort:
            return Sort();
        case TGridButton::gbGraph:
            return Chart();
        case TGridButton::gbTitleWordWrap:
            return ToggleTitleWordWrap();
        case TGridButton::gbCopyToClip:
            return CopyToClipboard();
        case TGridButton::gbExport:
            return Export();
        }
    });
}

QToolButton* TFwwDBGrid::toolButton(TGridButton button) {
    return GridButtons::button(button);
}

void TFwwDBGrid::Zoom() {
    // The library's default zoom is registered nowhere in this program: without OnZoom the
    // zoom does nothing.
    if (OnZoom) OnZoom(this);
}

void TFwwDBGrid::ColumnChooser() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    dataReset(); // the columns return to their default state and `selected` applies
    std::vector<TsortSelect::Entry> visible;
    std::vector<TsortSelect::Entry> hidden;
    for (const int field : visibleFields())
        visible.push_back({labelOf(d->fieldInfos()[static_cast<size_t>(field)]), field});
    for (const int field : hiddenFields())
        hidden.push_back({labelOf(d->fieldInfos()[static_cast<size_t>(field)]), field});
    const bool ok = TsortSelect::instance(this)->Open(*d, visible, hidden);
    // Labels and widths renamed in the dialog take effect whatever its result.
    sizeColumns();
    titles_->viewport()->update();
    if (!ok) return;
    std::vector<int> shown;
    for (const auto& entry : visible)
        shown.push_back(entry.field);
    showFields(shown);
    rewriteSelected();
}

void TFwwDBGrid::Print() {
    if (!hasOpenDataSet()) return;
    if (OnPrint) return OnPrint(this);
    if (label_) label_->setText(labelText);
    printGrid(*this);
    showCurrentRow();
}

void TFwwDBGrid::PrintGroup() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    TfDataSetPrint* form = TfDataSetPrint::instance(this);
    form->Prepare(*d, visibleFields());
    form->setTitle(labelText);
    form->show();
    form->raise();
    form->activateWindow();
}

void TFwwDBGrid::Locate() {
    if (!hasOpenDataSet()) return;
    TfLocate::instance(this)->Open(dataModel_);
    showCurrentRow();
}

void TFwwDBGrid::Refresh() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    WaitCursor wait;
    try {
        d->Open(); // runs the query anew
    } catch (...) {
        dataModel_->refresh();
        throw;
    }
    dataModel_->refresh();
}

void TFwwDBGrid::Sort() {
    std::vector<std::string> items;
    for (const TSortItem& item : SortInfo)
        items.push_back(item.DisplayText);
    const int chosen = TfSort::instance(this)->pick(items, sortIndex_);
    if (chosen < 0 || chosen >= static_cast<int>(SortInfo.size())) return;
    sortIndex_ = chosen;
    if (OnCustomSort) OnCustomSort(this, SortInfo[static_cast<size_t>(chosen)]);
}

void TFwwDBGrid::ToggleTitleWordWrap() {
    setTitleWordwrap(!titleWordwrap_);
}

void TFwwDBGrid::Chart() {
    TOracleDataSet* d = dataSet();
    const std::vector<int> fields = visibleFields();
    if (!d || !d->Active() || fields.size() < 2) return;
    Tgraf graf(*d, fields[0], fields[1], window());
    graf.setWindowState(Qt::WindowMaximized);
    runModal(graf);
    showCurrentRow();
}

void TFwwDBGrid::CopyToClipboard() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    ProgressWindow progress(this, "Copy to clipboard", d->RecordCount());
    DataSetModel* model = dataModel_;
    const std::string text = BesediloOdlozisca(
        *d, visibleFields(), labelText.toStdString(),
        [&progress](int rows) { progress.rows(rows); },
        [model](int field, const Value& value) { return model->displayText(field, value); });
    QApplication::clipboard()->setText(QString::fromStdString(text));
    showCurrentRow();
}

void TFwwDBGrid::Export() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    const auto choice = chooseExportFile(this);
    if (!choice) return;
    std::vector<std::string> notices;
    {
        ProgressWindow progress(this, "Export", d->RecordCount());
        notices = IzvoziTabelo(*d, visibleFields(), choice->format, choice->path.toStdString(),
                               [&progress](int rows) { progress.rows(rows); });
    }
    showCurrentRow();
    if (!notices.empty()) {
        std::string text;
        for (const std::string& notice : notices)
            text += (text.empty() ? "" : "\n") + notice;
        showMessageBox(this, text);
    }
}

} // namespace orv::gui
