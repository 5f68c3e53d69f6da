// Steps 11 to 16: the revaluation and real-interest fields of listed securities, the bookkeeping
// fields of every row, the first opening date, the interim residual-term code ECB_15, ECB_16 and
// ECB_17, the issue status ECB_19 that many later steps read, the market value ECB_29 of new
// issues and the size code ECB_20.

#include "base/Besedilo.h"
#include "base/Referent.h"
#include "derive/Koraki.h"
#include "derive/KorakiSkupno.h"
#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/Rocnost.h"
#include "lookup/Tecaji.h"

#include <cstdio>
#include <exception>

namespace orv::koraki {

namespace {

/// The run's referent identification, read once per transfer as the source selection reads it.
const std::string& dbsReferent(KontekstPrenosa& k) {
    std::optional<std::string>& referent = k.predpomnilnik.dbsReferent;
    if (!referent) referent = BeriDBSReferenta(ParamReferent());
    return *referent;
}

/// RacunajSteviloDni of a security, measured once per transfer: the coupon schedule and the
/// reporting date do not change within it.
void steviloDni(KontekstPrenosa& k, int sfvp) {
    const SteviloDniKupona& dni = k.predpomnilnik.steviloDni.odgovor(sfvp, [&] {
        KontekstVrstice izmera;
        RacunajSteviloDni(k.dm, k.okno, izmera, sfvp);
        return SteviloDniKupona{izmera.PrviDanKPN, izmera.DniKPN, izmera.PreostaliDniKPN};
    });
    k.vrstica.PrviDanKPN = dni.PrviDanKPN;
    k.vrstica.DniKPN = dni.DniKPN;
    k.vrstica.PreostaliDniKPN = dni.PreostaliDniKPN;
}

/// The maturity-band code of a number of days, as "%2.2d" cut to two characters.
std::string sifra15(KontekstPrenosa& k, double dni) {
    const int sifra =
        k.predpomnilnik.ecbSifra15.odgovor(dni, [&] { return EcbSifra15(k.dm, k.okno, dni); });
    char besedilo[16];
    std::snprintf(besedilo, sizeof besedilo, "%2.2d", sifra);
    return prvih(besedilo, 2);
}

} // namespace

void Revalorizacija(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const bool kotira = k.vrstica.Kotira;
    const std::string sfinx = kuponTekst(k, "SFINX");

    z.REVAL_DML = "0";
    if (kotira && !trim(sfinx).empty()) {
        const std::string kljuc = trim(sfinx);
        const int osnova = k.predpomnilnik.osnovaIndeksa.odgovor(
            kljuc, [&] { return OsnovaIndeksa(k.dm, k.okno, kljuc); });
        z.REVAL_DML = osnova == 1 ? "2" : "3";
    }

    k.okno.setLblKorak("REVAL_OBRM");
    z.REVAL_OBRM = 0;
    if (kotira) {
        // The index key as the period holds it, blanks included: a blank key is a key too.
        z.REVAL_OBRM = k.predpomnilnik.vrednostIndeksa.odgovor(
            sfinx, [&] { return VrednostIndeksa(k.dm, k.okno, sfinx, besediloDneva(k)); });
    }
    // NabavniTecajNKP (step 19) adds the index value to the coupon rate.
    k.vrstica.REVAL_OBRM = z.REVAL_OBRM;

    const double obrprc = kuponStevilo(k, "OBRPRC");
    z.REAL_DML = "0";
    if (kotira) z.REAL_DML = obrprc != 0 ? "3" : "0";
    const int sfobd = kuponCelo(k, "SFOBD");
    if (sfobd == 6 || sfobd == 3) z.REAL_DML = "3";

    z.REAL_OBRM = 0;
    if (k.izvor.SFGLVENT() == "%" && kotira) {
        const double fixobr = k.izvor.FIXOBR();
        z.REAL_OBRM = fixobr != 0 ? fixobr : obrprc;
    }
}

void StanjeInVpis(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    z.DAT_STANJE = besediloDneva(k);
    z.ID_SM = k.izvor.KNTORG();
    z.ID_APLI = "34";
    z.OPOMBA = " ";
    z.ID_REFE = prvih(dbsReferent(k), 10);
    z.DAT_VPISA = datumskoBesedilo(today());
}

void DatOtvoritve(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    steviloDni(k, v.SFVP());

    if (razredJe(k, {"E", "I", "O"}))
        z.DAT_OTVORITVE = k.vrstica.Kotira ? k.vrstica.PrviDanKPN : v.tekst("DOGDAN");
    else if (razredJe(k, {"G", "M"}))
        z.DAT_OTVORITVE = v.tekst("DOGDAN");
    const int idpog = v.IDPOG();
    if ((idpog == 44229 || idpog == 4790 || idpog == 25283) && vknt != "A")
        z.DAT_OTVORITVE = besediloDneva(k);
    if (vknt == "B" || vknt == "C") z.DAT_OTVORITVE = besediloDneva(k);
    if (k.vrstica.ListaFin == "L" && jeEden(vknt, {"1", "F", "2"}))
        z.DAT_OTVORITVE = datumskoBesedilo(RacunajDanNKPMAX(k.dm, k.okno, v.SFVP(), idpog));
    if (vknt == "3" || vknt == "4") z.DAT_OTVORITVE = datumskoBesedilo(v.DATUMV());

    z.ID_STOR = "34";
    z.DAT_PRENOS = besediloDneva(k);
}

void Ecb15Vmesni(KontekstPrenosa& k) {
    k.okno.setLblKorak("ECB_15");
    IzhodniZapis& z = k.zapis;
    const std::string vknt = k.izvor.VKNT();
    const double preostali = k.vrstica.PreostaliDniKPN;

    if (razredJe(k, {"E", "I", "O"}))
        z.ECB_15 = !k.vrstica.Kotira ? "" : preostali >= 0 ? sifra15(k, preostali) : "01";
    else if (razredJe(k, {"G", "M"}))
        z.ECB_15 = "01";
    if (preostali < 0) z.ECB_15 = "01";
    if (vknt == "B" || vknt == "C") z.ECB_15 = "01";
    if (k.vrstica.ListaFin == "L") z.ECB_15.clear();

    z.ECB_16 = razredJe(k, {"M"}) && vknt == "6" ? "99" : "";
}

void Ecb17(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    KontekstVrstice& r = k.vrstica;
    z.ECB_17 = razredJe(k, {"E", "I", "O"}) ? "1" : "";

    // The purchase date and market of the holding decide only a listed row's status (and the
    // own-portfolio block's, which asks again): other rows do not ask.
    if (!razredJe(k, {"M"}) && r.Kotira) nakupImetja(k);
    r.PrviDanMeseca = dateText(1, k.obdobje.month, k.obdobje.year);
    const DateValue fm = prviDanMeseca(k);

    if (razredJe(k, {"M"})) {
        DateValue odprt = 0;
        try {
            odprt = k.datum(z.DAT_OTVORITVE);
        } catch (const std::exception&) {
            odprt = today();
        }
        z.ECB_19 = fm > odprt ? "1" : "3";
    } else {
        z.ECB_19 = "1";
        if (r.Kotira) z.ECB_19 = r.DanNKP >= fm && r.PrimarniNakup ? "3" : "1";
    }

    if (!trim(z.DAT_OTVORITVE).empty()) {
        // The window would set its date edit to the reporting date here. A run without that
        // window keeps the reporting date unchanged, which changes nothing: the edit already
        // holds that date.
        const DateValue odprt = k.datum(z.DAT_OTVORITVE);
        if (z.ZNESEK_VAL == 0 && odprt >= fm && odprt <= zadnjiDanMeseca(k)) z.ECB_19 = "2";
    }
    if (r.ListaFin == "L") z.ECB_19.clear();
    const int kkonto = v.KKONTO();
    if (kkonto == 257 || kkonto == 379) z.ECB_19 = "1";
}

void Ecb29(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    KontekstVrstice& r = k.vrstica;
    if (trim(z.ECB_19).empty()) z.ECB_19 = "1";

    const int sfvp = v.SFVP();
    const int posel = v.POSEL();
    const int idpog = v.IDPOG();
    r.KolicinaVrstice = k.predpomnilnik.kolicina.odgovor(
        {sfvp, posel, idpog}, [&] { return KolicinaVP(k.dm, k.okno, sfvp, posel, idpog); });
    z.ECB_29 = 0;
    if (r.TecajVrstice != 0 && z.ECB_19 == "3")
        z.ECB_29 = v.GLVNMN() * r.KolicinaVrstice / r.TecajVrstice;

    z.ECB_20.clear();
    if (r.Kotira && razredJe(k, {"E", "M"})) {
        z.ECB_20 = "1";
        if (r.TecajVrstice != 0 && z.ECB_29 > 1000000) z.ECB_20 = "2";
    }
}

} // namespace orv::koraki
