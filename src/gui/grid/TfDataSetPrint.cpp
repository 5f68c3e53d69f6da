#include "gui/grid/TfDataSetPrint.h"

#include "db/DatabaseError.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/GeneralErrorHandler.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/ProgressWindow.h"
#include "gui/grid/TFwwDBGrid.h"
#include "print/FieldRoles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace orv::gui {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The grids of the form offer only the tools that suit a finished listing.
const TGridButtons kListingTools = {TGridButton::gbLocate, TGridButton::gbPrint,
                                    TGridButton::gbGraph, TGridButton::gbTitleWordWrap,
                                    TGridButton::gbCopyToClip};

QListWidget* listWithLabel(QGridLayout* layout, int column, const QString& label,
                           const QString& name) {
    auto* caption = new QLabel(label);
    auto* list = new QListWidget;
    list->setObjectName(name);
    caption->setBuddy(list);
    layout->addWidget(caption, 0, column);
    layout->addWidget(list, 1, column);
    return list;
}

} // namespace

TfDataSetPrint* TfDataSetPrint::instance(QWidget* parent) {
    static QPointer<TfDataSetPrint> form;
    if (!form) form = new TfDataSetPrint(parent ? parent->window() : nullptr);
    return form;
}

TfDataSetPrint::TfDataSetPrint(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TfDataSetPrint");
    setWindowTitle("Izpis");
    resize(900, 620);
    auto* layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    tabs->setObjectName("tabs");
    layout->addWidget(tabs, 1);
    auto* titleLabel = new QLabel("Naslov :");
    title = new QPlainTextEdit(this);
    title->setObjectName("title");
    title->setMaximumHeight(48);
    titleLabel->setBuddy(title);
    layout->addWidget(titleLabel);
    layout->addWidget(title);

    buildSettingsPage();

    dbgQ = new TFwwDBGrid;
    dbgQ->setObjectName("dbgQ");
    dbgQ->gridButtons = kListingTools;
    qModel_ = new DataSetModel(dbgQ);
    qModel_->setDataSet(&data_.q);
    dbgQ->setModel(qModel_);
    dbgQG = new TFwwDBGrid;
    dbgQG->setObjectName("dbgQG");
    dbgQG->gridButtons = kListingTools;
    qgModel_ = new DataSetModel(dbgQG);
    qgModel_->setDataSet(&data_.qG);
    dbgQG->setModel(qgModel_);
    for (auto [grid, model] : {std::pair{dbgQ, qModel_}, std::pair{dbgQG, qgModel_}}) {
        TOracleDataSet* listing = model->dataSet();
        model->setDisplayText([this, listing](int field, const Value& value) {
            return data_.displayText(*listing, field, value);
        });
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(grid);
        grid->setFillsParent(true);
        tabs->addTab(page, grid == dbgQ ? "Sortiranje" : "Grupiranje");
    }
    // The group columns of the subtotal listing stand out like captions.
    qgModel_->setColumnLook([this](int field, int role) -> QVariant {
        const auto& fields = data_.qG.fieldInfos();
        if (field >= static_cast<int>(fields.size()) ||
            !data_.isGroupColumn(fields[static_cast<size_t>(field)].name))
            return {};
        if (role == Qt::BackgroundRole) return QPalette().color(QPalette::Highlight);
        if (role == Qt::ForegroundRole) return QPalette().color(QPalette::HighlightedText);
        QFont regular = dbgQG->font();
        regular.setBold(false);
        return regular;
    });

    connect(title, &QPlainTextEdit::textChanged, this, [this] {
        dbgQ->labelText = dbgQG->labelText = title->toPlainText();
        for (TFwwDBGrid* grid : {dbgQ, dbgQG})
            if (grid->label()) grid->label()->setText(grid->labelText);
    });
}

