// Steps 45 to 49: the term days of the new scheme, the acceptance flag and the purchase date,
// the write-down data of the bank's loss-allowance table, the write-down amount, and the
// write-off, measurement and closing fields.

#include "base/Besedilo.h"
#include "base/SqlText.h"
#include "derive/Koraki.h"
#include "derive/OdgovoriKorakov.h"
#include "derive/Pravila.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Poizvedba.h"

#include <stdexcept>

namespace orv::koraki {

namespace {

/// A number column's text, or "0" when it is empty after trimming.
std::string besediloAliNic(const std::string& besedilo) {
    return trim(besedilo).empty() ? "0" : besedilo;
}

/// The schema that INISET names for the write-down table, read once per transfer. A failure of
/// the settings statement is no failure of the row: the schema stays "skup". A missing row gives
/// the empty schema, which the write-down statement then cannot name.
std::string shemaMsrp9(KontekstPrenosa& k) {
    if (k.odgovoriKorakov.shemaMsrp9) return *k.odgovoriKorakov.shemaMsrp9;
    std::string shema = "skup";
    try {
        k.dm.OdpriPoizvedbo(k.dm.Qiniset,
                            "select vrednost from iniset where kljuc ='MSRP9_Shema'  ");
        shema = k.dm.Qiniset.FieldByName("VREDNOST").AsString();
    } catch (const std::exception&) {
    }
    k.odgovoriKorakov.shemaMsrp9 = shema;
    return shema;
}

} // namespace

void Ecb500N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const std::string& zapadlost = k.vrstica.ZapadlostN;
    z.ECB_500N = 0;
    z.POS_DOB = "Ne";
    // Only a failure to read the dates is ignored (DatumIzTeksta fails when the date edit holds
    // no date); the day count then stays 0.
    z.ECB_14N_DNI = 0;
    try {
        const DateValue otvoritev = k.datum(z.DAT_OTVORITVE);
        const DateValue zapadlo = k.datum(zapadlost);
        if (otvoritev < zapadlo) z.ECB_14N_DNI = zapadlo - otvoritev - 1;
    } catch (const std::runtime_error&) {
    }
    z.ECB_15N_DNI = 0;
    try {
        const DateValue zapadlo = k.datum(zapadlost);
        if (zapadlo > k.obdobje.date) z.ECB_15N_DNI = zapadlo - k.obdobje.date;
    } catch (const std::runtime_error&) {
    }
}

void Primernost(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    z.ECB_PRIMERNOST = "N";
    if (v.DEJAVNOST() == "L")
        z.ECB_PRIMERNOST = k.odgovoriKorakov.primernost(k.dm, k.okno, v.SFVP());

    z.ECB_100N.clear();
    int generirajoci = 0;
    if (BeriVPHSTlot(k.dm, k.okno, v.SFVP(), v.POSEL(), generirajoci) != 0)
        z.ECB_100N = BeriDogSfdog(k.dm, k.okno, generirajoci) == 826 ? "D" : "N";

    z.ECB_112N = BeriVPHST112(k.dm, k.okno, v.SFVP(), v.POSEL());
}

void Slabitve(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    TDM& dm = k.dm;
    k.vrstica.ShemaMsrp9 = shemaMsrp9(k);
    const std::string& shema = k.vrstica.ShemaMsrp9;
    const std::string pt = besediloAliNic(v.tekst("POSEL"));
    const std::string mt = besediloAliNic(v.tekst("IDMASTER"));

    if (k.vrstica.SfdogPosla == "963" && pt == k.vrstica.IdvpPosla) z.ECB_43X = "17";

    z.ECB_133.clear();
    z.VRSTA_SLABITVE.clear();
    z.ECB_42 = 0;

    std::string sql =
        "select ECB_133, vrsta_slabitve, ECB_42 from " + shema + ".MSRP9_SLAB_34_E   ";
    if (v.DEJAVNOST() != "N")
        sql += " where idvp=" + sqlNumber(pt) + "  and idpog=" + std::to_string(v.IDPOG()) +
               " and sfvp=" + std::to_string(v.SFVP());
    else if (v.SFVPKRT() != "POSOJILO")
        sql += " WHERE " + shema + ".MSRP9_SLAB_34_E.pogodba=" + sqlText(z.POGODBA) + " ";
    else
        sql += " WHERE MSRP9_SLAB_34_E.IDPOG = " + sqlNumber(v.tekst("IDPOG")) +
               " AND MSRP9_SLAB_34_E.idvp = " + sqlNumber(mt);
    sql += " AND dat_stanje=" + sqlText(z.DAT_STANJE) + " ";
    showAndRethrow(k.okno, "", sql, [&] {
        k.dm.OdpriPoizvedbo(dm.Qiniset, sql, "MSRP9_SLAB_34_E.SQL");
        z.ECB_133 = dm.Qiniset.FieldByName("ECB_133").AsString();
        z.VRSTA_SLABITVE = dm.Qiniset.FieldByName("VRSTA_SLABITVE").AsString();
        z.ECB_42 = dm.Qiniset.FieldByName("ECB_42").AsFloat();
    });
}

