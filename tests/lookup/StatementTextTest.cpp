// Every lookup's statement text, as opened and as saved to its debug file, against the text
// typed from the fragments of the lookup's description (blanks included); and every lookup's
// reaction to a failing statement: which messages it shows and whether it raises.

#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/LookupFixture.h"
#include "lookup/Rocnost.h"
#include "lookup/Salda.h"
#include "lookup/Tecaji.h"

#include "base/Besedilo.h"

#include <functional>
#include <vector>

namespace orv::test {
namespace {

// The reporting date of every case is 15.03.2024. Each text is written fragment by fragment,
// with the spliced values as separate pieces.
const std::string kTecajValute = "SELECT TCJ FROM VLN "
                                 " WHERE SFVLT= :SFVLT "
                                 " AND SFVLN = '0' "
                                 " AND DAN <= :DAN "
                                 " ORDER BY DAN DESC ";
const std::string kVrednostIndeksa = "SELECT INX FROM INX "
                                     " WHERE SFINX= :SFINX "
                                     " AND DAN <= :DAN "
                                     " ORDER BY DAN DESC ";
const std::string kOsnovaIndeksa = "SELECT OBD FROM SFINX "
                                   " WHERE SFINX= :SFINX ";
const std::string kNazivIndeksa = "SELECT NZV FROM SFINX "
                                  " WHERE SFINX= :SFINX ";
const std::string kSifraValute = "SELECT IDBNK FROM VLT"
                                 " WHERE SFVLT='"
                                 "G"
                                 "' ";
const std::string kSifraValuteQuote = "SELECT IDBNK FROM VLT"
                                      " WHERE SFVLT='"
                                      "O''B" // the quote doubled
                                      "' ";
const std::string kBeriDevizen = "SELECT devizen FROM sifkont WHERE ctrl='"
                                 "612"
                                 "' ";
const std::string kZnesekVal78 = " SELECT SUM (k.bzneseksit - k.dzneseksit) znesek "
                                 " FROM knjizbe k  "
                                 " WHERE k.datumv >= '"
                                 "01.03.2024"
                                 "' "
                                 " AND k.datumv <= '"
                                 "15.03.2024"
                                 "' "
                                 "  AND k.konto="
                                 "612"
                                 "  AND k.valuta='"
                                 "U"
                                 "' "
                                 "  AND k.idpog="
                                 "5"
                                 "  AND k.vp="
                                 "7";
const std::string kPrometKonto617 = " SELECT SUM (k.bzneseksit - k.dzneseksit) znesek "
                                    " FROM knjizbe k  "
                                    " WHERE k.datumv >= '"
                                    "01.03.2024"
                                    "' "
                                    " AND k.datumv <= '"
                                    "15.03.2024"
                                    "' "
                                    "  AND k.konto=617 "
                                    "  AND k.valuta='"
                                    "U"
                                    "' "
                                    "  AND k.idpog="
                                    "5"
                                    "  AND k.vp="
                                    "7";
const std::string kStanjeECB52Tail = " FROM knjizbe k "
                                     " WHERE k.datumv >= '"
                                     "01.01.2024"
                                     "' "
                                     " AND k.datumv <= '"
                                     "15.03.2024"
                                     "' "
                                     " AND k.idvp = "
                                     "3"
                                     " AND k.konto IN (SELECT ctrl FROM matrika WHERE vknt='"
                                     "5"
                                     "' and vprc='3') ";
const std::string kStanjeECB52Domestic =
    " SELECT sum(k.bzneseksit-k.dzneseksit) znesek " + kStanjeECB52Tail;
const std::string kStanjeECB52Foreign =
    " SELECT sum(k.bznesek-k.dznesek) znesek " + kStanjeECB52Tail;
std::string saldo34(const std::string& from, const std::string& konto) {
    return " SELECT SUM (k.bznesek - k.dznesek) znesek "
           " FROM knjizbe k  "
           " WHERE k.datumv >= '" +
           from +
           "' "
           " AND k.datumv <= '"
           "15.03.2024"
           "' "
           "  AND k.konto=" +
           konto +
           "  AND k.valuta='"
           "U"
           "' ";
}
const std::string kBeriZnesekSit = "SELECT sum(k.bzneseksit-k.dzneseksit) znesek "
                                   " FROM knjizbe k "
                                   " WHERE k.datumv >= '"
                                   "01.01.2024"
                                   "' "
                                   " AND k.datumv <= '"
                                   "15.03.2024"
                                   "' "
                                   " AND k.idvp = "
                                   "3"
                                   " AND k.konto = "
                                   "500";
const std::string kBeriPovprecje = " SELECT K.DATUMV DATUMV, "
                                   " SUM(K.DZNESEK) DZNESEK, "
                                   " SUM(K.BZNESEK) BZNESEK "
                                   " FROM KNJIZBE K, DOG D,  OSB O, SFVP V, "
                                   " FIN FIN, SIFKONT SIFKONT   "
                                   ", VLT VLT "
                                   ", POG POG "
                                   ", ORG ORG "
                                   ", MATRIKA M"
                                   " WHERE K.IDMASTER=D.IDDOG (+) "
                                   " AND k.konto = m.ctrl AND m.vprc = '3' "
                                   " AND K.VP="
                                   "7"
                                   " AND K.IDPOG="
                                   "5"
                                   " AND K.IDPOG=POG.IDPOG(+) "
                                   " AND K.VP=V.SFVP (+) "
                                   " AND V.SFVLTNMN = VLT.SFVLT (+) "
                                   " AND V.SFOSBIZD=O.SFOSB (+) "
                                   " AND POG.SFORG=ORG.SFORG (+) "
                                   " AND V.SFFIN=FIN.SFFIN (+) "
                                   " AND K.KONTO=SIFKONT.CTRL (+) "
                                   " AND K.DATUMV>='"
                                   "01.01.2024"
                                   "' "
                                   " AND K.DATUMV<='"
                                   "31.03.2024"
                                   "' "
                                   " AND SIFKONT.OZNAKA = '"
                                   "0100"
                                   "' "
                                   " AND M.VKNT IN ('1','F', '2', '6') "
                                   " GROUP BY K.DATUMV"
                                   " ORDER BY K.DATUMV ";
const std::string kBeriKupon = "SELECT  MAX(ZDNDAN) ZDNDAN, MAX(SFOBD) SFOBD, MAX(SFINX) SFINX "
                               ", MAX(REFOBM) REFOBM "
                               ", MAX(GLVOBR) GLVOBR "
                               ", MAX(ZDNDANTRG) ZDNDANTRG "
                               ", MAX(OBRPRC) OBRPRC, MAX(OBROBR) OBROBR  FROM KPN "
                               " WHERE SFVP= :SFVP "
                               " AND PRVDAN <= :report_date AND ZDNDAN >= :report_date  ";
const std::string kZadnjiDanKupona = "SELECT  ZDNDAN "
                                     "   FROM KPN "
                                     " WHERE SFVP= :SFVP "
                                     " AND PRVDAN <= :report_date AND ZDNDAN >= :report_date  ";
const std::string kSteviloDniKonec = "SELECT  MAX(ZDNDAN) ZDNDAN,  max(GLVOBR) GLVOBR  FROM KPN "
                                     " WHERE SFVP= :SFVP ";
const std::string kSteviloDniZacetek = "SELECT  MIN(PRVDAN) PRVDAN  FROM KPN "
                                       " WHERE SFVP= :SFVP ";
const std::string kBeriPrvDan1 = "SELECT prvdantrg FROM kpn WHERE sfvp=:sfvp AND stkpn=1 ";
const std::string kRacunajDanNKP = " SELECT MIN(dannkp) DANNKP FROM VPHST "
                                   " WHERE DAN= :DAN "
                                   " AND SFVP= :SFVP "
                                   " AND IDPOG= :IDPOG ";
const std::string kRacunajDanNKPMAX = " SELECT MAX(dannkp) DANNKP FROM VPHST "
                                      " WHERE DAN = :DAN "
                                      " AND SFVP= :SFVP "
                                      " AND IDPOG = "
                                      "5";
const std::string kRacunajDanNKPMIN = " SELECT MIN(dannkp) DANNKP FROM VPHST "
                                      " WHERE DAN = :DAN "
                                      " AND SFVP= :SFVP "
                                      " AND IDPOG = "
                                      "5";
const std::string kKolicinaVsehVrstic = " SELECT SUM(LOT) LOT FROM VPHST WHERE DAN = :DAN "
                                        "  AND SFVP= :SFVP ";
const std::string kKolicinaPogodbe = " SELECT SUM(LOT) LOT FROM VPHST WHERE DAN = :DAN "
                                     "  AND SFVP= :SFVP "
                                     " AND IDPOG="
                                     "5";
const std::string kKolicinaVrstice = " SELECT LOT FROM VPHST WHERE DAN = :DAN "
                                     "  AND SFVP= :SFVP "
                                     " AND IDVP="
                                     "2"
                                     " AND IDPOG="
                                     "5";
const std::string kNabavniImetje = " SELECT  GLVTCJNKP, DANNKP  FROM VPHST "
                                   " WHERE idvp = :IDVP"
                                   " AND SFVP = :SFVP  "
                                   " AND IDPOG = :IDPOG "
                                   " AND DAN = :DANNKP ";
const std::string kNabavniKotacija = "SELECT sif.Sif sifsif "
                                     " FROM sfvp"
                                     " JOIN fin ON sfvp.SfFin=fin.SfFin "
                                     " JOIN sif ON fin.SfLst=sif.sif AND sif.Ssf='LST' "
                                     " WHERE sfvp.SfVp= :SFVP ";
const std::string kSteviloListFin = "SELECT COUNT(SIF.KRT) STEV FROM FIN, SIF "
                                    " WHERE FIN.SFFIN= :SFFIN "
                                    " AND FIN.SFLST IN ('D', 'K', 'k') "
                                    " AND FIN.SFLST=SIF.SIF "
                                    " AND SIF.SSF='LST' ";
const std::string kListFin = "SELECT FIN.SFLST SFLST FROM FIN "
                             " WHERE FIN.SFFIN= :SFFIN ";
const std::string kBanTrg = " select BAN_TRG "
                            " from  POG "
                            " where idpog= :idpog ";
const std::string kPrimarniTrg = " select trg.sftrz "
                                 " from   vphst,dog,trg "
                                 " where  vphst.idvp=dog.idvp and "
                                 " vphst.dannkp = dog.dan and "
                                 " vphst.idpog=dog.idpog and "
                                 " vphst.sfvp=dog.sfvp and "
                                 " vphst.sfvp= :sfvp and "
                                 " vphst.idpog= :idpog and "
                                 " dog.sfpdg in ('N','A','B','3') and "
                                 " vphst.dan= :dan and "
                                 " vphst.sfdjv='L' and "
                                 " dog.sftrg=trg.sftrg ";
const std::string kEcbSifraTail = " WHERE ECB_SEZNAM_ID='014' "
                                  " AND INTERVAL_OD <= :VALUE "
                                  " AND (INTERVAL_DO>= :VALUE OR INTERVAL_DO IS NULL) ";
const std::string kEcbSifra14 = "SELECT  ECB_SIFR_ID  COL14 FROM ECB_SIFRANTI " + kEcbSifraTail;
const std::string kEcbSifra15 = "SELECT  ECB_SIFR_ID  COL15 FROM ECB_SIFRANTI " + kEcbSifraTail;
const std::string kVrstaObveznice = "SELECT vrsta_obveznice FROM SFVP "
                                    " WHERE sfvp="
                                    "7"
                                    " ";
const std::string kBeriJamstvo = "SELECT jamstvo FROM SFVP "
                                 " WHERE sfvp="
                                 "7"
                                 " ";
const std::string kEligible = "SELECT ECB_ELIGIBLE_DN FROM SFVP "
                              " WHERE sfvp="
                              "7"
                              " ";
const std::string kBeriVPHST112 = " SELECT dannkp FROM VPHST "
                                  " WHERE DAN= :DAN "
                                  " AND SFSVP='L'  "
                                  " AND SFVP= :SFVP "
                                  " AND IDVP= :IDVP ";
const std::string kBeriVPHSTlot = " SELECT lot, iddoggen FROM VPHST "
                                  " WHERE DAN= :DAN "
                                  " AND SFSVP='L'  "
                                  " AND SFVP= :SFVP "
                                  " AND IDVP= :IDVP ";
const std::string kBeriDogSfdog = "SELECT sfdog FROM dog WHERE iddog="
                                  "11";
const std::string kPosebniSfbon = " select sfbon from osb where krtbnk='"
                                  "00004790"
                                  "' ";

using Call = std::function<std::string(TDM&, Vmesnik&)>;

std::string number(double value) {
    return formatNumber(value);
}

// --- The calls ---------------------------------------------------------------------------

const Call kCallTecajValute = [](TDM& dm, Vmesnik& w) {
    return number(TecajValute(dm, w, "U", "15.03.2024"));
};
const Call kCallVrednostIndeksa = [](TDM& dm, Vmesnik& w) {
    return number(VrednostIndeksa(dm, w, "EUR3M", "15.03.2024"));
};
const Call kCallOsnovaIndeksa = [](TDM& dm, Vmesnik& w) {
    return number(OsnovaIndeksa(dm, w, "EUR3M"));
};
const Call kCallNazivIndeksa = [](TDM& dm, Vmesnik& w) { return NazivIndeksa(dm, w, "EUR3M"); };
const Call kCallSifraValute = [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "G"); };
const Call kCallBeriDevizen = [](TDM& dm, Vmesnik& w) { return BeriDevizen(dm, w, 612); };
const Call kCallZnesekVal78 = [](TDM& dm, Vmesnik& w) {
    return number(ZnesekVal78(dm, w, "U", 612, 5, 7));
};
const Call kCallPrometKonto617 = [](TDM& dm, Vmesnik& w) {
    return number(PrometKonto617(dm, w, "U", 5, 7));
};
Call stanjeECB52(const char* devizen) {
    return [devizen](TDM& dm, Vmesnik& w) {
        KontekstVrstice kontekst;
        kontekst.DevizenVrstice = devizen;
        kontekst.TecajVrstice = 2;
        return number(StanjeECB52(dm, w, kontekst, 3, "5"));
    };
}
// Account 300 has a posting in the year (see the rows of the suites); 301 has none, so its
// balance falls back to the month.
const Call kCallSaldo34 = [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "300", "U")); };
const Call kCallSaldo34Month = [](TDM& dm, Vmesnik& w) {
    return number(Saldo34(dm, w, "301", "U"));
};
const Call kCallBeriZnesekSit = [](TDM& dm, Vmesnik& w) {
    return number(BeriZnesekSit(dm, w, 500, 3));
};
const Call kCallBeriPovprecje = [](TDM& dm, Vmesnik& w) {
    return number(BeriPovprecje(dm, w, 5, 7, "0100"));
};
const Call kCallBeriKupon = [](TDM& dm, Vmesnik& w) {
    BeriKupon(dm, w, 7);
    return std::string();
};
const Call kCallZadnjiDanKupona = [](TDM& dm, Vmesnik& w) {
    return ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 3, 15));
};
const Call kCallRacunajSteviloDni = [](TDM& dm, Vmesnik& w) {
    KontekstVrstice kontekst;
    RacunajSteviloDni(dm, w, kontekst, 7);
    return kontekst.PrviDanKPN;
};
const Call kCallBeriPrvDan1 = [](TDM& dm, Vmesnik& w) { return BeriPrvDan1(dm, w, 7); };
const Call kCallRacunajDanNKP = [](TDM& dm, Vmesnik& w) {
    KontekstVrstice kontekst;
    RacunajDanNKP(dm, w, kontekst, 7, 5);
    return number(kontekst.DanNKP);
};
const Call kCallRacunajDanNKPMAX = [](TDM& dm, Vmesnik& w) {
    return number(RacunajDanNKPMAX(dm, w, 7, 5));
};
const Call kCallRacunajDanNKPMIN = [](TDM& dm, Vmesnik& w) {
    return number(RacunajDanNKPMIN(dm, w, 7, 5));
};
Call kolicinaVP(int idvp, int idpog) {
    return [idvp, idpog](TDM& dm, Vmesnik& w) { return number(KolicinaVP(dm, w, 7, idvp, idpog)); };
}
const Call kCallNabavniTecajNKP = [](TDM& dm, Vmesnik& w) {
    BeriKupon(dm, w, 7);
    KontekstVrstice kontekst;
    DateValue danNakupa = 0;
    return number(NabavniTecajNKP(dm, w, kontekst, 7, 1, 5, 1, encodeDate(2024, 3, 15), danNakupa));
};
const Call kCallSteviloListFin = [](TDM& dm, Vmesnik& w) {
    return std::string(SteviloListFin(dm, w, "B") ? "true" : "false");
};
const Call kCallListFin = [](TDM& dm, Vmesnik& w) { return ListFin(dm, w, "B"); };
const Call kCallBanTrg = [](TDM& dm, Vmesnik& w) { return BanTrg(dm, w, 5); };
const Call kCallPrimarniTrg = [](TDM& dm, Vmesnik& w) {
    return std::string(PrimarniTrg(dm, w, 7, 5) ? "true" : "false");
};
const Call kCallEcbSifra14 = [](TDM& dm, Vmesnik& w) { return number(EcbSifra14(dm, w, 45)); };
const Call kCallEcbSifra15 = [](TDM& dm, Vmesnik& w) { return number(EcbSifra15(dm, w, 45)); };
const Call kCallVrstaObveznice = [](TDM& dm, Vmesnik& w) { return VrstaObveznice(dm, w, 7); };
const Call kCallBeriJamstvo = [](TDM& dm, Vmesnik& w) { return BeriJamstvo(dm, w, 7); };
const Call kCallEligible = [](TDM& dm, Vmesnik& w) { return ELIGIBLE(dm, w, 7); };
const Call kCallBeriVPHST112 = [](TDM& dm, Vmesnik& w) { return BeriVPHST112(dm, w, 7, 1); };
const Call kCallBeriVPHSTlot = [](TDM& dm, Vmesnik& w) {
    int iddoggen = 0;
    return number(BeriVPHSTlot(dm, w, 7, 1, iddoggen));
};
const Call kCallBeriDogSfdog = [](TDM& dm, Vmesnik& w) { return number(BeriDogSfdog(dm, w, 11)); };
const Call kCallPosebniSfbon = [](TDM& dm, Vmesnik& w) { return PosebniSfbon(dm, w, "00004790"); };

