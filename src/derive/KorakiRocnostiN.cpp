// Steps 26 to 33: the maturity codes of the new reporting scheme. The initial term ECB_14N, the
// residual term ECB_15N and the reset term ECB_39N are codes of the bank's database function
// skup.p_ecb_pd.f_orig_zapad for the span between two dates; then the codes ECB_16N to ECB_25N,
// and the block that replaces the dates and the issue status of the bank's own securities.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/KorakiSkupno.h"
#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Poizvedba.h"

namespace orv::koraki {

namespace {

// The two texts of the code statement differ in one blank after the second comma.
std::string stavekA(const std::string& oznakaInt) {
    return "select skup.p_ecb_pd.f_orig_zapad('" + oznakaInt +
           "',null, :P_DATUM_M,:P_DATUM_V) rezultat from dual";
}
std::string stavekB(const std::string& oznakaInt) {
    return "select skup.p_ecb_pd.f_orig_zapad('" + oznakaInt +
           "',null,:P_DATUM_M,:P_DATUM_V) rezultat from dual";
}

/// The second message of a failed code statement: the statement with its two dates spliced in.
std::string stavekZDatumi(const std::string& oznakaInt, const std::string& od,
                          const std::string& do_) {
    return "select skup.p_ecb_pd.f_orig_zapad('" + oznakaInt + "',null,'" + PrvaBeseda(od) + "','" +
           PrvaBeseda(do_) + "') rezultat from dual";
}

/// The scheme's code for the span from `od` to `do_`: REZULTAT of the statement on Qprocedura,
/// "" when the function gives none. The code depends only on the flag and the two dates, so it
/// is asked once per transfer for each.
std::string sifraSheme(KontekstPrenosa& k, const std::string& sql, DateValue od, DateValue do_) {
    return k.predpomnilnik.sifraSheme.odgovor({k.vrstica.OznakaInt, od, do_}, [&] {
        TDM& dm = k.dm;
        openWithVariables(dm, dm.Qprocedura, sql, {{"P_DATUM_M", od}, {"P_DATUM_V", do_}});
        return dm.Qprocedura.FieldByName("REZULTAT").AsString();
    });
}

/// Runs `body`; when it fails shows the messages in order and raises the same failure again.
template <typename Body>
void sporociOb(Vmesnik& okno, std::initializer_list<std::string> sporocila, Body&& body) {
    try {
        body();
    } catch (...) {
        for (const std::string& sporocilo : sporocila)
            okno.showMessage(sporocilo);
        throw;
    }
}

/// The initial-term code of a row other than "D": from the opening date to the maturity text,
/// "01" when either is missing or the maturity is not after the opening.
std::string zacetnaRocnost(KontekstPrenosa& k, const std::string& sql) {
    const std::string& zapadlost = k.vrstica.ZapadlostN;
    const std::string& otvoritev = k.zapis.DAT_OTVORITVE;
    if (brezDatuma(zapadlost) || brezDatuma(otvoritev)) return "01";
    const DateValue od = k.datum(otvoritev);
    const DateValue do_ = k.datum(zapadlost);
    return do_ > od ? sifraSheme(k, sql, od, do_) : "01";
}

/// The initial-term code of a "D" row: from the deal's date to the security's maturity. `odDne`
/// says whether a maturity on the deal's date itself still runs the statement.
std::string zacetnaRocnostD(KontekstPrenosa& k, const std::string& sql, bool odDne) {
    const DateValue od = k.datum(k.izvor.tekst("DOGDAN"));
    const DateValue do_ = k.datum(k.izvor.tekst("ZPDVP"));
    const bool tece = odDne ? do_ >= od : do_ > od;
    return tece ? sifraSheme(k, sql, od, do_) : "01";
}

/// The codes "06" and "07" of the reference rates 101 to 108; empty for any other.
std::string sifraReferencneObrestneMere(const std::string& vrstaRefOm) {
    if (jeEden(vrstaRefOm, {"101", "102", "103", "104"})) return "06";
    if (jeEden(vrstaRefOm, {"105", "106", "107", "108"})) return "07";
    return "";
}

/// The band of a value: "3" up to 250000, "4" up to 1000000, "5" above.
std::string razredVrednosti(double vrednost) {
    if (vrednost <= 250000) return "3";
    if (vrednost <= 1000000) return "4";
    return "5";
}

const std::initializer_list<std::string_view> kRazrediVrednostnihPapirjev = {"1", "F", "2", "5",
                                                                             "7", "8", "9"};

} // namespace

void Ecb14N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    KontekstVrstice& r = k.vrstica;
    const std::string vknt = v.VKNT();

    r.OznakaInt = k.moznosti.intNew ? "N" : "S";
    z.ECB_14N = "01";
    k.okno.processMessages();
    r.ZapadlostN = trim(v.tekst("ZPDVP"));
    if (r.ZapadlostN.empty()) r.ZapadlostN = z.DAT_ZAPAD;

    const std::string sql = stavekA(r.OznakaInt);
    sporociOb(k.okno, {"Napaka1:\r" + sql}, [&] {
        z.ECB_14N = vknt != "D" ? zacetnaRocnost(k, sql) : zacetnaRocnostD(k, sql, true);
    });
    if (vknt == "6") z.ECB_14N = "01";
}

