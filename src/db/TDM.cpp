#include "db/TDM.h"

namespace orv {

namespace {

constexpr VariableType kInteger = VariableType::Integer;
constexpr VariableType kFloat = VariableType::Float;
constexpr VariableType kString = VariableType::String;
constexpr VariableType kDate = VariableType::Date;

struct Declaration {
    const char* name;
    VariableType type;
};

void declare(TOracleDataSet& dataset, std::initializer_list<Declaration> variables,
             bool readOnly = true, bool uniDirectional = false) {
    for (const Declaration& variable : variables)
        dataset.DeclareVariable(variable.name, variable.type);
    dataset.ReadOnly = readOnly;
    dataset.UniDirectional = uniDirectional;
}

} // namespace

TDM::TDM(Vmesnik& window, std::string potPrograma)
    : window_(window), potPrograma_(std::move(potPrograma)) {
    declareVariables();
    // The list of account classes: a blank first row lets the selector be cleared.
    Qvknt.setSQL("select ' ' SIF, ' ' nzv from dual\nunion\n"
                 "select SIF, nzv from sif where ssf='VKNT'  order by nzv");
}

void TDM::declareVariables() {
    declare(Q1, {}, false);
    declare(Qpod_orvel, {}, false);
    declare(Qpod_orvel_fifo, {}, false);
    declare(Qm, {}, true, true);
    declare(Qvknt, {});
    declare(Q2, {}, false);
    declare(Qsfvp, {}, false);
    declare(Qvln, {{"SFVLT", kString}, {"DAN", kDate}});
    declare(Qecb, {{"VALUE", kFloat}});
    declare(Qosb2, {});
    declare(Qfin, {{"SFFIN", kString}});
    declare(Qkpn, {{"SFVP", kString}, {"REPORT_DATE", kDate}});
    declare(Qkpn2, {{"SFVP", kString}});
    declare(Qkpn3, {{"SFVP", kString}, {"REPORT_DATE", kDate}});
    declare(qKpn4, {{"SFVP", kString}, {"DAN", kDate}});
    declare(qKpn5, {{"SFVP", kString}});
    declare(Qinx, {{"DAN", kDate}, {"SFINX", kString}});
    declare(Qsfinx, {{"SFINX", kString}});
    declare(Qvphst, {{"SFVP", kInteger}, {"DAN", kDate}});
    declare(Qvphst1,
            {{"IDPOG", kInteger}, {"SFVP", kInteger}, {"DANNKP", kDate}, {"IDVP", kInteger}});
    declare(Qvphst2, {{"IDPOG", kInteger}, {"SFVP", kInteger}, {"DAN", kDate}});
    declare(QvphstLOT, {{"DAN", kDate}, {"IDVP", kInteger}, {"SFVP", kInteger}});
    declare(Qknjizbe6, {});
    declare(Qsifkont, {});
    declare(Qsifsif, {{"SFVP", kInteger}});
    declare(Qpog, {{"IDPOG", kInteger}});
    declare(Qvlt, {});
    declare(QdogSfdog, {});
    declare(Qprocedura, {{"P_DATUM_M", kDate}, {"P_DATUM_V", kDate}}, false);
    declare(Qknj, {{"DANOD", kDate},
                   {"DANDO", kDate},
                   {"KONTO", kInteger},
                   {"POGODBA", kInteger},
                   {"SFVP", kInteger}});
    declare(Qknj2, {{"DANOD", kDate}, {"DANDO", kDate}, {"KONTO", kInteger}, {"VLT", kString}});
    declare(Qknj3, {{"DANOD", kDate},
                    {"DANDO", kDate},
                    {"KONTO", kInteger},
                    {"VLT", kString},
                    {"POGODBA", kInteger}});
    declare(Qknj4, {{"DANOD", kDate},
                    {"DANDO", kDate},
                    {"KONTO", kInteger},
                    {"VLT", kString},
                    {"IDMASTER", kInteger}});
    declare(Qvph, {{"DAT_STANJE", kDate}, {"POGODBA", kInteger}, {"SFVP", kInteger}});
    declare(Qvpshstkpn, {{"DATUM", kDate}, {"IDPOG", kInteger}, {"SFVP", kInteger}});
    declare(QKpnglv, {{"DATUM", kDate}, {"SFVP", kInteger}});
    declare(Qsfdog, {{"DANDO", kDate}, {"IDPOG", kInteger}, {"SFVP", kInteger}});
    declare(Qiniset, {});
    declare(Qdog, {{"IDPOG", kInteger}, {"SFVP", kInteger}, {"IDVP", kInteger}});
    declare(qDog1, {{"IDMASTER", kInteger}});
    declare(Qdog4, {{"IDPOG", kInteger}, {"SFKPN", kString}});
    declare(Qin, {}, false);
}

void TDM::saveDebugSql(const TOracleDataSet& dataset, const std::string& debugFile) const {
    if (!debugFile.empty() && window_.DebugSQL()) dataset.SaveSQLToFile(potPrograma_ + debugFile);
}

void TDM::OdpriPoizvedbo(TOracleDataSet& dataset, const std::string& text,
                         const std::string& debugFile) {
    dataset.Close();
    dataset.setSQL(text);
    saveDebugSql(dataset, debugFile);
    dataset.Open();
}

void TDM::IzvediStavek(const std::string& text) {
    Qpod_orvel.Close();
    Qpod_orvel.setSQL(text);
    Qpod_orvel.ExecSQL();
}

void TDM::IzvediInPotrdi(const std::string& text) {
    Qpod_orvel_fifo.Close();
    Qpod_orvel_fifo.setSQL(text);
    Qpod_orvel_fifo.ExecSQL();
    Qpod_orvel_fifo.Close();
    OracleSession1.Commit();
}

std::vector<TOracleDataSet*> TDM::datasets() {
    return {&Q1,        &Qpod_orvel, &Qpod_orvel_fifo,
            &Qm,        &Qvknt,      &Q2,
            &Qsfvp,     &Qvln,       &Qecb,
            &Qosb2,     &Qfin,       &Qkpn,
            &Qkpn2,     &Qkpn3,      &qKpn4,
            &qKpn5,     &Qinx,       &Qsfinx,
            &Qvphst,    &Qvphst1,    &Qvphst2,
            &QvphstLOT, &Qknjizbe6,  &Qsifkont,
            &Qsifsif,   &Qpog,       &Qvlt,
            &QdogSfdog, &Qprocedura, &Qknj,
            &Qknj2,     &Qknj3,      &Qknj4,
            &Qvph,      &Qvpshstkpn, &QKpnglv,
            &Qsfdog,    &Qiniset,    &Qdog,
            &qDog1,     &Qdog4,      &Qin};
}

} // namespace orv
