#include "gui/grid/SafeFileDialog.h"

#include "gui/grid/HeldOpenFiles.h"
#include "gui/grid/ModalDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace orv::gui {

namespace {

// Created after the dialog's own children, so it goes after them: their file models' threads
// have ended by then.
class IconsOfDialog : public QObject {
public:
    using QObject::QObject;
    NameOnlyIconProvider provider;
};

bool isHeldOpen(const QString& file) {
    return isHeldOpenByThisProcess(QFile::encodeName(file).toStdString());
}

} // namespace

NameOnlyIconProvider::NameOnlyIconProvider()
    : folder_(QApplication::style()->standardIcon(QStyle::SP_DirIcon)),
      file_(QApplication::style()->standardIcon(QStyle::SP_FileIcon)),
      drive_(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon)),
      computer_(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon)) {
    setOptions(DontUseCustomDirectoryIcons);
}

QIcon NameOnlyIconProvider::icon(IconType type) const {
    switch (type) {
    case Computer:
        return computer_;
    case Drive:
    case Network:
        return drive_;
    case Folder:
    case Desktop:
    case Trashcan:
        return folder_;
    case File:
        break;
    }
    return file_;
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (info.isRoot()) return drive_;
    return info.isDir() ? folder_ : file_;
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (info.isDir()) return QStringLiteral("Mapa");
    const QString suffix = info.suffix();
    if (suffix.isEmpty()) return QStringLiteral("Datoteka");
    return QStringLiteral("Datoteka %1").arg(suffix.toUpper());
}

SafeFileDialog::SafeFileDialog(QWidget* parent, const QString& caption, AcceptMode mode)
    : QFileDialog(parent, caption) {
    setOption(DontUseNativeDialog);
    setOption(DontUseCustomDirectoryIcons);
    setIconProvider(&provider);
    setAcceptMode(mode);
    // Qt's Slovenian translation leaves this one in English.
    setLabelText(Reject, QStringLiteral("Prekliči"));
}

void SafeFileDialog::accept() {
    for (const QString& file : selectedFiles()) {
        if (!isHeldOpen(file)) continue;
        showMessageBox(this, QStringLiteral("Datoteke \"%1\" ni mogoče izbrati: program jo ima "
                                            "odprto (podatkovna baza banke).")
                                 .arg(QFileInfo(file).fileName())
                                 .toStdString());
        return;
    }
    QFileDialog::accept();
}

void makeFileChoicesSafe(QDialog& dialog) {
    auto* icons = new IconsOfDialog(&dialog);
    for (QFileSystemModel* model : dialog.findChildren<QFileSystemModel*>())
        model->setIconProvider(&icons->provider);

    auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!fileName) return;
    // The print dialog's names for its output file, its ".." button and its printer list.
    if (auto* browse = dialog.findChild<QAbstractButton*>(QStringLiteral("fileBrowser"))) {
        browse->disconnect(SIGNAL(clicked()));
        QObject::connect(browse, &QAbstractButton::clicked, &dialog, [&dialog, fileName] {
            SafeFileDialog choose(&dialog, QStringLiteral("Tiskanje v datoteko"),
                                  QFileDialog::AcceptSave);
            choose.setObjectName(QStringLiteral("printFileDialog"));
            choose.setOption(QFileDialog::DontConfirmOverwrite);
            choose.selectFile(fileName->text());
            if (runModal(choose) != QDialog::Accepted || choose.selectedFiles().isEmpty()) return;
            fileName->setText(choose.selectedFiles().first());
            if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
                printers->setCurrentIndex(printers->count() - 1); // the PDF file
        });
    }
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
    if (!ok) return;
    if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
        cancel->setText(QStringLiteral("Prekliči")); // left in English by Qt's translation
    const auto guard = [fileName, ok] {
        const bool refused = fileName->isEnabled() && isHeldOpen(fileName->text());
        ok->setEnabled(!refused);
        ok->setToolTip(refused ? QStringLiteral("Program ima to datoteko odprto (podatkovna baza "
                                                "banke): izberite drugo.")
                               : QString());
    };
    QObject::connect(fileName, &QLineEdit::textChanged, &dialog, guard);
    if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
        QObject::connect(printers, &QComboBox::currentIndexChanged, &dialog, guard);
    guard();
}

} // namespace orv::gui
