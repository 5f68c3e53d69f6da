#include "transfer/IzvorneVeje.h"

namespace orv {

// Matrix rows with grouping flag N; class 9 only where the posting's instrument is not G. The
// balance runs from 1 January of the reporting year to the reporting day.
std::string veja01Splosna(const IzvornaIzbira& izbira) {
    const DatumiPorocila& d = izbira.datumi;
    return zdruzi({
        "SELECT",
        IzbirniSeznam().besedilo(),
        zdruzitveOdDo(Zdruzitev::Knjizbe, Zdruzitev::Vlt),
        kjer({"K.DATUMV>='" + d.zacetekLeta + "'", "K.DATUMV<='" + d.dan + "'", "M.GRUPIRAJ='N'",
              "M.VKNT NOT IN ('A', 'B', 'C', 'D', '6', '3', '4', '7', '8')",
              "((M.VKNT IN ('9') AND FIN.SFFIN<>'G') OR M.VKNT NOT IN ('9') )",
              izbira.filtri.pogodba, izbira.filtri.razred}),
        "GROUP BY K.VP,  K.KONTO, K.IDPOG, M.VKNT, K.IDVP",
    });
}

} // namespace orv
