// Steps 40 to 44: the credit grade by borrower and counterparty, the fixed codes of the rows of
// classes 3, 4, B and C, the residual-maturity band, the special cases of certain instruments
// and accounts, and the group ECB_88N to ECB_130P.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/OdgovoriKorakov.h"
#include "derive/Pravila.h"
#include "lookup/Kuponi.h"
#include "lookup/Salda.h"

#include <array>

namespace orv::koraki {

namespace {

/// The columns of one party of the row: the borrower (O_) or the counterparty (OP_).
struct Komitent {
    std::string status, dejavnost, naziv, maticna, stevilka, sektor, drzava;
};

Komitent komitent(const IzvornaVrstica& v, const std::string& predpona) {
    return {v.tekst(predpona + "SFSOS"),  v.tekst(predpona + "DEJAVNOST"),
            v.tekst(predpona + "NZV"),    v.tekst(predpona + "MTS"),
            v.tekst(predpona + "KRTBNK"), v.tekst(predpona + "SEKTORIZACIJA"),
            v.tekst(predpona + "SFDRZ")};
}

void pravilaBonitete(IzhodniZapis& z, const Komitent& o) {
    const std::string naziv = toUpper(o.naziv);
    const bool hranilnica =
        naziv.find("HKS") != std::string::npos || naziv.find("HRAN") != std::string::npos;
    if ((o.status == "B" && o.dejavnost == "64.190" && !hranilnica) ||
        jeEden(prvih(o.maticna, 7), {"5214246", "5624908"})) {
        z.ID_BONITETA = "P";
        z.BONITETA_MRS = "PA";
    }
    if (o.stevilka == "00009814") {
        z.ID_BONITETA = "P";
        z.BONITETA_MRS = "PE";
    }
    if (jeEden(prvih(o.sektor, 5), {"S.121", "S.221"}) || prvih(o.sektor, 7) == "S.13111" ||
        jeEden(prvih(o.maticna, 7), {"5156700", "5554195"}) ||
        (o.status == "D" && o.drzava != "S")) {
        z.ID_BONITETA = "A";
        z.BONITETA_MRS = "A";
    }
}

/// The residual-maturity band of a number of days from the reporting date to the maturity.
const char* pasPreostaleRocnosti(int dni) {
    struct Pas {
        int doDni;
        const char* koda;
    };
    static constexpr std::array<Pas, 15> kPasovi{{{0, "01"},
                                                  {7, "13"},
                                                  {30, "23"},
                                                  {90, "04"},
                                                  {180, "05"},
                                                  {365, "06"},
                                                  {397, "17"},
                                                  {730, "27"},
                                                  {1095, "18"},
                                                  {1460, "28"},
                                                  {1825, "38"},
                                                  {2555, "19"},
                                                  {3650, "29"},
                                                  {5475, "39"},
                                                  {7300, "49"}}};
    for (const Pas& p : kPasovi)
        if (dni <= p.doDni) return p.koda;
    return "59";
}

} // namespace

void BonitetaPoKomitentu(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const bool lastni = v.SFDJV() == "L";
    z.BONITETA_MRS.clear();
    if (jeEden(vknt, {"1", "F", "2", "9"}) || (jeEden(vknt, {"7", "8"}) && lastni) ||
        (jeEden(vknt, {"B", "C"}) && v.GRUPIRAJ() == "N"))
        pravilaBonitete(z, komitent(v, "O_"));
    if (jeEden(vknt, {"A", "6", "3", "4"}) || (jeEden(vknt, {"7", "8"}) && !lastni))
        pravilaBonitete(z, komitent(v, "OP_"));
}

void VrsteVrstic(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const bool bc = jeEden(vknt, {"B", "C"});
    const bool lastni = v.SFDJV() == "L";
    if (jeEden(vknt, {"3", "4"}) || (bc && v.GRUPIRAJ() == "N" && !lastni)) {
        z.ECB_14N = "13";
        z.ECB_39N = "13";
        z.ECB_38 = "2";
    }
    if (bc && v.GRUPIRAJ() == "D" && !lastni) {
        z.ECB_14N = "01";
        z.ECB_17N = "4";
        z.ECB_38 = "2";
        z.ID_SM = "08";
        z.DAT_ZAPAD = k.obdobje.windowText;
        z.DatZapadPrvotni = k.obdobje.windowText;
        z.DAT_OTVORITVE = k.obdobje.windowText;
    }
}

void PasRocnosti(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    if (trim(z.DAT_ZAPAD).empty()) {
        z.ECB_15N = "99";
        return;
    }
    const int dni = RazlikaDni(k.datum(z.DAT_STANJE), k.datum(z.DAT_ZAPAD));
    z.ECB_15N = pasPreostaleRocnosti(dni);
}

void PosebniPrimeri(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const std::string konto = trim(v.KONTO());
    const std::string konto3 = prvih(konto, 3);
    const std::string konto4 = prvih(konto, 4);
    const bool lastni = v.DEJAVNOST() == "L" && vknt != "D";
    const int sfvp = v.SFVP();

    if (lastni && (sfvp == 2796 || sfvp == 4250)) {
        z.ECB_18N = "S";
        z.ECB_14N = "01";
        z.ECB_17N = "2";
        z.ECB_38 = "2";
    }
    if (konto4 == "0900" || konto4 == "0909") z.ECB_18N = "N";
    if (lastni && sfvp == 2796) {
        z.ECB_14N = "39";
        z.DatZapadPrvotni = "15.12.2011";
    }
    if (lastni && sfvp == 4250) {
        z.ECB_14N = "28";
        z.DatZapadPrvotni = "01.10.2011";
        z.DAT_ZAPAD = "16.06.2011";
    }
    if (konto3 == "090") {
        z.DAT_ZAPAD = k.obdobje.windowText;
        z.DatZapadPrvotni = k.obdobje.windowText;
    }
    if (vknt == "D") z.DAT_ZAPAD = prvih(trim(v.tekst("ZPDVP")), 10);
    if (konto3 == "171" || konto3 == "090" || konto4 == "9788") {
        z.ID_BONITETA = "A";
        z.BONITETA_MRS = "A";
    }
    if (konto4 == "0900" || konto4 == "0909") {
        z.DAT_OTVORITVE = z.DAT_STANJE;
        z.DAT_PRENOS = z.DAT_STANJE;
    }
    if (vknt == "D") z.DAT_OTVORITVE = v.tekst("DOGDAN");
    if (vknt == "6") z.ECB_14N = "13";
    if (vknt == "D" && k.datum(v.tekst("DOGDAN")) == k.datum(v.tekst("ZPDVP"))) z.ECB_14N = "01";
    if (vknt == "F" && v.DEJAVNOST() == "N") {
        z.ECB_14N = "13";
        z.ECB_15N = "13";
    }
}

void Ecb88Ndo130P(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string dejavnost = v.DEJAVNOST();
    const bool lastni = dejavnost == "L";
    z.ECB_88N = 0;
    z.ECB_88Z = 0;
    z.ECB_121N = "P";

    z.ECB_109N.clear();
    if (lastni && !trim(v.ISIN()).empty()) z.ECB_109N = v.ISIN();

    z.ECB_110N.clear();
    if (lastni) {
        const std::string trg = k.odgovoriKorakov.banTrg(k.dm, k.okno, v.IDPOG());
        if (trg == "T")
            z.ECB_110N = "1";
        else if (trg == "B")
            z.ECB_110N = "2";
    } else if (dejavnost == "N" || dejavnost == "T") {
        z.ECB_110N = "2";
    }

    z.ECB_111N = lastni ? k.vrstica.KolicinaVrstice : 0;
    z.ECB_115N = "2";

    z.ECB_130N = 0;
    z.ECB_130P = 0;
    if (lastni) z.ECB_130P = PrometKonto617(k.dm, k.okno, v.KVALUTA(), v.IDPOG(), v.SFVP());
    if (v.KKONTO() == 617 || v.KKONTO() == 618) z.ECB_130N = z.ZNESEK_VAL;
}

} // namespace orv::koraki
