#include "gui/grid/TfLocate.h"

#include "db/TOracleDataSet.h"
#include "gui/grid/DataSetModel.h"
#include "gui/grid/GeneralErrorHandler.h"
#include "gui/grid/ModalDialogs.h"
#include "gui/grid/NajdiZapis.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <stdexcept>

namespace orv::gui {

TfLocate::TfLocate(QWidget* parent) : QDialog(parent) {
    setObjectName("fLocate");
    setWindowTitle("Iskanje");
    // A fixed-size dialog box with only the system menu.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Label1 = new QLabel("Iskanje po", this);
    cbFields = new QComboBox(this);
    cbFields->setObjectName("cbFields");
    cbFields->setEditable(false);
    cbFields->setMinimumWidth(260);
    Label2 = new QLabel("Iskana vrednost", this);
    meValue = new QLineEdit(this);
    meValue->setObjectName("meValue");
    cbExact = new QCheckBox(QString::fromUtf8("Išči točno vrednost"), this);
    cbExact->setObjectName("cbExact");
    btnFindFirst = new QPushButton("1", this);
    btnFindFirst->setObjectName("btnFindFirst");
    btnFindFirst->setToolTip("Od prve vrstice");
    btnFindNext = new QPushButton("...", this);
    btnFindNext->setObjectName("btnFindNext");
    btnFindNext->setToolTip("Naprej");
    btnOk = new QPushButton("OK", this);
    btnOk->setObjectName("btnOk");
    for (QPushButton* b : {btnFindFirst, btnFindNext})
        b->setAutoDefault(false);
    btnOk->setDefault(true);

    layout->addWidget(Label1, 0, 0, 1, 3);
    layout->addWidget(cbFields, 1, 0, 1, 3);
    layout->addWidget(Label2, 2, 0, 1, 3);
    layout->addWidget(meValue, 3, 0, 1, 3);
    layout->addWidget(cbExact, 4, 0, 1, 3);
    layout->addWidget(btnFindFirst, 5, 0);
    layout->addWidget(btnFindNext, 5, 1);
    layout->addWidget(btnOk, 5, 2);

    connect(cbFields, &QComboBox::currentIndexChanged, this,
            [this] { runCommand(this, [this] { cbFieldsChange(); }); });
    connect(meValue, &QLineEdit::textEdited, this, [this] { ValueChanged(); });
    connect(btnFindFirst, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { find(true); }); });
    connect(btnFindNext, &QPushButton::clicked, this,
            [this] { runCommand(this, [this] { find(false); }); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    meValue->hide();
}

TfLocate* TfLocate::instance(QWidget* parent) {
    static QPointer<TfLocate> dialog;
    if (!dialog) dialog = new TfLocate(parent ? parent->window() : nullptr);
    return dialog;
}

bool TfLocate::Open(DataSetModel* dataSource) {
    if (dataSource != dataSource_) {
        dataSource_ = dataSource;
        meValue->hide();
        const QSignalBlocker quiet(cbFields);
        cbFields->clear();
        if (TOracleDataSet* d = dataSource ? dataSource->dataSet() : nullptr)
            for (const FieldInfo& field : d->fieldInfos())
                cbFields->addItem(QString::fromStdString(
                    field.displayLabel.empty() ? field.name : field.displayLabel));
        cbFields->setCurrentIndex(-1); // no column chosen
        cbFieldsChange();
    }
    return runModal(*this) == QDialog::Accepted;
}

void TfLocate::cbFieldsChange() {
    meValue->setInputMask(QString());
    meValue->setText(QString());
    const int chosen = cbFields->currentIndex();
    TOracleDataSet* d = dataSource_ ? dataSource_->dataSet() : nullptr;
    if (chosen < 0 || !d || chosen >= d->FieldCount()) {
        btnFindFirst->setEnabled(false);
        btnFindNext->setEnabled(false);
        return;
    }
    meValue->show();
    meValue->setEnabled(true);
    cbExact->setEnabled(true);
    meValue->setInputMask(
        qtInputMask(QString::fromStdString(d->fieldInfos()[static_cast<size_t>(chosen)].editMask)));
    btnFindFirst->setEnabled(false);
    btnFindNext->setEnabled(false);
}

void TfLocate::ValueChanged() {
    btnFindFirst->setEnabled(true);
    btnFindNext->setEnabled(true);
}

void TfLocate::find(bool fromFirst) {
    TOracleDataSet* d = dataSource_ ? dataSource_->dataSet() : nullptr;
    const int field = cbFields->currentIndex();
    if (!d || !d->Active() || field < 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (!meValue->inputMask().isEmpty() && !meValue->hasAcceptableInput())
        throw std::runtime_error("Vrednost \"" + meValue->text().toStdString() +
                                 "\" ne ustreza maski vnosa.");
    const QString value = meValue->text();
    const bool exact = cbExact->isChecked();
    const bool found = NajdiZapis(*d, field, value, fromFirst, exact);
    dataSource_->showCurrentRow();
    if (!found) {
        QApplication::restoreOverrideCursor();
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        showMessageBox(this, ("Ne najdem \"" + value + (exact ? "" : "...") + "\"").toStdString());
    }
}

} // namespace orv::gui