void Ecb134N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    TDM& dm = k.dm;
    const std::string sfdjv = v.SFDJV();
    z.ECB_134N.clear();
    if (sfdjv != "L") z.ECB_134N = "2";
    if (sfdjv == "L" && v.SFGLVENT() == "%") z.ECB_134N = "2";
    if (v.VKNT() == "A") z.ECB_134N = "2";
    if (v.SFVP() == 4250) z.ECB_134N = "1";

    z.ECB_89N = 0;
    const std::string doDne = " AND dan<=" + sqlText(k.obdobje.windowText) + " ";
    if (sfdjv == "L") {
        const std::string sql = "select (sum(lot*(glvvlt+obrvlt))*-1) slabitev from dog "
                                "where sfdog=916 "
                                " and idpog=:idpog "
                                " and idvp=:idvp "
                                " and sfvp=:sfvp " +
                                doDne;
        z.ECB_89N = showAndRethrow(k.okno, "", sql, [&] {
            openWithVariables(dm, dm.Qdog, sql,
                              {{"SFVP", v.SFVP()}, {"IDVP", v.POSEL()}, {"IDPOG", v.IDPOG()}});
            return dm.Qdog.FieldByName("SLABITEV").AsFloat();
        });
    }
    if (sfdjv == "N" && v.VKNT() == "A") {
        const std::string sql = "SELECT (SUM(lot*(glvvlt+obrvlt))*-1) slabitev FROM dog "
                                " WHERE iddog IN "
                                " (SELECT iddogslab "
                                " FROM trg_slab "
                                " WHERE iddog IN "
                                " (SELECT iddog  FROM dog "
                                " WHERE idvpl IN "
                                " (SELECT idvpl FROM dog WHERE iddog=:idmaster "
                                " ) "
                                " AND sfpdg='F' "
                                "   ) "
                                " ) " +
                                doDne;
        z.ECB_89N = showAndRethrow(k.okno, "", sql, [&] {
            openWithVariables(dm, dm.qDog1, sql, {{"IDMASTER", v.IDMASTER()}});
            return dm.qDog1.FieldByName("SLABITEV").AsFloat();
        });
    }
}

void Odpisi(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const bool odpisan = prvih(trim(v.KONTO()), 2) == "99" && v.SFVP() == 4250;
    z.DEL_CEL_ODPIS = odpisan ? "C" : "";
    z.ZNESEK_ODPIS_AKUM = odpisan ? 1000000 : 0;

    if (v.SFDJV() != "L") {
        z.KATEG_MER = "1";
    } else {
        const std::string sftpf = v.SFTPF();
        const bool odstotek = v.SFGLVENT() == "%";
        z.KATEG_MER.clear();
        if (sftpf == "R") z.KATEG_MER = odstotek ? "3" : "2";
        if (sftpf == "H") z.KATEG_MER = "1";
        if (v.VKNT() == "D") z.KATEG_MER = "1";
        if (odpisan) z.KATEG_MER = "1";
    }

    z.EOM = z.ECB_34;
    z.NACIN_SPREM_POSLA.clear();
    z.ECB_42_ZB = odpisan ? 100 : 0;
    z.ECB_40 = v.SFODP() == "C" ? "1" : "2";
}

} // namespace orv::koraki
