#include "gui/grid/TFwwDBGrid.h"

#include "db/TOracleDataSet.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/GeneralErrorHandler.h"
#include "gui/grid/GridButtons.h"
#include "gui/grid/TitleHeader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace orv::gui {

namespace {

// The process-wide defaults of the library: bold cells, regular titles a point smaller.
QFont libraryFont(int points, bool bold) {
    QFont font(QStringLiteral("Arial CE"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

const QColor kNavy(0, 0, 128);

// Where the tool bar and the label go, relative to the top of the parent's client area.
constexpr int kButtonsLeft = 8;
constexpr int kLabelHeight = GridButtons::kSize;
constexpr int kLabelWidthLess = 252;

} // namespace

TFwwDBGrid::TFwwDBGrid(QWidget* parent) : QTableView(parent), titles_(new TitleHeader(this)) {
    setHorizontalHeader(titles_);
    setFont(libraryFont(8, true));
    SelFont = font();
    SelColor = QApplication::palette().color(QPalette::Highlight);
    setTitleFont(libraryFont(7, false));
    setTitleColour(QApplication::palette().color(QPalette::ButtonText));

    // Read-only, whole rows, no row indicator.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setWordWrap(false);
    setSortingEnabled(false); // a title click never sorts: it opens the tool bar
    titles_->setSectionsMovable(false);
    titles_->setStretchLastSection(false);

    connect(titles_, &QHeaderView::sectionClicked, this, [this] { titleClicked(); });
    connect(titles_, &QHeaderView::sectionResized, this, &TFwwDBGrid::columnResized);
    setModel(new DataSetModel(this));
    if (parent) parent->installEventFilter(this);
}

TFwwDBGrid::~TFwwDBGrid() {
    GridButtons::detach(this);
}

// --- Data ---------------------------------------------------------------------------------

void TFwwDBGrid::setModel(QAbstractItemModel* model) {
    if (dataModel_) disconnect(dataModel_, nullptr, this, nullptr);
    dataModel_ = qobject_cast<DataSetModel*>(model);
    QTableView::setModel(model);
    if (!dataModel_) return;
    connect(dataModel_, &QAbstractItemModel::modelReset, this, &TFwwDBGrid::dataReset);
    connect(dataModel_, &DataSetModel::currentRowMoved, this, &TFwwDBGrid::showCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // The grid follows the dataset too: a row it already stands on is left alone,
                // so that a search that ran past the last row stays there.
                TOracleDataSet* d = dataSet();
                if (d && current.isValid() && d->currentRow() != current.row())
                    d->moveTo(current.row());
            });
    dataReset();
}

TOracleDataSet* TFwwDBGrid::dataSet() const {
    return dataModel_ ? dataModel_->dataSet() : nullptr;
}

bool TFwwDBGrid::hasOpenDataSet() const {
    return dataSet() && dataSet()->Active();
}

// Hiding, showing and sizing columns by the grid itself is no change of a column's width by
// the operator: `selected` is not rewritten meanwhile.
class TFwwDBGrid::Arranging {
public:
    explicit Arranging(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Arranging() { flag_ = was_; }
    Arranging(const Arranging&) = delete;
    Arranging& operator=(const Arranging&) = delete;

private:
    bool& flag_;
    bool was_;
};

void TFwwDBGrid::dataReset() {
    // New rows: the columns return to their fields' order and visibility, then the remembered
    // choice applies.
    if (!dataModel_) return;
    const Arranging arranging(sizing_);
    for (int logical = 0; logical < dataModel_->columnCount(); ++logical)
        titles_->moveSection(titles_->visualIndex(logical), logical);
    if (TOracleDataSet* d = dataSet(); d && d->Active()) {
        applySelected();
        for (int logical = 0; logical < dataModel_->columnCount(); ++logical)
            setColumnHidden(logical, !d->fieldInfos()[static_cast<size_t>(logical)].visible);
        sizeColumns();
    }
    updateScrollBars();
}

std::vector<int> TFwwDBGrid::visibleFields() const {
    std::vector<int> fields;
    if (!dataModel_) return fields;
    for (int visual = 0; visual < titles_->count(); ++visual) {
        const int logical = titles_->logicalIndex(visual);
        if (!titles_->isSectionHidden(logical)) fields.push_back(logical);
    }
    return fields;
}

std::vector<int> TFwwDBGrid::hiddenFields() const {
    std::vector<int> fields;
    if (!dataModel_) return fields;
    for (int visual = 0; visual < titles_->count(); ++visual) {
        const int logical = titles_->logicalIndex(visual);
        if (titles_->isSectionHidden(logical)) fields.push_back(logical);
    }
    return fields;
}

void TFwwDBGrid::showFields(const std::vector<int>& visible) {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    const Arranging arranging(sizing_);
    std::vector<FieldInfo>& infos = d->fieldInfos();
    for (FieldInfo& info : infos)
        info.visible = false;
    int position = 0;
    for (const int field : visible) {
        infos[static_cast<size_t>(field)].visible = true;
        titles_->moveSection(titles_->visualIndex(field), position++);
    }
    for (size_t field = 0; field < infos.size(); ++field)
        setColumnHidden(static_cast<int>(field), !infos[field].visible);
}

void TFwwDBGrid::applySelected() {
    TOracleDataSet* d = dataSet();
    if (selected_.isEmpty() || !d || !d->Active()) return;
    const Arranging arranging(sizing_);
    std::vector<FieldInfo>& infos = d->fieldInfos();
    for (FieldInfo& info : infos)
        info.visible = false;
    const int count = static_cast<int>(infos.size());
    for (int line = 0; line < selected_.size(); ++line) {
        const QString name = selected_[line].section('\t', 0, 0);
        for (int field = 0; field < count; ++field) {
            if (QString::fromStdString(infos[static_cast<size_t>(field)].name)
                    .compare(name, Qt::CaseInsensitive) != 0)
                continue;
            infos[static_cast<size_t>(field)].visible = true;
            titles_->moveSection(titles_->visualIndex(field), std::min(line, count - 1));
            break;
        }
    }
    for (int field = 0; field < count; ++field)
        setColumnHidden(field, !infos[static_cast<size_t>(field)].visible);
}

void TFwwDBGrid::rewriteSelected() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    QStringList lines;
    for (const int field : visibleFields()) {
        const FieldInfo& info = d->fieldInfos()[static_cast<size_t>(field)];
        lines << QString::fromStdString(info.name) + '\t' + QString::number(info.displayWidth) +
                     '\t' + QString::fromStdString(info.displayLabel);
    }
    selected_ = lines;
}

void TFwwDBGrid::sizeColumns() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active()) return;
    const Arranging arranging(sizing_);
    const int charWidth = std::max(1, fontMetrics().averageCharWidth());
    for (int field = 0; field < d->FieldCount(); ++field) {
        FieldInfo& info = d->fieldInfos()[static_cast<size_t>(field)];
        if (info.displayWidth > 0) {
            setColumnWidth(field, info.displayWidth * charWidth + 8);
        } else {
            resizeColumnToContents(field);
            // Rounded up, so that the width in characters gives the column back whole.
            info.displayWidth = std::max(1, (columnWidth(field) - 8 + charWidth - 1) / charWidth);
        }
    }
}

