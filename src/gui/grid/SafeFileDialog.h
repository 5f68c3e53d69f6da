#pragma once
// The program's one file dialog. Every dialog that chooses a file (the import's workbook, the
// grid's export) is one of these.
//
// Qt's own dialog reads the files it lists to guess their types and icons. In the bank's folder
// that opens and closes the bank's database files, which drops the database engine's locks on
// them (see HeldOpenFiles.h). This dialog names types and icons by the file name alone, so it
// never opens a file, and it refuses to choose a file the program holds open.

#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <QIcon>

namespace orv::gui {

/// Icons and type names from the file name and the folder flag alone: never reads a file.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    NameOnlyIconProvider();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    // Made once in the GUI thread: the dialog's file model asks from a thread of its own.
    QIcon folder_, file_, drive_, computer_;
};

/// Holds the dialog's icon provider. A base before QFileDialog, so that it outlives the dialog's
/// file model, whose thread may still be asking it while the dialog goes.
struct NameOnlyIcons {
    NameOnlyIconProvider provider;
};

class SafeFileDialog : private NameOnlyIcons, public QFileDialog {
public:
    /// A dialog of Qt's own kind (never the desktop's, which runs outside the program and may
    /// read the files), captioned `caption`, opening or saving.
    SafeFileDialog(QWidget* parent, const QString& caption, AcceptMode mode);

    /// Refuses, with a message, a chosen file that the program holds open.
    void accept() override;
};

/// The same for the file choices inside another of Qt's dialogs (the print dialog's output file):
/// its file models name types by file names only, its ".." button opens a SafeFileDialog, and its
/// OK button is disabled while the output file names a file the program holds open.
void makeFileChoicesSafe(QDialog& dialog);

} // namespace orv::gui
