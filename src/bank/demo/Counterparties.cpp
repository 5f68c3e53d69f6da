#include "bank/demo/Counterparties.h"

#include <cstdio>

namespace orv::demo {

namespace {

std::string krtbnk(long number) {
    char text[24];
    std::snprintf(text, sizeof text, "%08ld", number);
    return text;
}

void writeUnits(DemoContext& ctx) {
    for (long unit = 1; unit <= 8; ++unit) {
        char krt[8], kntorg[4];
        std::snprintf(krt, sizeof krt, "PE%02ld", unit);
        std::snprintf(kntorg, sizeof kntorg, "%02ld", unit); // '01'..'08', kept as text
        ctx.tables.write(OrgRow{.sforg = unit, .krt = krt, .kntorg = kntorg});
        ctx.enote.push_back(unit);
    }
}

// Each special one meets one rule of the grades and client numbers.
void writeSpecial(DemoContext& ctx) {
    auto base = [](long sfosb, const char* krt) {
        return OsbRow{.sfosb = sfosb,
                      .krtbnk = krt,
                      .sfbon = "B",
                      .sektorizacija = "S.11",
                      .sfkdl = "P",
                      .mts = "1234567000",
                      .swift = "DEMOSI2X",
                      .sfsos = "P",
                      .sfdrz = "S",
                      .dejavnost = "41.200",
                      .nzv = "Podjetje"};
    };
    OsbRow r = base(oseba::kKrt4790, "00004790");
    r.sfbon = "C", r.nzv = "Skupni kupci";
    ctx.tables.write(r);
    r = base(oseba::kKrt44229, "00044229"), r.sfbon = "D", r.nzv = "Posebni dolznik";
    ctx.tables.write(r);
    r = base(oseba::kKrt25283, "00025283"), r.sfbon = "E", r.nzv = "Javni sklad";
    ctx.tables.write(r);
    r = base(oseba::kKrt9814, "00009814"), r.nzv = "Poslovna banka PE";
    ctx.tables.write(r);
    r = base(oseba::kKrt11908, "00011908"), r.nzv = "Klirinska hisa";
    ctx.tables.write(r);
    r = base(oseba::kBankaPa, "00000611"), r.sfsos = "B", r.dejavnost = "64.190",
    r.nzv = "Banka Demo d.d.", r.sektorizacija = "S.122";
    ctx.tables.write(r);
    r = base(oseba::kHranilnica, "00000612"), r.sfsos = "B", r.dejavnost = "64.190",
    r.nzv = "Hranilnica Lon d.d.", r.sektorizacija = "S.122";
    ctx.tables.write(r);
    r = base(oseba::kMts5214246, "00000613"), r.mts = "5214246000", r.sektorizacija = "S.122";
    ctx.tables.write(r);
    r = base(oseba::kCentralnaBanka, "00000614"), r.sektorizacija = "S.121", r.sfsos = "B",
    r.nzv = "Centralna banka";
    ctx.tables.write(r);
    r = base(oseba::kDrzava, "00000615"), r.sektorizacija = "S.13111", r.sfsos = "D", r.sfkdl = "O",
    r.nzv = "Republika";
    ctx.tables.write(r);
    r = base(oseba::kTujaDrzava, "00000616"), r.sektorizacija = "S.2", r.sfsos = "D",
    r.sfdrz = "DE", r.sfkdl = "O", r.swift = "BUNDDEFF", r.nzv = "Tuja drzava";
    ctx.tables.write(r);
    r = base(oseba::kFinancna, "00000617"), r.sfsos = "F", r.sektorizacija = "S.125",
    r.nzv = "Zavarovalnica";
    ctx.tables.write(r);
    for (long special = oseba::kBankaPa; special <= oseba::kFinancna; ++special)
        ctx.izdajatelji.push_back(special);
}

void writePool(DemoContext& ctx) {
    static const char* const sectors[] = {"S.11", "S.122", "S.123", "S.125", "S.14",
                                          "S.15", "S.21",  "S.13",  "S.124"};
    static const char* const statuses[] = {"P", "B", "D", "S", "F", "T"};
    static const char* const activities[] = {"64.190", "41.200", "01.110", "08.110",
                                             "00031",  "47.110", "68.200"};
    static const char* const grades[] = {"A", "B", "C", "D", "E"};
    const long count = 20 + ctx.velikost / 4;
    for (long i = 0; i < count; ++i) {
        const long sfosb = 1000 + i;
        const bool foreign = ctx.rng.chance(0.15);
        char mts[12], name[40];
        std::snprintf(mts, sizeof mts, "%07ld000", 6000000 + ctx.rng.below(3000000));
        std::snprintf(name, sizeof name, "Komitent %ld d.o.o.", sfosb);
        ctx.tables.write(OsbRow{.sfosb = sfosb,
                                .krtbnk = krtbnk(10000 + sfosb),
                                .sfbon = grades[ctx.rng.below(5)],
                                .sektorizacija = sectors[ctx.rng.below(9)],
                                .sfkdl = foreign ? "O" : (ctx.rng.chance(0.5) ? "P" : "F"),
                                .mts = mts,
                                .swift = foreign ? "FORNATWW" : "BANKSI2X",
                                .sfsos = statuses[ctx.rng.below(6)],
                                .sfdrz = foreign ? "AT" : "S",
                                .dejavnost = activities[ctx.rng.below(7)],
                                .nzv = name});
        ctx.osebe.push_back(sfosb);
        if (i % 4 == 0) ctx.izdajatelji.push_back(sfosb);
    }
}

} // namespace

void writeCounterparties(DemoContext& ctx) {
    writeUnits(ctx);
    writeSpecial(ctx);
    writePool(ctx);
}

} // namespace orv::demo
