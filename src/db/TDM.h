#pragma once
// The data module: the one session, its logon component and every dataset of the program, plus
// the three ways statements are run.

#include "base/Vmesnik.h"
#include "db/LogonComponent.h"
#include "db/Session.h"
#include "db/TOracleDataSet.h"

#include <memory>
#include <string>
#include <vector>

namespace orv {

class TDM {
public:
    /// `window` answers the debug-SQL switch and shows the logon dialog; `potPrograma` is the
    /// program folder (with its trailing separator) where debug files are written.
    TDM(Vmesnik& window, std::string potPrograma);
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    Session OracleSession1;
    LogonComponent OracleLogon1{OracleSession1};

    TOracleDataSet Q1{"Q1", OracleSession1};
    TOracleDataSet Qpod_orvel{"Qpod_orvel", OracleSession1};
    TOracleDataSet Qpod_orvel_fifo{"Qpod_orvel_fifo", OracleSession1};
    TOracleDataSet Qm{"Qm", OracleSession1};
    TOracleDataSet Qvknt{"Qvknt", OracleSession1};
    TOracleDataSet Q2{"Q2", OracleSession1};
    TOracleDataSet Qsfvp{"Qsfvp", OracleSession1};
    TOracleDataSet Qvln{"Qvln", OracleSession1};
    TOracleDataSet Qecb{"Qecb", OracleSession1};
    TOracleDataSet Qosb2{"Qosb2", OracleSession1};
    TOracleDataSet Qfin{"Qfin", OracleSession1};
    TOracleDataSet Qkpn{"Qkpn", OracleSession1};
    TOracleDataSet Qkpn2{"Qkpn2", OracleSession1};
    TOracleDataSet Qkpn3{"Qkpn3", OracleSession1};
    TOracleDataSet qKpn4{"qKpn4", OracleSession1};
    TOracleDataSet qKpn5{"qKpn5", OracleSession1};
    TOracleDataSet Qinx{"Qinx", OracleSession1};
    TOracleDataSet Qsfinx{"Qsfinx", OracleSession1};
    TOracleDataSet Qvphst{"Qvphst", OracleSession1};
    TOracleDataSet Qvphst1{"Qvphst1", OracleSession1};
    TOracleDataSet Qvphst2{"Qvphst2", OracleSession1};
    TOracleDataSet QvphstLOT{"QvphstLOT", OracleSession1};
    TOracleDataSet Qknjizbe6{"Qknjizbe6", OracleSession1};
    TOracleDataSet Qsifkont{"Qsifkont", OracleSession1};
    TOracleDataSet Qsifsif{"Qsifsif", OracleSession1};
    TOracleDataSet Qpog{"Qpog", OracleSession1};
    TOracleDataSet Qvlt{"Qvlt", OracleSession1};
    TOracleDataSet QdogSfdog{"QdogSfdog", OracleSession1};
    TOracleDataSet Qprocedura{"Qprocedura", OracleSession1};
    TOracleDataSet Qknj{"Qknj", OracleSession1};
    TOracleDataSet Qknj2{"Qknj2", OracleSession1};
    TOracleDataSet Qknj3{"Qknj3", OracleSession1};
    TOracleDataSet Qknj4{"Qknj4", OracleSession1};
    TOracleDataSet Qvph{"Qvph", OracleSession1};
    TOracleDataSet Qvpshstkpn{"Qvpshstkpn", OracleSession1};
    TOracleDataSet QKpnglv{"QKpnglv", OracleSession1};
    TOracleDataSet Qsfdog{"Qsfdog", OracleSession1};
    TOracleDataSet Qiniset{"Qiniset", OracleSession1};
    TOracleDataSet Qdog{"Qdog", OracleSession1};
    TOracleDataSet qDog1{"qDog1", OracleSession1};
    TOracleDataSet Qdog4{"Qdog4", OracleSession1};
    TOracleDataSet Qin{"Qin", OracleSession1};

    /// The program folder; debug files are written there.
    const std::string& PotPrograma() const { return potPrograma_; }

    /// Close the dataset, replace its statement text, save the text to `debugFile` in the program
    /// folder when one is named and the debug-SQL switch is on, then open the dataset.
    void OdpriPoizvedbo(TOracleDataSet& dataset, const std::string& text,
                        const std::string& debugFile = "");

    /// Executes a statement on `Qpod_orvel` without committing: it stays in the session's
    /// transaction until the next commit or post.
    void IzvediStavek(const std::string& text);

    /// Executes a statement on `Qpod_orvel_fifo` and commits the session.
    void IzvediInPotrdi(const std::string& text);

    /// Saves the dataset's statement text to `debugFile` in the program folder when the debug-SQL
    /// switch is on.
    void saveDebugSql(const TOracleDataSet& dataset, const std::string& debugFile) const;

    /// Every dataset, for tools that walk them all.
    std::vector<TOracleDataSet*> datasets();

private:
    void declareVariables();

    Vmesnik& window_;
    std::string potPrograma_;
};

} // namespace orv
