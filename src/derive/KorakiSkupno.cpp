#include "derive/KorakiSkupno.h"

#include "base/Besedilo.h"
#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"

namespace orv::koraki {

bool brezDatuma(std::string_view besedilo) {
    const std::string obrezano = trim(besedilo);
    return obrezano.empty() || obrezano == kNicelniDatum;
}

std::string prvihObrezano(std::string_view besedilo, size_t n) {
    return prvih(trim(besedilo), n);
}

void nakupImetja(KontekstPrenosa& k) {
    const int sfvp = k.izvor.SFVP();
    const int idpog = k.izvor.IDPOG();
    const NakupImetja& nakup = k.predpomnilnik.nakup.odgovor({sfvp, idpog}, [&] {
        KontekstVrstice izmera;
        RacunajDanNKP(k.dm, k.okno, izmera, sfvp, idpog);
        return NakupImetja{izmera.DanNKP, PrimarniTrg(k.dm, k.okno, sfvp, idpog)};
    });
    k.vrstica.DanNKP = nakup.DanNKP;
    k.vrstica.PrimarniNakup = nakup.PrimarniNakup;
}

} // namespace orv::koraki