void TFwwDBGrid::columnResized(int logical, int, int newSize) {
    if (sizing_ || newSize == 0 || isColumnHidden(logical)) return;
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active() || logical >= d->FieldCount()) return;
    const int charWidth = std::max(1, fontMetrics().averageCharWidth());
    d->fieldInfos()[static_cast<size_t>(logical)].displayWidth =
        std::max(1, static_cast<int>(std::lround((newSize - 8) / double(charWidth))));
    rewriteSelected();
}

void TFwwDBGrid::showCurrentRow() {
    TOracleDataSet* d = dataSet();
    if (!d || !d->Active() || d->currentRow() < 0) return;
    const QModelIndex index = model()->index(
        d->currentRow(), std::max(0, visibleFields().empty() ? 0 : visibleFields()[0]));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

// --- Look ---------------------------------------------------------------------------------

QFont TFwwDBGrid::titleFont() const {
    return titles_->font();
}

void TFwwDBGrid::setTitleFont(const QFont& font) {
    titles_->setFont(font);
}

void TFwwDBGrid::setTitleColour(const QColor& colour) {
    QPalette palette = titles_->palette();
    palette.setColor(QPalette::ButtonText, colour);
    titles_->setPalette(palette);
}

void TFwwDBGrid::setTitleWordwrap(bool wrap) {
    titleWordwrap_ = wrap;
    titles_->setWordWrap(wrap);
    // The view takes the title row's new height at its next layout.
    updateGeometries();
    viewport()->update();
}

bool TFwwDBGrid::ShowHorzScrollBar() const {
    return scrollBars_ == ScrollBars::Horizontal || scrollBars_ == ScrollBars::Both;
}

void TFwwDBGrid::setShowHorzScrollBar(bool show) {
    scrollBars_ = show ? ScrollBars::Horizontal : ScrollBars::None;
    updateScrollBars();
}

void TFwwDBGrid::setShowVertscrollBar(bool show) {
    showVertScrollBar_ = show;
    updateScrollBars();
}

void TFwwDBGrid::updateScrollBars() {
    setHorizontalScrollBarPolicy(ShowHorzScrollBar() ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    const bool vertical = scrollBars_ == ScrollBars::Vertical || scrollBars_ == ScrollBars::Both;
    setVerticalScrollBarPolicy(vertical && showVertScrollBar_ ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
}

// --- Events -------------------------------------------------------------------------------

void TFwwDBGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        runCommand(this, [this] { Zoom(); });
        return;
    }
    // Ctrl+Delete deletes no row.
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) return;
    QTableView::keyPressEvent(event);
}

void TFwwDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    runCommand(this, [this] { Zoom(); });
}

void TFwwDBGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    setTitleColour(kNavy);
}

void TFwwDBGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // A dialog of a tool takes the focus to its own window: the grid has not been left.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    setTitleColour(QApplication::palette().color(QPalette::ButtonText));
    closeToolBar();
}

void TFwwDBGrid::titleClicked() {
    if (toolBarOpen_)
        closeToolBar();
    else
        openToolBar();
}

void TFwwDBGrid::ensureLabel() {
    if (label_ || !parentWidget()) return;
    label_ = new QLabel(parentWidget());
    label_->setObjectName(objectName() + "Label");
    // The label keeps the width it is given, whatever its text.
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label_->setFont(font());
    label_->setAutoFillBackground(true);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    label_->setPalette(palette);
    label_->hide();
}

void TFwwDBGrid::openToolBar() {
    ensureLabel();
    if (!label_) return;
    label_->setText(labelText);
    label_->setToolTip(labelText);
    toolBarOpen_ = true;
    layOut();
}

void TFwwDBGrid::closeToolBar() {
    if (!toolBarOpen_) return;
    toolBarOpen_ = false;
    GridButtons::detach(this);
    layOut();
}

void TFwwDBGrid::setFillsParent(bool fills) {
    fillsParent_ = fills;
    layOut();
}

bool TFwwDBGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) layOut();
    return QTableView::eventFilter(watched, event);
}

void TFwwDBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (!fillsParent_) layOut();
}

void TFwwDBGrid::moveEvent(QMoveEvent* event) {
    QTableView::moveEvent(event);
    if (!fillsParent_) layOut();
}

void TFwwDBGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    layOut();
}

void TFwwDBGrid::hideEvent(QHideEvent* event) {
    QTableView::hideEvent(event);
    if (label_) label_->hide();
}

void TFwwDBGrid::layOut() {
    if (laying_ || !parentWidget()) return;
    laying_ = true;
    ensureLabel();
    const QRect client = parentWidget()->contentsRect();
    if (toolBarOpen_) {
        // One row at the top: the buttons from the left, then the label, then the grid below.
        const int labelTop = client.top() + 2;
        const int buttonsLeft = client.left() + kButtonsLeft;
        GridButtons::attach(this, buttonsLeft, labelTop - 1);
        const QRect base = fillsParent_ ? client : geometry();
        label_->setGeometry(buttonsLeft + kGridButtonCount * GridButtons::kSize + labelSpacing,
                            labelTop, std::max(0, base.width() - kLabelWidthLess), kLabelHeight);
        label_->show();
        label_->raise();
        if (fillsParent_) {
            const int gridTop = labelTop + kLabelHeight + labelSpacing;
            setGeometry(client.left(), gridTop, client.width(),
                        std::max(0, client.bottom() + 1 - gridTop));
        }
    } else {
        if (fillsParent_) {
            setGeometry(client);
            label_->hide();
        } else if (labelAlign == TLabelAlign::laNone || !isVisible()) {
            label_->hide();
        } else {
            // A grid that does not fill its parent has its label beside it.
            label_->setText(labelText);
            const QRect g = geometry();
            const int h = label_->sizeHint().height();
            const int w = label_->sizeHint().width();
            QRect place;
            switch (labelAlign) {
            case TLabelAlign::laLeft:
                place = QRect(g.left() - labelSpacing - w, g.top(), w, h);
                break;
            case TLabelAlign::laRight:
                place = QRect(g.right() + 1 + labelSpacing, g.top(), w, h);
                break;
            case TLabelAlign::laBottom:
                place = QRect(g.left(), g.bottom() + 1 + labelSpacing, g.width(), h);
                break;
            default:
                place = QRect(g.left(), g.top() - labelSpacing - h, g.width(), h);
                break;
            }
            label_->setGeometry(place);
            label_->setVisible(!labelText.isEmpty());
        }
    }
    laying_ = false;
}

} // namespace orv::gui
