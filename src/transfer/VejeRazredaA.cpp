// The class A branches: postings tied to deals, labelled by the deal's payment plan.

#include "transfer/IzvorneVeje.h"

namespace orv {

namespace {

// A deal's value: LOT plus ZKR, increased by DVK per cent, rounded to two decimals.
const std::string kVrednost = "ROUND (lot + zkr + nvl(dvk,0)/100*(lot + zkr), 2)";
const std::string kVsotaVrednosti = "SUM (" + kVrednost + ")";
// The same sum, written as the second operand of sub-selects 2 and 4 writes it.
const std::string kVsotaVrednosti2 = "SUM (ROUND (lot + zkr + nvl(dvk,0)/100*(lot +zkr), 2))";

// Branches 2 and 3 label a row by the payment plan and the year of the earliest deal, and date
// it by the deal's maturity or by that of the deal it points to through IDDOGSTO.
IzbirniSeznam seznamPoslovA() {
    IzbirniSeznam seznam;
    seznam.zamenjaj(1, "MAX(vpl.st) || '/' || extract (YEAR FROM MIN(d.dan))")
        .zamenjaj(6, "ABS(ROUND(SUM(K.BZNESEK-K.DZNESEK), 4))")
        .zamenjaj(28, "MAX(K.IDVP)")
        .zamenjaj(46, "MAX (CASE WHEN (D.IDDOGSTO IS NULL or D.IDDOGSTO=0) THEN d.zpd ELSE "
                      "D1.ZPD END)");
    return seznam;
}

const std::string kNacrtPosla =
    "( CASE WHEN (D.IDDOGSTO IS NULL OR D.IDDOGSTO     =0) THEN d.idvpl ELSE D1.idvpl END),";

// 1: a plain deal still open against the deals pointing to it through IDDOGGOT.
std::string navadenPosel(const DatumiPorocila& d) {
    return zdruzi({"SELECT d.iddog", "FROM dog d", "WHERE iddog = k.idmaster",
                   "AND sfpdg NOT IN ('S', '>')", "AND brezsto = 'D'", "AND stn is NULL",
                   "AND ABS(((" + kVrednost + " - NVL ((SELECT " + kVsotaVrednosti, "FROM dog",
                   "WHERE iddoggot = d.iddog", "AND dan <= '" + d.dan + "'),0))))>0"});
}

// 2: a ">" deal whose IDDOGSTO deal is not an "S" deal and whose parent is still open.
std::string poselPoStarsu(const DatumiPorocila& d) {
    return zdruzi({"SELECT d.iddog", "FROM dog d", "WHERE iddog = k.idmaster", "AND sfpdg IN ('>')",
                   "AND stn is NULL", "AND NOT EXISTS (SELECT *", "FROM dog",
                   "WHERE sfpdg = 'S' AND iddog = d.iddogsto)",
                   "AND ABS(((NVL ((SELECT " + kVsotaVrednosti, "FROM dog",
                   "WHERE iddoggot = d.iddoggot AND dan <= '" + d.besediloOkna +
                       "'), 0) - NVL ((SELECT " + kVsotaVrednosti2,
                   "FROM dog",
                   "WHERE iddog = d.iddoggot  AND dan <= '" + d.besediloOkna + "'), 0))))>0",
                   "AND (iddoggot <> 0 OR iddoggot IS NULL)"});
}

// 3: an "S" deal still open against the deals pointing to it through IDDOGSTO.
std::string poselS(const DatumiPorocila& d) {
    return zdruzi({"SELECT d.iddog", "FROM dog d", "WHERE iddog = k.idmaster", "AND sfpdg IN ('S')",
                   "AND stn is NULL",
                   "AND ABS(((" + kVrednost + " - NVL ((SELECT " + kVsotaVrednosti, "FROM dog",
                   "WHERE iddogsto = d.iddog", "AND dan <= '" + d.dan + "'),0))))>0."});
}

// 4: a ">" deal whose IDDOGSTO deal is still open; its last piece closes the IN list.
std::string poselPoStorno(const DatumiPorocila& d) {
    return zdruzi({"SELECT d.iddog", "FROM dog d", "WHERE iddog = k.idmaster", "AND sfpdg IN ('>')",
                   "AND stn is NULL", "AND ABS(((NVL ((SELECT " + kVsotaVrednosti, "FROM dog",
                   "WHERE iddogsto = d.iddogsto  AND dan <= '" + d.besediloOkna +
                       "'), 0) - NVL ((SELECT " + kVsotaVrednosti2,
                   "FROM dog",
                   "WHERE iddog = d.iddogsto AND dan <= '" + d.besediloOkna + "'), 0))))>0",
                   "AND (iddogsto <> 0 OR iddogsto IS NULL))"});
}

// The posting counts when its master deal is one of the four kinds above.
std::string pogojGlavnegaPosla(const DatumiPorocila& d) {
    return zdruzi({"((k.idmaster IN (", navadenPosel(d), "UNION ALL", poselPoStarsu(d), "UNION ALL",
                   poselS(d), "UNION ALL", poselPoStorno(d), "))"});
}

const std::string kMesecOd = "k.datumv > ADD_MONTHS (LAST_DAY ('";
const std::string kMesecDo = "k.datumv <= LAST_DAY ('";

} // namespace

std::string veja02OdprtiPosliA(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    return zdruzi({
        "SELECT",
        seznamPoslovA().besedilo(),
        zdruzitve({Zdruzitev::Knjizbe, Zdruzitev::Matrika}),
        "LEFT OUTER JOIN dog d ON (k.idmaster = d.iddog and k.idmaster is not null and "
        "k.idmaster != 0)",
        "LEFT OUTER JOIN vpl ON (d.idvpl=vpl.idvpl)",
        "LEFT OUTER JOIN DOG D1 ON (D1.IDDOG=D.IDDOGSTO)",
        zdruzitveOdDo(Zdruzitev::Sifkont, Zdruzitev::Vlt),
        kjer({"K.DATUMV>='1.1.2007'", "K.DATUMV<='" + d.dan + "'", izbira.filtri.pogodba,
              "M.VKNT IN ('A')  and d.stn is null", izbira.filtri.razred, pogojGlavnegaPosla(d)}),
        "GROUP BY k.vp, k.konto, k.idpog, (CASE WHEN (D.IDDOGSTO IS NULL OR D.IDDOGSTO=0) THEN "
        "d.zpd ELSE D1.ZPD END),",
        kNacrtPosla,
        "m.vknt",
        "HAVING SUM(K.BZNESEK    -K.DZNESEK) > 0.02",
    });
}

std::string veja03PosliSStanjemA(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    return zdruzi({
        "SELECT",
        seznamPoslovA().besedilo(),
        zdruzitve({Zdruzitev::Knjizbe, Zdruzitev::Matrika}),
        "LEFT OUTER JOIN dog d ON (k.idmaster  = d.iddog AND k.idmaster IS NOT NULL AND "
        "k.idmaster != 0)",
        "LEFT OUTER JOIN DOG D1 ON (D1.IDDOG=D.IDDOGSTO)",
        "LEFT OUTER JOIN DOG DOGSTN ON (D.IDDOG=DOGSTN.IDDOGSTN)",
        "LEFT OUTER JOIN vpl ON (d.idvpl=vpl.idvpl)",
        zdruzitveOdDo(Zdruzitev::Sifkont, Zdruzitev::Vlt),
        kjer({"K.DATUMV>='" + d.zacetekLeta + "'", "K.DATUMV<='" + d.dan + "'",
              izbira.filtri.pogodba, "M.VKNT       IN ('A') and d.stn is not null",
              izbira.filtri.razred, "dogstn.dan >= '" + d.dan + "'"}),
        "GROUP BY k.vp, k.konto, k.idpog,( CASE WHEN (D.IDDOGSTO IS NULL   OR D.IDDOGSTO =0) THEN "
        "d.zpd ELSE D1.ZPD END),",
        kNacrtPosla,
        "m.vknt",
    });
}

// Postings of the reporting month on contracts without open interest deals, all amounts 0.
std::string veja11NicelniRazredA(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam.zamenjaj(1, "MAX(vpl.st) || '/' || extract (YEAR FROM MIN(d.dan))")
        .zamenjaj(5, "0")
        .zamenjaj(28, "MAX (k.idvp)")
        .zamenjaj(45, "0");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Pog),
        "LEFT OUTER JOIN vpl  ON (d.idvpl=vpl.idvpl)",
        zdruzitveOdDo(Zdruzitev::Partner, Zdruzitev::Vlt),
        kjer({kMesecOd + d.besediloOkna + "'), -1)", kMesecDo + d.besediloOkna + "')",
              izbira.filtri.pogodba, "k.idobd >= 0", "m.vknt IN ('A')", izbira.filtri.razred,
              "k.idpog NOT IN (SELECT d3.idpog FROM dog d3 WHERE d3.dan < LAST_DAY ('" +
                  d.besediloOkna +
                  "') AND d3.idobd = 2 GROUP BY d3.idpog HAVING ABS(ROUND(SUM (d3.ter),2)) > "
                  "0.02)"}),
        "GROUP BY k.vp, k.konto, k.idpog, m.vknt",
    });
}

} // namespace orv
