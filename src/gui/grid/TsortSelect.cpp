#include "gui/grid/TsortSelect.h"

#include "db/TOracleDataSet.h"
#include "gui/grid/GeneralErrorHandler.h"
#include "gui/grid/ModalDialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace orv::gui {

namespace {

constexpr int kFieldRole = Qt::UserRole;

QPushButton* smallButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoDefault(false);
    b->setFixedWidth(44);
    return b;
}

void addEntry(QListWidget* list, const TsortSelect::Entry& entry, int row = -1) {
    auto* item = new QListWidgetItem(entry.text);
    item->setData(kFieldRole, entry.field);
    if (row < 0)
        list->addItem(item);
    else
        list->insertItem(row, item);
}

// After an entry left a list, the choice stays at the same position, or at the new last entry.
void chooseAfterRemoval(QListWidget* list, int removed) {
    if (list->count() == 0) return;
    list->setCurrentRow(std::min(removed, list->count() - 1));
}

} // namespace

TsortSelect::TsortSelect(QWidget* parent) : QDialog(parent) {
    setObjectName("sortSelect");
    setWindowTitle("Izbira stolpcev");
    auto* panel = new QGridLayout(this);
    lbOn = new QListWidget(this);
    lbOn->setObjectName("lbOn");
    lbOff = new QListWidget(this);
    lbOff->setObjectName("lbOff");
    lbOff->setSortingEnabled(true);
    for (QListWidget* list : {lbOn, lbOff})
        list->setMinimumSize(220, 300);

    btnUp = smallButton(this, "btnUp", "▲", "Gor");
    btnDown = smallButton(this, "btnDown", "▼", "Dol");
    btnRight = smallButton(this, "btnRight", ">", "Skrij izbrani stolpec");
    btnAllRight = smallButton(this, "btnAllRight", ">>", "Skrij vse stolpce");
    btnLeft = smallButton(this, "btnLeft", "<", "Prikaži izbrani stolpec");
    btnAllLeft = smallButton(this, "btnAllLeft", "<<", "Prikaži vse stolpce");
    edDisplayLabel = new QLineEdit(this);
    edDisplayLabel->setObjectName("edDisplayLabel");
    btnDisplayLabel = new QPushButton("Preimenuj", this);
    btnDisplayLabel->setObjectName("btnDisplayLabel");
    btnDisplayLabel->setAutoDefault(false);
    edDisplayWidth = new QLineEdit(this);
    edDisplayWidth->setObjectName("edDisplayWidth");
    edDisplayWidth->setMaxLength(3);
    edDisplayWidth->setFixedWidth(50);
    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Prekliči", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAutoDefault(false);
    tmrBtn = new QTimer(this);
    tmrBtn->setObjectName("tmrBtn");
    tmrBtn->setTimerType(Qt::PreciseTimer); // 500 and 100 ms, not "about"

    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(btnUp);
    order->addWidget(btnDown);
    order->addStretch();
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {btnRight, btnAllRight, btnLeft, btnAllLeft})
        moves->addWidget(b);
    moves->addStretch();
    panel->addWidget(new QLabel("Prikazani stolpci", this), 0, 1);
    panel->addWidget(new QLabel("Skriti stolpci", this), 0, 3);
    panel->addLayout(order, 1, 0);
    panel->addWidget(lbOn, 1, 1);
    panel->addLayout(moves, 1, 2);
    panel->addWidget(lbOff, 1, 3);
    auto* naming = new QHBoxLayout;
    naming->addWidget(new QLabel("Naslov", this));
    naming->addWidget(edDisplayLabel, 1);
    naming->addWidget(new QLabel(QString::fromUtf8("Širina"), this));
    naming->addWidget(edDisplayWidth);
    naming->addWidget(btnDisplayLabel);
    panel->addLayout(naming, 2, 0, 1, 4);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(BitBtn1);
    closing->addWidget(BitBtn2);
    panel->addLayout(closing, 3, 0, 1, 4);

    connect(lbOn, &QListWidget::itemClicked, this, [this] { UpdateControls(); });
    connect(lbOn, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });
    connect(btnRight, &QPushButton::clicked, this, [this] { btnRightClick(); });
    connect(btnAllRight, &QPushButton::clicked, this, [this] { btnAllRightClick(); });
    connect(btnLeft, &QPushButton::clicked, this, [this] { btnLeftClick(); });
    connect(btnAllLeft, &QPushButton::clicked, this, [this] { btnAllLeftClick(); });
    connect(btnUp, &QPushButton::pressed, this, [this] { startRepeat(-1); });
    connect(btnDown, &QPushButton::pressed, this, [this] { startRepeat(1); });
    connect(btnUp, &QPushButton::released, this, [this] { stopRepeat(); });
    connect(btnDown, &QPushButton::released, this, [this] { stopRepeat(); });
    connect(tmrBtn, &QTimer::timeout, this, [this] { repeat(); });
    connect(btnDisplayLabel, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { btnDisplayLabelClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TsortSelect* TsortSelect::instance(QWidget* parent) {
    static QPointer<TsortSelect> dialog;
    if (!dialog) dialog = new TsortSelect(parent ? parent->window() : nullptr);
    return dialog;
}

std::vector<TsortSelect::Entry> TsortSelect::entries(const QListWidget* list) {
    std::vector<Entry> result;
    for (int row = 0; row < list->count(); ++row)
        result.push_back({list->item(row)->text(), list->item(row)->data(kFieldRole).toInt()});
    return result;
}

bool TsortSelect::Open(TOracleDataSet& dataset, std::vector<Entry>& visible,
                       std::vector<Entry>& hidden) {
    dataset_ = &dataset;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lbOn->clear();
    lbOff->clear();
    for (const Entry& entry : visible)
        addEntry(lbOn, entry);
    for (const Entry& entry : hidden)
        addEntry(lbOff, entry);
    if (lbOn->count()) lbOn->setCurrentRow(0);
    if (lbOff->count()) lbOff->setCurrentRow(0);
    UpdateControls();
    QApplication::restoreOverrideCursor();
    if (runModal(*this) != QDialog::Accepted) return false;
    visible = entries(lbOn);
    hidden = entries(lbOff);
    return true;
}

void TsortSelect::UpdateControls() {
    const int chosen = lbOn->currentRow();
    const bool entryChosen = chosen >= 0 && chosen < lbOn->count();
    edDisplayLabel->setEnabled(entryChosen);
    edDisplayWidth->setEnabled(entryChosen);
    if (entryChosen && dataset_) {
        const int field = lbOn->item(chosen)->data(kFieldRole).toInt();
        edDisplayLabel->setText(lbOn->item(chosen)->text());
        if (field >= 0 && field < dataset_->FieldCount())
            edDisplayWidth->setText(
                QString::number(dataset_->fieldInfos()[static_cast<size_t>(field)].displayWidth));
    }
    const bool on = lbOn->count() > 0;
    const bool off = lbOff->count() > 0;
    for (QPushButton* b : {btnUp, btnDown, btnRight, btnAllRight})
        b->setEnabled(on);
    for (QPushButton* b : {btnLeft, btnAllLeft})
        b->setEnabled(off);
}

void TsortSelect::btnRightClick() {
    const int chosen = lbOn->currentRow();
    if (chosen < 0) return;
    QListWidgetItem* item = lbOn->takeItem(chosen);
    lbOff->addItem(item); // the hidden list sorts itself
    chooseAfterRemoval(lbOn, chosen);
    if (lbOn->count() == 0) lbOff->setCurrentRow(0);
    UpdateControls();
}

void TsortSelect::btnAllRightClick() {
    while (lbOn->count())
        lbOff->addItem(lbOn->takeItem(0));
    if (lbOff->count()) lbOff->setCurrentRow(0);
    UpdateControls();
}

void TsortSelect::btnLeftClick() {
    const int chosen = lbOff->currentRow();
    if (chosen < 0) return;
    lbOn->addItem(lbOff->takeItem(chosen));
    chooseAfterRemoval(lbOff, chosen);
    if (lbOff->count() == 0) lbOn->setCurrentRow(0);
    UpdateControls();
}

void TsortSelect::btnAllLeftClick() {
    while (lbOff->count())
        lbOn->addItem(lbOff->takeItem(0));
    if (lbOn->count()) lbOn->setCurrentRow(0);
    UpdateControls();
}

void TsortSelect::move(int step) {
    const int chosen = lbOn->currentRow();
    const int target = chosen + step;
    if (chosen < 0 || target < 0 || target >= lbOn->count()) return;
    QListWidgetItem* item = lbOn->takeItem(chosen);
    lbOn->insertItem(target, item);
    lbOn->setCurrentRow(target);
}

void TsortSelect::startRepeat(int step) {
    // One move at once, the next after the first delay, then one per interval while held.
    repeatStep_ = step;
    move(step);
    tmrBtn->setInterval(kFirstDelay);
    tmrBtn->start();
}

void TsortSelect::repeat() {
    tmrBtn->setInterval(kRepeat);
    move(repeatStep_);
}

void TsortSelect::stopRepeat() {
    tmrBtn->stop();
    UpdateControls();
}

void TsortSelect::btnDisplayLabelClick() {
    const int chosen = lbOn->currentRow();
    if (chosen < 0 || !dataset_) return;
    QListWidgetItem* item = lbOn->item(chosen);
    const int field = item->data(kFieldRole).toInt();
    FieldInfo& info = dataset_->fieldInfos()[static_cast<size_t>(field)];
    // The label takes effect at once; a width that is no number fails after it, as before.
    item->setText(edDisplayLabel->text());
    info.displayLabel = edDisplayLabel->text().toStdString();
    bool number = false;
    const int width = edDisplayWidth->text().trimmed().toInt(&number);
    if (!number)
        throw std::runtime_error("'" + edDisplayWidth->text().toStdString() +
                                 "' is not a valid integer value");
    info.displayWidth = width;
    lbOn->setCurrentRow(chosen);
}

} // namespace orv::gui
