// Steps 34 to 39: the code of the holding's latest deal of certain types, the guarantee code,
// the month's movement on the row's account (carried once per contract, account and currency
// for class A), the holding's market value and the year's movements, the holding value and the
// code ECB_53.

#include "base/Besedilo.h"
#include "derive/Koraki.h"
#include "derive/OdgovoriKorakov.h"
#include "derive/Pravila.h"
#include "lookup/Poizvedba.h"
#include "lookup/Salda.h"

#include <cmath>

namespace orv::koraki {

namespace {

/// The first and the last day of the month of the row's DAT_STANJE, as dates of day texts
/// (Gregorian month ends).
struct MesecStanja {
    DateValue zacetek = 0;
    DateValue konec = 0;
};

MesecStanja mesecStanja(const KontekstPrenosa& k) {
    const DateParts d = decodeDate(k.datum(k.zapis.DAT_STANJE));
    MesecStanja m;
    m.zacetek = k.datum(dateText(1, d.month, d.year));
    m.konec = k.datum(dateText(daysInMonth(d.year, d.month), d.month, d.year));
    return m;
}

// The head of the movement statements: debit minus credit for asset accounts, the other way
// round for liabilities.
constexpr const char* kGlavaSalda = "SELECT SUM(CASE WHEN s.akt_pas='A' THEN "
                                    "k.bzneseksit-k.dzneseksit ELSE k.dzneseksit-k.bzneseksit END) "
                                    "SALDO";
constexpr const char* kIzKnjizb = " FROM knjizbe k, dog d, sifkont s ";
constexpr const char* kPogojiKonta = " AND k.konto= :konto "
                                     " AND k.konto=s.ctrl "
                                     " AND k.idobd>=0 "
                                     " AND k.datumv >= :danod AND k.datumv<= :dando ";

/// A column of the open one-row result of a dataset; 0 when the dataset is not open.
double odprtaVsota(TOracleDataSet& dataset, const char* stolpec) {
    return dataset.Active() ? dataset.FieldByName(stolpec).AsFloat() : 0;
}

} // namespace

void Ecb43X(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    TDM& dm = k.dm;
    z.ECB_43X = "99";
    if (!jeEden(v.VKNT(), {"1", "F", "2", "5", "7", "8", "9"})) return;

    const std::string imetje = "SELECT vpshst.zst zst "
                               " FROM vpshst "
                               " WHERE  vpshst.dan= :dat_stanje "
                               " and vpshst.idpog= :pogodba "
                               " and vpshst.sfvp= :sfvp ";
    const std::string posli =
        " SELECT sfdog, idvp "
        " FROM dog "
        " WHERE idpog = :idpog "
        " AND sfvp = :sfvp "
        " AND sfdog IN (248, 249, 908, 909, 963) "
        " AND dan <= :dando "
        " AND iddog  = "
        " (SELECT MAX(iddog) "
        "   FROM dog "
        "   WHERE idpog = :idpog "
        "   AND sfvp = :sfvp "
        "   AND dan <= :dando "
        "   AND sfdog IN (248, 249, 908, 909, 963) "
        "   AND dan    = "
        "   (SELECT MAX(dan) FROM dog WHERE idpog = :idpog AND sfvp = :sfvp AND dan <= :dando AND "
        "sfdog IN (248, 249, 908, 909, 963) "
        "     )"
        "   )";
    // The outer guard shows the statement that was running: the second one, when the failure
    // came from it, is shown by both guards.
    const std::string* tekoci = &imetje;
    try {
        openWithVariables(
            dm, dm.Qvph, imetje,
            {{"DAT_STANJE", k.datum(z.DAT_STANJE)}, {"POGODBA", v.IDPOG()}, {"SFVP", v.SFVP()}});
        if (dm.Qvph.FieldByName("ZST").AsFloat() > 0) {
            tekoci = &posli;
            showAndRethrow(k.okno, "", posli, [&] {
                openWithVariables(
                    dm, dm.Qsfdog, posli,
                    {{"DANDO", k.obdobje.date}, {"IDPOG", v.IDPOG()}, {"SFVP", v.SFVP()}});
                k.vrstica.SfdogPosla = dm.Qsfdog.FieldByName("SFDOG").AsString();
                k.vrstica.IdvpPosla = dm.Qsfdog.FieldByName("IDVP").AsString();
            });
            if (jeEden(k.vrstica.SfdogPosla, {"248", "249"}))
                z.ECB_43X = "15";
            else if (jeEden(k.vrstica.SfdogPosla, {"908", "909"}))
                z.ECB_43X = "02";
            dm.Qsfdog.Close();
        }
        dm.Qvph.Close();
    } catch (...) {
        k.okno.showMessage(*tekoci);
        throw;
    }
}

void Ecb116(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    const std::string vknt = v.VKNT();
    z.ECB_116 = vknt == "6" ? "3" : "";
    if (jeEden(vknt, {"1", "F", "2", "5", "7", "8", "3", "B", "E", "9"})) {
        if (jeEden(v.VRSTA_OBVEZNICE(), {"1", "F"}))
            z.ECB_116 = v.ZAJAMCENA_OM() >= 100 ? "1" : "2";
        else
            z.ECB_116 = "3";
    }
    if (v.KKONTO() == 257 || v.KKONTO() == 379) z.ECB_116 = "3";
}

void Ecb51(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    TDM& dm = k.dm;
    const std::string vknt = v.VKNT();
    z.ECB_51 = 0;

    TOracleDataSet* dataset = nullptr;
    std::string sql;
    if (jeEden(vknt, {"1", "F", "2", "5", "7", "8", "E", "9"})) {
        dataset = &dm.Qknj;
        sql = std::string(kGlavaSalda) + " " + kIzKnjizb + " WHERE k.idmaster=d.iddog (+) " +
              kPogojiKonta;
        if (vknt == "1" || vknt == "F")
            sql += " AND (d.sfpdg not in ('V', 'T', 't', 'x')  or d.sfpdg is null) ";
        sql += " AND k.idpog= :pogodba "
               " AND k.vp= :sfvp ";
        const std::string posel = trim(v.tekst("POSEL"));
        // The holding line is a number column's text; anything else is quoted and matches
        // nothing instead of changing the statement.
        if (!posel.empty()) sql += " AND k.idvp=" + sqlNumber(posel) + " ";
    } else if (jeEden(vknt, {"B", "C"})) {
        dataset = &dm.Qknj2;
        sql = std::string(kGlavaSalda) + kIzKnjizb + "WHERE k.idmaster=d.iddog (+) " +
              kPogojiKonta + " AND k.valuta= :vlt ";
        if (v.GRUPIRAJ() == "N")
            sql += " AND k.idpog= " + std::to_string(v.IDPOG()) + " " +
                   " AND k.vp= " + std::to_string(v.SFVP()) + " ";
    } else if (jeEden(vknt, {"3", "4"})) {
        dataset = &dm.Qknj4;
        sql = std::string(kGlavaSalda) + kIzKnjizb + "WHERE k.idmaster=d.iddog (+) " +
              kPogojiKonta + " AND k.valuta= :vlt " + " AND k.idmaster= :idmaster  ";
    } else if (jeEden(vknt, {"A", "6"})) {
        dataset = &dm.Qknj3;
        sql = std::string(kGlavaSalda) + kIzKnjizb + "WHERE k.idmaster=d.iddog (+) " +
              kPogojiKonta + " AND k.valuta= :vlt " + " AND k.idpog= :pogodba ";
    }
    if (!dataset) return;

    const double saldo = showAndRethrow(k.okno, "", sql, [&] {
        const MesecStanja m = mesecStanja(k);
        dataset->Close();
        dataset->setSQL(sql);
        dataset->SetVariable("DANOD", m.zacetek);
        dataset->SetVariable("DANDO", m.konec);
        dataset->SetVariable("KONTO", v.KKONTO());
        if (dataset == &dm.Qknj) {
            dataset->SetVariable("POGODBA", v.IDPOG());
            dataset->SetVariable("SFVP", v.SFVP());
        } else {
            dataset->SetVariable("VLT", v.KVALUTA());
            if (dataset == &dm.Qknj4) dataset->SetVariable("IDMASTER", v.IDMASTER());
            if (dataset == &dm.Qknj3) dataset->SetVariable("POGODBA", v.IDPOG());
        }
        dataset->Open();
        const double s = dataset->FieldByName("SALDO").AsFloat();
        dataset->Close();
        return s;
    });
    // Class F runs the statement with the deal-type filter but carries no movement.
    if (vknt != "F") z.ECB_51 = saldo;

    // Within one transfer only the first class A row of a contract, account and currency
    // carries the movement; the seen list records the triple on that first row.
    if (vknt == "A" && std::fabs(z.ECB_51) >= 0.01 &&
        k.obdelani.ZeObdelan(v.IDPOG(), v.KKONTO(), v.KVALUTA()))
        z.ECB_51 = 0;
}

void Ecb52(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    TDM& dm = k.dm;
    z.ECB_52 = 0;
    const int posel = v.POSEL();
    std::string sql = " SELECT SUM(znesek) znesek FROM( "
                      " SELECT  "
                      "   CASE "
                      "     WHEN NVL(vphst.glvtcj,0)=0 "
                      "     THEN 0 "
                      "     ELSE SUM(ROUND((vphst.lot*DECODE(vphst.glvtcj,0,0,vphst.glvvlt/"
                      "vphst.glvtcj)*NVL(qev_gettcn2(vphst.sfvp,vphst.dan),0) + "
                      "(vphst.lot*(vphst.obrvlt+vphst.revvlt)))/NVL(vphst.tcjvlt,1),2)) "
                      "   END znesek "
                      " FROM vphst "
                      " LEFT OUTER JOIN pog pog "
                      " ON (vphst.idpog  = pog.idpog  "
                      " AND vphst.idpog IS NOT NULL) "
                      " WHERE vphst.dan  = :dat_stanje "
                      " AND vphst.idpog  = :pogodba "
                      " AND vphst.sfvp   = :sfvp ";
    if (posel > 0) sql += " AND vphst.idvp=" + std::to_string(posel);
    sql += " GROUP BY vphst.idpog, "
           "          vphst.sfvp, "
           "          vphst.glvtcj ";
    if (posel > 0) sql += "          ,vphst.idvp";
    sql += " ) ";
    z.ECB_52 = showAndRethrow(k.okno, "", sql, [&] {
        openWithVariables(
            dm, dm.Qvph, sql,
            {{"DAT_STANJE", k.datum(z.DAT_STANJE)}, {"POGODBA", v.IDPOG()}, {"SFVP", v.SFVP()}},
            "ECB_52.sql");
        const double znesek = dm.Qvph.FieldByName("ZNESEK").AsFloat();
        dm.Qvph.Close();
        return znesek;
    });

    k.vrstica.DevizenVrstice = k.odgovoriKorakov.devizen(k.dm, k.okno, v.KKONTO());

    z.ECB_164N = 0;
    if (v.SFTPF() != "R") return;
    // A trading-book contract carries the year's movements of its holding line instead of the
    // market value.
    auto stanje = [&](const char* razred) {
        return StanjeECB52(dm, k.okno, k.vrstica, posel, razred);
    };
    const double s1 = stanje("1");
    const double s2 = stanje("2");
    const double s5 = stanje("5");
    const double s9 = stanje("9");
    const double sF = stanje("F");
    const double sG = stanje("G");
    z.ECB_52 = s1 + s2 + s5 + s9 + sF + sG;
    z.ECB_164N = s5 + sG;
}

void Ecb29N(KontekstPrenosa& k) {
    IzhodniZapis& z = k.zapis;
    const IzvornaVrstica& v = k.izvor;
    z.ECB_29N = 0;
    // The two holding sums of step 21, which ran under the same condition in this row and left
    // its results open. A sum that no step has opened (the holding-sum step not yet in place)
    // reads as 0, as an empty result would.
    if (v.DEJAVNOST() == "L" && v.SFGLVENT() == "%")
        z.ECB_29N = odprtaVsota(k.dm.QKpnglv, "GLV") * odprtaVsota(k.dm.Qvpshstkpn, "LOT") *
                    k.vrstica.TecajVrstice;
    if (v.SFVP() == 6122) z.ECB_29N = 200000;
}

void Ecb53(KontekstPrenosa& k) {
    const IzvornaVrstica& v = k.izvor;
    k.zapis.ECB_53.clear();
    if (v.SFDJV() != "L") k.zapis.ECB_53 = v.SFKDL() != "P" ? "2" : "1";
}

} // namespace orv::koraki
