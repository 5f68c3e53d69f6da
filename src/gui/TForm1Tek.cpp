// A running transfer or import owns the window: the commands that touch the session are
// disabled, "Prekini" stops the run, a bar counts its rows, and closing the window asks first.

#include "gui/TForm1.h"

#include "gui/DatumskoPolje.h"
#include "gui/ModalDialogs.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace orv::gui {

namespace {

/// "m:ss" of whole seconds.
QString minuteInSekunde(qint64 sekund) {
    return QStringLiteral("%1:%2").arg(sekund / 60).arg(sekund % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

std::vector<QWidget*> TForm1::sessionCommands() const {
    // The grid's panel holds the grid and its tool bar; pnlVKNT the run's options.
    return {ui.eDan,     ui.btnPredogled, ui.btnStart, ui.btnImport,
            ui.btnIzhod, ui.pnlVKNT,      ui.Panel1};
}

void TForm1::izvediTek(const std::string& ime, const std::function<void()>& delo) {
    zacniTek(ime);
    try {
        delo();
        pokaziOdlozeno();
    } catch (const Prekinjeno& stop) {
        std::string text = odlozeno_.empty() ? "" : odlozeno_ + "\n\n";
        odlozeno_.clear();
        showMessageBox(this, text + stop.what() + "\n" + ime + " ni shranil ničesar.");
    } catch (const std::exception& error) {
        // One failure, one box: the work's own words, then the database's.
        std::string text = error.what();
        if (!odlozeno_.empty() && odlozeno_.find(text) == std::string::npos)
            text = odlozeno_ + "\n\n" + text;
        else if (!odlozeno_.empty())
            text = odlozeno_;
        odlozeno_.clear();
        showErrorBox(this, text);
    } catch (...) {
        odlozeno_.clear();
        showErrorBox(this, "Neznana napaka");
    }
    koncajTek();
}

void TForm1::zacniTek(const std::string& ime) {
    tek_ = ime;
    prekini_ = false;
    odlozeno_.clear();
    for (QWidget* command : sessionCommands())
        command->setEnabled(false);
    ui.btnPrekini->setEnabled(true);
    ui.btnPrekini->show();
    ui.btnPrekini->setFocus();
    odPrveVrstice_.invalidate();
}

void TForm1::koncajTek() {
    tek_.clear();
    prekini_ = false;
    ui.btnPrekini->hide();
    stevecPrikazan_ = false;
    setLblSporociloVisible(false);
    for (QWidget* command : sessionCommands())
        command->setEnabled(true);
    if (zapriPoTeku_) QTimer::singleShot(0, this, &QWidget::close);
}

void TForm1::zahtevajPrekinitev() {
    if (!runInProgress()) return;
    prekini_ = true;
    ui.btnPrekini->setEnabled(false);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!runInProgress()) {
        QMainWindow::closeEvent(event);
        return;
    }
    // Hidden, the run would go on where nobody sees it: it is stopped first, or the window stays.
    event->ignore();
    if (zapriPoTeku_) return;
    if (askQuestion(tek_ +
                    " še teče.\nGa prekinem in zaprem program? Nič od njega ne bo shranjeno.")) {
        zapriPoTeku_ = true;
        zahtevajPrekinitev();
    }
}

void TForm1::pokaziOdlozeno() {
    if (odlozeno_.empty()) return;
    const std::string text = std::move(odlozeno_);
    odlozeno_.clear();
    showMessageBox(this, text);
}

void TForm1::osveziSporocilo() {
    ui.lblSporocilo->setVisible(sporociloVidno_ && !stevecPrikazan_);
    ui.pbNapredek->setVisible(sporociloVidno_ && stevecPrikazan_);
}

void TForm1::pokaziNapredek(int n, int skupaj) {
    if (!odPrveVrstice_.isValid() || n <= 1) odPrveVrstice_.start();
    // Thousands of rows a second: a few redraws a second are enough.
    if (stevecPrikazan_ && n != skupaj && odIzrisa_.isValid() && odIzrisa_.elapsed() < 100) return;
    odIzrisa_.start();
    QString text = QStringLiteral("%1 / %2").arg(n).arg(skupaj);
    const qint64 ms = odPrveVrstice_.elapsed();
    if (n > 1 && ms > 0) {
        const double zaVrstico = static_cast<double>(ms) / (n - 1);
        const auto preostalo = static_cast<qint64>((skupaj - n) * zaVrstico / 1000.0 + 0.5);
        text += QStringLiteral("  še ") + minuteInSekunde(preostalo);
    }
    ui.pbNapredek->setRange(0, skupaj);
    ui.pbNapredek->setValue(n);
    ui.pbNapredek->setFormat(text);
    stevecPrikazan_ = true;
    osveziSporocilo();
}

bool TForm1::datumPotrjen() {
    return ui.eDan->potrdi();
}

} // namespace orv::gui
