#include "DemoBankBranches.h"

#include <cstdio>
#include <stdexcept>

namespace orv::demo::test {

namespace {

std::string datum(int day, int month, int year) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
}

const char* const kStandardJoins = R"(
 LEFT OUTER JOIN sifkont sifkont ON (k.konto = sifkont.ctrl and k.konto is not null)
 LEFT OUTER JOIN sfvp v ON (k.vp = v.sfvp and k.vp is not null)
 LEFT OUTER JOIN osb o ON (v.sfosbizd = o.sfosb and v.sfosbizd is not null)
 LEFT OUTER JOIN pog pog ON (k.idpog = pog.idpog and k.idpog is not null)
 LEFT OUTER JOIN osb op ON (pog.sfosb = op.sfosb and pog.sfosb is not null)
 LEFT OUTER JOIN org org ON (pog.sforg = org.sforg)
 LEFT OUTER JOIN fin fin ON (v.sffin = fin.sffin)
 LEFT OUTER JOIN vlt vlt ON (v.sfvltnmn = vlt.sfvlt) )";

const char* const kHead = " FROM KNJIZBE K JOIN matrika m ON (k.konto = m.ctrl AND m.vprc = '3') ";
const char* const kDog =
    " LEFT OUTER JOIN dog d ON (k.idmaster = d.iddog and k.idmaster is not null) ";
const char* const kSelect =
    "SELECT MIN(M.VKNT) VKNT, MAX(K.IDPOG) IDPOG, SUM(K.BZNESEK-K.DZNESEK) ZNESEK ";

std::string chain() {
    return std::string(kHead) + kDog + kStandardJoins;
}

std::string vrednost(const char* plus = "lot + zkr") {
    return std::string("ROUND (lot + zkr + nvl(dvk,0)/100*(") + plus + "), 2)";
}

// The four kinds of master deal that keep a class A posting.
std::string glavniPosli(const Porocilo& p) {
    const std::string sum = "SUM (" + vrednost() + ")";
    const std::string sum2 = "SUM (" + vrednost("lot +zkr") + ")";
    return "((k.idmaster IN ("
           "SELECT d.iddog FROM dog d WHERE iddog = k.idmaster AND sfpdg NOT IN ('S', '>') "
           "AND brezsto = 'D' AND stn is NULL AND ABS(((" +
           vrednost() + " - NVL ((SELECT " + sum +
           " FROM dog WHERE iddoggot = d.iddog AND dan <= '" + p.dan +
           "'),0))))>0"
           " UNION ALL "
           "SELECT d.iddog FROM dog d WHERE iddog = k.idmaster AND sfpdg IN ('>') AND stn is NULL "
           "AND NOT EXISTS (SELECT * FROM dog WHERE sfpdg = 'S' AND iddog = d.iddogsto) "
           "AND ABS(((NVL ((SELECT " +
           sum + " FROM dog WHERE iddoggot = d.iddoggot AND dan <= '" + p.dan +
           "'), 0) - NVL ((SELECT " + sum2 + " FROM dog WHERE iddog = d.iddoggot  AND dan <= '" +
           p.dan +
           "'), 0))))>0 AND (iddoggot <> 0 OR iddoggot IS NULL)"
           " UNION ALL "
           "SELECT d.iddog FROM dog d WHERE iddog = k.idmaster AND sfpdg IN ('S') AND stn is NULL "
           "AND ABS(((" +
           vrednost() + " - NVL ((SELECT " + sum +
           " FROM dog WHERE iddogsto = d.iddog AND dan <= '" + p.dan +
           "'),0))))>0."
           " UNION ALL "
           "SELECT d.iddog FROM dog d WHERE iddog = k.idmaster AND sfpdg IN ('>') AND stn is NULL "
           "AND ABS(((NVL ((SELECT " +
           sum + " FROM dog WHERE iddogsto = d.iddogsto  AND dan <= '" + p.dan +
           "'), 0) - NVL ((SELECT " + sum2 + " FROM dog WHERE iddog = d.iddogsto AND dan <= '" +
           p.dan + "'), 0))))>0 AND (iddogsto <> 0 OR iddogsto IS NULL))))";
}

