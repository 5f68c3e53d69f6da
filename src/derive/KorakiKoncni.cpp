// Steps 50 to 56, the last of the derivation: the overrides of class D and loan rows, further
// purpose codes, the maturity of own-portfolio securities from their next trading period, the
// fixed values of the group ECB_133 to ECB_156N with their instrument exceptions, the interest
// reset dates, the domestic-currency amounts of classes C and E, and the reset date of class F
// deals.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/OdgovoriKorakov.h"
#include "derive/Pravila.h"
#include "lookup/Poizvedba.h"

#include <cmath>
#include <optional>

namespace orv::koraki {

namespace {

/// A date text read strictly as the short date form: no fallback to the window's date or to
/// today, and no time of day. Empty when the text is no such date.
std::optional<DateValue> strogiDatum(const std::string& besedilo) {
    const std::string t = trim(besedilo);
    if (t.find(' ') != std::string::npos) return std::nullopt;
    return parseDate(t);
}

/// The earliest PRVDANTRG of the security's trading periods that start on or after the
/// reporting date, as text; "" when there is none.
std::string prviDanTrgovanjaOdStanja(KontekstPrenosa& k, int sfvp) {
    auto& odgovori = k.odgovoriKorakov.prviDanTrgovanja;
    if (const auto found = odgovori.find(sfvp); found != odgovori.end()) return found->second;
    TDM& dm = k.dm;
    const std::string sql = "SELECT prvdantrg FROM kpn WHERE sfvp = :sfvp AND prvdantrg >= :DAN ";
    // The statement has no ordering, so which of several periods comes first is the
    // database's choice; the earliest one is the maturity that the rule means.
    std::string prvi = showAndRethrow(k.okno, "", sql, [&] {
        openWithVariables(dm, dm.qKpn4, sql,
                          {{"SFVP", std::to_string(sfvp)}, {"DAN", k.obdobje.date}});
        std::string najzgodnejsi;
        DateValue najmanjsi = 0;
        bool najden = false;
        for (dm.qKpn4.First(); !dm.qKpn4.Eof(); dm.qKpn4.Next()) {
            const Field polje = dm.qKpn4.FieldByName("PRVDANTRG");
            if (polje.IsNull()) continue;
            const DateValue dan = polje.AsDateTime();
            if (!najden || dan < najmanjsi) {
                najden = true;
                najmanjsi = dan;
                najzgodnejsi = polje.AsString();
            }
        }
        return najzgodnejsi;
    });
    return odgovori.emplace(sfvp, std::move(prvi)).first->second;
}

/// One text column of the first row of a statement on qKpn4 bound with the security and the
/// reporting date; a failure shows the statement and raises again.
std::string kpn4(KontekstPrenosa& k, const std::string& sql, int sfvp, const char* stolpec) {
    TDM& dm = k.dm;
    return showAndRethrow(k.okno, "", sql, [&] {
        openWithVariables(dm, dm.qKpn4, sql,
                          {{"SFVP", std::to_string(sfvp)}, {"DAN", k.obdobje.date}});
        return dm.qKpn4.FieldByName(stolpec).AsString();
    });
}

/// The reset dates of a security: they depend only on it and the reporting date.
const OdgovoriKorakov::Ponastavitev& ponastavitev(KontekstPrenosa& k, int sfvp) {
    auto& odgovori = k.odgovoriKorakov.ponastavitve;
    if (const auto found = odgovori.find(sfvp); found != odgovori.end()) return found->second;
    OdgovoriKorakov::Ponastavitev p;
    p.naslednja = kpn4(k,
                       "SELECT min(prvdantrg) prvdantrg FROM kpn WHERE sfvp = :sfvp AND "
                       "prvdantrg >= :DAN ",
                       sfvp, "PRVDANTRG");
    p.zadnja = kpn4(k,
                    "SELECT max(prvdantrg) prvdantrg FROM kpn WHERE sfvp = :sfvp AND zdndantrg "
                    "<= :DAN",
                    sfvp, "PRVDANTRG");
    p.sfkpn = kpn4(k,
                   " SELECT sfkpn from kpn where sfvp=:SFVP and zdndantrg = (  "
                   "  SELECT max(zdndantrg) FROM kpn WHERE sfvp=:SFVP AND zdndantrg <= :dan) ",
                   sfvp, "SFKPN");
    return odgovori.emplace(sfvp, std::move(p)).first->second;
}

} // namespace

void RazredDInPosojila(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    if (vknt == "D") {
        z.ECB_17.clear();
        z.ECB_38.clear();
        z.BONITETA_ECB = "N";
    }
    if (v.SFVPKRT() == "POSOJILO") {
        z.ECB_16 = "99";
        z.ECB_25 = "14";
        if (vknt == "6" && jeEden(z.ECB_19, {"1", "2"})) z.ECB_29 = std::fabs(z.ZNESEK_VAL);
        z.ECB_38 = "2";
        z.NAMEN_POSLA = "155";
        z.ECB_16N = "99";
        z.ECB_22N = "06";
        z.ECB_39N = "01";
        z.ECB_116 = "3";
        z.ECB_98N = "13";
    }
    if (v.SFTPF() == "R") z.ECB_116 = "3";
}

void NamenPoslaDodatno(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    if (jeEden(prvih(v.KONTO(), 7), {"9903007", "9953007"})) z.NAMEN_POSLA = "290";
    if (v.SFDJV() == "L" && v.SFVP() == 5779) z.NAMEN_POSLA = "290";
    if (v.SFVP() == 6310) z.NAMEN_POSLA = "094";
}

void PrviDanTrgovanja(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    if (v.SFDJV() != "L" || v.SFGLVENT() != "%" || !jeEden(v.VKNT(), {"2", "9"})) return;
    z.DAT_ZAPAD = prviDanTrgovanjaOdStanja(k, v.SFVP());
    if (trim(z.DAT_ZAPAD).empty()) z.DAT_ZAPAD = v.tekst("ZPDVP");
}

void Ecb133do156N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const int sfvp = v.SFVP();
    const bool lastni = v.SFDJV() == "L";
    const bool obveznica612x = sfvp == 6122 || sfvp == 6123;
    const std::string vknt = v.VKNT();

