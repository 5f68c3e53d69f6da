// Steps 17 to 20: the interest-rate type ECB_21 and the codes ECB_22 to ECB_27, the adjustments
// of the value ECB_29, the interest rates ECB_30 to ECB_33, the holding's yield and purchase date
// with the second set of maturity-date rules, the yields ECB_34 and ECB_35 and the codes ECB_36
// to ECB_39. Most of them depend on the issue status ECB_19.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/KorakiSkupno.h"
#include "lookup/Imetja.h"
#include "lookup/Kuponi.h"
#include "lookup/Tecaji.h"

#include <cmath>

namespace orv::koraki {

namespace {

/// The name of a reference index holds "TOM" (the index key as the period holds it).
bool indeksTom(KontekstPrenosa& k, const std::string& sfinx) {
    const std::string& naziv = k.predpomnilnik.nazivIndeksa.odgovor(
        sfinx, [&] { return NazivIndeksa(k.dm, k.okno, sfinx); });
    return naziv.find("TOM") != std::string::npos;
}

/// A coupon rate per year: semi-annual coupons twice, quarterly ones four times.
double naLeto(double stopnja, int sfobd) {
    if (sfobd == 6) return stopnja * 2;
    if (sfobd == 3) return stopnja * 4;
    return stopnja;
}

} // namespace

void Ecb21do27(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const std::string sfinx = kuponTekst(k, "SFINX");
    const bool brezIndeksa = trim(sfinx).empty();

    z.ECB_21.clear();
    if (k.vrstica.Kotira) {
        z.ECB_21 = brezIndeksa ? "NOM" : "TOM";
        if (razredJe(k, {"M"})) z.ECB_21 = "NOM";
    }
    if (razredJe(k, {"M", "G"}) && jeEden(vknt, {"6", "3", "4", "A", "B", "C"})) z.ECB_21 = "NOM";
    if (razredJe(k, {"E", "I", "O"})) {
        if (brezIndeksa)
            z.ECB_21 = "NOM";
        else
            z.ECB_21 = indeksTom(k, sfinx) ? "TOM" : "OST";
    }

    z.ECB_22 = razredJe(k, {"M"}) ? "2" : "1";
    if (z.ECB_19 != "3") z.ECB_22.clear();

    z.ECB_23.clear();
    z.ECB_24.clear();
    if (razredJe(k, {"E", "G", "O", "I"})) z.ECB_24 = prvih(kuponTekst(k, "REFOBM"), 2);
    if (z.ECB_21 == "TOM" || z.ECB_21 == "OST") z.ECB_24.clear();

    z.ECB_25 = razredJe(k, {"M"}) ? "14" : "";

    z.ECB_26.clear();
    if (razredJe(k, {"M"}) || v.SFVPKRT() == "POSOJILO") {
        if (v.SFSOS() == "F")
            z.ECB_26 = "5980003";
        else
            z.ECB_26 = v.SFDRZ() != "S" ? prvih(v.SWIFT(), 11) : prvih(v.MTS(), 11);
    }
    z.ECB_27.clear();
}

void Ecb30do33(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const std::string vknt = k.izvor.VKNT();
    const std::string& ecb19 = z.ECB_19;

    if (razredJe(k, {"M"})) {
        if (vknt == "6" && ecb19 == "1") z.ECB_29 = z.ZNESEK_VAL;
        if (ecb19 == "2") z.ECB_29 = z.ZNESEK_VAL;
    }
    if (razredJe(k, {"E", "M"}) && (ecb19 == "2" || ecb19 == "3")) {
        z.ECB_29 = z.ZNESEK_SIT;
        // A loan's balance carries the ledger's sign; the absolute value below removes it.
        if (vknt == "6") z.ECB_29 = -z.ZNESEK_SIT;
    }
    z.ECB_29 = std::fabs(z.ECB_29);

    const double obrprc = kuponStevilo(k, "OBRPRC");
    const int sfobd = kuponCelo(k, "SFOBD");
    z.ECB_30 = 0;
    if (razredJe(k, {"E", "I", "O", "G"}) && (ecb19 == "1" || ecb19 == "3")) z.ECB_30 = obrprc;
    z.ECB_30 = naLeto(z.ECB_30, sfobd);

    z.ECB_31 = 0;
    if (razredJe(k, {"E", "I", "O"}) && (ecb19 == "2" || ecb19 == "3")) z.ECB_31 = obrprc;
    z.ECB_31 = naLeto(z.ECB_31, sfobd);

    z.ECB_32 = 0;
    z.ECB_33 = 0;
    if (razredJe(k, {"E", "I", "O"}) && ecb19 == "3") z.ECB_33 = obrprc;
}

void DonosNKP(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    KontekstVrstice& r = k.vrstica;
    const std::string vknt = v.VKNT();
    const int sfvp = v.SFVP();
    const int sfobd = kuponCelo(k, "SFOBD");
    const int idpog = v.IDPOG();
    const int posel = v.POSEL();

    // The yield depends on the holding line and on the coupon rate plus index value that the
    // lookup adds; rows of one holding line on several accounts ask the same question.
    const double stopnja = kuponStevilo(k, "OBRPRC") + r.REVAL_OBRM;
    const DonosNakupa& donos =
        k.predpomnilnik.donos.odgovor({sfvp, sfobd, idpog, posel, stopnja}, [&] {
            DonosNakupa izid;
            izid.donos = NabavniTecajNKP(k.dm, k.okno, r, sfvp, sfobd, idpog, posel, k.obdobje.date,
                                         izid.danNakupa);
            return izid;
        });
    r.DonosNKP = donos.donos;
    r.DanNakupa = donos.danNakupa;

    auto oba = [&z](const std::string& datum) {
        z.DAT_ZAPAD = datum;
        z.DatZapadPrvotni = datum;
    };
    if (razredJe(k, {"E", "O"}) && vknt == "2") {
        // Accrued interest matures with the coupon period in which the holding was bought.
        oba(k.predpomnilnik.zadnjiDanKupona.odgovor(
            {sfvp, r.DanNakupa}, [&] { return ZadnjiDanKupona(k.dm, k.okno, sfvp, r.DanNakupa); }));
    }
    if (idpog == 25283 && vknt != "A") oba(besediloDneva(k));
    if (vknt == "B" || vknt == "C") oba(besediloDneva(k));
    if (jeEden(vknt, {"9", "7", "8"})) oba(prvihObrezano(kuponTekst(k, "ZDNDAN"), 10));
    if (vknt == "3" || vknt == "4") oba(prvihObrezano(v.tekst("DOGZPD"), 10));
}

void Ecb34do39(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const KontekstVrstice& r = k.vrstica;
    const std::string vknt = v.VKNT();
    const bool novo = z.ECB_19 == "2" || z.ECB_19 == "3";

    z.ECB_34 = 0;
    if (razredJe(k, {"E", "I", "O", "G"}) && r.Kotira) z.ECB_34 = r.DonosNKP;
    z.ECB_35 = 0;
    if (razredJe(k, {"E", "I", "O"}) && r.Kotira && novo) z.ECB_35 = r.DonosNKP;
    z.ECB_36 = 0;
    z.VRI_1.clear();
    z.VRI_2.clear();

    z.ECB_38.clear();
    if (razredJe(k, {"E", "I", "O"})) z.ECB_38 = r.Kotira ? "1" : "2";
    if (razredJe(k, {"M"}) && (vknt == "6" || v.SFVPKRT() == "POSOJILO")) z.ECB_38 = "2";
    const int kkonto = v.KKONTO();
    if (kkonto == 257 || kkonto == 379) z.ECB_38 = "2";

    z.ECB_39.clear();
    if (razredJe(k, {"E", "I", "O"}) && r.Kotira) {
        if (v.SFTPF() == "T")
            z.ECB_39 = "23";
        else
            z.ECB_39 = indeksTom(k, kuponTekst(k, "SFINX")) ? "23" : z.ECB_15;
    }
    if (vknt == "1") z.ECB_39 = "02";
    const int idpog = v.IDPOG();
    if (jeEden(vknt, {"F", "9", "2"}) && (idpog == 60390 || idpog == 60391)) z.ECB_39 = "02";
    if (v.SFGLVENT() != "%" && jeEden(vknt, {"1", "F", "2"})) z.ECB_39.clear();
}

} // namespace orv::koraki
