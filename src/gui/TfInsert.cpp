#include "gui/TfInsert.h"

#include "gui/DatumskoPolje.h"
#include "gui/ModalDialogs.h"
#include "gui/grid/SafeFileDialog.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv::gui {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kYellow(255, 255, 0);

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry,
              const QColor& colour = Qt::white, bool bold = false) {
    auto* created = place(new QLabel(QString::fromUtf8(text), parent), name, geometry);
    QPalette palette = created->palette();
    palette.setColor(QPalette::WindowText, colour);
    created->setPalette(palette);
    if (bold) {
        QFont font = created->font();
        font.setBold(true);
        created->setFont(font);
    }
    return created;
}

} // namespace

QStringList TfInsert::filtriDatotek() {
    return {"Vse preglednice (*.xls *.xlsx *.ods *.csv *.XLS *.XLSX *.ODS *.CSV)",
            "Excel datoteke (*.xls *.XLS)",
            "Excel 2007 datoteke (*.xlsx *.XLSX)",
            "OpenDocument preglednice (*.ods *.ODS)",
            "Besedilne datoteke CSV (*.csv *.CSV)",
            "Vse datoteke (*)"};
}

TfInsert::TfInsert(QWidget* parent) : QDialog(parent) {
    setObjectName("fInsert");
    setWindowTitle("Uvoz popravljenih podatkov");
    setFixedSize(279, 329);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, kNavy);
    setPalette(navy);
    setAutoFillBackground(true);

    Label2 =
        label(this, "Label2", "IZBIRA PODATKOV za zamenjavo ", {16, 10, 250, 20}, kYellow, true);
    Label3 = label(this, "Label3", "v tabeli POD_ORVEL", {16, 30, 250, 20}, kYellow, true);

    Label4 = label(this, "Label4", "DAN", {16, 70, 70, 20});
    eDatum = place(new DatumskoPolje(this), "eDatum", {100, 66, 130, 26});

    Label1 = label(this, "Label1", "Vrsta konta", {16, 110, 80, 20});
    eVKNT = place(new QLineEdit(this), "eVKNT", {100, 106, 40, 26});
    Label6 = label(this, "Label6", "(prazno pomeni vse VKNT)", {100, 134, 170, 18});

    Label5 = label(this, "Label5", "VHODNA EXCEL DATOTEKA", {16, 174, 250, 20});
    eExcelDatoteka = place(new QLineEdit(this), "eExcelDatoteka", {16, 196, 210, 26});
    btnExcel = place(new QPushButton("&..", this), "btnExcel", {232, 196, 32, 26});

    btnPotrdi = place(new QPushButton("&Potrdi", this), "btnPotrdi", {30, 270, 100, 34});
    btnPreklici = place(new QPushButton("Pre&kliči", this), "btnPreklici", {150, 270, 100, 34});
    btnPotrdi->setDefault(true);

    setTabOrder(eDatum, eVKNT);
    setTabOrder(eVKNT, btnPotrdi);
    setTabOrder(btnPotrdi, btnPreklici);
    setTabOrder(btnPreklici, eExcelDatoteka);
    setTabOrder(eExcelDatoteka, btnExcel);

    OpenDialog1 = new SafeFileDialog(this, "Vhodna datoteka", QFileDialog::AcceptOpen);
    OpenDialog1->setObjectName("OpenDialog1");
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setNameFilters(filtriDatotek());
    OpenDialog1->selectNameFilter(filtriDatotek().front());
    OpenDialog1->setDefaultSuffix("XLS");

    // A date that cannot be read is refused in its field; the dialog stays open.
    connect(btnPotrdi, &QPushButton::clicked, this, [this] {
        if (eDatum->potrdi()) accept();
    });
    connect(btnPreklici, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnExcel, &QPushButton::clicked, this, &TfInsert::btnExcelClick);
}

void TfInsert::btnExcelClick() {
    if (runModal(*OpenDialog1) != QDialog::Accepted) return;
    const QStringList files = OpenDialog1->selectedFiles();
    if (!files.isEmpty()) eExcelDatoteka->setText(files.front());
}

} // namespace orv::gui
