// Steps 21 to 25: the value ECB_41 of bond holdings with the two holding sums behind it, the
// codes ECB_98N and ECB_101N, the credit flag BONITETA_ECB, the average balance POVPR_STANJE,
// the purpose code NAMEN_POSLA and the long-term code ECB_48.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/KorakiSkupno.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Poizvedba.h"
#include "lookup/Salda.h"

#include <cmath>
#include <optional>
#include <stdexcept>

namespace orv::koraki {

namespace {

/// The two holding sums: the quantity the contract holds of the security on the reporting date
/// (of one holding line when the row names one) and the principal of the security's coupon
/// period on that date. Both results stay open in their datasets; step 38 reads them again.
struct VsoteImetja {
    double lot = 0;
    double glv = 0;
};

VsoteImetja beriVsoteImetja(KontekstPrenosa& k) {
    TDM& dm = k.dm;
    const IzvornaVrstica& v = k.izvor;
    const DateValue dan = k.obdobje.date;
    VsoteImetja vsote;

    std::string lotSql = "SELECT SUM(vphst.lot) lot  "
                         " FROM vphst "
                         " WHERE  vphst.dan= :datum "
                         " and vphst.idpog= :idpog "
                         " and vphst.sfvp= :sfvp "
                         " and vphst.sfdjv= 'L' ";
    const int posel = v.POSEL();
    if (posel > 0) lotSql += " and vphst.idvp= " + std::to_string(posel);
    vsote.lot = showAndRethrow(k.okno, "", lotSql, [&] {
        openWithVariables(dm, dm.Qvpshstkpn, lotSql,
                          {{"DATUM", dan}, {"IDPOG", v.IDPOG()}, {"SFVP", v.SFVP()}});
        return dm.Qvpshstkpn.FieldByName("LOT").AsFloat();
    });

    const std::string glvSql = "SELECT SUM(glv) glv  "
                               " FROM kpn "
                               " WHERE sfkpn = qev_utils.GetSfKpn(:SFVP, :DATUM)    ";
    vsote.glv = showAndRethrow(k.okno, "", glvSql, [&] {
        openWithVariables(dm, dm.QKpnglv, glvSql, {{"DATUM", dan}, {"SFVP", v.SFVP()}});
        return dm.QKpnglv.FieldByName("GLV").AsFloat();
    });
    return vsote;
}

/// x / y as the program's floating-point division behaves: a zero divisor fails.
double deli(double x, double y) {
    if (y == 0)
        throw std::domain_error(x == 0 ? "Invalid floating point operation"
                                       : "Floating point division by zero");
    return x / y;
}

} // namespace

void Ecb41(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const bool lastniPortfelj = v.DEJAVNOST() == "L" && v.SFGLVENT() == "%";
    std::optional<VsoteImetja> vsote;
    if (lastniPortfelj) vsote = beriVsoteImetja(k);

    z.ECB_41 = 0;
    if (v.VKNT() != "1") return;
    const std::string sftpf = v.SFTPF();
    if (sftpf != "R" && sftpf != "H") return;
    // A bond row outside the own portfolio needs the two sums as well. It runs their statements
    // for itself and never takes the sums that an earlier row left in the datasets.
    if (!vsote) vsote = beriVsoteImetja(k);
    const double tecaj = k.vrstica.TecajVrstice;
    z.ECB_41 = deli(vsote->glv * vsote->lot, tecaj);
    const int sfvp = v.SFVP();
    if (sfvp == 2796 || sfvp == 4250) z.ECB_41 = std::fabs(z.ZNESEK_SIT * tecaj);
}

void BonitetaEcb(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const std::string sftpf = v.SFTPF();

    z.ECB_98N = vknt == "6" ? "13" : "";

    z.ECB_101N.clear();
    if (v.DEJAVNOST() == "L" && jeEden(v.SFFIN(), {"D", "F", "k", "n", "P", "u", "Z", "z"})) {
        const int sfvp = v.SFVP();
        const std::string& vrsta = k.predpomnilnik.vrstaObveznice.odgovor(
            sfvp, [&] { return VrstaObveznice(k.dm, k.okno, sfvp); });
        z.ECB_101N = trim(vrsta).empty() ? "1" : "2";
    }

    z.BONITETA_ECB.clear();
    if (razredJe(k, {"E", "I", "O"}) && (sftpf == "T" || sftpf == "R")) z.BONITETA_ECB = "N";
    if (razredJe(k, {"M", "G"})) z.BONITETA_ECB = "N";

    if (jeEden(vknt, {"1", "F", "2"}) && sftpf == "H") {
        // Step 9 measures the previous-state amount of "1" and "F" rows only. A "2" row measures
        // its own the same way instead of taking what an earlier row left in the field; the
        // field itself stays as step 9 left it, and the writer writes it for "1" and "F" only.
        const double prejsnje =
            vknt == "2" ? BeriPodatke_V(k, v.IDPOG(), v.VP1(), v.KONTO(), v.tekst("POSEL"))
                        : z.ZNESEK_SIT_PREV;
        z.ECB_42 = 0;
        const double delitelj = prejsnje - z.ZNESEK_SIT;
        // A zero divisor fails the division; the failure is ignored and leaves 0.
        if (delitelj != 0) z.ECB_42 = prejsnje * 100 / delitelj;
        z.BONITETA_ECB = z.ECB_42 > 10 ? "S" : "N";
    }
}

void PovprStanje(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    z.POVPR_STANJE = 0;
    if (jeEden(v.VKNT(), {"1", "F", "6", "7", "8", "9"}) || v.SFVPKRT() == "POSOJILO") {
        z.POVPR_STANJE = BeriPovprecje(k.dm, k.okno, v.IDPOG(), v.VP1(), v.KONTO());
        const double tecaj = k.vrstica.TecajVrstice;
        if (tecaj != 0) z.POVPR_STANJE /= tecaj;
    }
}

void NamenPosla(KontekstPrenosa& k) {
    std::string& namen = k.zapis.NAMEN_POSLA;
    const IzvornaVrstica& v = k.izvor;
    namen.clear();
    if (v.DEJAVNOST() != "L") {
        namen = v.VKNT() != "6" ? "208" : "155";
    } else {
        // The bank's own securities: the rules run in this order and a later rule that applies
        // overwrites an earlier one.
        const int kkonto = v.KKONTO();
        const std::string sftpf = v.SFTPF();
        const bool obrestni = v.SFGLVENT() == "%";
        const bool sklad = v.SFFIN() == "F";
        const std::string sfsos = v.O_SFSOS();
        const std::string vrstaSklada = v.VRSTA_SKLADA();
        const std::string vrstaObveznice = v.VRSTA_OBVEZNICE();
        const bool drugiIzdajatelj = v.IZDSFOSB() != 2;
        const int idpog = v.IDPOG();
        const bool posebnaPogodba = idpog == 64398 || idpog == 66356;
        const std::string osfkdl = v.OSFKDL();
        const int sfvp = v.SFVP();

        if (kkonto == 257 || kkonto == 379) namen = "271";
        if (sftpf == "T" && !obrestni) {
            namen = "009";
            if (sfsos == "S") namen = "240";
            if (vrstaSklada == "2") namen = "261";
        }
        if (sftpf == "T" && obrestni) {
            namen = "010";
            if (vrstaObveznice == "3") namen = "257";
            if (vrstaObveznice == "2") namen = "260";
        }
        if (sklad && obrestni) namen = "241";
        if (sftpf == "R" && !obrestni && posebnaPogodba) namen = "022";
        if (sftpf == "R" && obrestni && !sklad && !posebnaPogodba) {
            namen = "221";
            if (sfsos == "D") namen = "121";
            if (sfsos == "B" && drugiIzdajatelj) namen = "218";
            if (vrstaObveznice == "3") namen = "256";
            if (vrstaObveznice == "2") namen = "259";
        }
        if (sftpf == "R" && obrestni && sklad && !posebnaPogodba && sfsos != "D") namen = "243";
        if (v.SFDJV() == "L" && osfkdl != "O" && posebnaPogodba) namen = "022";
        if (v.SFDJV() == "L" && osfkdl == "O" && posebnaPogodba) namen = "090";
        if (sftpf == "H" && obrestni && !sklad) {
            namen = "024";
            if (sfsos == "D") namen = "085";
            if (sfsos == "B" && drugiIzdajatelj) namen = "023";
            if (vrstaObveznice == "3") namen = "255";
            if (vrstaObveznice == "2") namen = "258";
        }
        if (sftpf == "H" && obrestni && sklad && sfsos == "D") namen = "242";
        if (sfvp == 6123) namen = "214";
        if (sfvp == 6122) namen = "295";
        if (sfvp == 5779) namen = "290";
        if (idpog == 67015) namen = "290";
    }
    const int idpog = v.IDPOG();
    if (idpog == 75805) namen = "021";
    if (idpog == 75806) namen = "090";
}

void Ecb48(KontekstPrenosa& k) {
    const IzvornaVrstica& v = k.izvor;
    k.zapis.ECB_48.clear();
    if (jeEden(v.VKNT(), {"1", "F", "2", "5", "7", "8", "9"}) && k.vrstica.Kotira &&
        v.VRSTA_OBVEZNICE() == "3" && k.vrstica.DniKPN > 365 && v.OSFKDL() == "O" &&
        v.SFDRZ() != "S")
        k.zapis.ECB_48 = "1";
}

} // namespace orv::koraki
