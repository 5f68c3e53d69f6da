#include "sheet/PrimerjavaVrstic.h"

#include "base/Besedilo.h"
#include "base/Datum.h"

#include <cerrno>
#include <cstdlib>

namespace orv::sheet {

namespace {

std::string primerljivoStevilo(const std::string& besedilo) {
    std::string tekst = besedilo;
    for (char& c : tekst)
        if (c == ',') c = '.'; // a text file's decimal comma
    errno = 0;
    char* konec = nullptr;
    const double stevilo = std::strtod(tekst.c_str(), &konec);
    // What is no number stays as written, and so equals no stored number.
    if (konec == tekst.c_str() || *konec != '\0' || errno == ERANGE) return "?" + besedilo;
    return exactNumberText(stevilo);
}

std::string primerljivDatum(const std::string& besedilo) {
    const auto datum = parseDate(besedilo);
    // A date with its time of day is kept as written: stored dates read back the same way.
    if (!datum || besedilo.find(':') != std::string::npos) return besedilo;
    return formatDate(*datum);
}

} // namespace

std::string primerljivo(VrstaStolpca vrsta, const std::string& celica) {
    const std::string tekst = trim(celica);
    if (tekst.empty()) return tekst;
    switch (vrsta) {
    case VrstaStolpca::Stevilo:
        return primerljivoStevilo(tekst);
    case VrstaStolpca::Datum:
        return primerljivDatum(tekst);
    case VrstaStolpca::Besedilo:
        break;
    }
    return tekst;
}

std::string primerljivo(VrstaStolpca vrsta, const Value& shranjeno) {
    if (shranjeno.isNull()) return "";
    if (vrsta == VrstaStolpca::Stevilo && shranjeno.isNumber())
        return exactNumberText(shranjeno.number());
    return primerljivo(vrsta, shranjeno.toText());
}

bool ShranjeneVrstice::vzemi(const std::vector<std::string>& vrednosti) {
    const auto najdena = vrstice_.find(vrednosti);
    if (najdena == vrstice_.end()) return false;
    if (--najdena->second == 0) vrstice_.erase(najdena);
    return true;
}

} // namespace orv::sheet