    if (prvih(trim(v.KONTO()), 2) == "99" && sfvp == 4250) {
        z.ECB_133 = "30";
        z.ECB_134N = "1";
    }

    z.ECB_136N = "1";
    for (std::string* polje :
         {&z.ECB_137N, &z.ECB_138N, &z.ECB_139N, &z.ECB_140N, &z.ECB_141N, &z.ECB_142N, &z.ECB_145N,
          &z.ECB_146N, &z.ECB_147N, &z.ECB_148N, &z.ECB_149N, &z.ECB_151N})
        polje->clear();
    z.ECB_150N = 0;

    if (lastni && obveznica612x) {
        z.ECB_137N = "1";
        z.ECB_138N = "3";
        z.ECB_139N = "2";
        z.ECB_140N = "2";
        z.ECB_141N = "4";
        z.ECB_142N = "05";
        z.ECB_145N = "2";
        z.ECB_150N = 0;
        z.ECB_151N = "2";
    }

    z.ECB_146N = z.DAT_OTVORITVE;
    if (obveznica612x) z.ECB_146N = k.odgovoriKorakov.prviDanTrgovanja1(k.dm, k.okno, sfvp);

    // The original maturity, once it has passed; a text that is no date leaves it empty.
    z.ECB_149N.clear();
    if (!trim(z.DatZapadPrvotni).empty()) {
        const std::optional<DateValue> zapadlost = strogiDatum(z.DatZapadPrvotni);
        if (zapadlost && k.obdobje.date >= *zapadlost) z.ECB_149N = z.DatZapadPrvotni;
    }

    if (lastni && sfvp == 6123) {
        z.ECB_147N = "05";
        z.ECB_148N = k.odgovoriKorakov.prviDanTrgovanja1(k.dm, k.okno, sfvp);
    }
    if (sfvp == 6122) z.ECB_147N = "05";

    z.ECB_144N = "09";
    z.ECB_156N = "0";
    z.ECB_500N = 0;
    z.ECB_502N = 0;

    if (sfvp == 4250) {
        z.ECB_133 = "30";
        z.ECB_134N = "2";
    }
    if (v.KONTO() == "0909051") z.ECB_133.clear();
    if (jeEden(vknt, {"A", "F"}) && v.DEJAVNOST() == "N") z.ECB_133 = "11";
    if (vknt == "D") {
        z.ECB_133 = "11";
        z.ECB_14N = "13";
        z.ECB_15N = "13";
    }
    if (sfvp == 6485) z.ECB_133 = "11";

    z.ECB_31N = obveznica612x ? z.ECB_30 : 0;

    if (sfvp == 6123) {
        z.ECB_22N = "08";
        z.ECB_148N.clear();
        z.ECB_149N.clear();
    }

    z.SIFRA_ZAVA.clear();
    if (sfvp == 6307 && (v.KKONTO() == 910 || v.KKONTO() == 911)) z.SIFRA_ZAVA = "0801";
}

void DatumiPonastavitve(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const int sfvp = v.SFVP();
    // The row carries a reference-rate type, or is the one floating-rate bond without it.
    if (sfvp != 6122 && trim(z.ECB_24N).empty()) return;
    z.ECB_22N = "07";
    const OdgovoriKorakov::Ponastavitev& p = ponastavitev(k, sfvp);
    z.ECB_148N = p.naslednja;
    z.ECB_149N = p.zadnja;

    TDM& dm = k.dm;
    const std::string sql = " SELECT NVL(iddoggot,1) iddoggot FROM dog WHERE idpog=:idpog AND "
                            "sfpdg='O' AND sfkpn=:sfkpn   ";
    const bool brezObresti = showAndRethrow(k.okno, "", sql, [&] {
        openWithVariables(dm, dm.Qdog4, sql, {{"IDPOG", v.IDPOG()}, {"SFKPN", p.sfkpn}});
        return !dm.Qdog4.IsEmpty() && dm.Qdog4.FieldByName("IDDOGGOT").AsFloat() == 0;
    });
    if (brezObresti) z.ECB_149N.clear();
}

void DomaciZneski(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    if (!jeEden(v.VKNT(), {"C", "E"})) return;
    if (k.odgovoriKorakov.devizen(k.dm, k.okno, v.KKONTO()) != "N") return;
    z.ID_VALUTE = "978";
    const double x = k.odgovoriKorakov.znesekSit(k.dm, k.okno, v.KKONTO(), v.POSEL());
    z.ZNESEK_VAL = -x;
    z.ZNESEK_SIT = -x;
}

void Ecb149N(KontekstPrenosa& k) {
    const IzvornaVrstica& v = k.izvor;
    if (v.VKNT() != "F" || v.DEJAVNOST() != "N") return;
    TDM& dm = k.dm;
    const std::string sql =
        "SELECT zpd FROM dog "
        " WHERE iddog = (SELECT iddog FROM trg_slab WHERE iddogslab=:idmaster) ";
    k.zapis.ECB_149N = showAndRethrow(k.okno, "", sql, [&] {
        openWithVariables(dm, dm.qDog1, sql, {{"IDMASTER", v.IDMASTER()}});
        return dm.qDog1.FieldByName("ZPD").AsString();
    });
}

} // namespace orv::koraki