const char* const kPlanGroup =
    " (CASE WHEN (D.IDDOGSTO IS NULL OR D.IDDOGSTO=0) THEN d.zpd ELSE D1.ZPD END),"
    " ( CASE WHEN (D.IDDOGSTO IS NULL OR D.IDDOGSTO =0) THEN d.idvpl ELSE D1.idvpl END), m.vknt";

std::string veja2(const Porocilo& p, const std::string& f) {
    return std::string(kSelect) + kHead +
           " LEFT OUTER JOIN dog d ON (k.idmaster = d.iddog and k.idmaster is not null and "
           "k.idmaster != 0) LEFT OUTER JOIN vpl ON (d.idvpl=vpl.idvpl) "
           "LEFT OUTER JOIN DOG D1 ON (D1.IDDOG=D.IDDOGSTO) " +
           kStandardJoins + " WHERE K.DATUMV>='1.1.2007' AND K.DATUMV<='" + p.dan + "'" + f +
           " AND M.VKNT IN ('A')  and d.stn is null AND " + glavniPosli(p) +
           " GROUP BY k.vp, k.konto, k.idpog," + kPlanGroup +
           " HAVING SUM(K.BZNESEK    -K.DZNESEK) > 0.02";
}

std::string veja3(const Porocilo& p, const std::string& f) {
    return std::string(kSelect) + kHead +
           " LEFT OUTER JOIN dog d ON (k.idmaster  = d.iddog AND k.idmaster IS NOT NULL AND "
           "k.idmaster != 0) LEFT OUTER JOIN DOG D1 ON (D1.IDDOG=D.IDDOGSTO) "
           "LEFT OUTER JOIN DOG DOGSTN ON (D.IDDOG=DOGSTN.IDDOGSTN) "
           "LEFT OUTER JOIN vpl ON (d.idvpl=vpl.idvpl) " +
           kStandardJoins + " WHERE K.DATUMV>='" + p.zacetekLeta + "' AND K.DATUMV<='" + p.dan +
           "'" + f + " AND M.VKNT       IN ('A') and d.stn is not null AND dogstn.dan >= '" +
           p.dan + "'" + " GROUP BY k.vp, k.konto, k.idpog," + kPlanGroup;
}

std::string leto(const Porocilo& p) {
    return " WHERE K.DATUMV>='" + p.zacetekLeta + "' AND K.DATUMV<='" + p.dan + "'";
}

const char* const kRazred57 = "CASE WHEN k.konto = 78  THEN 64867 WHEN k.konto = 611 THEN 64381 "
                              "WHEN k.konto = 308 THEN 64449 WHEN K.KONTO = 257 THEN 4790 "
                              "WHEN K.KONTO = 379 THEN 4790 ELSE k.idpog end";

std::string veja8(const Porocilo& p, const std::string& f) {
    const std::string outstanding =
        "ABS (ROUND (d.zlz, 2)) - ABS (NVL ((SELECT SUM (ROUND (d2.zlz, 2)) FROM dog d2 "
        "WHERE d2.sfpdg = 'z' AND d2.dan <= '" +
        p.dan +
        "' AND d2.iddog IN ( SELECT iddogdetail "
        "FROM doglnk WHERE iddogmaster = d.iddog AND sflnk = 'C')), 0 ) )";
    return "SELECT MIN(M.VKNT) VKNT, MAX(K.IDPOG) IDPOG, SUM((" + outstanding + ")) ZNESEK " +
           chain() + " WHERE k.datumv >= '01.01.2007' AND k.datumv <= '" + p.dan + "'" +
           " AND m.vknt IN ('6')" + f + " AND d.sfpdg = 'Z' AND d.dan <= '" + p.dan + "' AND " +
           outstanding + " > 0 GROUP BY k.vp, k.konto, k.idpog, d.zpd, m.vknt";
}

