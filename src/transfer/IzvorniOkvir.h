#pragma once
// The frame that every branch of the source statement shares: the date texts of the reporting
// date, the two optional filters, the 78 columns of the source row with their standard
// expressions, and the standard join chain over the general ledger.

#include "base/Datum.h"
#include "base/ReportingPeriod.h"

#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

/// The date texts a source statement is built for.
struct DatumiPorocila {
    std::string dan;          ///< the reporting day, dd.mm.yyyy
    std::string zacetekLeta;  ///< 01.01. of its year
    std::string zacetekLani;  ///< 01.01. of the year before
    std::string zacetek2007;  ///< 01.01.2007, where the class 6 deals start
    std::string lani;         ///< the year before, as digits
    std::string besediloOkna; ///< the date edit's text exactly as shown
};

/// The date texts of `datum`; `besediloOkna` is the date edit's text as the operator sees it.
DatumiPorocila datumiPorocila(DateValue datum, std::string besediloOkna);

/// The date texts of a run's reporting period.
DatumiPorocila datumiPorocila(const ReportingPeriod& period);

/// The conditions of the two optional filters; empty when the filter is not active.
struct IzvorniFiltri {
    std::string pogodba; ///< k.idpog='...'
    std::string razred;  ///< M.VKNT='...'
};

/// The contract filter from the text of the test-contract edit (trimmed) and the class filter
/// from the class edit (upper case, untrimmed). Both texts are quoted, so a quote in them stays
/// a character of the compared text.
IzvorniFiltri izvorniFiltri(std::string_view eIdpog, std::string_view eVKNT);

/// Everything a branch needs.
struct IzvornaIzbira {
    DatumiPorocila datumi;
    IzvorniFiltri filtri;
};

/// `text` as a quoted literal, with each quote doubled.
std::string literal(std::string_view text);

enum class VrstaStolpca { Besedilo, Stevilo, CeloStevilo, Datum };

struct IzvorniStolpec {
    const char* ime;
    const char* izraz; ///< the standard expression
    VrstaStolpca vrsta;
};

inline constexpr int SteviloIzvornihStolpcev = 78;

/// The columns of the source row in their order (index 0 is column 1).
const std::array<IzvorniStolpec, SteviloIzvornihStolpcev>& izvorniStolpci();

/// A select list of the 78 columns: the standard expressions unless a branch replaces one.
class IzbirniSeznam {
public:
    /// Replaces the expression of column `stevilka` (1 to 78).
    IzbirniSeznam& zamenjaj(int stevilka, std::string izraz);
    /// Gives column `stevilka` another alias.
    IzbirniSeznam& preimenuj(int stevilka, std::string ime);
    /// "expression ALIAS, ..." in column order.
    std::string besedilo() const;

private:
    std::map<int, std::string> izrazi_;
    std::map<int, std::string> imena_;
};

/// The items of the standard join chain, in their order.
enum class Zdruzitev {
    Knjizbe,    ///< FROM KNJIZBE K
    Matrika,    ///< the account matrix, class rows of kind 3 only
    Dog,        ///< the posting's master deal
    Sifkont,    ///< the account register
    Sfvp,       ///< the posting's security
    Izdajatelj, ///< osb o: the security's issuer
    Pog,        ///< the posting's contract
    Partner,    ///< osb op: the contract's counterparty
    Org,        ///< the contract's organisational unit
    Fin,        ///< the security's instrument kind
    Vlt,        ///< the security's nominal currency
};

/// The text of one item of the standard join chain.
std::string zdruzitev(Zdruzitev item);

/// The texts of several items, joined by blanks.
std::string zdruzitve(std::initializer_list<Zdruzitev> items);

/// The standard items from `od` to `doVkljucno`, both included, joined by blanks.
std::string zdruzitveOdDo(Zdruzitev od, Zdruzitev doVkljucno);

/// "WHERE" and the non-empty conditions joined by "AND".
std::string kjer(std::initializer_list<std::string> pogoji);

/// Texts joined by single blanks.
std::string zdruzi(std::initializer_list<std::string> deli);

} // namespace orv