// --- Statement texts -----------------------------------------------------------------------

struct TextCase {
    const char* name;
    Call call;
    TOracleDataSet TDM::*dataset;
    std::string expected;
    const char* debugFile = "";
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
    return out << c.name;
}

const TextCase kTextCases[] = {
    {"TecajValute", kCallTecajValute, &TDM::Qvln, kTecajValute},
    {"VrednostIndeksa", kCallVrednostIndeksa, &TDM::Qinx, kVrednostIndeksa},
    {"OsnovaIndeksa", kCallOsnovaIndeksa, &TDM::Qsfinx, kOsnovaIndeksa},
    {"NazivIndeksa", kCallNazivIndeksa, &TDM::Qsfinx, kNazivIndeksa},
    {"SifraValute", kCallSifraValute, &TDM::Qvlt, kSifraValute},
    {"SifraValute, a quote in the key",
     [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "O'B"); }, &TDM::Qvlt, kSifraValuteQuote},
    {"BeriDevizen", kCallBeriDevizen, &TDM::Qsifkont, kBeriDevizen},
    {"ZnesekVal78", kCallZnesekVal78, &TDM::Qknjizbe6, kZnesekVal78, "vknt78.SQL"},
    {"PrometKonto617", kCallPrometKonto617, &TDM::Qknjizbe6, kPrometKonto617, "konto617.SQL"},
    {"StanjeECB52, domestic", stanjeECB52("N"), &TDM::Qknjizbe6, kStanjeECB52Domestic},
    {"StanjeECB52, foreign", stanjeECB52("D"), &TDM::Qknjizbe6, kStanjeECB52Foreign},
    {"Saldo34, year", kCallSaldo34, &TDM::Qknjizbe6, saldo34("01.01.2024", "300")},
    {"Saldo34, month", kCallSaldo34Month, &TDM::Qknjizbe6, saldo34("01.03.2024", "301")},
    {"BeriZnesekSit", kCallBeriZnesekSit, &TDM::Qsifkont, kBeriZnesekSit},
    {"BeriPovprecje", kCallBeriPovprecje, &TDM::Q2, kBeriPovprecje, "Povprecje.SQL"},
    {"BeriKupon", kCallBeriKupon, &TDM::Qkpn, kBeriKupon},
    {"ZadnjiDanKupona", kCallZadnjiDanKupona, &TDM::Qkpn3, kZadnjiDanKupona},
    {"RacunajSteviloDni", kCallRacunajSteviloDni, &TDM::Qkpn2, kSteviloDniZacetek},
    {"BeriPrvDan1", kCallBeriPrvDan1, &TDM::qKpn5, kBeriPrvDan1},
    {"RacunajDanNKP", kCallRacunajDanNKP, &TDM::Qvphst2, kRacunajDanNKP},
    {"RacunajDanNKPMAX", kCallRacunajDanNKPMAX, &TDM::Qvphst, kRacunajDanNKPMAX},
    {"RacunajDanNKPMIN", kCallRacunajDanNKPMIN, &TDM::Qvphst, kRacunajDanNKPMIN},
    {"KolicinaVP, all lines", kolicinaVP(0, 0), &TDM::Qvphst, kKolicinaVsehVrstic},
    {"KolicinaVP, a contract", kolicinaVP(0, 5), &TDM::Qvphst, kKolicinaPogodbe},
    {"KolicinaVP, a line", kolicinaVP(2, 5), &TDM::Qvphst, kKolicinaVrstice},
    {"NabavniTecajNKP, holding", kCallNabavniTecajNKP, &TDM::Qvphst1, kNabavniImetje},
    {"NabavniTecajNKP, listing", kCallNabavniTecajNKP, &TDM::Qsifsif, kNabavniKotacija},
    {"SteviloListFin", kCallSteviloListFin, &TDM::Qfin, kSteviloListFin},
    {"ListFin", kCallListFin, &TDM::Qfin, kListFin},
    {"BanTrg", kCallBanTrg, &TDM::Qpog, kBanTrg},
    {"PrimarniTrg", kCallPrimarniTrg, &TDM::Qvphst2, kPrimarniTrg},
    {"EcbSifra14", kCallEcbSifra14, &TDM::Qecb, kEcbSifra14},
    {"EcbSifra15", kCallEcbSifra15, &TDM::Qecb, kEcbSifra15},
    {"VrstaObveznice", kCallVrstaObveznice, &TDM::Qsfvp, kVrstaObveznice},
    {"BeriJamstvo", kCallBeriJamstvo, &TDM::Qsfvp, kBeriJamstvo},
    {"ELIGIBLE", kCallEligible, &TDM::Qsfvp, kEligible},
    {"BeriVPHST112", kCallBeriVPHST112, &TDM::QvphstLOT, kBeriVPHST112},
    {"BeriVPHSTlot", kCallBeriVPHSTlot, &TDM::QvphstLOT, kBeriVPHSTlot},
    {"BeriDogSfdog", kCallBeriDogSfdog, &TDM::QdogSfdog, kBeriDogSfdog},
    {"PosebniSfbon", kCallPosebniSfbon, &TDM::Qosb2, kPosebniSfbon, "A.SQL"},
};