void TfDataSetPrint::buildSettingsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    dbgTemp = new QTableView(page);
    dbgTemp->setObjectName("dbgTemp");
    tempModel_ = new DataSetModel(dbgTemp);
    tempModel_->setDataSet(&data_.tTempRows);
    dbgTemp->setModel(tempModel_);
    dbgTemp->horizontalHeader()->setSectionsMovable(true);
    dbgTemp->horizontalHeader()->setSectionsClickable(true);
    dbgTemp->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(dbgTemp, 2);
    connect(dbgTemp->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int logical) { titleClick(dbgTemp->horizontalHeader()->visualIndex(logical)); });
    connect(dbgTemp->horizontalHeader(), &QHeaderView::sectionMoved, this,
            &TfDataSetPrint::keepNFirst);

    auto* lists = new QGridLayout;
    lbGroup = listWithLabel(lists, 0, "Sortiranje / grupiranje po :", "lbGroup");
    lbSum = listWithLabel(lists, 1, "Sumarna polja pri grupiranju :", "lbSum");
    lbNone = listWithLabel(lists, 2, "", "lbNone");
    layout->addLayout(lists, 2);

    auto* options = new QFormLayout;
    eLine = new QLineEdit(qt(data_.eLine), page);
    eLine->setObjectName("eLine");
    options->addRow("Oznaka za skupaj :", eLine);
    cbAutoSumBy = new QCheckBox("Avtomatsko izberi odvisne grupe", page);
    cbAutoSumBy->setObjectName("cbAutoSumBy");
    cbShowSumOp = new QCheckBox("Poka\xC5\xBEi sumarni operator", page);
    cbShowSumOp->setObjectName("cbShowSumOp");
    cbShowSumOp->setChecked(true);
    options->addRow(cbAutoSumBy);
    options->addRow(cbShowSumOp);
    layout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    btnSort = new QPushButton("Sortiranje", page);
    btnSort->setObjectName("btnSort");
    btnGroup = new QPushButton("Grupiranje", page);
    btnGroup->setObjectName("btnGroup");
    buttons->addStretch();
    buttons->addWidget(btnSort);
    buttons->addWidget(btnGroup);
    layout->addLayout(buttons);
    tabs->addTab(page, "Nastavitve");

    connect(lbGroup, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        data_.roles.toggleMark(static_cast<size_t>(lbGroup->row(item)));
        showRoles();
    });
    connect(lbSum, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        data_.roles.nextOperatorOf(static_cast<size_t>(lbSum->row(item)));
        showRoles();
    });
    connect(cbShowSumOp, &QCheckBox::toggled, this, [this](bool on) {
        data_.cbShowSumOp = on;
        showRoles();
    });
    connect(cbAutoSumBy, &QCheckBox::toggled, this, [this](bool on) { data_.cbAutoSumBy = on; });
    connect(eLine, &QLineEdit::textChanged, this, [this](const QString& text) {
        data_.eLine = text.toStdString();
        dbgQ->viewport()->update();
        dbgQG->viewport()->update();
    });
    connect(btnSort, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { btnSortClick(); }); });
    connect(btnGroup, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { btnGroupClick(); }); });
}

void TfDataSetPrint::Prepare(TOracleDataSet& dataset, const std::vector<int>& visible) {
    try {
        data_.Prepare(dataset, visible);
    } catch (const DatabaseError& error) {
        // The form goes on without a copy; its listings then fail with the engine's text.
        showMessageBox(this, error.what());
    }
    {
        const QSignalBlocker quiet(cbShowSumOp);
        cbShowSumOp->setChecked(true);
    }
    tempModel_->refresh();
    qModel_->refresh();
    qgModel_->refresh();
    arrangeColumns();
    showRoles();
    tabs->setCurrentIndex(0);
}

void TfDataSetPrint::setTitle(const QString& text) {
    title->setPlainText(text);
}

void TfDataSetPrint::showRoles() {
    const auto& fields = data_.tTemp().fields();
    const auto field = [&fields](int index) -> const print::CopyField& {
        return fields[static_cast<size_t>(index)];
    };
    lbGroup->clear();
    for (const print::GroupField& group : data_.roles.group)
        lbGroup->addItem(qt(print::groupEntryText(field(group.field), group.marked)));
    lbSum->clear();
    for (const print::SummaryField& summary : data_.roles.sum)
        lbSum->addItem(
            qt(print::summaryEntryText(field(summary.field), summary.op, data_.cbShowSumOp)));
    lbNone->clear();
    for (const int other : data_.roles.none)
        lbNone->addItem(qt(print::labelOf(field(other))));
}

