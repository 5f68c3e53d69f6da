#include "transfer/IzvorneVeje.h"

namespace orv {

// Classes 3 and 4 from the start of the previous year. Postings without a master deal keep
// master 0 when their period is the previous year; every other one gets its row number and so
// forms a row of its own.
std::string veja09Razreda34(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    const std::string obdobje = "CASE WHEN k.idobd = " + d.lani + " THEN k.idobd ELSE  0 END";
    const std::string glavni = "CASE WHEN k.idmaster = 0 THEN CASE WHEN k.idobd = " + d.lani +
                               " THEN k.idmaster ELSE  rownum END ELSE k.idmaster END";
    IzbirniSeznam seznam;
    seznam.zamenjaj(27, "k.valuta")
        .zamenjaj(40, "max(k.idpog)")
        .zamenjaj(41, glavni)
        .zamenjaj(48, "max(k.vp)")
        .zamenjaj(51, "max(k.vp)")
        .zamenjaj(52, "max(m.vknt)")
        .zamenjaj(78, obdobje);
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({"k.datumv >= '" + d.zacetekLani + "'", "k.datumv <= '" + d.dan + "'",
              "m.vknt IN ('3', '4')", izbira.filtri.pogodba, izbira.filtri.razred,
              "(K.IDOBD>=0 OR K.IDOBD= " + d.lani + ")"}),
        "GROUP BY k.konto, k.valuta, " + obdobje + ", " + glavni + ",K.IDVP",
    });
}

} // namespace orv
