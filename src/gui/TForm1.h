#pragma once
// The main window: the operator's only working window, and the UI port of the core.

#include "base/Vmesnik.h"
#include "gui/Form1Controls.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {
class TDM;
namespace sheet {
class UvozIzExcela;
}
} // namespace orv

namespace orv::gui {

class DataSetModel;
class TfInsert;

/// What the database label shows in place of the user when nobody is logged on.
inline constexpr const char* kNobodyLoggedOn = "nihče ni prijavljen";

class TForm1 : public QMainWindow, public Vmesnik {
    Q_OBJECT
public:
    /// `parameters` are the command-line parameters after the program name.
    explicit TForm1(std::vector<std::string> parameters, QWidget* parent = nullptr);
    ~TForm1() override;

    /// The data module; the program entry creates it after the window, which it needs.
    void attachDataModule(TDM& dm) { dm_ = &dm; }
    /// Lets go of the data module before it is destroyed. The window is destroyed after it and
    /// repaints the grid's titles while it closes: the grid must no longer read its datasets.
    void detachDataModule();

    Form1Controls ui;
    /// What the grid shows: the data source of the grid.
    DataSetModel* gridModel;
    /// The import dialog, created with the window; it keeps the file and the class.
    TfInsert* fInsert;

    // --- Start-up ------------------------------------------------------------------------

    /// The activation handler: the first activation of the application initialises the program
    /// (command line, date, alias, logon, class list); later ones do nothing.
    void AppActivate();
    /// True until the first activation.
    bool PrviZagon() const { return prviZagon_; }
    /// True once the program was asked to end (usage error, failed logon, "&Izhod").
    bool terminationRequested() const { return terminationRequested_; }
    /// The program folder, set by the first activation; ends in a separator.
    const std::string& PotPrograma() const { return potPrograma_; }

    // --- A running transfer or import ----------------------------------------------------

    /// True while a transfer or an import runs: it owns the window until it ends.
    bool runInProgress() const { return !tek_.empty(); }
    /// The commands that touch the session; all of them are disabled while a run goes on.
    std::vector<QWidget*> sessionCommands() const;

    // --- The UI port ---------------------------------------------------------------------

    std::string eDanText() const override;
    bool cbBrisanje() const override;
    bool cbINT_NEW() const override;
    bool cbFifo() const override;
    std::string eVKNT() const override;
    std::string eIdpog() const override;
    bool DebugSQL() const override { return debugSQL_; }

    void setLblSporociloVisible(bool visible) override;
    void setLblSporocilo(const std::string& text) override;
    void setLblSporocilo2(const std::string& text) override;
    void setLblStevec(const std::string& text) override;
    void setLblKorak(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool askLogon(LogonPrompt& prompt) override;
    bool askQuestion(const std::string& text) override;
    void processMessages() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The layout as the first activation found it; the resize rule works from it.
    struct Mere {
        int width = 0, height = 0;
        int panel1Width = 0, panel1Height = 0;
        int btnStartTop = 0, btnExcelTop = 0, btnIzhodTop = 0, btnImportTop = 0;
        int pnlLogoTop = 0, pnlVKNTTop = 0;
        int lblStevecLeft = 0, btnIzhodLeft = 0, btnImportLeft = 0, pnlVKNTLeft = 0;
    };

    void connectHandlers();
    TDM& dm() const;
    void prviZagon();
    bool prijava(const std::string& alias, const std::string& user, const std::string& password,
                 const std::string& server);
    void napolniIzbirnikVknt();
    void prilagodiStolpce();
    void Terminate();
    void ZacetneMere();
    void FormResize();

    // The run of a transfer or an import (TForm1Tek.cpp). `ime` names it in messages
    // ("Prenos", "Uvoz"); `delo` is the work. Its messages, its failure and its stop are shown
    // here, one box each; nothing of them reaches the caller.
    void izvediTek(const std::string& ime, const std::function<void()>& delo);
    void zacniTek(const std::string& ime);
    void koncajTek();
    void zahtevajPrekinitev();
    /// Shows the message the work gave last and that no failure has joined yet.
    void pokaziOdlozeno();
    void osveziSporocilo();
    void pokaziNapredek(int n, int skupaj);
    /// Reads the date field; a text that is no date is refused there, and false returned.
    bool datumPotrjen();

    // Event handlers, each a command of the operator.
    void btnPredogledClick();
    void btnStartClick();
    void btnImportClick();
    void btnIzhodClick();
    void DBLookupComboBox1CloseUp();
    void cbDebugSQLClick();
    void ReferentVIni1Click();

    std::vector<std::string> parameters_;
    TDM* dm_ = nullptr;
    std::string potPrograma_;
    bool prviZagon_ = true;
    bool terminationRequested_ = false;
    bool debugSQL_ = false;
    bool resizeRuleOn_ = false;
    Mere mere_;
    std::unique_ptr<sheet::UvozIzExcela> uvoz_; // the import and the workbook it has open

    std::string tek_;          // the name of the running transfer or import; empty when none
    bool prekini_ = false;     // the operator pressed Prekini: the next processMessages stops
    bool zapriPoTeku_ = false; // the window closes once the run has stopped
    // A message of the work, shown when the work goes on (or with the failure that follows it).
    std::string odlozeno_;
    bool sporociloVidno_ = false; // what the core asked of lblSporocilo's visibility
    bool stevecPrikazan_ = false; // the progress bar stands in for lblSporocilo
    QElapsedTimer odPrveVrstice_, odIzrisa_;
};

} // namespace orv::gui
