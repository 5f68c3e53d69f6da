// The branches of classes 7, 8, B and C: balances per currency rather than per security.

#include "transfer/IzvorneVeje.h"

namespace orv {

namespace {

// The posting's deal number of the group and the security's short name without "_S".
const std::string kOznakaSkupine =
    "TO_CHAR(MAX(K.IDVP)) || DECODE(INSTR(MAX(V.KRT), '_S'), 0, MAX(V.KRT), SUBSTR(MAX(V.KRT), 1, "
    "Length(MAX(V.KRT))-2))";

// Five accounts of class B whose postings belong to one fixed counterparty and contract.
const std::string kStrankaKonta = "CASE WHEN k.konto = 78  THEN '00011908' "
                                  "WHEN k.konto = 611 THEN '00025283' "
                                  "WHEN k.konto = 308 THEN '00004790' "
                                  "WHEN K.KONTO = 257 THEN '00004790' "
                                  "WHEN K.KONTO = 379 THEN '00004790' "
                                  "ELSE MAX(o.krtbnk) END";
const std::string kPogodbaKonta = "CASE WHEN K.KONTO = 78 THEN 64867 "
                                  "WHEN K.KONTO = 611 THEN 64381 "
                                  "WHEN K.KONTO = 308 THEN 64449 "
                                  "WHEN K.KONTO = 257 THEN 4790 "
                                  "WHEN K.KONTO = 379 THEN 4790 "
                                  "ELSE K.IDPOG end";
const std::string kPogodbaKontaSkupine = "CASE WHEN k.konto = 78  THEN 64867 "
                                         "WHEN k.konto = 611 THEN 64381 "
                                         "WHEN k.konto = 308 THEN 64449 "
                                         "WHEN K.KONTO = 257 THEN 4790 "
                                         "WHEN K.KONTO = 379 THEN 4790 "
                                         "ELSE k.idpog end";

const std::string kRazredaBC = "( (M.VKNT IN ( 'B') AND m.grupiraj='N') OR M.VKNT IN ( 'C'))";

std::string odZacetkaLeta(const DatumiPorocila& d) {
    return "K.DATUMV>='" + d.zacetekLeta + "'";
}

std::string doDneva(const DatumiPorocila& d) {
    return "K.DATUMV<='" + d.dan + "'";
}

} // namespace

// The issuer join and the organisational unit differ from the standard chain: the unit is the
// posting's own, not the contract's.
std::string veja04Razreda78(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam.zamenjaj(1, kOznakaSkupine)
        .zamenjaj(27, "K.VALUTA")
        .zamenjaj(28, "MAX(K.IDVP)")
        .zamenjaj(52, "MIN(M.VKNT)")
        .zamenjaj(53, "M.GRUPIRAJ");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Sfvp),
        "LEFT OUTER JOIN osb o ON (v.sfosbizd = o.sfosb) and v.sfosbizd is not null",
        zdruzitve({Zdruzitev::Pog, Zdruzitev::Partner}),
        "LEFT OUTER JOIN org org ON (k.oe = org.sforg)",
        zdruzitve({Zdruzitev::Fin, Zdruzitev::Vlt}),
        kjer({odZacetkaLeta(d), doDneva(d), "M.VKNT IN ('7', '8')", izbira.filtri.pogodba,
              izbira.filtri.razred}),
        "GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt, k.idpog, k.vp",
    });
}

std::string veja05RazredBZdruzen(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam.zamenjaj(1, kOznakaSkupine)
        .zamenjaj(11, kStrankaKonta)
        .zamenjaj(27, "K.VALUTA")
        .zamenjaj(28, "MAX(K.IDVP)")
        .zamenjaj(40, kPogodbaKonta)
        .zamenjaj(48, "MAX(K.VP)")
        .zamenjaj(51, "MAX(K.VP)")
        .zamenjaj(52, "MIN(M.VKNT)")
        .zamenjaj(53, "M.GRUPIRAJ")
        .zamenjaj(69, kStrankaKonta);
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({odZacetkaLeta(d), doDneva(d), "M.VKNT IN ( 'B')", "m.grupiraj='D'",
              izbira.filtri.pogodba, izbira.filtri.razred}),
        "GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt",
        ",",
        kPogodbaKontaSkupine,
    });
}

std::string veja06RazredaBCBrezL(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam.zamenjaj(1, kOznakaSkupine)
        .zamenjaj(27, "K.VALUTA")
        .zamenjaj(28, "MAX(K.IDVP)")
        .zamenjaj(48, "max(K.VP)")
        .zamenjaj(51, "max(K.VP)")
        .zamenjaj(52, "MIN(M.VKNT)")
        .zamenjaj(53, "M.GRUPIRAJ");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({odZacetkaLeta(d), doDneva(d), kRazredaBC, izbira.filtri.pogodba, izbira.filtri.razred,
              "k.dejavnost<>'L'"}),
        "GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt,",
        "k.idpog",
    });
}

// Activity L keeps its rows per security and deal, with the standard label and deal.
std::string veja07RazredaBCDejavnostL(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    IzbirniSeznam seznam;
    seznam.zamenjaj(27, "K.VALUTA").zamenjaj(52, "MIN(M.VKNT)").zamenjaj(53, "M.GRUPIRAJ");
    return zdruzi({
        "SELECT",
        seznam.besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({odZacetkaLeta(d), doDneva(d), kRazredaBC, izbira.filtri.pogodba, izbira.filtri.razred,
              "k.dejavnost='L'"}),
        "GROUP BY K.VALUTA, K.KONTO, m.grupiraj, m.vknt,",
        "k.vp,",
        "k.idpog,",
        "K.idvp",
    });
}

} // namespace orv
