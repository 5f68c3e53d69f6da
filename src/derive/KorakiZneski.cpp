// Steps 7 to 10: the first maturity date, the account and currency, the amounts with the row's
// exchange rate, and the interest-type fields; and BeriPodatke_V, the ledger query behind the
// previous-state amount of securities rows.

#include "base/Besedilo.h"
#include "base/SqlText.h"
#include "derive/Koraki.h"
#include "derive/Pravila.h"
#include "lookup/Poizvedba.h"
#include "lookup/Salda.h"
#include "lookup/Tecaji.h"

#include <cmath>

namespace orv {

namespace {

/// The first ten characters of the trimmed text: a date text without its time.
std::string trimmedTen(std::string_view text) {
    return prvih(trim(text), 10);
}

/// The covering coupon period has an interest rate: GLVOBR x 100, rounded to the even
/// neighbour, is not 0 (0.004 counts as none, 0.006 as one).
bool glvobrSet(TDM& dm) {
    return roundHalfEven(dm.Qkpn.FieldByName("GLVOBR").AsFloat() * 100) != 0;
}

} // namespace

namespace koraki {

void DatZapad(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string& razred = k.vrstica.Razred;
    if (razred == "I") {
        z.DAT_ZAPAD = formatDate(today());
        z.DatZapadPrvotni = z.DAT_ZAPAD;
    } else if (razred == "G" || razred == "M") {
        z.DAT_ZAPAD = trimmedTen(v.tekst("DOGZPD"));
        z.DatZapadPrvotni = z.DAT_ZAPAD;
    } else if (razred == "E" || razred == "O") {
        const std::string vknt = v.VKNT();
        const std::string zdndan = k.dm.Qkpn.FieldByName("ZDNDAN").AsString();
        const std::string zpdvp = v.tekst("ZPDVP");
        std::string vir;
        if (vknt == "2" || glvobrSet(k.dm))
            vir = zdndan;
        else if (vknt == "1" || vknt == "F")
            vir = trim(zpdvp).empty() ? zdndan : zpdvp;
        else
            vir = zpdvp;
        z.DAT_ZAPAD = trimmedTen(vir);
        z.DatZapadPrvotni = z.DAT_ZAPAD;
    }
}

void KontoValuta(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    z.ID_KONTO = prvih(trim(v.KONTO()), 8);
    z.ID_VALUTE = SifraValute(k.dm, k.okno, v.KVALUTA());
    if (jeEden(v.VKNT(), {"7", "8"})) z.ID_VALUTE = "978";
}

void ZnesekVal(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const bool razred78 = vknt == "7" || vknt == "8";
    z.ZNESEK_VAL = v.ZNESEK();
    if (razred78)
        z.ZNESEK_VAL = ZnesekVal78(k.dm, k.okno, v.KVALUTA(), v.KKONTO(), v.IDPOG(), v.SFVP());
    // The ledger keeps debit minus credit; the report wants the opposite sign.
    z.ZNESEK_VAL = roundHalfEven(-1 * z.ZNESEK_VAL, 2);
    if (vknt == "1" || vknt == "F")
        z.ZNESEK_SIT_PREV = BeriPodatke_V(k, v.IDPOG(), v.VP1(), v.KONTO(), v.tekst("POSEL"));
    double tecaj = TecajValute(k.dm, k.okno, v.KVALUTA(), k.obdobje.windowText);
    if (razred78) tecaj = 1;
    k.vrstica.TecajVrstice = tecaj;
    // A currency without a rate is no failure: the amount stays as it is.
    const double sit = tecaj != 0 ? z.ZNESEK_VAL / tecaj : z.ZNESEK_VAL;
    z.ZNESEK_SIT = roundHalfEven(sit, 2);
}

void TipObrm(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    z.TIP_OBRM = "X";
    if (v.DEJAVNOST() == "L" && v.SFGLVENT() == "%")
        z.TIP_OBRM = trim(v.VRSTA_REF_OM()).empty() ? "F" : "V";
    z.NACIN_OBR.clear();
}

} // namespace koraki

double BeriPodatke_V(KontekstPrenosa& k, int pogodba, int vp, const std::string& oznaka,
                     const std::string& posel) {
    const ReportingPeriod& p = k.obdobje;
    std::string sql = " SELECT SUM(K.BZNESEKSIT-K.DZNESEKSIT) ZNESEK "
                      " FROM KNJIZBE K, DOG D,  OSB O, SFVP V, "
                      " FIN FIN, SIFKONT SIFKONT   "
                      ", VLT VLT "
                      ", POG POG "
                      ", ORG ORG "
                      " WHERE K.IDMASTER=D.IDDOG (+) "
                      " AND K.VP=" +
                      std::to_string(vp) + " AND K.IDPOG=" + std::to_string(pogodba);
    // The holding line is a number column's text; anything else is quoted and matches nothing.
    if (!trim(posel).empty()) sql += " AND K.IDVP=" + sqlNumber(posel);
    sql += " AND K.IDPOG=POG.IDPOG(+) "
           " AND K.VP=V.SFVP (+) "
           " AND V.SFVLTNMN = VLT.SFVLT (+) "
           " AND V.SFOSBIZD=O.SFOSB (+) ";
    if (!k.moznosti.idpog.empty()) sql += "  AND k.idpog=" + sqlText(k.moznosti.idpog) + " ";
    sql += " AND POG.SFORG=ORG.SFORG (+) "
           " AND V.SFFIN=FIN.SFFIN (+) "
           " AND K.KONTO=SIFKONT.CTRL (+) "
           " AND K.DATUMV>='" +
           p.monthStart + "' " + " AND K.DATUMV<='" + p.monthEnd + "' " +
           " AND SIFKONT.OZNAKA = " + sqlText(oznaka) + " " + " AND K.IDOBD>= 0 " +
           " AND D.SFPDG IN ('V','x') ";
    return showAndRethrow(k.okno, "", sql, [&] {
        k.dm.OdpriPoizvedbo(k.dm.Q2, sql, "A.SQL");
        return k.dm.Q2.FieldByName("ZNESEK").AsFloat();
    });
}

} // namespace orv
