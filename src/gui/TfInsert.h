#pragma once
// The import dialog "Uvoz popravljenih podatkov": which date's rows to replace, optionally only one
// account class, and from which spreadsheet file. Created once with the main window; the file and
// the class stay between imports, the date is set anew each time.

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv::gui {

class DatumskoPolje;

class TfInsert : public QDialog {
    Q_OBJECT
public:
    explicit TfInsert(QWidget* parent);

    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    DatumskoPolje* eDatum;
    QLabel* Label1;
    QLineEdit* eVKNT;
    QLabel* Label6;
    QPushButton* btnPotrdi;
    QPushButton* btnPreklici;
    QLabel* Label5;
    QLineEdit* eExcelDatoteka;
    QPushButton* btnExcel;
    /// The file dialog behind "..": every workbook format, all of them together by default.
    QFileDialog* OpenDialog1;

    /// The file filters of OpenDialog1, the default first.
    static QStringList filtriDatotek();

private:
    void btnExcelClick();
};

} // namespace orv::gui
