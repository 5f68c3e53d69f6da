#include "bank/BankSchemaTables.h"

#include "output/StolpciPodOrvel.h"

namespace orv::sqlite {

namespace {

// Widths of the texts that recur across tables. Codes are short keys of code lists, flags one
// character; names and short names are free text of the bank's registers.
constexpr int kFlag = 1;
constexpr int kCode = 10;
constexpr int kShortName = 30;
constexpr int kName = 100;
constexpr int kClientNo = 20;    // KRTBNK: the output keeps its first or last 8 characters
constexpr int kDesignation = 20; // SIFKONT.OZNAKA, the account as the output names it
constexpr int kCurrencyKey = 5;  // SFVLT: 'E', 'U', 'C', ...
constexpr int kDateText = 10;    // dd.mm.yyyy kept as text

BankColumn T(const char* name, int width) {
    return {name, ColumnKind::Text, width};
}
BankColumn N(const char* name) {
    return {name, ColumnKind::Number, 0};
}
BankColumn D(const char* name) {
    return {name, ColumnKind::Date, 0};
}

// The output table's columns come from the one list of them.
std::vector<BankColumn> podOrvelColumns() {
    std::vector<BankColumn> columns;
    for (const StolpecPodOrvel& stolpec : stolpciPodOrvel()) {
        switch (stolpec.vrsta) {
        case VrstaStolpca::Besedilo:
            columns.push_back(T(stolpec.ime, stolpec.sirina));
            break;
        case VrstaStolpca::Stevilo:
            columns.push_back(N(stolpec.ime));
            break;
        case VrstaStolpca::Datum:
            columns.push_back(D(stolpec.ime));
            break;
        }
    }
    return columns;
}

// Keys that end in kEveryOtherColumn are covering indexes: the source statement joins the code
// tables (accounts, deals, securities, counterparties, contracts, ...) once per ledger posting
// and its correlated subqueries probe deals by parent and links by master; an index that holds
// the whole row answers each probe with one b-tree search instead of an index search and a table
// search, which is what an integer primary key would give, while the keys stay plain indexes
// (no uniqueness, NULL keys allowed, as tests and fixtures insert partial rows).
std::vector<BankTable> makeTables() {
    return {
        {"main",
         "KNJIZBE",
         "general-ledger postings: debit and credit in the transaction currency and in domestic "
         "currency, value and booking date, account, currency, contract, security, holding line, "
         "deal, period",
         {N("KONTO"), T("VALUTA", kCurrencyKey), N("IDPOG"), N("VP"), N("IDVP"), N("IDMASTER"),
          N("IDOBD"), D("DATUMV"), D("DATUMK"), N("BZNESEK"), N("DZNESEK"), N("BZNESEKSIT"),
          N("DZNESEKSIT"), T("DEJAVNOST", kFlag), N("OE")},
         {{"KONTO", "VALUTA", "DATUMV"},
          // the ledger scans of the source statement: an account's postings of a period, read
          // from the index alone
          {"KONTO", "DATUMV", kEveryOtherColumn},
          {"IDPOG", "VP", "DATUMV"},
          {"IDVP", "DATUMV"},
          {"IDMASTER", "DATUMV"},
          // the month's movement of an account and a contract's security or currency, and the
          // year's of an account and holding line: most postings carry holding line 0, so the
          // holding line alone narrows nothing
          {"KONTO", "IDPOG", "VP", "IDVP", "DATUMV"},
          {"KONTO", "IDPOG", "VALUTA", "DATUMV"},
          {"KONTO", "IDVP", "DATUMV"}}},
        {"main",
         "MATRIKA",
         "account matrix: class VKNT, grouping flag and IVD codes of a ledger account CTRL",
         {N("CTRL"), T("VKNT", kFlag), T("VPRC", kFlag), T("GRUPIRAJ", kFlag),
          T("ECB_IVD_BREME", kCode), T("ECB_IVD_DOBRO", kCode)},
         {{"CTRL", kEveryOtherColumn}, {"VKNT", "CTRL", kEveryOtherColumn}}},
        {"main",
         "SIFKONT",
         "account register: the designation OZNAKA the output uses, and the account's flags",
         {N("CTRL"), T("OZNAKA", kDesignation), T("AKTIVEN", kFlag), T("DEVIZEN", kFlag),
          T("AKT_PAS", kFlag)},
         {{"CTRL", kEveryOtherColumn}, {"OZNAKA"}}},
        {"main",
         "DOG",
         "deals: kind, type, dates, amounts, and links to parent (IDDOGGOT), cancelling "
         "(IDDOGSTO) and state (IDDOGSTN) deals",
         {N("IDDOG"),
          N("IDPSL"),
          T("SFVLT", kCurrencyKey),
          D("DAN"),
          N("GLVTCJ"),
          D("ZPD"),
          N("IDDOGSTO"),
          N("IDDOGGOT"),
          N("IDDOGSTN"),
          N("IDVPL"),
          T("STN", kCode),
          T("SFPDG", kFlag),
          T("BREZSTO", kFlag),
          N("LOT"),
          N("ZKR"),
          N("DVK"),
          N("ZLZ"),
          N("TER"),
          N("IDOBD"),
          N("SFDOG"),
          N("IDPOG"),
          N("SFVP"),
          N("IDVP"),
          T("SFKPN", kCode),
          T("SFTRG", kCode),
          N("GLVVLT"),
          N("OBRVLT")},
         {{"IDDOG", kEveryOtherColumn},
          {"IDDOGGOT", "DAN", kEveryOtherColumn},
          {"IDDOGSTO", "DAN"},
          {"IDDOGSTN"},
          {"IDVPL"},
          {"IDPOG", "SFVP", "DAN"}}},
        {"main",
         "DOGLNK",
         "links between deals, of kind SFLNK",
         {N("IDDOGMASTER"), N("IDDOGDETAIL"), T("SFLNK", kFlag)},
         {{"IDDOGMASTER", kEveryOtherColumn}}},
        {"main",
         "TRG_SLAB",
         "write-down links: the deal a write-down deal belongs to",
         {N("IDDOGSLAB"), N("IDDOG")},
         {{"IDDOGSLAB", kEveryOtherColumn}, {"IDDOG"}}},
        {"main",
         "VPL",
         "payment plans of deals",
         {N("IDVPL"), T("ST", kShortName)},
         {{"IDVPL", kEveryOtherColumn}}},
        {"main",
         "POG",
         "contracts: type, activity, counterparty, organisational unit, market",
         {N("IDPOG"), T("SFTPF", kFlag), T("SFDJV", kFlag), N("SFOSB"), N("SFORG"),
          T("BAN_TRG", kFlag)},
         {{"IDPOG", kEveryOtherColumn}}},
        {"main",
         "ORG",
         "organisational units",
         {N("SFORG"), T("KRT", kShortName), T("KNTORG", kCode)},
         {{"SFORG", kEveryOtherColumn}}},
        {"main",
         "OSB",
         "counterparties and issuers: client number, rating class, status, sector, activity, "
         "state, identifiers",
         {N("SFOSB"), T("KRTBNK", kClientNo), T("SFBON", kCode), T("SEKTORIZACIJA", 20),
          T("SFKDL", kFlag), T("MTS", 20), T("SWIFT", 11), T("SFSOS", kFlag), T("SFDRZ", kCode),
          T("DEJAVNOST", kCode), T("NZV", kName)},
         {{"SFOSB", kEveryOtherColumn}, {"KRTBNK"}}},
        {"main",
         "SFVP",
         "securities: short name, maturity, issuer, instrument, currencies, coupon and "
         "classification attributes",
         {N("SFVP"),
          T("KRT", kShortName),
          D("ZPDVP"),
          T("VRSTA_REF_OM", kCode),
          T("ISIN", 12),
          T("SFVLP", kCurrencyKey),
          T("SFVLTNMN", kCurrencyKey),
          T("SFGLVENT", kFlag),
          N("FIXOBR"),
          T("SFODP", kFlag),
          D("DANODP"),
          T("SFFIN", kFlag),
          T("REFINXNZV", kName),
          N("GLVNMN"),
          T("KOTACIJA", kFlag),
          T("SPREM_SKUP_OM", kCode),
          N("ZAJAMCENA_OM"),
          T("VRSTA_OBVEZNICE", kFlag),
          D("DAT_SPR_SKUP_OM"),
          T("VRSTA_SKLADA", kFlag),
          N("SFOSBIZD"),
          T("JAMSTVO", kFlag),
          T("ECB_ELIGIBLE_DN", kFlag)},
         {{"SFVP", kEveryOtherColumn}}},
        {"main",
         "FIN",
         "kinds of financial instrument and their listing code",
         {T("SFFIN", kFlag), T("NZV", kName), T("SFLST", kFlag)},
         {{"SFFIN", kEveryOtherColumn}}},
        {"main",
         "VPHST",
         "holdings of securities by state date, contract and holding line, with purchase data "
         "and valuation",
         {D("DAN"), N("SFVP"), N("IDPOG"), N("IDVP"), D("DANNKP"), N("LOT"), N("GLVTCJNKP"),
          T("SFDJV", kFlag), T("SFSVP", kFlag), N("IDDOGGEN"), N("GLVTCJ"), N("GLVVLT"),
          N("OBRVLT"), N("REVVLT"), N("TCJVLT")},
         {{"SFVP", "DAN", "IDPOG"}, {"SFVP", "DAN", "IDVP"}}},
        {"main",
         "VPSHST",
         "holding states of a contract's security by date",
         {N("ZST"), D("DAN"), N("IDPOG"), N("SFVP")},
         {{"SFVP", "IDPOG", "DAN"}}},
        {"main",
         "KPN",
         "coupon periods of securities: period and trading dates, rates, principal, index",
         {N("SFVP"), N("STKPN"), D("PRVDAN"), D("ZDNDAN"), D("PRVDANTRG"), D("ZDNDANTRG"),
          N("SFOBD"), T("SFINX", kCode), T("REFOBM", kCode), N("GLVOBR"), N("OBRPRC"), N("OBROBR"),
          T("SFKPN", kCode), N("GLV")},
         {{"SFVP", "PRVDAN"}, {"SFVP", "PRVDANTRG"}, {"SFVP", "ZDNDANTRG"}, {"SFKPN"}}},
        {"main",
         "TRG",
         "markets and their kind",
         {T("SFTRG", kCode), T("SFTRZ", kFlag)},
         {{"SFTRG"}}},
        {"main",
         "VLT",
         "currencies: short name and numeric code",
         {T("SFVLT", kCurrencyKey), T("KRT", kShortName), T("IDBNK", 3)},
         {{"SFVLT", kEveryOtherColumn}}},
        {"main",
         "VLN",
         "exchange rates of a currency in a rate list, valid from a day",
         {N("TCJ"), T("SFVLT", kCurrencyKey), T("SFVLN", kCode), D("DAN")},
         {{"SFVLT", "SFVLN", "DAN"}}},
        {"main",
         "INX",
         "values of reference indices, valid from a day",
         {N("INX"), T("SFINX", kCode), D("DAN")},
         {{"SFINX", "DAN"}}},
        {"main",
         "SFINX",
         "register of reference indices: basis code and name",
         {N("OBD"), T("NZV", kName), T("SFINX", kCode)},
         {{"SFINX"}}},
        {"main",
         "SIF",
         "code lists: code SIF of list SSF, with short and full name",
         {T("SSF", kCode), T("SIF", kCode), T("NZV", kName), T("KRT", kShortName)},
         {{"SSF", "SIF"}}},
        {"main",
         "ECB_SIFRANTI",
         "code lists of the reporting: code ECB_SIFR_ID of list ECB_SEZNAM_ID for the interval "
         "INTERVAL_OD to INTERVAL_DO",
         {T("ECB_SEZNAM_ID", kCode), T("ECB_SIFR_ID", kCode), N("INTERVAL_OD"), N("INTERVAL_DO")},
         {{"ECB_SEZNAM_ID", "INTERVAL_OD"}}},
        {"main",
         "INISET",
         "settings by key, e.g. MSRP9_Shema, the schema of the write-down table",
         {T("KLJUC", 50), T("VREDNOST", kName)},
         {{"KLJUC"}}},
        {"main",
         "TCN",
         "prices of securities from a day on (what qev_gettcn2 reads)",
         {N("SFVP"), D("DAN"), N("TCN")},
         {{"SFVP", "DAN"}}},
        {"main",
         "POD_ORVEL",
         "the output rows of every reporting date, keyed by DAT_STANJE",
         podOrvelColumns(),
         {{"DAT_STANJE", "POGODBA"},
          // the account too: the grade corrections look up a counterparty's rows on accounts
          // of chosen classes, and with the account in the key that is one search per account
          {"DAT_STANJE", "ID_KOM", "ID_KONTO"},
          {"DAT_STANJE", "ID_KONTO", "POGODBA", "ID_VALUTE"}}},
        {"skup",
         "MSRP9_SLAB_34_E",
         "write-down data by reporting date, holding line, contract and security or by contract "
         "text",
         {N("IDVP"), N("IDPOG"), N("SFVP"), T("POGODBA", 60), D("DAT_STANJE"), T("ECB_133", 2),
          T("VRSTA_SLABITVE", kCode), N("ECB_42")},
         {{"IDPOG", "IDVP", "DAT_STANJE"}, {"POGODBA", "DAT_STANJE"}}},
    };
}

} // namespace

const std::vector<BankTable>& bankTables() {
    static const std::vector<BankTable> tables = makeTables();
    return tables;
}

std::string declaredType(const BankColumn& column) {
    switch (column.kind) {
    case ColumnKind::Number:
        return "NUMBER";
    case ColumnKind::Date:
        return "DATE";
    case ColumnKind::Text:
        break;
    }
    return "VARCHAR2(" + std::to_string(column.width) + ")";
}

} // namespace orv::sqlite
