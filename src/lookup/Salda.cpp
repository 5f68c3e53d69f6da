#include "lookup/Salda.h"

#include "lookup/Poizvedba.h"

#include <array>
#include <stdexcept>

namespace orv {

namespace {

/// Opens a ledger statement on `dataset` and reads its ZNESEK; a failure shows `prefix` and the
/// statement and raises again.
double znesek(TDM& dm, Vmesnik& window, TOracleDataSet& dataset, const std::string& sql,
              std::string_view prefix = "", const std::string& debugFile = "") {
    return showAndRethrow(window, prefix, sql, [&] {
        dm.OdpriPoizvedbo(dataset, sql, debugFile);
        return dataset.FieldByName("ZNESEK").AsFloat();
    });
}

/// A division that fails on a zero divisor: a row without a rate is reported with its statement
/// instead of carrying an infinity into the output.
double divide(double dividend, double divisor) {
    if (divisor == 0)
        throw std::domain_error(dividend == 0 ? "Invalid floating point operation"
                                              : "Floating point division by zero");
    return dividend / divisor;
}

std::string saldo34Sql(const std::string& from, const std::string& to, const std::string& konto,
                       const std::string& valuta) {
    return " SELECT SUM (k.bznesek - k.dznesek) znesek "
           " FROM knjizbe k  "
           " WHERE k.datumv >= " +
           sqlText(from) + " " + " AND k.datumv <= " + sqlText(to) + " " +
           "  AND k.konto=" + sqlNumber(konto) + "  AND k.valuta=" + sqlText(valuta) + " ";
}

} // namespace

double ZnesekVal78(TDM& dm, Vmesnik& window, const std::string& valuta, int konto, int idpog,
                   int vp) {
    const ReportingPeriod period = reportingPeriod(window);
    const std::string sql =
        " SELECT SUM (k.bzneseksit - k.dzneseksit) znesek "
        " FROM knjizbe k  "
        " WHERE k.datumv >= " +
        sqlText(period.monthStart) + " " + " AND k.datumv <= " + sqlText(period.dayText) + " " +
        "  AND k.konto=" + std::to_string(konto) + "  AND k.valuta=" + sqlText(valuta) + " " +
        "  AND k.idpog=" + std::to_string(idpog) + "  AND k.vp=" + std::to_string(vp);
    return znesek(dm, window, dm.Qknjizbe6, sql, "", "vknt78.SQL");
}

double PrometKonto617(TDM& dm, Vmesnik& window, const std::string& valuta, int idpog, int vp) {
    const ReportingPeriod period = reportingPeriod(window);
    const std::string sql = " SELECT SUM (k.bzneseksit - k.dzneseksit) znesek "
                            " FROM knjizbe k  "
                            " WHERE k.datumv >= " +
                            sqlText(period.monthStart) + " " +
                            " AND k.datumv <= " + sqlText(period.dayText) + " " +
                            "  AND k.konto=617 "
                            "  AND k.valuta=" +
                            sqlText(valuta) + " " + "  AND k.idpog=" + std::to_string(idpog) +
                            "  AND k.vp=" + std::to_string(vp);
    return znesek(dm, window, dm.Qknjizbe6, sql, "", "konto617.SQL");
}

double StanjeECB52(TDM& dm, Vmesnik& window, const KontekstVrstice& kontekst, int idvp,
                   const std::string& vknt) {
    const ReportingPeriod period = reportingPeriod(window);
    const bool domestic = kontekst.DevizenVrstice == "N";
    const std::string sql =
        std::string(domestic ? " SELECT sum(k.bzneseksit-k.dzneseksit) znesek "
                             : " SELECT sum(k.bznesek-k.dznesek) znesek ") +
        " FROM knjizbe k "
        " WHERE k.datumv >= " +
        sqlText(period.yearStart) + " " + " AND k.datumv <= " + sqlText(period.dayText) + " " +
        " AND k.idvp = " + std::to_string(idvp) +
        " AND k.konto IN (SELECT ctrl FROM matrika WHERE vknt=" + sqlText(vknt) + " and vprc='3') ";
    // The conversion belongs to the guarded block: a missing rate is reported with the statement.
    return showAndRethrow(window, "", sql, [&] {
        dm.OdpriPoizvedbo(dm.Qknjizbe6, sql);
        const double sum = dm.Qknjizbe6.FieldByName("ZNESEK").AsFloat();
        return domestic ? sum : divide(sum, kontekst.TecajVrstice);
    });
}

double Saldo34(TDM& dm, Vmesnik& window, const std::string& konto, const std::string& valuta) {
    const ReportingPeriod period = reportingPeriod(window);
    const double yearToDate = znesek(dm, window, dm.Qknjizbe6,
                                     saldo34Sql(period.yearStart, period.dayText, konto, valuta));
    if (yearToDate != 0) return yearToDate;
    // Only an exact 0 over the year falls back to the month.
    return znesek(dm, window, dm.Qknjizbe6,
                  saldo34Sql(period.monthStart, period.dayText, konto, valuta));
}

double BeriZnesekSit(TDM& dm, Vmesnik& window, int konto, int idvp) {
    const ReportingPeriod period = reportingPeriod(window);
    const std::string sql =
        "SELECT sum(k.bzneseksit-k.dzneseksit) znesek "
        " FROM knjizbe k "
        " WHERE k.datumv >= " +
        sqlText(period.yearStart) + " " + " AND k.datumv <= " + sqlText(period.dayText) + " " +
        " AND k.idvp = " + std::to_string(idvp) + " AND k.konto = " + std::to_string(konto);
    return znesek(dm, window, dm.Qsifkont, sql, kErrorPrefix);
}

namespace {

std::string povprecjeSql(const ReportingPeriod& period, int idpog, int vp,
                         const std::string& oznaka) {
    return " SELECT K.DATUMV DATUMV, "
           " SUM(K.DZNESEK) DZNESEK, "
           " SUM(K.BZNESEK) BZNESEK "
           " FROM KNJIZBE K, DOG D,  OSB O, SFVP V, "
           " FIN FIN, SIFKONT SIFKONT   "
           ", VLT VLT "
           ", POG POG "
           ", ORG ORG "
           ", MATRIKA M"
           " WHERE K.IDMASTER=D.IDDOG (+) "
           " AND k.konto = m.ctrl AND m.vprc = '3' "
           " AND K.VP=" +
           std::to_string(vp) + " AND K.IDPOG=" + std::to_string(idpog) +
           " AND K.IDPOG=POG.IDPOG(+) "
           " AND K.VP=V.SFVP (+) "
           " AND V.SFVLTNMN = VLT.SFVLT (+) "
           " AND V.SFOSBIZD=O.SFOSB (+) "
           " AND POG.SFORG=ORG.SFORG (+) "
           " AND V.SFFIN=FIN.SFFIN (+) "
           " AND K.KONTO=SIFKONT.CTRL (+) "
           " AND K.DATUMV>=" +
           sqlText(period.yearStart) + " " + " AND K.DATUMV<=" + sqlText(period.monthEnd) + " " +
           " AND SIFKONT.OZNAKA = " + sqlText(oznaka) + " " +
           " AND M.VKNT IN ('1','F', '2', '6') "
           " GROUP BY K.DATUMV"
           " ORDER BY K.DATUMV ";
}

/// Sums the postings of the open result day by day. Postings of earlier months of the year open
/// the month's balance; the month's own postings (one row per day) are added to it cumulatively,
/// and each day's closing balance counts once for every day of the month, also the days after
/// the reporting day. Extended precision keeps the sums of many large amounts exact.
double averageBalance(TOracleDataSet& rows, const ReportingPeriod& period) {
    std::array<long double, 32> debit{}, credit{}, balance{};
    long double openingDebit = 0, openingCredit = 0;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const DateParts posted = decodeDate(rows.FieldByName("DATUMV").AsDateTime());
        const double dz = rows.FieldByName("DZNESEK").AsFloat();
        const double bz = rows.FieldByName("BZNESEK").AsFloat();
        if (posted.year != period.year) continue;
        if (posted.month < period.month) {
            openingCredit += dz;
            openingDebit += bz;
        } else if (posted.month == period.month) {
            credit[posted.day] = dz;
            debit[posted.day] = bz;
        }
    }
    debit[1] += openingDebit;
    credit[1] += openingCredit;
    const int n = period.daysInMonth;
    for (int k = 2; k <= n; ++k) {
        debit[k] += debit[k - 1];
        credit[k] += credit[k - 1];
    }
    long double sum = 0;
    for (int k = 1; k <= n; ++k) {
        balance[k] = debit[k] - credit[k];
        sum += balance[k];
    }
    return static_cast<double>(sum / n);
}

} // namespace

double BeriPovprecje(TDM& dm, Vmesnik& window, int idpog, int vp, const std::string& oznaka) {
    const ReportingPeriod period = reportingPeriod(window);
    const std::string sql = povprecjeSql(period, idpog, vp, oznaka);
    return showAndRethrow(window, "", sql, [&] {
        dm.OdpriPoizvedbo(dm.Q2, sql, "Povprecje.SQL");
        return averageBalance(dm.Q2, period);
    });
}

} // namespace orv
