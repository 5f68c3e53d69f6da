#include "lookup/Klasifikacija.h"

#include "base/DatumIzTeksta.h"
#include "lookup/Poizvedba.h"

namespace orv {

bool SteviloListFin(TDM& dm, Vmesnik& window, const std::string& sffin) {
    // COUNT of KRT: a listing code whose register entry has no KRT does not count as listed.
    const std::string sql = "SELECT COUNT(SIF.KRT) STEV FROM FIN, SIF "
                            " WHERE FIN.SFFIN= :SFFIN "
                            " AND FIN.SFLST IN ('D', 'K', 'k') "
                            " AND FIN.SFLST=SIF.SIF "
                            " AND SIF.SSF='LST' ";
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qfin, sql, {{"SFFIN", sffin}});
        return dm.Qfin.FieldByName("STEV").AsInteger() > 0;
    });
}

std::string ListFin(TDM& dm, Vmesnik& window, const std::string& sffin) {
    const std::string sql = "SELECT FIN.SFLST SFLST FROM FIN "
                            " WHERE FIN.SFFIN= :SFFIN ";
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qfin, sql, {{"SFFIN", sffin}});
        return dm.Qfin.FieldByName("SFLST").AsString();
    });
}

std::string BanTrg(TDM& dm, Vmesnik& /*window*/, int idpog) {
    std::string result;
    const std::string sql = " select BAN_TRG "
                            " from  POG "
                            " where idpog= :idpog ";
    // A missing market flag is no reason to stop the transfer: failures keep the empty text.
    try {
        openWithVariables(dm, dm.Qpog, sql, {{"IDPOG", idpog}});
        result = dm.Qpog.FieldByName("BAN_TRG").AsString();
    } catch (const std::exception&) {
    }
    return result;
}

bool PrimarniTrg(TDM& dm, Vmesnik& window, int sfvp, int idpog) {
    const DateValue r = reportingDate(window);
    const std::string sql = " select trg.sftrz "
                            " from   vphst,dog,trg "
                            " where  vphst.idvp=dog.idvp and "
                            " vphst.dannkp = dog.dan and "
                            " vphst.idpog=dog.idpog and "
                            " vphst.sfvp=dog.sfvp and "
                            " vphst.sfvp= :sfvp and "
                            " vphst.idpog= :idpog and "
                            " dog.sfpdg in ('N','A','B','3') and "
                            " vphst.dan= :dan and "
                            " vphst.sfdjv='L' and "
                            " dog.sftrg=trg.sftrg ";
    return showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.Qvphst2, sql, {{"SFVP", sfvp}, {"DAN", r}, {"IDPOG", idpog}});
        return dm.Qvphst2.FieldByName("SFTRZ").AsString() == "1";
    });
}

namespace {

/// One attribute of a security from SFVP, as text; a failure shows "Error: " and the statement.
std::string securityAttribute(TDM& dm, Vmesnik& window, const char* column, int sfvp) {
    const std::string sql = std::string("SELECT ") + column + " FROM SFVP " +
                            " WHERE sfvp=" + std::to_string(sfvp) + " ";
    return showAndRethrow(window, kErrorPrefix, sql, [&] {
        dm.OdpriPoizvedbo(dm.Qsfvp, sql);
        return dm.Qsfvp.FieldByName(column).AsString();
    });
}

} // namespace

std::string VrstaObveznice(TDM& dm, Vmesnik& window, int sfvp) {
    return securityAttribute(dm, window, "vrsta_obveznice", sfvp);
}

std::string BeriJamstvo(TDM& dm, Vmesnik& window, int sfvp) {
    return securityAttribute(dm, window, "jamstvo", sfvp);
}

std::string ELIGIBLE(TDM& dm, Vmesnik& /*window*/, int sfvp) {
    std::string result = "N";
    const std::string sql = "SELECT ECB_ELIGIBLE_DN FROM SFVP "
                            " WHERE sfvp=" +
                            std::to_string(sfvp) + " ";
    // Only an explicit "D" makes a security eligible; failures keep "N".
    try {
        dm.OdpriPoizvedbo(dm.Qsfvp, sql);
        if (dm.Qsfvp.FieldByName("ECB_ELIGIBLE_DN").AsString() == "D") result = "D";
    } catch (const std::exception&) {
    }
    return result;
}

namespace {

/// Opens one column list of a listed holding line on the reporting date in QvphstLOT.
void openHoldingLine(TDM& dm, Vmesnik& window, const std::string& sql, int sfvp, int idvp) {
    const DateValue dan = reportingDay(window);
    showAndRethrow(window, kNapakaPrefix, sql, [&] {
        openWithVariables(dm, dm.QvphstLOT, sql, {{"SFVP", sfvp}, {"DAN", dan}, {"IDVP", idvp}});
    });
}

} // namespace

std::string BeriVPHST112(TDM& dm, Vmesnik& window, int sfvp, int idvp) {
    openHoldingLine(dm, window,
                    " SELECT dannkp FROM VPHST "
                    " WHERE DAN= :DAN "
                    " AND SFSVP='L'  "
                    " AND SFVP= :SFVP "
                    " AND IDVP= :IDVP ",
                    sfvp, idvp);
    return dm.QvphstLOT.FieldByName("DANNKP").AsString();
}

int BeriVPHSTlot(TDM& dm, Vmesnik& window, int sfvp, int idvp, int& iddoggen) {
    openHoldingLine(dm, window,
                    " SELECT lot, iddoggen FROM VPHST "
                    " WHERE DAN= :DAN "
                    " AND SFSVP='L'  "
                    " AND SFVP= :SFVP "
                    " AND IDVP= :IDVP ",
                    sfvp, idvp);
    iddoggen = dm.QvphstLOT.FieldByName("IDDOGGEN").AsInteger();
    return dm.QvphstLOT.FieldByName("LOT").AsInteger();
}

int BeriDogSfdog(TDM& dm, Vmesnik& window, int iddog) {
    const std::string sql = "SELECT sfdog FROM dog WHERE iddog=" + std::to_string(iddog);
    return showAndRethrow(window, kErrorPrefix, sql, [&] {
        dm.OdpriPoizvedbo(dm.QdogSfdog, sql);
        return dm.QdogSfdog.FieldByName("SFDOG").AsInteger();
    });
}

std::string PosebniSfbon(TDM& dm, Vmesnik& window, const std::string& krtbnk) {
    const std::string sql = " select sfbon from osb where krtbnk=" + sqlText(krtbnk) + " ";
    return showAndRethrow(window, "", sql, [&] {
        dm.OdpriPoizvedbo(dm.Qosb2, sql, "A.SQL");
        return dm.Qosb2.RecordCount() > 0 ? dm.Qosb2.FieldByName("SFBON").AsString()
                                          : std::string();
    });
}

} // namespace orv
