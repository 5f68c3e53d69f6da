// Steps 1 to 6: the coupon period of the row, the identifying fields, the first credit grade,
// the contract number and the deal data.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/Pravila.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/Poizvedba.h"

namespace orv::koraki {

void Kuponi(KontekstPrenosa& k) {
    BeriKupon(k.dm, k.okno, k.izvor.SFVP());
    k.zapis.VKNT = k.izvor.VKNT();
}

void OrgenIdKom(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    z.ORGEN = "100";
    // A row of the bank's own dealing ("L") names the issuer, any other the counterparty.
    const std::string komitent = v.DEJAVNOST() == "L" ? v.O_KRTBNK() : v.OP_KRTBNK();
    z.ID_KOM = prvih(komitent, 8);
    if (jeEden(vknt, {"7", "8", "B", "C"})) z.ID_KOM = zadnjih("00000000" + komitent, 8);
    if (jeEden(vknt, {"B", "C"}) && v.GRUPIRAJ() == "D")
        z.ID_KOM = zadnjih("00000000" + v.O_KRTBNK(), 8);
    const std::string konto = trim(v.KONTO());
    if (prvih(konto, 3) == "171" || prvih(konto, 3) == "090" || prvih(konto, 4) == "9788")
        z.ID_KOM = "00002755";
}

void IdBoniteta(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const std::string& razred = k.vrstica.Razred;
    if (jeEden(razred, {"E", "G", "O", "M"}))
        z.ID_BONITETA = v.SFBON();
    else if (razred == "I")
        z.ID_BONITETA.clear();
    if (vknt == "6" || vknt == "A") z.ID_BONITETA = v.OPSFBON();
    if (jeEden(z.ID_KOM, {"00004790", "00044229", "00025283"}))
        z.ID_BONITETA = PosebniSfbon(k.dm, k.okno, z.ID_KOM);
    if (jeEden(vknt, {"7", "8", "A"})) z.ID_BONITETA = v.SFDJV() != "L" ? v.OPSFBON() : v.SFBON();
}

void Pogodba(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    const std::string idpog = v.tekst("IDPOG");
    const std::string idpog5 = zadnjih("00000" + idpog, 5);
    const std::string kratko = trim(v.SFVPKRT());
    if (v.SFDJV() == "L" && celoIzBesedila(idpog) != 4790)
        z.POGODBA = prvih(idpog5 + kratko, 30);
    else
        z.POGODBA = idpog5;
    if (vknt == "3" || vknt == "A") z.POGODBA = prvih(idpog + kratko, 30);
}

void PodatkiPosla(KontekstPrenosa& k) {
    TDM& dm = k.dm;
    const IzvornaVrstica& v = k.izvor;
    const std::string posel = "SELECT sfdog FROM dog WHERE iddog=:idmaster ";
    k.vrstica.SfdogPosla = showAndRethrow(k.okno, "", posel, [&] {
        openWithVariables(dm, dm.qDog1, posel, {{"IDMASTER", v.IDMASTER()}});
        return dm.qDog1.FieldByName("SFDOG").AsString();
    });
    if (k.zapis.VKNT != "D") return;
    // A class D row points at its deal through TRG_SLAB; the contract carries that deal's year.
    const std::string letnica = " SELECT EXTRACT (YEAR FROM dan) letnica, zpd, dan FROM dog WHERE "
                                "iddog = (SELECT iddog FROM trg_slab WHERE iddogslab=:idmaster) ";
    k.vrstica.LetnicaPosla = showAndRethrow(k.okno, "", letnica, [&] {
        openWithVariables(dm, dm.qDog1, letnica, {{"IDMASTER", v.IDMASTER()}});
        return dm.qDog1.FieldByName("LETNICA").AsString();
    });
    const std::string kratko = trim(v.SFVPKRT());
    k.zapis.POGODBA = prvih(v.tekst("IDPOG") + k.vrstica.LetnicaPosla, 30);
    if (kratko != "POGODBA" && kratko != "POSOJILO") k.zapis.POGODBA += kratko;
}

void Zavarovanje(KontekstPrenosa& k) {
    k.zapis.ZAVAROVANJE = k.vrstica.Razred == "M" ? "D" : "X";
    const std::string sffin = k.izvor.SFFIN();
    k.vrstica.Kotira = SteviloListFin(k.dm, k.okno, sffin);
    k.vrstica.ListaFin = ListFin(k.dm, k.okno, sffin);
}

} // namespace orv::koraki