std::string veja9(const Porocilo& p, const std::string& f) {
    const std::string period = "CASE WHEN k.idobd = " + p.lani + " THEN k.idobd ELSE  0 END";
    const std::string master = "CASE WHEN k.idmaster = 0 THEN CASE WHEN k.idobd = " + p.lani +
                               " THEN k.idmaster ELSE  rownum END ELSE k.idmaster END";
    return std::string(kSelect) + chain() + " WHERE k.datumv >= '" + p.zacetekLani +
           "' AND k.datumv <= '" + p.dan + "' AND m.vknt IN ('3', '4')" + f +
           " AND (K.IDOBD>=0 OR K.IDOBD= " + p.lani + ") GROUP BY k.konto, k.valuta, " + period +
           ", " + master + ",K.IDVP";
}

std::string mesec(const Porocilo& p) {
    return " WHERE k.datumv > ADD_MONTHS(LAST_DAY('" + p.dan +
           "'), -1) AND k.datumv <= LAST_DAY('" + p.dan + "') AND k.idobd >= 0";
}

std::string veja10(const Porocilo& p, const std::string& f) {
    return std::string(kSelect) + chain() + mesec(p) + " AND m.vknt IN ('6')" + f +
           " AND k.idpog NOT IN (SELECT d3.idpog FROM dog d3 WHERE d3.dan < LAST_DAY ('" + p.dan +
           "') AND d3.idobd = 2 GROUP BY d3.idpog HAVING ROUND(SUM (d3.zlz),2) <> 0)" +
           " GROUP BY k.vp, k.konto, k.idpog, m.vknt HAVING SUM(k.bznesek - k.dznesek) <> 0";
}

std::string veja11(const Porocilo& p, const std::string& f) {
    return std::string(kSelect) + kHead + kDog + " LEFT OUTER JOIN vpl  ON (d.idvpl=vpl.idvpl) " +
           kStandardJoins + mesec(p) + f + " AND m.vknt IN ('A')" +
           " AND k.idpog NOT IN (SELECT d3.idpog FROM dog d3 WHERE d3.dan < LAST_DAY ('" + p.dan +
           "') AND d3.idobd = 2 GROUP BY d3.idpog HAVING ABS(ROUND(SUM (d3.ter),2)) > 0.02)" +
           " GROUP BY k.vp, k.konto, k.idpog, m.vknt";
}

