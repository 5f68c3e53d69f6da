#include "cli/NapredekPrenosa.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace orv {

namespace {

constexpr const char* kZakljucek = "Prepis končan: ";

/// Reads "n / total" (the driver's row counter); false for any other text.
bool stevec(const std::string& text, int& n, int& skupaj) {
    char rest = 0;
    return std::sscanf(text.c_str(), "%d / %d%c", &n, &skupaj, &rest) == 2 && skupaj > 0;
}

} // namespace

NapredekPrenosa::NapredekPrenosa() : terminal_(isatty(STDERR_FILENO) != 0) {}

NapredekPrenosa::~NapredekPrenosa() {
    zakljuciVrstico();
}

std::string NapredekPrenosa::vrsticaNapredka(int n, int skupaj, double sekund, int sirina) {
    const double delez = skupaj > 0 ? static_cast<double>(n) / skupaj : 0;
    const int polno = static_cast<int>(delez * sirina);
    std::string vrstica = "[" + std::string(static_cast<size_t>(polno), '#') +
                          std::string(static_cast<size_t>(sirina - polno), ' ') + "]  " +
                          std::to_string(n) + " / " + std::to_string(skupaj);
    if (sekund > 0 && n > 0) {
        const double hitrost = n / sekund;
        const int preostalo = static_cast<int>((skupaj - n) / hitrost + 0.5);
        char text[64];
        std::snprintf(text, sizeof text, "  %.0f vrstic/s  še %d:%02d", hitrost, preostalo / 60,
                      preostalo % 60);
        vrstica += text;
    }
    return vrstica;
}

void NapredekPrenosa::zakljuciVrstico() {
    if (vrsticaOdprta_) std::cerr << "\r\033[K" << std::flush;
    vrsticaOdprta_ = false;
}

void NapredekPrenosa::setLblSporocilo(const std::string& text) {
    int n = 0, skupaj = 0;
    if (!stevec(text, n, skupaj)) {
        zakljuciVrstico();
        TerminalVmesnik::setLblSporocilo(text);
        return;
    }
    if (!terminal_) return;
    const auto zdaj = std::chrono::steady_clock::now();
    if (n == 1) zacetek_ = zdaj;
    // A terminal cannot show thousands of redraws a second; ten are enough.
    if (n != skupaj && n != 1 && zdaj - zadnjiIzris_ < std::chrono::milliseconds(100)) return;
    zadnjiIzris_ = zdaj;
    const double sekund = std::chrono::duration<double>(zdaj - zacetek_).count();
    std::cerr << "\r\033[K" << vrsticaNapredka(n, skupaj, sekund) << std::flush;
    vrsticaOdprta_ = true;
}

void NapredekPrenosa::setLblSporociloVisible(bool visible) {
    if (!visible) zakljuciVrstico();
    TerminalVmesnik::setLblSporociloVisible(visible);
}

void NapredekPrenosa::showMessage(const std::string& text) {
    if (text.rfind(kZakljucek, 0) == 0) {
        zakljucek_ = text;
        return;
    }
    zakljuciVrstico();
    TerminalVmesnik::showMessage(text);
}

} // namespace orv
