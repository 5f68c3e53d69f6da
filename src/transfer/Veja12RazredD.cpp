// Class D: two inner selections, one for write-down master deals of type 917 without a parent
// (the related deal comes through TRG_SLAB) and one for all other master deals (the related
// deal is the parent), summed per label, security, class and contract.

#include "transfer/IzvorneVeje.h"

namespace orv {

namespace {

// The related deal d_slab dates and labels the row; "POSOJILO" when it has no payment plan.
IzbirniSeznam notranjiSeznam() {
    IzbirniSeznam seznam;
    seznam
        .zamenjaj(1, "CASE WHEN vpl.st IS NULL THEN 'POSOJILO' ELSE vpl.st || '/' || extract "
                     "(YEAR FROM MIN(d_slab.dan)) END")
        .zamenjaj(6, "ROUND (SUM (k.bznesek - k.dznesek), 4)")
        .zamenjaj(7, "MAX (d_slab.zpd)")
        .zamenjaj(28, "MAX (k.idvp)")
        .zamenjaj(38, "MIN (d_slab.dan)")
        .zamenjaj(41, "MIN(d_slab.iddog)")
        .zamenjaj(45, "ROUND (SUM (k.bznesek - k.dznesek), 4)")
        .zamenjaj(46, "MAX (d_slab.zpd)")
        .zamenjaj(48, "MAX(k.vp)")
        .zamenjaj(51, "MAX(k.vp)")
        .preimenuj(76, "vrsta_obveznice_1");
    return seznam;
}

std::string notranjiIzbor(const IzvornaIzbira& izbira, const std::string& povezaniPosel,
                          const std::string& zgornjiDatum, const std::string& vrstaPosla) {
    const DatumiPorocila& d = izbira.datumi;
    return zdruzi({
        "SELECT",
        notranjiSeznam().besedilo(),
        "FROM knjizbe k",
        zdruzitveOdDo(Zdruzitev::Matrika, Zdruzitev::Pog),
        povezaniPosel,
        "LEFT OUTER JOIN vpl ON (d_slab.idvpl=vpl.idvpl)",
        zdruzitveOdDo(Zdruzitev::Partner, Zdruzitev::Vlt),
        kjer({"K.DATUMV   >='1.1.2017'", zgornjiDatum + "'" + d.dan + "'", izbira.filtri.pogodba,
              "k.idobd     >= 0", "m.vknt      IN ('D')", izbira.filtri.razred, vrstaPosla}),
        "GROUP BY k.konto, k.valuta, d_slab.iddog, k.idpog,  vpl.st, K.IDVP, m.vknt",
    });
}

// SFVPKRT, IDPOG, SFVP and VKNT are the groups; the amounts are summed, the rest is the maximum.
std::string zunanjiSeznam() {
    std::string text;
    const auto& stolpci = izvorniStolpci();
    for (int stevilka = 1; stevilka <= SteviloIzvornihStolpcev; ++stevilka) {
        const std::string ime = stolpci[static_cast<size_t>(stevilka - 1)].ime;
        std::string izraz;
        if (ime == "SFVPKRT" || ime == "IDPOG" || ime == "SFVP" || ime == "VKNT")
            izraz = ime;
        else if (ime == "ZNESEK1" || ime == "ZNESEK2" || ime == "ZNESEK")
            izraz = "SUM(" + ime + ")";
        else if (stevilka == 76)
            izraz = "MAX(VRSTA_OBVEZNICE_1)";
        else
            izraz = "MAX(" + ime + ")";
        text += (stevilka > 1 ? ", " : "") + izraz + " " + ime;
    }
    return text;
}

} // namespace

std::string veja12RazredD(const IzvornaIzbira& izbira) {
    const std::string izbor1 =
        notranjiIzbor(izbira,
                      "LEFT OUTER JOIN trg_slab ON (trg_slab.iddogslab=k.idmaster) "
                      "LEFT OUTER JOIN dog d_slab ON (trg_slab.iddog=d_slab.iddog)",
                      "K.DATUMV     <=", "d.sfdog=917 AND d.iddoggot IS NULL");
    const std::string izbor2 = notranjiIzbor(
        izbira, "LEFT OUTER JOIN dog d_slab ON (d.iddoggot=d_slab.iddog)",
        "k.datumv <= ", "(d.sfdog <> 917 OR (d.sfdog    = 917 AND d.iddoggot IS NOT NULL) )");
    return zdruzi({
        "SELECT",
        zunanjiSeznam(),
        "FROM (",
        izbor1,
        "UNION",
        izbor2,
        ")",
        "GROUP BY SFVPKRT, SFVP, VKNT, IDPOG",
        "HAVING SUM(ZNESEK1) <> 0",
    });
}

} // namespace orv