// Class D: the label is the related deal's payment plan, or POSOJILO without one.
std::string veja12(const Porocilo& p, const std::string& f) {
    const std::string select =
        "SELECT m.vknt VKNT, k.idpog IDPOG, MAX(k.vp) SFVP, ROUND (SUM (k.bznesek - k.dznesek), 4) "
        "ZNESEK1, CASE WHEN vpl.st IS NULL THEN 'POSOJILO' ELSE vpl.st END SFVPKRT ";
    const std::string rest = std::string(" LEFT OUTER JOIN osb op ON (pog.sfosb = op.sfosb and "
                                         "pog.sfosb is not null) ") +
                             "LEFT OUTER JOIN org org ON (pog.sforg = org.sforg) "
                             "LEFT OUTER JOIN fin fin ON (v.sffin = fin.sffin) "
                             "LEFT OUTER JOIN vlt vlt ON (v.sfvltnmn = vlt.sfvlt) ";
    const std::string front =
        std::string(kHead) + kDog +
        " LEFT OUTER JOIN sifkont sifkont ON (k.konto = sifkont.ctrl and k.konto is not null)"
        " LEFT OUTER JOIN sfvp v ON (k.vp = v.sfvp and k.vp is not null)"
        " LEFT OUTER JOIN osb o ON (v.sfosbizd = o.sfosb and v.sfosbizd is not null)"
        " LEFT OUTER JOIN pog pog ON (k.idpog = pog.idpog and k.idpog is not null) ";
    const std::string group =
        " GROUP BY k.konto, k.valuta, d_slab.iddog, k.idpog,  vpl.st, K.IDVP, m.vknt";
    const std::string inner1 =
        select + front +
        "LEFT OUTER JOIN trg_slab ON (trg_slab.iddogslab=k.idmaster) "
        "LEFT OUTER JOIN dog d_slab ON (trg_slab.iddog=d_slab.iddog) "
        "LEFT OUTER JOIN vpl ON (d_slab.idvpl=vpl.idvpl) " +
        rest + " WHERE K.DATUMV   >='1.1.2017' AND K.DATUMV     <='" + p.dan + "'" + f +
        " AND k.idobd     >= 0 AND m.vknt      IN ('D') AND d.sfdog=917 AND d.iddoggot IS NULL" +
        group;
    const std::string inner2 =
        select + front +
        "LEFT OUTER JOIN dog d_slab ON (d.iddoggot=d_slab.iddog) "
        "LEFT OUTER JOIN vpl ON (d_slab.idvpl=vpl.idvpl) " +
        rest + " WHERE K.DATUMV   >='1.1.2017' AND k.datumv <= '" + p.dan + "'" + f +
        " AND k.idobd     >= 0 AND m.vknt      IN ('D')" +
        " AND (d.sfdog <> 917 OR (d.sfdog    = 917 AND d.iddoggot IS NOT NULL) )" + group;
    return "SELECT MIN(VKNT) VKNT, MAX(IDPOG) IDPOG, SUM(ZNESEK1) ZNESEK, MAX(SFVPKRT) SFVPKRT "
           "FROM (" +
           inner1 + " UNION " + inner2 +
           ") GROUP BY SFVPKRT, SFVP, VKNT, IDPOG HAVING SUM(ZNESEK1) <> 0";
}

} // namespace

Porocilo porocilo(int day, int month, int year) {
    return {datum(day, month, year), datum(1, 1, year), datum(1, 1, year - 1),
            std::to_string(year - 1)};
}

std::string veja(int branch, const Porocilo& p, const std::string& pogodba) {
    const std::string f = pogodba.empty() ? "" : " AND k.idpog='" + pogodba + "'";
    switch (branch) {
    case 1:
        return std::string(kSelect) + chain() + leto(p) +
               " AND M.GRUPIRAJ='N' AND M.VKNT NOT IN ('A', 'B', 'C', 'D', '6', '3', '4', '7', '8')"
               " AND ((M.VKNT IN ('9') AND FIN.SFFIN<>'G') OR M.VKNT NOT IN ('9') )" +
               f + " GROUP BY K.VP,  K.KONTO, K.IDPOG, M.VKNT, K.IDVP";
    case 2:
        return veja2(p, f);
    case 3:
        return veja3(p, f);
    case 4:
        return std::string(kSelect) + kHead + kDog + kStandardJoins + leto(p) +
               " AND M.VKNT IN ('7', '8')" + f +
               " GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt, k.idpog, k.vp";
    case 5:
        return std::string(kSelect) + chain() + leto(p) +
               " AND M.VKNT IN ( 'B') AND m.grupiraj='D'" + f +
               " GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt, " + kRazred57;
    case 6:
    case 7:
        return std::string(kSelect) + chain() + leto(p) +
               " AND ( (M.VKNT IN ( 'B') AND m.grupiraj='N') OR M.VKNT IN ( 'C'))" + f +
               (branch == 6
                    ? " AND k.dejavnost<>'L' GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt, "
                      "k.idpog"
                    : " AND k.dejavnost='L' GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt, "
                      "k.vp, k.idpog, K.idvp");
    case 8:
        return veja8(p, f);
    case 9:
        return veja9(p, f);
    case 10:
        return veja10(p, f);
    case 11:
        return veja11(p, f);
    case 12:
        return veja12(p, f);
    default:
        throw std::invalid_argument("no branch " + std::to_string(branch));
    }
}

} // namespace orv::demo::test
