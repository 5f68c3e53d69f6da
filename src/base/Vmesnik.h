#pragma once
// The UI port: everything the core asks of "the main window".
//
// The core never shows anything itself. The desktop program implements this port with its main
// window, the headless commands with the terminal, and tests with a recording implementation.

#include <stdexcept>
#include <string>

namespace orv {

/// The operator stopped the running work ("Prekini"); nothing of it stays.
class Prekinjeno : public std::runtime_error {
public:
    Prekinjeno() : std::runtime_error("Prekinjeno na zahtevo operaterja.") {}
};

/// The values of a logon dialog: shown prefilled, edited by the operator.
struct LogonPrompt {
    std::string userName;
    std::string password;
    std::string database;
};

class Vmesnik {
public:
    virtual ~Vmesnik() = default;

    // --- What the window holds -----------------------------------------------------------

    /// The text of the date edit `eDan`, exactly as shown.
    virtual std::string eDanText() const = 0;
    /// "Predhodno brisanje": delete the rows of the date before a transfer.
    virtual bool cbBrisanje() const = 0;
    /// "INT_NEW": fill the INT_NEW columns.
    virtual bool cbINT_NEW() const = 0;
    /// "FIFO brisanje": run the clean-up of offsetting rows.
    virtual bool cbFifo() const = 0;
    /// The chosen account class (empty: all classes).
    virtual std::string eVKNT() const = 0;
    /// The test contract that restricts the source selection (empty: none).
    virtual std::string eIdpog() const = 0;
    /// The debug-SQL switch: statement texts are saved to files while it is on.
    virtual bool DebugSQL() const = 0;
    /// Without "Predhodno brisanje", add the new rows to the rows the date holds without
    /// asking (the headless --dodaj). The window asks instead.
    virtual bool dodajBrezVprasanja() const { return false; }

    // --- Progress labels -----------------------------------------------------------------

    virtual void setLblSporociloVisible(bool visible) = 0;
    virtual void setLblSporocilo(const std::string& text) = 0;
    virtual void setLblSporocilo2(const std::string& text) = 0;
    virtual void setLblStevec(const std::string& text) = 0;
    virtual void setLblKorak(const std::string& text) = 0;

    // --- Dialogs -------------------------------------------------------------------------

    /// A modal message; returns when the operator has acknowledged it.
    virtual void showMessage(const std::string& text) = 0;

    /// The logon dialog (user name, password, database), prefilled with `prompt`.
    /// Returns true on OK with the edited values in `prompt`, false on Cancel.
    virtual bool askLogon(LogonPrompt& prompt) = 0;

    /// A question with the answers OK and Cancel, Cancel being the default. Returns true only
    /// when the operator chose OK; a port that cannot ask (no terminal) answers Cancel.
    virtual bool askQuestion(const std::string& text) = 0;

    /// Lets pending window messages run, so that labels repaint during long work. When the
    /// operator has asked to stop the running work, throws Prekinjeno: the work's transaction
    /// is rolled back on the way out, as after any other failure.
    virtual void processMessages() = 0;
};

} // namespace orv
