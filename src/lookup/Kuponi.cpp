#include "lookup/Kuponi.h"

#include "base/DatumIzTeksta.h"
#include "lookup/Poizvedba.h"

#include <cmath>
#include <cstdint>

namespace orv {

void BeriKupon(TDM& dm, Vmesnik& window, int sfvp) {
    // The aggregates make the result one row even when no period covers the date, so the
    // derivation always reads "" and 0 instead of meeting an empty result.
    const std::string sql = "SELECT  MAX(ZDNDAN) ZDNDAN, MAX(SFOBD) SFOBD, MAX(SFINX) SFINX "
                            ", MAX(REFOBM) REFOBM "
                            ", MAX(GLVOBR) GLVOBR "
                            ", MAX(ZDNDANTRG) ZDNDANTRG "
                            ", MAX(OBRPRC) OBRPRC, MAX(OBROBR) OBROBR  FROM KPN "
                            " WHERE SFVP= :SFVP "
                            " AND PRVDAN <= :report_date AND ZDNDAN >= :report_date  ";
    const DateValue r = reportingDate(window);
    showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qkpn, sql, {{"SFVP", sfvp}, {"REPORT_DATE", r}});
    });
}

std::string ZadnjiDanKupona(TDM& dm, Vmesnik& window, int sfvp, DateValue datum) {
    const std::string sql = "SELECT  ZDNDAN "
                            "   FROM KPN "
                            " WHERE SFVP= :SFVP "
                            " AND PRVDAN <= :report_date AND ZDNDAN >= :report_date  ";
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qkpn3, sql, {{"SFVP", sfvp}, {"REPORT_DATE", datum}});
        return dm.Qkpn3.FieldByName("ZDNDAN").AsString();
    });
}

namespace {

/// The days between two date texts as DatumIzTeksta reads them (an empty text is the reporting
/// date); 0 when a text cannot be read.
double daysBetween(const Vmesnik& window, const std::string& from, const std::string& to) {
    try {
        return DatumIzTeksta(window, to) - DatumIzTeksta(window, from);
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

void RacunajSteviloDni(TDM& dm, Vmesnik& window, KontekstVrstice& kontekst, int sfvp) {
    const std::string endSql = "SELECT  MAX(ZDNDAN) ZDNDAN,  max(GLVOBR) GLVOBR  FROM KPN "
                               " WHERE SFVP= :SFVP ";
    const std::string end = showAndRethrow(window, kNapakaPrefix, endSql, [&] {
        openWithVariables(dm, dm.Qkpn2, endSql, {{"SFVP", sfvp}});
        return dm.Qkpn2.FieldByName("ZDNDAN").AsString();
    });
    // The second result stays open: the derivation reads PRVDAN from it.
    const std::string startSql = "SELECT  MIN(PRVDAN) PRVDAN  FROM KPN "
                                 " WHERE SFVP= :SFVP ";
    kontekst.PrviDanKPN = showAndRethrow(window, kNapakaPrefix, startSql, [&] {
        openWithVariables(dm, dm.Qkpn2, startSql, {{"SFVP", sfvp}});
        return dm.Qkpn2.FieldByName("PRVDAN").AsString();
    });
    kontekst.DniKPN = daysBetween(window, kontekst.PrviDanKPN, end);
    kontekst.PreostaliDniKPN = daysBetween(window, window.eDanText(), end);
}

std::string BeriPrvDan1(TDM& dm, Vmesnik& window, int sfvp) {
    const std::string sql = "SELECT prvdantrg FROM kpn WHERE sfvp=:sfvp AND stkpn=1 ";
    return showAndRethrow(window, kErrorPrefix, sql, [&] {
        openWithVariables(dm, dm.qKpn5, sql, {{"SFVP", sfvp}});
        return dm.qKpn5.FieldByName("PRVDANTRG").AsString();
    });
}

int RazlikaDni(DateValue od, DateValue do_) {
    const double days = std::ceil(do_ - od);
    if (!(days >= INT32_MIN && days <= INT32_MAX)) return 0;
    return static_cast<int>(days);
}

} // namespace orv
