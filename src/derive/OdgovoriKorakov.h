#pragma once
// Answers that cannot change within one transfer, kept for the transfer that asked for them.
// Many source rows share an account, a security or a contract, and the derivation asks the same
// question of the bank for each of them; the bank's reference tables are not written while a
// transfer runs (only POD_ORVEL is). The cache belongs to the run context, so a new transfer
// asks the bank afresh. A question that raises is not kept: the next row asks again and fails
// as the lookup fails.

#include "base/Vmesnik.h"
#include "db/TDM.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace orv {

class OdgovoriKorakov {
public:
    /// BeriDevizen of an account.
    std::string devizen(TDM& dm, Vmesnik& okno, int konto);
    /// BeriPrvDan1 of a security.
    std::string prviDanTrgovanja1(TDM& dm, Vmesnik& okno, int sfvp);
    /// ELIGIBLE of a security.
    std::string primernost(TDM& dm, Vmesnik& okno, int sfvp);
    /// BanTrg of a contract.
    std::string banTrg(TDM& dm, Vmesnik& okno, int idpog);
    /// BeriZnesekSit of an account and holding line: many rows of an account share holding
    /// line 0.
    double znesekSit(TDM& dm, Vmesnik& okno, int konto, int idvp);

    /// The schema of the write-down table, once it has been read in this transfer.
    std::optional<std::string> shemaMsrp9;

    /// The answers of the coupon-period statements that depend only on the security and the
    /// reporting date, by security.
    std::unordered_map<int, std::string> prviDanTrgovanja; ///< earliest PRVDANTRG from the date
    struct Ponastavitev {
        std::string naslednja; ///< MIN(PRVDANTRG) from the reporting date on
        std::string zadnja;    ///< MAX(PRVDANTRG) of the periods ended by then
        std::string sfkpn;     ///< the period that ended last
    };
    std::unordered_map<int, Ponastavitev> ponastavitve;

private:
    std::unordered_map<int, std::string> devizen_;
    std::unordered_map<int, std::string> prviDan1_;
    std::unordered_map<int, std::string> primernost_;
    std::unordered_map<int, std::string> banTrg_;
    std::unordered_map<long long, double> znesekSit_;
};

} // namespace orv
