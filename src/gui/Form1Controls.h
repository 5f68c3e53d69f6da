#pragma once
// The controls of the main window, by the names the rest of the program knows them by.

#include "gui/grid/TFwwDBGrid.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;

namespace orv::gui {

class DatumskoPolje;
class VkntSelector;

struct Form1Controls {
    // First row.
    QLabel* Label4;
    DatumskoPolje* eDan;
    QPushButton* btnPredogled;
    /// Stops the running transfer or import; shown only while one runs.
    QPushButton* btnPrekini;
    QLabel* lblSporocilo;
    /// The rows of a running transfer: done, total and the time left. It takes the place of
    /// lblSporocilo while the rows are counted.
    QProgressBar* pbNapredek;
    QLabel* lblKorak;
    QLabel* lblStevec;

    // The grid, filling its panel.
    QFrame* Panel1;
    TFwwDBGrid* DBGrid1;

    // Bottom row.
    QPushButton* btnStart;
    QFrame* pnlVKNT;
    QCheckBox* cbBrisanje;
    QCheckBox* cbINT_NEW;
    QLabel* Label7;
    VkntSelector* DBLookupComboBox1;
    QLineEdit* eVKNT;
    QLabel* lblSporocilo2;
    QLineEdit* eIdpog;
    QCheckBox* cbDebugSQL;
    QCheckBox* cbFifo;
    QPushButton* btnImport;
    QPushButton* btnIzhod;
    QPushButton* btnExcel;

    // Under the start button: which database the program works on.
    QFrame* pnlLogo;
    QLabel* lblBaza;
    QLabel* lblVerzija;

    QMenu* Nastavitve1;
    QAction* ReferentVIni1;
};

/// Creates the controls in `window` at their places, with captions, states and colours.
Form1Controls zgradiKontrole(QMainWindow& window);

} // namespace orv::gui
