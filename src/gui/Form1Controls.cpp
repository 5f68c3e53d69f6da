#include "gui/Form1Controls.h"

#include "base/ProgramFolder.h"
#include "gui/DatumskoPolje.h"
#include "gui/VkntSelector.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

#ifndef ORVELNOST_VERSION
#define ORVELNOST_VERSION "0"
#endif

namespace orv::gui {

namespace {

// The client area the window starts with. Every control has a fixed place in it; the resize
// rule of the window moves and stretches them from these places.
constexpr int kClientWidth = 1180;
constexpr int kClientHeight = 700;
// How much lower the window may become: the grid panel keeps 120 pixels. It cannot become
// narrower: the run options at the bottom follow the right edge and would run over the start
// button.
constexpr int kShrinkableHeight = 400;

const QColor kNavy(0, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kGrey(192, 192, 192);

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A widget inherits the colours its parents set; the grid keeps the desktop's own instead of
// the navy of the panel around it (its grid lines and headers are drawn in the window colour).
void keepDesktopColours(QWidget* widget) {
    const QPalette desktop = QApplication::palette(widget);
    QPalette own = widget->palette();
    for (const QPalette::ColorRole role :
         {QPalette::Window, QPalette::WindowText, QPalette::Light, QPalette::Dark})
        own.setBrush(role, desktop.brush(role));
    widget->setPalette(own);
}

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry,
              const QColor& colour = Qt::white) {
    auto* created = place(new QLabel(QString::fromUtf8(text), parent), name, geometry);
    setTextColour(created, colour);
    return created;
}

// The big message labels: yellow, bold and larger than the rest.
QLabel* messageLabel(QWidget* parent, const char* name, const char* text, QRect geometry) {
    QLabel* created = label(parent, name, text, geometry, kYellow);
    QFont font = created->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    created->setFont(font);
    return created;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    return place(new QPushButton(QString::fromUtf8(caption), parent), name, geometry);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect geometry,
                    bool checked) {
    auto* created = place(new QCheckBox(QString::fromUtf8(caption), parent), name, geometry);
    created->setChecked(checked);
    return created;
}

// A raised navy panel: a lighter upper-left and a darker lower-right edge set it off from the
// navy window around it.
QFrame* panel(QWidget* parent, const char* name, QRect geometry) {
    auto* created = place(new QFrame(parent), name, geometry);
    created->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paintBackground(created, kNavy);
    QPalette edges = created->palette();
    edges.setColor(QPalette::Light, kNavy.lighter(220));
    edges.setColor(QPalette::Dark, kNavy.darker(200));
    created->setPalette(edges);
    return created;
}

void buildFirstRow(QWidget* client, Form1Controls& c) {
    c.Label4 = label(client, "Label4", "DAN", {16, 12, 40, 28});
    QFont bold = c.Label4->font();
    bold.setBold(true);
    c.Label4->setFont(bold);
    // Statements compare the field's text with the stored dd.mm.yyyy texts as it is shown.
    c.eDan = place(new DatumskoPolje(client), "eDan", {60, 12, 130, 28});
    c.btnPredogled = button(client, "btnPredogled", "&Predogled", {200, 11, 120, 30});
    c.btnPrekini = button(client, "btnPrekini", "Pre&kini", {330, 11, 100, 30});
    c.btnPrekini->hide();
    c.lblSporocilo =
        messageLabel(client, "lblSporocilo", "PREPIS V IZVAJANJU ...", {440, 12, 340, 28});
    c.lblSporocilo->hide();
    c.pbNapredek = place(new QProgressBar(client), "pbNapredek", {440, 13, 340, 26});
    c.pbNapredek->setAlignment(Qt::AlignCenter);
    c.pbNapredek->hide();
    c.lblKorak = messageLabel(client, "lblKorak", "-------------", {790, 12, 180, 28});
    c.lblKorak->hide();
    c.lblStevec = messageLabel(client, "lblStevec", "--------", {980, 12, 184, 28});
    c.lblStevec->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void buildGrid(QWidget* client, Form1Controls& c) {
    c.Panel1 = panel(client, "Panel1", {8, 50, 1164, 520});
    c.DBGrid1 = new TFwwDBGrid(c.Panel1);
    c.DBGrid1->setObjectName("DBGrid1");
    keepDesktopColours(c.DBGrid1);
    c.DBGrid1->setAlternatingRowColors(true);
    c.DBGrid1->setFillsParent(true);
    // Tab leaves the grid for the next control; the arrows move between its cells.
    c.DBGrid1->setTabKeyNavigation(false);
}

void buildRunOptions(QWidget* client, Form1Controls& c) {
    c.pnlVKNT = panel(client, "pnlVKNT", {220, 580, 620, 76});
    QWidget* p = c.pnlVKNT;
    c.cbBrisanje = checkBox(p, "cbBrisanje", "Predhodno &brisanje", {12, 8, 170, 24}, true);
    c.cbINT_NEW = checkBox(p, "cbINT_NEW", "INT_NE&W", {190, 8, 100, 24}, true);
    c.cbDebugSQL = checkBox(p, "cbDebugSQL", "Debug SQL save", {300, 8, 150, 24}, false);
    c.cbDebugSQL->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    // The FIFO clean-up always runs: its box is checked and nobody can see it.
    c.cbFifo = checkBox(p, "cbFifo", "FIFO brisanje", {460, 8, 140, 24}, true);
    c.cbFifo->hide();

    c.Label7 = label(p, "Label7", "VKNT", {12, 42, 40, 26});
    c.DBLookupComboBox1 = place(new VkntSelector(p), "DBLookupComboBox1", {56, 42, 230, 26});
    c.eVKNT = place(new QLineEdit(p), "eVKNT", {292, 42, 30, 26});
    c.eVKNT->setReadOnly(true);
    c.eVKNT->setMaxLength(1);
    c.eVKNT->setAlignment(Qt::AlignCenter);
    c.eVKNT->setFocusPolicy(Qt::NoFocus);
    QPalette grey = c.eVKNT->palette();
    grey.setColor(QPalette::Base, kGrey);
    grey.setColor(QPalette::Text, Qt::black);
    c.eVKNT->setPalette(grey);
    c.eIdpog = place(new QLineEdit(p), "eIdpog", {336, 42, 110, 26});
    c.eIdpog->setToolTip("test idpog");
    c.eIdpog->setPlaceholderText("test idpog");
    c.lblSporocilo2 = label(p, "lblSporocilo2", "", {456, 42, 156, 26}, kGrey);
}

void buildBottomRow(QWidget* client, Form1Controls& c) {
    c.btnStart = button(client, "btnStart", "&Start prenosa", {16, 580, 190, 44});
    QFont bold = c.btnStart->font();
    bold.setBold(true);
    c.btnStart->setFont(bold);
    buildRunOptions(client, c);
    c.btnImport = button(client, "btnImport", "I&mport popravljenih", {854, 580, 160, 44});
    c.btnIzhod = button(client, "btnIzhod", "&Izhod", {1024, 580, 110, 44});
    // Offers no command: nothing ever shows it.
    c.btnExcel = button(client, "btnExcel", "v Excel", {1140, 580, 24, 44});
    c.btnExcel->hide();

    c.pnlLogo = panel(client, "pnlLogo", {8, 664, 1164, 28});
    c.lblBaza = label(c.pnlLogo, "lblBaza", "", {12, 2, 860, 24}, kAqua);
    QFont bold2 = c.lblBaza->font();
    bold2.setBold(true);
    c.lblBaza->setFont(bold2);
    c.lblVerzija =
        label(c.pnlLogo, "lblVerzija", (std::string(ImePrograma) + " " + ORVELNOST_VERSION).c_str(),
              {880, 2, 272, 24});
    c.lblVerzija->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void buildMenu(QMainWindow& window, Form1Controls& c) {
    c.Nastavitve1 = window.menuBar()->addMenu("&Nastavitve");
    c.Nastavitve1->setObjectName("Nastavitve1");
    c.ReferentVIni1 = c.Nastavitve1->addAction("&Referenti v orvelnost.ini ...");
    c.ReferentVIni1->setObjectName("ReferentVIni1");
}

} // namespace

Form1Controls zgradiKontrole(QMainWindow& window) {
    Form1Controls c{};
    auto* client = new QWidget(&window);
    client->setObjectName("client");
    paintBackground(client, kNavy);
    window.setCentralWidget(client);
    buildFirstRow(client, c);
    buildGrid(client, c);
    buildBottomRow(client, c);
    buildMenu(window, c);
    const int menu = window.menuBar()->sizeHint().height();
    window.resize(kClientWidth, kClientHeight + menu);
    window.setMinimumSize(kClientWidth, kClientHeight - kShrinkableHeight + menu);
    return c;
}

} // namespace orv::gui
