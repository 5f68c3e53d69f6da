#include "derive/KontekstPrenosa.h"

#include "base/Besedilo.h"
#include "base/DatumIzTeksta.h"
#include "base/RazredKontov.h"

#include <cctype>

namespace orv {

namespace {

bool celoStevilo(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

} // namespace

ReportingPeriod preberiObdobje(const Vmesnik& okno) {
    const std::string besedilo = okno.eDanText();
    const auto datum = parseDate(trim(besedilo));
    if (!datum) throw NapacenVnos("Datum '" + besedilo + "' ni veljaven datum.");
    return periodOf(*datum, besedilo);
}

MoznostiPrenosa preberiMoznosti(const Vmesnik& okno) {
    MoznostiPrenosa m;
    m.brisanje = okno.cbBrisanje();
    m.intNew = okno.cbINT_NEW();
    m.fifo = okno.cbFifo();
    m.debugSql = okno.DebugSQL();
    m.dodaj = okno.dodajBrezVprasanja();
    const std::optional<std::string> razred = razredKontov(okno.eVKNT());
    if (!razred) throw NapacenVnos(neznanRazredKontov(okno.eVKNT()));
    m.razred = *razred;
    m.idpog = trim(okno.eIdpog());
    if (!m.idpog.empty() && !celoStevilo(m.idpog))
        throw NapacenVnos("Pogodba '" + okno.eIdpog() + "' ni število.");
    return m;
}

KontekstPrenosa::KontekstPrenosa(TDM& dm_, Vmesnik& okno_)
    : dm(dm_), okno(okno_), obdobje(preberiObdobje(okno_)), moznosti(preberiMoznosti(okno_)),
      izvor(dm_.Q1), registracija_(okno_, obdobje) {}

DateValue KontekstPrenosa::datum(const std::string& besedilo) const {
    return DatumIzTeksta(okno, besedilo);
}

} // namespace orv
