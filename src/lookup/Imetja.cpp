#include "lookup/Imetja.h"

#include "base/Besedilo.h"
#include "lookup/Poizvedba.h"

#include <cmath>

namespace orv {

namespace {

DateValue normalisedReportingDate(const Vmesnik& window) {
    return reportingDay(window);
}

DateValue purchaseDate(TDM& dm, Vmesnik& window, const char* aggregate, int sfvp, int idpog) {
    const DateValue dan = normalisedReportingDate(window);
    const std::string sql = std::string(" SELECT ") + aggregate +
                            "(dannkp) DANNKP FROM VPHST "
                            " WHERE DAN = :DAN "
                            " AND SFVP= :SFVP "
                            " AND IDPOG = " +
                            std::to_string(idpog);
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qvphst, sql, {{"SFVP", sfvp}, {"DAN", dan}});
        return dm.Qvphst.FieldByName("DANNKP").AsDateTime();
    });
}

} // namespace

void RacunajDanNKP(TDM& dm, Vmesnik& window, KontekstVrstice& kontekst, int sfvp, int idpog) {
    const DateValue dan = normalisedReportingDate(window);
    const std::string sql = " SELECT MIN(dannkp) DANNKP FROM VPHST "
                            " WHERE DAN= :DAN "
                            " AND SFVP= :SFVP "
                            " AND IDPOG= :IDPOG ";
    kontekst.DanNKP = showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qvphst2, sql, {{"SFVP", sfvp}, {"DAN", dan}, {"IDPOG", idpog}});
        return dm.Qvphst2.FieldByName("DANNKP").AsDateTime();
    });
}

DateValue RacunajDanNKPMAX(TDM& dm, Vmesnik& window, int sfvp, int idpog) {
    return purchaseDate(dm, window, "MAX", sfvp, idpog);
}

DateValue RacunajDanNKPMIN(TDM& dm, Vmesnik& window, int sfvp, int idpog) {
    return purchaseDate(dm, window, "MIN", sfvp, idpog);
}

double KolicinaVP(TDM& dm, Vmesnik& window, int sfvp, int idvp, int idpog) {
    const DateValue dan = normalisedReportingDate(window);
    std::string sql = idvp <= 0 ? " SELECT SUM(LOT) LOT FROM VPHST WHERE DAN = :DAN "
                                : " SELECT LOT FROM VPHST WHERE DAN = :DAN ";
    sql += "  AND SFVP= :SFVP ";
    if (idvp > 0) sql += " AND IDVP=" + std::to_string(idvp);
    if (idpog > 0) sql += " AND IDPOG=" + std::to_string(idpog);
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qvphst, sql, {{"SFVP", sfvp}, {"DAN", dan}});
        return dm.Qvphst.FieldByName("LOT").AsFloat();
    });
}

namespace {

/// Compounding periods per year of an interest-period code given in months.
int periodsPerYear(int sfobd) {
    switch (sfobd) {
    case 1:
        return 12;
    case 3:
        return 4;
    case 6:
        return 2;
    default: // 12 and any unknown code: once a year
        return 1;
    }
}

/// The yield of listing code `code`, or `y` unchanged when the code has none or the arithmetic
/// fails (a price of 0 leaves nothing to divide by; an overflow gives no number).
double yieldFor(const std::string& code, double q, int s, double p, double y) {
    const double compounded = (std::pow(1 + q / 100 / s, s) - 1) * 100;
    double result = y;
    if (code == "D") {
        result = compounded;
    } else if (code == "K") {
        const double priceShare = 1 - (100 - p) / 100;
        if (priceShare == 0) return y;
        result = compounded / priceShare;
    }
    return std::isfinite(result) ? result : y;
}

} // namespace

double NabavniTecajNKP(TDM& dm, Vmesnik& window, const KontekstVrstice& kontekst, int sfvp,
                       int sfobd, int idpog, int idvp, DateValue dan, DateValue& danNakupa) {
    double q = dm.Qkpn.FieldByName("OBRPRC").AsFloat() + kontekst.REVAL_OBRM;
    const int m = periodsPerYear(sfobd);
    int s = m;
    // Half-yearly coupons are treated as one period at twice the rate, not compounded.
    if (m == 2) {
        s = 1;
        q = 2 * q;
    }

    const std::string holdingSql = " SELECT  GLVTCJNKP, DANNKP  FROM VPHST "
                                   " WHERE idvp = :IDVP"
                                   " AND SFVP = :SFVP  "
                                   " AND IDPOG = :IDPOG "
                                   " AND DAN = :DANNKP ";
    const double p = showAndRethrow(window, kNapakaPrefix, holdingSql, [&] {
        openWithVariables(dm, dm.Qvphst1, holdingSql,
                          {{"IDPOG", idpog}, {"SFVP", sfvp}, {"DANNKP", dan}, {"IDVP", idvp}});
        danNakupa = dm.Qvphst1.FieldByName("DANNKP").AsDateTime();
        return dm.Qvphst1.FieldByName("GLVTCJNKP").AsFloat();
    });

    const double y = 0;
    const std::string listingSql = "SELECT sif.Sif sifsif "
                                   " FROM sfvp"
                                   " JOIN fin ON sfvp.SfFin=fin.SfFin "
                                   " JOIN sif ON fin.SfLst=sif.sif AND sif.Ssf='LST' "
                                   " WHERE sfvp.SfVp= :SFVP ";
    // This statement is guarded twice: the inner guard says "Napaka:", the outer one shows the
    // statement alone, so a failure here brings two messages before it goes on.
    const std::string code = showAndRethrow(window, "", listingSql, [&] {
        return showAndRethrow(window, kNapakaPrefix, listingSql, [&] {
            openWithVariables(dm, dm.Qsifsif, listingSql, {{"SFVP", sfvp}});
            return dm.Qsifsif.FieldByName("SIFSIF").AsString();
        });
    });
    return roundHalfEven(yieldFor(code, q, s, p, y) * 10000) / 10000;
}

} // namespace orv
