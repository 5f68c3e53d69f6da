#include "bank/demo/Accounts.h"

namespace orv::demo {

namespace {

struct Konto {
    long ctrl;
    const char* oznaka;
    const char* vknt;
    const char* vprc;
    const char* grupiraj;
    const char* devizen;
    const char* aktPas;
    const char* ivdBreme = nullptr;
    const char* ivdDobro = nullptr;
};

Txt text(const char* value) {
    return value ? Txt(value) : Txt();
}

// Designations keep leading zeros ('0900100', '0909051'): the output compares their prefixes.
const Konto kKonti[] = {
    {konto::k1Vp, "1000100", "1", "3", "N", "D", "A"},
    {konto::k1Vp2, "1000200", "1", "3", "N", "D", "A"},
    {konto::k1Oznaka171, "1710001", "1", "3", "N", "D", "A"},
    {konto::k1Oznaka9903007, "9903007", "1", "3", "N", "D", "A"},
    {konto::k1Odpis99, "9900100", "1", "3", "N", "D", "A"},
    // grouped class 1 and a matrix row of another processing kind: no selection takes them
    {konto::k1Grupiran, "1009900", "1", "3", "D", "D", "A"},
    {konto::k1DrugiVprc, "1990000", "1", "1", "N", "D", "A"},
    {konto::k1Zava910, "1091000", "1", "3", "N", "D", "A"},
    {konto::k1Zava911, "1091100", "1", "3", "N", "D", "A"},
    {konto::k2Kupon, "2000100", "2", "3", "N", "D", "A"},
    {konto::k2Oznaka0909051, "0909051", "2", "3", "N", "D", "A"},
    {konto::k3Vloge, "3000100", "3", "3", "N", "D", "P"},
    {konto::k3Vloge2, "3000200", "3", "3", "N", "N", "P"},
    {konto::k4Plasma, "4000100", "4", "3", "N", "D", "A"},
    {konto::k4Plasma2, "4000200", "4", "3", "N", "N", "A"},
    {konto::k5Provizije, "5000100", "5", "3", "N", "D", "A"},
    {konto::k5Konto617, "6170000", "5", "3", "N", "D", "A"},
    {konto::k5Konto618, "6180000", "5", "3", "N", "D", "A"},
    {konto::k6Posojila, "6000100", "6", "3", "N", "D", "A"},
    {konto::k6Posojila2, "6000200", "6", "3", "N", "N", "A"},
    {konto::k6Oznaka0900, "0900100", "6", "3", "N", "N", "A"},
    {konto::k7Jamstva, "7000100", "7", "3", "N", "D", "A"},
    {konto::k7Jamstva2, "7000200", "7", "3", "N", "D", "P"},
    {konto::k8Obveznosti, "8000100", "8", "3", "N", "D", "P"},
    {konto::k9Vp, "9000100", "9", "3", "N", "D", "A"},
    {konto::k9Oznaka9788, "9788001", "9", "3", "N", "D", "A"},
    {konto::kAKrediti, "1300100", "A", "3", "N", "D", "A"},
    {konto::kAKrediti2, "1300200", "A", "3", "N", "N", "A"},
    {konto::kB78, "1500078", "B", "3", "D", "D", "A"},
    {konto::kB611, "1500611", "B", "3", "D", "D", "A"},
    {konto::kB308, "1500308", "B", "3", "D", "D", "P"},
    {konto::kB257, "1500257", "B", "3", "D", "D", "A"},
    {konto::kB379, "1500379", "B", "3", "D", "D", "A"},
    {konto::kBGrupiran, "1500100", "B", "3", "D", "N", "A"},
    {konto::kBTerjatve, "1600100", "B", "3", "N", "D", "A"},
    {konto::kBObveznosti, "1600200", "B", "3", "N", "N", "P"},
    // class C: debit and credit IVD codes that differ, that are equal, and a grouped account
    // (whose IVD lookup, made for ungrouped accounts only, finds nothing)
    {konto::kCRazlicniIvd, "1700100", "C", "3", "N", "D", "A", "01", "02"},
    {konto::kCEnakIvd, "1700200", "C", "3", "N", "N", "P", "03", "03"},
    {konto::kCGrupiran, "1700300", "C", "3", "D", "D", "A", "01", "02"},
    {konto::kDSlabitve, "1800100", "D", "3", "N", "D", "P"},
    {konto::kDSlabitve2, "1800200", "D", "3", "N", "N", "P"},
    {konto::kEDomaci, "1900100", "E", "3", "N", "N", "A"},
    {konto::kEDevizni, "1900200", "E", "3", "N", "D", "A"},
    {konto::kFDelnice, "2100100", "F", "3", "N", "D", "A"},
    {konto::kFOznaka9953007, "9953007", "F", "3", "N", "D", "A"},
};

} // namespace

void writeAccounts(DemoTables& tables) {
    for (const Konto& k : kKonti) {
        tables.write(MatrikaRow{.ctrl = k.ctrl,
                                .vknt = k.vknt,
                                .vprc = k.vprc,
                                .grupiraj = k.grupiraj,
                                .ecb_ivd_breme = text(k.ivdBreme),
                                .ecb_ivd_dobro = text(k.ivdDobro)});
        tables.write(SifkontRow{.ctrl = k.ctrl,
                                .oznaka = k.oznaka,
                                .aktiven = "D",
                                .devizen = k.devizen,
                                .akt_pas = k.aktPas});
    }
    // The IVD codes: the output carries their names.
    tables.write(SifRow{.ssf = "ECBIVD", .sif = "01", .nzv = "IVD_T01", .krt = "Breme"});
    tables.write(SifRow{.ssf = "ECBIVD", .sif = "02", .nzv = "IVD_T02", .krt = "Dobro"});
    tables.write(SifRow{.ssf = "ECBIVD", .sif = "03", .nzv = "IVD_T03", .krt = "Promet"});
}

} // namespace orv::demo
