#include "cli/CommandLine.h"

#include "app/AliasStore.h"

namespace orv {

void logOnThroughAlias(TDM& dm, Vmesnik& window, const std::string& alias, const std::string& user,
                       const std::string& password) {
    const std::string server = StreznikAliasa(AliasStore::standard(), alias);
    dm.OracleSession1.logonDatabase = server;
    dm.OracleSession1.logonUsername = user;
    dm.OracleSession1.logonPassword = password;
    dm.OracleLogon1.Execute(window);
    if (!dm.OracleSession1.connected())
        throw std::runtime_error("Prijava v " + server + " ni uspela!");
}

} // namespace orv
