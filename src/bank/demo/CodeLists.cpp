#include "bank/demo/CodeLists.h"

#include <cmath>

namespace orv::demo {

namespace {

struct Valuta {
    const char* sfvlt;
    const char* krt;
    const char* idbnk;
    double tecaj; // units per euro around which the rate moves
};

// 'X' has no rates at all and 'Y' no numeric code: what the rate and code lookups meet at worst.
const Valuta kValute[] = {
    {"E", "EUR", "978", 1.0},  {"U", "USD", "840", 1.08},  {"C", "CHF", "756", 0.95},
    {"G", "GBP", "826", 0.86}, {"J", "JPY", "392", 160.5}, {"N", "NOK", "578", 11.6},
    {"X", "XDR", "960", 0.0},  {"Y", "YYY", nullptr, 0.0},
};

void writeVknt(DemoTables& tables) {
    static const char* const names[][2] = {
        {"1", "Vrednostni papirji v lasti banke"},
        {"2", "Natecene obresti VP"},
        {"3", "Prejete vloge"},
        {"4", "Dane vloge"},
        {"5", "Provizije in prometi VP"},
        {"6", "Posojila"},
        {"7", "Izvenbilancne terjatve"},
        {"8", "Izvenbilancne obveznosti"},
        {"9", "Drugi vrednostni papirji"},
        {"A", "Kreditne linije"},
        {"B", "Druge terjatve in obveznosti"},
        {"C", "Prehodni konti"},
        {"D", "Slabitve posojil"},
        {"E", "Domaci konti"},
        {"F", "Lastniski vrednostni papirji"},
    };
    for (const auto& name : names)
        tables.write(SifRow{.ssf = "VKNT", .sif = name[0], .nzv = name[1], .krt = name[0]});
}

// Listing codes. 'N' has no short name, so counting the listed kinds skips it.
void writeListings(DemoTables& tables) {
    tables.write(SifRow{.ssf = "LST", .sif = "D", .nzv = "Borza, dolzniski", .krt = "BORZA-D"});
    tables.write(SifRow{.ssf = "LST", .sif = "K", .nzv = "Borza, kapitalski", .krt = "BORZA-K"});
    tables.write(SifRow{.ssf = "LST", .sif = "k", .nzv = "Borza, kratkorocni", .krt = "BORZA-k"});
    tables.write(SifRow{.ssf = "LST", .sif = "L", .nzv = "Lastna izdaja", .krt = "LASTNA"});
    tables.write(SifRow{.ssf = "LST", .sif = "N", .nzv = "Ne kotira"});
}

// Instrument kinds; 'G' is the kind that class 9 leaves out.
void writeInstruments(DemoTables& tables) {
    static const char* const kinds[][3] = {
        {"D", "Obveznice, kotirane", "D"},    {"u", "Obveznice s spremenljivo obrestno mero", "D"},
        {"n", "Obveznice, ne kotirane", "N"}, {"K", "Delnice, kotirane", "K"},
        {"F", "Investicijski skladi", "N"},   {"G", "Zakladne menice", "N"},
        {"P", "Lastne obveznice", "L"},       {"k", "Komercialni zapisi", "k"},
        {"Z", "Zamenljive obveznice", "K"},   {"z", "Strukturirani produkti", "N"},
    };
    for (const auto& kind : kinds)
        tables.write(FinRow{.sffin = kind[0], .nzv = kind[1], .sflst = kind[2]});
}

// Maturity bands in days. List '014' gives EcbSifra14/15 their numbers; '014N' and '014S' are
// what f_orig_zapad reads for the new (N) and the old (S) scheme.
void writeMaturityBands(DemoTables& tables) {
    struct Band {
        const char* code;
        double od;
        Num doDni;
    };
    static const Band novi[] = {
        {"01", 0, 0},       {"13", 1, 7},       {"23", 8, 30},      {"04", 31, 90},
        {"05", 91, 180},    {"06", 181, 365},   {"17", 366, 397},   {"27", 398, 730},
        {"18", 731, 1095},  {"28", 1096, 1460}, {"38", 1461, 1825}, {"19", 1826, 2555},
        {"29", 2556, 3650}, {"39", 3651, 5475}, {"49", 5476, 7300}, {"59", 7301, Num()},
    };
    static const Band stari[] = {
        {"02", 0, 365},
        {"03", 366, 730},
        {"04", 731, 1825},
        {"05", 1826, Num()},
    };
    for (const Band& band : novi) {
        for (const char* list : {"014", "014N"})
            tables.write(EcbSifrantRow{.ecb_seznam_id = list,
                                       .ecb_sifr_id = band.code,
                                       .interval_od = band.od,
                                       .interval_do = band.doDni});
    }
    for (const Band& band : stari)
        tables.write(EcbSifrantRow{.ecb_seznam_id = "014S",
                                   .ecb_sifr_id = band.code,
                                   .interval_od = band.od,
                                   .interval_do = band.doDni});
}

const Valuta* najdi(const std::string& sfvlt) {
    for (const Valuta& v : kValute)
        if (sfvlt == v.sfvlt) return &v;
    return nullptr;
}

} // namespace

const char* const kIndeksi[3] = {"EURIBOR6M", "EURIBOR3M", "TOM"};

const std::vector<std::string>& valuteKnjizb() {
    static const std::vector<std::string> keys = {"E", "U", "C", "G"};
    return keys;
}

// A rate holds for a calendar month; it moves a little from month to month.
double tecaj(const std::string& valuta, Dan day) {
    const Valuta* v = najdi(valuta);
    if (!v || v->tecaj == 0.0) return 0.0;
    if (valuta == "E") return 1.0;
    const DateParts parts = deli(day);
    // a saw-tooth of whole steps rather than a sine: the same rates from every maths library
    const int month = parts.year * 12 + parts.month + static_cast<int>(valuta[0]);
    const double wave = 1.0 + 0.005 * (month % 13 - 6);
    return std::round(v->tecaj * wave * 10000.0) / 10000.0;
}

void writeCodeLists(DemoTables& tables) {
    writeVknt(tables);
    writeListings(tables);
    writeInstruments(tables);
    writeMaturityBands(tables);
    tables.write(InisetRow{.kljuc = "MSRP9_Shema", .vrednost = "skup"});
    tables.write(InisetRow{.kljuc = "Verzija", .vrednost = "DEMO"});
    tables.write(TrgRow{.sftrg = "01", .sftrz = "1"}); // primary market
    tables.write(TrgRow{.sftrg = "02", .sftrz = "2"}); // stock exchange
    tables.write(TrgRow{.sftrg = "03", .sftrz = "3"}); // over the counter
}

// Rates of list '0' valid from the first day of each month, 2022 to the month after the reporting
// year; a list '1' beside it that the rate lookup must not read.
void writeCurrencies(DemoTables& tables) {
    for (const Valuta& v : kValute) {
        tables.write(
            VltRow{.sfvlt = v.sfvlt, .krt = v.krt, .idbnk = v.idbnk ? Txt(v.idbnk) : Txt()});
        if (v.tecaj == 0.0) continue;
        for (int year = 2022; year <= kPorocilnoLeto + 1; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const Dan first = dan(1, month, year);
                tables.write(VlnRow{.sfvlt = v.sfvlt,
                                    .sfvln = "0",
                                    .dan = besedilo(first),
                                    .tcj = tecaj(v.sfvlt, first)});
                tables.write(VlnRow{.sfvlt = v.sfvlt,
                                    .sfvln = "1",
                                    .dan = besedilo(first),
                                    .tcj = tecaj(v.sfvlt, first) * 1.01});
            }
        }
    }
}

void writeIndices(DemoTables& tables) {
    tables.write(SfinxRow{.sfinx = kIndeksi[0], .obd = 1, .nzv = "EURIBOR 6 mesecev"});
    tables.write(SfinxRow{.sfinx = kIndeksi[1], .obd = 1, .nzv = "EURIBOR 3 mesece"});
    tables.write(SfinxRow{.sfinx = kIndeksi[2], .obd = 2, .nzv = "TOM indeks cen"});
    for (int year = 2022; year <= kPorocilnoLeto; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const double t = (year - 2022) * 12 + month;
            const std::string first = besedilo(dan(1, month, year));
            tables.write(InxRow{.sfinx = kIndeksi[0], .dan = first, .inx = 0.5 + t * 0.11});
            tables.write(InxRow{.sfinx = kIndeksi[1], .dan = first, .inx = 0.4 + t * 0.10});
            tables.write(InxRow{.sfinx = kIndeksi[2], .dan = first, .inx = 0.2 + t * 0.03});
        }
    }
}

} // namespace orv::demo