void Ecb15N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const KontekstVrstice& r = k.vrstica;
    const std::string vknt = v.VKNT();

    z.ECB_15N = "01";
    const std::string sql = stavekB(r.OznakaInt);
    sporociOb(k.okno, {"Napaka2:\r" + sql, stavekZDatumi(r.OznakaInt, z.DAT_STANJE, r.ZapadlostN)},
              [&] {
                  if (brezDatuma(r.ZapadlostN)) return;
                  if (!(k.datum(r.ZapadlostN) > k.datum(z.DAT_STANJE))) return;
                  DateValue od = k.datum(z.DAT_STANJE);
                  DateValue do_ = k.datum(r.ZapadlostN);
                  if (vknt == "D") {
                      do_ = k.datum(v.tekst("ZPDVP"));
                      od = k.datum(v.tekst("DOGDAN"));
                  }
                  z.ECB_15N = sifraSheme(k, sql, od, do_);
                  if (trim(z.ECB_15N).empty()) z.ECB_15N = "X1";
              });
    if (vknt == "6") z.ECB_15N = "01";
}

void Ecb39N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const KontekstVrstice& r = k.vrstica;
    const std::string vknt = v.VKNT();

    z.ECB_39N = vknt == "6" ? "01" : "";
    if (!jeEden(vknt, {"1", "F", "2", "7", "8", "B", "C", "9"}) || trim(v.VRSTA_REF_OM()).empty())
        return;
    // The end of the current rate period.
    const std::string konecObdobja = trim(kuponTekst(k, "ZDNDANTRG"));
    const std::string sql = stavekB(r.OznakaInt);
    sporociOb(k.okno, {"Napaka3:\r" + sql, stavekZDatumi(r.OznakaInt, z.DAT_STANJE, konecObdobja)},
              [&] {
                  if (brezDatuma(z.DAT_STANJE)) return;
                  const DateValue stanje = k.datum(z.DAT_STANJE);
                  if (!konecObdobja.empty() && k.datum(konecObdobja) > stanje)
                      z.ECB_39N = sifraSheme(k, sql, stanje, k.datum(konecObdobja));
                  else
                      z.ECB_39N = "01";
              });
}

void Ecb16Ndo20N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();

    z.ECB_16N = vknt == "6" ? "99" : "";
    z.ECB_17N = v.KOTACIJA() != "D" ? "4" : "3";

    z.ECB_18N = "N";
    if (v.SFDJV() != "L" && !trim(z.DAT_ZAPAD).empty() &&
        k.datum(z.DAT_STANJE) - k.datum(z.DAT_ZAPAD) > 90)
        z.ECB_18N = "S";

    z.ECB_20N.clear();
    if (z.ECB_19 == "2" || z.ECB_19 == "3") {
        const std::string sektor = prvih(v.SEKTORIZACIJA(), 4);
        if (jeEden(vknt, {"6", "3", "4", "A"})) z.ECB_20N = razredVrednosti(z.ECB_29);
        if (jeEden(vknt, {"1", "F", "2", "5", "9"}) && (sektor == "S.11" || sektor == "S.21"))
            z.ECB_20N = razredVrednosti(z.ECB_29);
    }
}

void Ecb22Ndo25N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const bool vrednostniPapir = jeEden(vknt, kRazrediVrednostnihPapirjev);

    z.ECB_22N = vknt == "6" ? "06" : "";
    if (vrednostniPapir) z.ECB_22N = sifraReferencneObrestneMere(v.VRSTA_REF_OM());

    z.ECB_25N = "01";
    if (v.DEJAVNOST() == "L") {
        const int sfvp = v.SFVP();
        const std::string& jamstvo =
            k.predpomnilnik.jamstvo.odgovor(sfvp, [&] { return BeriJamstvo(k.dm, k.okno, sfvp); });
        if (jamstvo == "1") z.ECB_25N = "16";
    }

    z.ECB_24N.clear();
    if (vrednostniPapir) z.ECB_24N = v.VRSTA_REF_OM();
}

void LastniPortfelj(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const KontekstVrstice& r = k.vrstica;
    if (v.DEJAVNOST() != "L") return;

    const std::string zpdvp = trim(v.tekst("ZPDVP"));
    z.DAT_ZAPAD = prvih(!zpdvp.empty() ? zpdvp : trim(kuponTekst(k, "ZDNDAN")), 10);
    z.DatZapadPrvotni = z.DAT_ZAPAD;
    z.DAT_OTVORITVE = datumskoBesedilo(RacunajDanNKPMAX(k.dm, k.okno, v.SFVP(), v.IDPOG()));

    // Every own-portfolio row takes its rate codes from its reference rate, whatever its class.
    z.ECB_24N = v.VRSTA_REF_OM();
    z.ECB_22N = sifraReferencneObrestneMere(v.VRSTA_REF_OM());

    nakupImetja(k);
    z.ECB_19 = prviDanMeseca(k) > r.DanNKP ? "1" : "3";
    if (!r.PrimarniNakup) z.ECB_19 = "1";
}

void OtvoritevLastnegaPortfelja(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    KontekstVrstice& r = k.vrstica;
    if (v.DEJAVNOST() != "L") return;

    z.DAT_OTVORITVE = r.Kotira
                          ? r.PrviDanKPN
                          : datumskoBesedilo(RacunajDanNKPMIN(k.dm, k.okno, v.SFVP(), v.IDPOG()));
    if (r.ZapadlostN.empty()) r.ZapadlostN = z.DAT_ZAPAD;

    const std::string sql = stavekA(r.OznakaInt);
    sporociOb(k.okno, {"Napaka1:\r" + sql}, [&] {
        z.ECB_14N = v.VKNT() != "D" ? zacetnaRocnost(k, sql) : zacetnaRocnostD(k, sql, false);
    });
}

void Ecb22N08(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    if (k.vrstica.Kotira && z.ECB_24N.empty() && k.izvor.SFGLVENT() == "%") z.ECB_22N = "08";
}

} // namespace orv::koraki