std::vector<int> TfDataSetPrint::columnOrder() const {
    std::vector<int> order;
    const QHeaderView* header = dbgTemp->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        order.push_back(header->logicalIndex(visual));
    return order;
}

void TfDataSetPrint::arrangeColumns() {
    QHeaderView* header = dbgTemp->horizontalHeader();
    if (header->count() != static_cast<int>(data_.tTemp().fields().size())) return;
    const std::vector<int> arranged = data_.roles.arrangedColumns(columnOrder());
    arranging_ = true;
    for (int visual = 0; visual < static_cast<int>(arranged.size()); ++visual)
        header->moveSection(header->visualIndex(arranged[static_cast<size_t>(visual)]), visual);
    arranging_ = false;
}

void TfDataSetPrint::keepNFirst(int logical, int oldVisual, int newVisual) {
    if (arranging_) return;
    // N stays the first column: a move that takes it away or puts another column before it is
    // undone.
    if (logical == 0 || newVisual == 0) {
        arranging_ = true;
        dbgTemp->horizontalHeader()->moveSection(newVisual, oldVisual);
        arranging_ = false;
    }
}

void TfDataSetPrint::titleClick(int column) {
    const std::vector<int> order = columnOrder();
    if (column < 0 || column >= static_cast<int>(order.size())) return;
    data_.roles = print::FieldRoles::fromTitleClick(data_.tTemp().fields(), order,
                                                    static_cast<size_t>(column));
    arrangeColumns();
    showRoles();
}

void TfDataSetPrint::showListing(TFwwDBGrid* grid) {
    grid->dataSetModel()->refresh();
    grid->sizeColumns();
    grid->labelText = title->toPlainText();
    tabs->setCurrentWidget(grid->parentWidget());
}

void TfDataSetPrint::btnSortClick() {
    WaitCursor wait;
    {
        std::unique_ptr<ProgressWindow> progress;
        if (!data_.copied() && data_.tTemp().isOpen())
            progress = std::make_unique<ProgressWindow>(this, "Copy to local table",
                                                        data_.sourceRowCount());
        qModel_->setDataSet(nullptr);
        try {
            data_.Sortiranje([&progress](int rows) {
                if (progress) progress->rows(rows);
            });
        } catch (...) {
            qModel_->setDataSet(&data_.q);
            tempModel_->refresh();
            throw;
        }
        qModel_->setDataSet(&data_.q);
    }
    tempModel_->refresh();
    showRoles();
    showListing(dbgQ);
}

void TfDataSetPrint::btnGroupClick() {
    WaitCursor wait;
    {
        std::unique_ptr<ProgressWindow> progress;
        if (!data_.copied() && data_.tTemp().isOpen())
            progress = std::make_unique<ProgressWindow>(this, "Copy to local table",
                                                        data_.sourceRowCount());
        qgModel_->setDataSet(nullptr);
        try {
            data_.Grupiranje([&progress](int rows) {
                if (progress) progress->rows(rows);
            });
        } catch (...) {
            qgModel_->setDataSet(&data_.qG);
            tempModel_->refresh();
            throw;
        }
        qgModel_->setDataSet(&data_.qG);
    }
    tempModel_->refresh();
    showRoles();
    showListing(dbgQG);
}

void TfDataSetPrint::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    qModel_->setDataSet(nullptr);
    qgModel_->setDataSet(nullptr);
    tempModel_->setDataSet(nullptr);
    try {
        data_.Hide();
    } catch (const DatabaseError& error) {
        showMessageBox(this, error.what());
    }
    qModel_->setDataSet(&data_.q);
    qgModel_->setDataSet(&data_.qG);
    tempModel_->setDataSet(&data_.tTempRows);
}

} // namespace orv::gui
