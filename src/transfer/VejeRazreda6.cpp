// The class 6 branches: deals of kind Z and their linked repayments.

#include "transfer/IzvorneVeje.h"

namespace orv {

namespace {

// The master deal's absolute amount less the absolute sum of the "z" deals that DOGLNK links to
// it with kind C, dated up to the reporting day.
std::string neodplacano(const DatumiPorocila& d) {
    return zdruzi({"ABS (ROUND (d.zlz, 2))", "- ABS (NVL ((SELECT SUM (ROUND (d2.zlz, 2))",
                   "FROM dog d2", "WHERE d2.sfpdg = 'z'", "AND d2.dan <= '" + d.besediloOkna + "'",
                   "AND d2.iddog IN (", "SELECT iddogdetail", "FROM doglnk",
                   "WHERE iddogmaster = d.iddog", "AND sflnk = 'C')),", "0", ")", ")"});
}

std::string vsotaNeodplacanega(const DatumiPorocila& d) {
    return zdruzi({"SUM", "((", neodplacano(d), "))"});
}

} // namespace

std::string veja08Razred6PosliZ(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam
        .zamenjaj(1, "DECODE (INSTR (MAX (v.krt), '_S'), 0, MAX (v.krt), SUBSTR (MAX (v.krt), 1, "
                     "LENGTH (MAX (v.krt)) - 2)  )")
        .zamenjaj(5, vsotaNeodplacanega(d))
        .zamenjaj(28, "MAX (K.idvp)")
        .zamenjaj(45, vsotaNeodplacanega(d))
        .zamenjaj(46, "d.zpd");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({"k.datumv >= '" + d.zacetek2007 + "'", "k.datumv <= '" + d.dan + "'",
              "m.vknt IN ('6')", izbira.filtri.pogodba, izbira.filtri.razred, "d.sfpdg = 'Z'",
              "d.dan <= '" + d.besediloOkna + "'", neodplacano(d) + " > 0"}),
        "GROUP BY k.vp, k.konto, k.idpog, d.zpd, m.vknt",
    });
}

// Postings of the reporting month on contracts without open deal amounts of period 2; a group
// whose postings of the month net to zero gives no row, though the row itself carries zeros.
std::string veja10NicelniRazred6(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam
        .zamenjaj(1, "TO_CHAR(MAX(K.IDVP)) || DECODE (INSTR (MAX (v.krt), '_S'), 0, MAX (v.krt), "
                     "SUBSTR (MAX (v.krt), 1, LENGTH (MAX (v.krt)) - 2) )")
        .zamenjaj(5, "0")
        .zamenjaj(28, "MAX (K.idvp)")
        .zamenjaj(45, "0");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({"k.datumv > ADD_MONTHS(LAST_DAY('" + d.besediloOkna + "'), -1)",
              "k.datumv <= LAST_DAY('" + d.besediloOkna + "')", "k.idobd >= 0", "m.vknt IN ('6')",
              izbira.filtri.pogodba, izbira.filtri.razred,
              "k.idpog NOT IN (SELECT d3.idpog FROM dog d3 WHERE d3.dan < LAST_DAY ('" +
                  d.besediloOkna +
                  "') AND d3.idobd = 2 GROUP BY d3.idpog HAVING ROUND(SUM (d3.zlz),2) <> 0)"}),
        "GROUP BY k.vp, k.konto, k.idpog, m.vknt",
        "HAVING SUM(k.bznesek - k.dznesek) <> 0",
    });
}

} // namespace orv
