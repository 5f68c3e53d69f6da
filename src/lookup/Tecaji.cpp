#include "lookup/Tecaji.h"

#include "base/Besedilo.h"
#include "lookup/Poizvedba.h"

namespace orv {

double TecajValute(TDM& dm, Vmesnik& window, const std::string& sfvlt, const std::string& datum) {
    // The domestic currency needs no rate; the test is exact, so "e" is looked up like any key.
    if (sfvlt == "E") return 1;
    std::string sql;
    return showAndRethrow(window, "", sql, [&] {
        const DateValue dan = normalisedDate(window, datum);
        sql = "SELECT TCJ FROM VLN "
              " WHERE SFVLT= :SFVLT "
              " AND SFVLN = '0' "
              " AND DAN <= :DAN "
              " ORDER BY DAN DESC ";
        openWithVariables(dm, dm.Qvln, sql, {{"SFVLT", sfvlt}, {"DAN", dan}});
        const double tcj = dm.Qvln.FieldByName("TCJ").AsFloat();
        return dm.Qvln.RecordCount() <= 0 || tcj == 0 ? 0.0 : tcj;
    });
}

double VrednostIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx,
                       const std::string& datum) {
    std::string sql;
    return showAndRethrow(window, "", sql, [&] {
        const DateValue dan = normalisedDate(window, datum);
        sql = "SELECT INX FROM INX "
              " WHERE SFINX= :SFINX "
              " AND DAN <= :DAN "
              " ORDER BY DAN DESC ";
        openWithVariables(dm, dm.Qinx, sql, {{"SFINX", sfinx}, {"DAN", dan}});
        return dm.Qinx.FieldByName("INX").AsFloat();
    });
}

int OsnovaIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx) {
    const std::string sql = "SELECT OBD FROM SFINX "
                            " WHERE SFINX= :SFINX ";
    return showAndRethrow(window, "", sql, [&] {
        openWithVariables(dm, dm.Qsfinx, sql, {{"SFINX", sfinx}});
        return dm.Qsfinx.FieldByName("OBD").AsInteger();
    });
}

std::string NazivIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx) {
    const std::string sql = "SELECT NZV FROM SFINX "
                            " WHERE SFINX= :SFINX ";
    return showAndRethrow(window, "", sql, [&] {
        openWithVariables(dm, dm.Qsfinx, sql, {{"SFINX", sfinx}});
        return dm.Qsfinx.FieldByName("NZV").AsString();
    });
}

std::string SifraValute(TDM& dm, Vmesnik& /*window*/, const std::string& sfvlt) {
    // The three currencies the bank reports most need no query; their keys match in any case.
    const std::string key = toUpper(sfvlt);
    if (key == "E") return "978";
    if (key == "U") return "840";
    if (key == "C") return "756";
    // Any other key is looked up as given (not upper-cased); failures go on without a message.
    const std::string sql = "SELECT IDBNK FROM VLT"
                            " WHERE SFVLT=" +
                            sqlText(sfvlt) + " ";
    dm.OdpriPoizvedbo(dm.Qvlt, sql);
    if (dm.Qvlt.RecordCount() > 0) return dm.Qvlt.FieldByName("IDBNK").AsString();
    return "978";
}

std::string BeriDevizen(TDM& dm, Vmesnik& window, int ctrl) {
    // The account number is compared as a quoted text, as the register is keyed.
    const std::string sql =
        "SELECT devizen FROM sifkont WHERE ctrl=" + sqlText(std::to_string(ctrl)) + " ";
    return showAndRethrow(window, kErrorPrefix, sql, [&] {
        dm.OdpriPoizvedbo(dm.Qsifkont, sql);
        return dm.Qsifkont.FieldByName("DEVIZEN").AsString();
    });
}

} // namespace orv
