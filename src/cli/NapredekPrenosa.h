#pragma once
// The UI port of orvelnost-prenos: the terminal port, with the row counter "n / total" drawn as a
// progress bar with rows per second and the time left, on standard error and only when that is
// a terminal. The closing message of a transfer is kept for standard output instead of being
// shown as a message.

#include "base/TerminalVmesnik.h"

#include <chrono>
#include <string>

namespace orv {

class NapredekPrenosa : public TerminalVmesnik {
public:
    NapredekPrenosa();
    ~NapredekPrenosa() override;

    void setLblSporocilo(const std::string& text) override;
    void setLblSporociloVisible(bool visible) override;
    void showMessage(const std::string& text) override;

    /// The closing message of the transfer ("Prepis končan: ..."); empty until it is shown.
    const std::string& zakljucek() const { return zakljucek_; }

    /// The progress line for `n` of `skupaj` rows after `sekund` seconds, `sirina` characters
    /// of bar: "[#####     ]  n / skupaj  r vrstic/s  še m:ss".
    static std::string vrsticaNapredka(int n, int skupaj, double sekund, int sirina = 30);

private:
    void zakljuciVrstico();

    bool terminal_;
    bool vrsticaOdprta_ = false;
    std::chrono::steady_clock::time_point zacetek_{};
    std::chrono::steady_clock::time_point zadnjiIzris_{};
    std::string zakljucek_;
};

} // namespace orv
