#pragma once
// A UI port that keeps the window's options as values (the headless commands and tests have no
// window whose controls hold them).

#include "base/RunOptions.h"
#include "base/Vmesnik.h"

namespace orv {

class StoredOptionsVmesnik : public Vmesnik {
public:
    RunOptions options;

    std::string eDanText() const override { return options.eDanText; }
    bool cbBrisanje() const override { return options.cbBrisanje; }
    bool cbINT_NEW() const override { return options.cbINT_NEW; }
    bool cbFifo() const override { return options.cbFifo; }
    std::string eVKNT() const override { return options.eVKNT; }
    std::string eIdpog() const override { return options.eIdpog; }
    bool DebugSQL() const override { return options.DebugSQL; }
    bool dodajBrezVprasanja() const override { return options.dodaj; }
};

} // namespace orv