// The rows the cases need to take their paths.
void addRows(TestBank& bank) {
    bank.exec("INSERT INTO KNJIZBE (KONTO, VALUTA, DATUMV, BZNESEK, DZNESEK) "
              "VALUES (300, 'U', '10.01.2024', 1, 0)");
}

struct StatementText : SharedBankSuite, ::testing::WithParamInterface<TextCase> {
    static void SetUpTestSuite() {
        SharedBankSuite::SetUpTestSuite();
        addRows(bank());
    }
};

TEST_P(StatementText, AsOpenedAndAsSaved) {
    const TextCase& c = GetParam();
    window().options.DebugSQL = true;
    c.call(dm(), window());
    EXPECT_TRUE(window().messages.empty());
    const TOracleDataSet& dataset = dm().*c.dataset;
    EXPECT_TRUE(dataset.Active());
    EXPECT_EQ(dataset.SQL(), c.expected);
    if (*c.debugFile) {
        EXPECT_EQ(programFile(c.debugFile), c.expected + "\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Lookups, StatementText, ::testing::ValuesIn(kTextCases));

using DebugFiles = LookupFixture;

TEST_F(DebugFiles, OnlyWhileTheSwitchIsOn) {
    const char* files[] = {"vknt78.SQL", "konto617.SQL", "Povprecje.SQL", "A.SQL"};
    const auto runAll = [&] {
        kCallZnesekVal78(dm, window);
        kCallPrometKonto617(dm, window);
        kCallBeriPovprecje(dm, window);
        kCallPosebniSfbon(dm, window);
    };
    runAll();
    for (const char* file : files)
        EXPECT_FALSE(programFileExists(file)) << file;
    window.options.DebugSQL = true;
    runAll();
    for (const char* file : files)
        EXPECT_TRUE(programFileExists(file)) << file;
}

// --- Failure reactions ---------------------------------------------------------------------

struct FailureCase {
    const char* name;
    Call call;
    const char* breaking; // the table whose absence makes the query fail; "": an invalid date
    std::vector<std::string> messages;
    bool raises;
    std::string result = ""; // what a lookup that swallows its failure returns
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.name;
}

const std::string N = "Napaka:\r";
const std::string E = "Error: \r";

const FailureCase kFailureCases[] = {
    {"TecajValute", kCallTecajValute, "VLN", {kTecajValute}, true},
    // The date is read before the statement is built: the message shows what there is of it.
    {"TecajValute, unreadable date edit", kCallTecajValute, "", {""}, true},
    {"VrednostIndeksa", kCallVrednostIndeksa, "INX", {kVrednostIndeksa}, true},
    {"OsnovaIndeksa", kCallOsnovaIndeksa, "SFINX", {kOsnovaIndeksa}, true},
    {"NazivIndeksa", kCallNazivIndeksa, "SFINX", {kNazivIndeksa}, true},
    {"SifraValute", kCallSifraValute, "VLT", {}, true},
    {"BeriDevizen", kCallBeriDevizen, "SIFKONT", {E + kBeriDevizen}, true},
    {"ZnesekVal78", kCallZnesekVal78, "KNJIZBE", {kZnesekVal78}, true},
    {"PrometKonto617", kCallPrometKonto617, "KNJIZBE", {kPrometKonto617}, true},
    {"StanjeECB52", stanjeECB52("N"), "MATRIKA", {kStanjeECB52Domestic}, true},
    {"Saldo34", kCallSaldo34, "KNJIZBE", {saldo34("01.01.2024", "300")}, true},
    {"BeriZnesekSit", kCallBeriZnesekSit, "KNJIZBE", {E + kBeriZnesekSit}, true},
    {"BeriPovprecje", kCallBeriPovprecje, "ORG", {kBeriPovprecje}, true},
    {"BeriKupon", kCallBeriKupon, "KPN", {N + kBeriKupon}, true},
    {"ZadnjiDanKupona", kCallZadnjiDanKupona, "KPN", {N + kZadnjiDanKupona}, true},
    {"RacunajSteviloDni", kCallRacunajSteviloDni, "KPN", {N + kSteviloDniKonec}, true},
    {"BeriPrvDan1", kCallBeriPrvDan1, "KPN", {E + kBeriPrvDan1}, true},
    {"RacunajDanNKP", kCallRacunajDanNKP, "VPHST", {N + kRacunajDanNKP}, true},
    {"RacunajDanNKPMAX", kCallRacunajDanNKPMAX, "VPHST", {N + kRacunajDanNKPMAX}, true},
    {"RacunajDanNKPMIN", kCallRacunajDanNKPMIN, "VPHST", {N + kRacunajDanNKPMIN}, true},
    {"KolicinaVP", kolicinaVP(0, 0), "VPHST", {N + kKolicinaVsehVrstic}, true},
    {"NabavniTecajNKP, holding", kCallNabavniTecajNKP, "VPHST", {N + kNabavniImetje}, true},
    // The listing statement is guarded twice: two messages.
    {"NabavniTecajNKP, listing",
     kCallNabavniTecajNKP,
     "FIN",
     {N + kNabavniKotacija, kNabavniKotacija},
     true},
    {"SteviloListFin", kCallSteviloListFin, "SIF", {N + kSteviloListFin}, true},
    {"ListFin", kCallListFin, "FIN", {N + kListFin}, true},
    {"BanTrg", kCallBanTrg, "POG", {}, false, ""},
    {"PrimarniTrg", kCallPrimarniTrg, "TRG", {N + kPrimarniTrg}, true},
    {"EcbSifra14", kCallEcbSifra14, "ECB_SIFRANTI", {}, false, "1"},
    {"EcbSifra15", kCallEcbSifra15, "ECB_SIFRANTI", {}, false, "1"},
    {"VrstaObveznice", kCallVrstaObveznice, "SFVP", {E + kVrstaObveznice}, true},
    {"BeriJamstvo", kCallBeriJamstvo, "SFVP", {E + kBeriJamstvo}, true},
    {"ELIGIBLE", kCallEligible, "SFVP", {}, false, "N"},
    {"BeriVPHST112", kCallBeriVPHST112, "VPHST", {N + kBeriVPHST112}, true},
    {"BeriVPHSTlot", kCallBeriVPHSTlot, "VPHST", {N + kBeriVPHSTlot}, true},
    {"BeriDogSfdog", kCallBeriDogSfdog, "DOG", {E + kBeriDogSfdog}, true},
    {"PosebniSfbon", kCallPosebniSfbon, "OSB", {kPosebniSfbon}, true},
};

// Each case hides one table for the time of the test (and restores it afterwards).
struct FailureReaction : SharedBankSuite, ::testing::WithParamInterface<FailureCase> {
    static void SetUpTestSuite() {
        SharedBankSuite::SetUpTestSuite();
        addRows(bank());
    }
    void SetUp() override {
        SharedBankSuite::SetUp();
        if (*GetParam().breaking)
            bank().exec(std::string("ALTER TABLE ") + GetParam().breaking + " RENAME TO HIDDEN");
    }
    void TearDown() override {
        if (*GetParam().breaking)
            bank().exec(std::string("ALTER TABLE HIDDEN RENAME TO ") + GetParam().breaking);
    }
};

TEST_P(FailureReaction, MessagesAndWhetherItRaises) {
    const FailureCase& c = GetParam();
    if (!*c.breaking) window().options.eDanText = "31.02.2024";
    bool raised = false;
    std::string result;
    try {
        result = c.call(dm(), window());
    } catch (const std::exception&) {
        raised = true;
    }
    EXPECT_EQ(raised, c.raises);
    EXPECT_EQ(window().messages, c.messages);
    if (!c.raises) {
        EXPECT_EQ(result, c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Lookups, FailureReaction, ::testing::ValuesIn(kFailureCases));

} // namespace
} // namespace orv::test
