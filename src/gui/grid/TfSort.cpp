#include "gui/grid/TfSort.h"

#include "gui/grid/ModalDialogs.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

namespace orv::gui {

TfSort::TfSort(QWidget* parent) : QDialog(parent) {
    setObjectName("fSort");
    setWindowTitle("Sort");
    auto* layout = new QVBoxLayout(this);
    lbSort = new QListWidget(this);
    lbSort->setObjectName("lbSort");
    layout->addWidget(lbSort);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lbSort, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

TfSort* TfSort::instance(QWidget* parent) {
    static QPointer<TfSort> dialog;
    if (!dialog) dialog = new TfSort(parent ? parent->window() : nullptr);
    return dialog;
}

int TfSort::pick(const std::vector<std::string>& items, int chosen) {
    lbSort->clear();
    for (const std::string& item : items)
        lbSort->addItem(QString::fromStdString(item));
    lbSort->setCurrentRow(chosen >= 0 && chosen < lbSort->count() ? chosen : 0);
    if (runModal(*this) != QDialog::Accepted) return -1;
    return lbSort->currentRow();
}

} // namespace orv::gui
