#include "gui/TForm1.h"

#include "gui/DataSetModel.h"
#include "gui/DatumskoPolje.h"
#include "gui/GeneralErrorHandler.h"
#include "gui/LogonDialog.h"
#include "gui/ModalDialogs.h"
#include "gui/TfInsert.h"
#include "gui/VkntSelector.h"
#include "sheet/UvozIzExcela.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace orv::gui {

TForm1::TForm1(std::vector<std::string> parameters, QWidget* parent)
    : QMainWindow(parent), ui(zgradiKontrole(*this)), gridModel(new DataSetModel(this)),
      fInsert(new TfInsert(this)), parameters_(std::move(parameters)) {
    setObjectName("Form1");
    ui.DBGrid1->setModel(gridModel);
    connectHandlers();
}

void TForm1::detachDataModule() {
    gridModel->setDataSet(nullptr);
    dm_ = nullptr;
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers() {
    const auto command = [this](void (TForm1::*handler)()) {
        return [this, handler] { runCommand(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(ui.btnPredogled, &QPushButton::clicked, this, command(&TForm1::btnPredogledClick));
    connect(ui.btnStart, &QPushButton::clicked, this, command(&TForm1::btnStartClick));
    connect(ui.btnImport, &QPushButton::clicked, this, command(&TForm1::btnImportClick));
    connect(ui.btnIzhod, &QPushButton::clicked, this, command(&TForm1::btnIzhodClick));
    connect(ui.btnPrekini, &QPushButton::clicked, this, &TForm1::zahtevajPrekinitev);
    connect(ui.cbDebugSQL, &QCheckBox::clicked, this, command(&TForm1::cbDebugSQLClick));
    connect(ui.ReferentVIni1, &QAction::triggered, this, command(&TForm1::ReferentVIni1Click));
    connect(ui.DBLookupComboBox1, &VkntSelector::closedUp, this,
            command(&TForm1::DBLookupComboBox1CloseUp));
    connect(ui.DBLookupComboBox1, &VkntSelector::keyReleased, this,
            command(&TForm1::DBLookupComboBox1CloseUp));
    ui.eDan->installEventFilter(this);
}

TDM& TForm1::dm() const {
    if (!dm_) throw std::logic_error("The main window has no data module");
    return *dm_;
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The main window is the only window at start, so its activation is the application's. The
    // start-up runs after the event, once the window has painted, as it may show dialogs.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && prviZagon_)
        QMetaObject::invokeMethod(this, &TForm1::AppActivate, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the date edit previews the rows of the date; the edit never sees the key.
    if (watched == ui.eDan && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runCommand(this, [this] { btnPredogledClick(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- The UI port -------------------------------------------------------------------------

std::string TForm1::eDanText() const {
    return ui.eDan->text().toStdString();
}
bool TForm1::cbBrisanje() const {
    return ui.cbBrisanje->isChecked();
}
bool TForm1::cbINT_NEW() const {
    return ui.cbINT_NEW->isChecked();
}
bool TForm1::cbFifo() const {
    return ui.cbFifo->isChecked();
}
std::string TForm1::eVKNT() const {
    return ui.eVKNT->text().toStdString();
}
std::string TForm1::eIdpog() const {
    return ui.eIdpog->text().toStdString();
}

void TForm1::setLblSporociloVisible(bool visible) {
    sporociloVidno_ = visible;
    osveziSporocilo();
}

void TForm1::setLblSporocilo(const std::string& text) {
    // The driver counts the rows of a transfer as "n / total": a bar shows them while it runs.
    int n = 0, skupaj = 0;
    char rest = 0;
    if (runInProgress() && std::sscanf(text.c_str(), "%d / %d%c", &n, &skupaj, &rest) == 2 &&
        skupaj > 0) {
        pokaziNapredek(n, skupaj);
        return;
    }
    stevecPrikazan_ = false;
    ui.lblSporocilo->setText(QString::fromStdString(text));
    osveziSporocilo();
}

void TForm1::setLblSporocilo2(const std::string& text) {
    ui.lblSporocilo2->setText(QString::fromStdString(text));
}

void TForm1::setLblStevec(const std::string& text) {
    ui.lblStevec->setText(QString::fromStdString(text));
}

void TForm1::setLblKorak(const std::string& text) {
    ui.lblKorak->setText(QString::fromStdString(text));
}

void TForm1::showMessage(const std::string& text) {
    if (!runInProgress()) {
        showMessageBox(this, text);
        return;
    }
    // The work shows a failure's message and then raises the failure: held back for a moment,
    // the two are shown as one box.
    pokaziOdlozeno();
    odlozeno_ = text;
}

bool TForm1::askLogon(LogonPrompt& prompt) {
    pokaziOdlozeno();
    LogonDialog dialog(prompt, this);
    if (runModal(dialog) != QDialog::Accepted) return false;
    prompt = dialog.values();
    return true;
}

bool TForm1::askQuestion(const std::string& text) {
    pokaziOdlozeno();
    return askOkCancel(this, "POTRDITEV", text);
}

void TForm1::processMessages() {
    pokaziOdlozeno();
    QCoreApplication::processEvents();
    if (runInProgress() && prekini_) {
        prekini_ = false;
        throw Prekinjeno();
    }
}

// --- The resize rule ---------------------------------------------------------------------

void TForm1::ZacetneMere() {
    mere_ = {width(),           height(),         ui.Panel1->width(), ui.Panel1->height(),
             ui.btnStart->y(),  ui.btnExcel->y(), ui.btnIzhod->y(),   ui.btnImport->y(),
             ui.pnlLogo->y(),   ui.pnlVKNT->y(),  ui.lblStevec->x(),  ui.btnIzhod->x(),
             ui.btnImport->x(), ui.pnlVKNT->x()};
    resizeRuleOn_ = true;
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (resizeRuleOn_) FormResize();
}

void TForm1::FormResize() {
    // The grid panel grows with the window; the bottom row follows its lower edge and the
    // controls at the right follow its right edge. The window's minimum size keeps them apart.
    const int dW = width() - mere_.width;
    const int dH = height() - mere_.height;
    ui.Panel1->resize(mere_.panel1Width + dW, mere_.panel1Height + dH);
    const auto moveTop = [dH](QWidget* control, int top) { control->move(control->x(), top + dH); };
    moveTop(ui.btnStart, mere_.btnStartTop);
    moveTop(ui.btnExcel, mere_.btnExcelTop);
    moveTop(ui.btnIzhod, mere_.btnIzhodTop);
    moveTop(ui.btnImport, mere_.btnImportTop);
    moveTop(ui.pnlVKNT, mere_.pnlVKNTTop);
    moveTop(ui.pnlLogo, mere_.pnlLogoTop);
    const auto moveLeft = [dW](QWidget* control, int left) {
        control->move(left + dW, control->y());
    };
    moveLeft(ui.lblStevec, mere_.lblStevecLeft);
    moveLeft(ui.btnIzhod, mere_.btnIzhodLeft);
    moveLeft(ui.btnImport, mere_.btnImportLeft);
    moveLeft(ui.pnlVKNT, mere_.pnlVKNTLeft);
}

} // namespace orv::gui
