#include "transfer/IzvorniOkvir.h"

#include "base/Besedilo.h"
#include "base/SqlText.h"

#include <stdexcept>

namespace orv {

namespace {

using V = VrstaStolpca;

// The standard expressions: one row per security, account, contract, class and deal. The
// balance is the debit minus the credit of the postings in the window of the branch.
constexpr std::array<IzvorniStolpec, SteviloIzvornihStolpcev> kStolpci{{
    {"SFVPKRT",
     "TO_CHAR(K.IDVP) || DECODE(INSTR(MAX(V.KRT), '_S'), 0, MAX(V.KRT), SUBSTR(MAX(V.KRT), 1, "
     "Length(MAX(V.KRT))-2))",
     V::Besedilo},
    {"KONTO", "MAX(SIFKONT.OZNAKA)", V::Besedilo},
    {"VLTKRT", "MAX(VLT.KRT)", V::Besedilo},
    {"VLTIDBNK", "MAX(VLT.IDBNK)", V::Besedilo},
    {"ZNESEK1", "ROUND(SUM(K.BZNESEK-K.DZNESEK), 4)", V::Stevilo},
    {"ZNESEK2", "0", V::Stevilo},
    {"ZPDVP", "MAX(V.ZPDVP)", V::Datum},
    {"VRSTA_REF_OM", "MAX(V.VRSTA_REF_OM)", V::Besedilo},
    {"DATUMV", "MAX(K.DATUMV)", V::Datum},
    {"FINNZV", "MAX(FIN.NZV)", V::Besedilo},
    {"CLIENT_NO", "MAX(O.KRTBNK)", V::Besedilo},
    {"SFBON", "MAX(O.SFBON)", V::Besedilo},
    {"OPSFBON", "MAX(OP.SFBON)", V::Besedilo},
    {"SEKTORIZACIJA", "MAX(O.SEKTORIZACIJA)", V::Besedilo},
    {"OSFKDL", "MAX(O.SFKDL)", V::Besedilo},
    {"SFKDL", "MAX(OP.SFKDL)", V::Besedilo},
    {"DEJAVNOST", "MAX(K.DEJAVNOST)", V::Besedilo},
    {"KRTBNK", "MAX(OP.KRTBNK)", V::Besedilo},
    {"ISIN", "MAX(V.ISIN)", V::Besedilo},
    {"MTS", "MAX(OP.MTS)", V::Besedilo},
    {"SWIFT", "MAX(OP.SWIFT)", V::Besedilo},
    {"SFOSB", "MAX(OP.SFOSB)", V::CeloStevilo},
    {"IZDSFOSB", "MAX(O.SFOSB)", V::CeloStevilo},
    {"IDPSL", "MAX(D.IDPSL)", V::CeloStevilo},
    {"SFVLT", "MAX(D.SFVLT)", V::Besedilo},
    {"SFVLP", "MAX(V.SFVLP)", V::Besedilo},
    {"KVALUTA", "MAX(K.VALUTA)", V::Besedilo},
    {"POSEL", "K.IDVP", V::CeloStevilo},
    {"OE", "MAX(ORG.KRT)", V::Besedilo},
    {"VSFVLT", "MAX(V.SFVLTNMN)", V::Besedilo},
    {"SFGLVENT", "MAX(V.SFGLVENT)", V::Besedilo},
    {"DATUMK", "MAX(K.DATUMK)", V::Datum},
    {"FIXOBR", "MAX(V.FIXOBR)", V::Stevilo},
    {"SFODP", "MAX(V.SFODP)", V::Besedilo},
    {"DANODP", "MAX(V.DANODP)", V::Datum},
    {"SFTPF", "MAX(POG.SFTPF)", V::Besedilo},
    {"SFFIN", "MAX(V.SFFIN)", V::Besedilo},
    {"DOGDAN", "MIN(D.DAN)", V::Datum},
    {"GLVTCJ", "MAX(D.GLVTCJ)", V::Stevilo},
    {"IDPOG", "K.IDPOG", V::CeloStevilo},
    {"IDMASTER", "MAX(K.IDMASTER)", V::CeloStevilo},
    {"SFSOS", "MAX(OP.SFSOS)", V::Besedilo},
    {"SFDRZ", "MAX(OP.SFDRZ)", V::Besedilo},
    {"OPKRTBNK", "MAX(OP.KRTBNK)", V::Besedilo},
    {"ZNESEK", "SUM(K.BZNESEK-K.DZNESEK)", V::Stevilo},
    {"DOGZPD", "MAX(D.ZPD)", V::Datum},
    {"AKTIVEN", "MAX(SIFKONT.AKTIVEN)", V::Besedilo},
    {"VP1", "K.VP", V::CeloStevilo},
    {"REFINXNZV", "MAX(V.REFINXNZV)", V::Besedilo},
    {"GLVNMN", "MAX(V.GLVNMN)", V::Stevilo},
    {"SFVP", "K.VP", V::CeloStevilo},
    {"VKNT", "M.VKNT", V::Besedilo},
    {"GRUPIRAJ", "MIN(M.GRUPIRAJ)", V::Besedilo},
    {"KNTORG", "MAX(org.kntorg)", V::Besedilo},
    {"KOTACIJA", "MAX(v.kotacija)", V::Besedilo},
    {"SFDJV", "MAX(pog.sfdjv)", V::Besedilo},
    {"SPREM_SKUP_OM", "MAX(v.sprem_skup_om)", V::Besedilo},
    {"ZAJAMCENA_OM", "MAX(v.zajamcena_om)", V::Stevilo},
    {"VRSTA_OBVEZNICE", "MAX(v.vrsta_obveznice)", V::Besedilo},
    {"DAT_SPR_SKUP_OM", "MAX(v.dat_spr_skup_om)", V::Datum},
    {"O_SFSOS", "MAX(o.sfsos)", V::Besedilo},
    {"OP_SFSOS", "MAX(op.sfsos)", V::Besedilo},
    {"O_DEJAVNOST", "MAX(o.dejavnost)", V::Besedilo},
    {"OP_DEJAVNOST", "MAX(op.dejavnost)", V::Besedilo},
    {"O_NZV", "MAX(o.nzv)", V::Besedilo},
    {"OP_NZV", "MAX(op.nzv)", V::Besedilo},
    {"O_MTS", "MAX(o.mts)", V::Besedilo},
    {"OP_MTS", "MAX(op.mts)", V::Besedilo},
    {"O_KRTBNK", "MAX(o.krtbnk)", V::Besedilo},
    {"OP_KRTBNK", "MAX(op.krtbnk)", V::Besedilo},
    {"O_SEKTORIZACIJA", "MAX(o.sektorizacija)", V::Besedilo},
    {"OP_SEKTORIZACIJA", "MAX(op.sektorizacija)", V::Besedilo},
    {"O_SFDRZ", "MAX(o.sfdrz)", V::Besedilo},
    {"OP_SFDRZ", "MAX(op.sfdrz)", V::Besedilo},
    {"VRSTA_SKLADA", "MAX(v.vrsta_sklada)", V::Besedilo},
    {"VRSTA_OBVEZNICE", "MAX(v.vrsta_obveznice)", V::Besedilo},
    {"KKONTO", "K.KONTO", V::CeloStevilo},
    {"IDOBD", "max(k.idobd)", V::CeloStevilo},
}};

// The standard join chain, in its order.
constexpr std::array<const char*, 11> kZdruzitve{{
    "FROM KNJIZBE K",
    "JOIN matrika m ON (k.konto = m.ctrl AND m.vprc = '3')",
    "LEFT OUTER JOIN dog d ON (k.idmaster = d.iddog and k.idmaster is not null)",
    "LEFT OUTER JOIN sifkont sifkont ON (k.konto = sifkont.ctrl and k.konto is not null)",
    "LEFT OUTER JOIN sfvp v ON (k.vp = v.sfvp and k.vp is not null)",
    "LEFT OUTER JOIN osb o ON (v.sfosbizd = o.sfosb and v.sfosbizd is not null)",
    "LEFT OUTER JOIN pog pog ON (k.idpog = pog.idpog and k.idpog is not null)",
    "LEFT OUTER JOIN osb op ON (pog.sfosb = op.sfosb and pog.sfosb is not null)",
    "LEFT OUTER JOIN org org ON (pog.sforg = org.sforg)",
    "LEFT OUTER JOIN fin fin ON (v.sffin = fin.sffin)",
    "LEFT OUTER JOIN vlt vlt ON (v.sfvltnmn = vlt.sfvlt)",
}};

void preveriStevilko(int stevilka) {
    if (stevilka < 1 || stevilka > SteviloIzvornihStolpcev)
        throw std::out_of_range("no source column " + std::to_string(stevilka));
}

} // namespace

DatumiPorocila datumiPorocila(const ReportingPeriod& period) {
    return {period.dayText,       period.yearStart, period.lastYearStart,
            dateText(1, 1, 2007), period.lastYear,  period.windowText};
}

DatumiPorocila datumiPorocila(DateValue datum, std::string besediloOkna) {
    return datumiPorocila(periodOf(datum, std::move(besediloOkna)));
}

std::string literal(std::string_view text) {
    return sqlText(text);
}

IzvorniFiltri izvorniFiltri(std::string_view eIdpog, std::string_view eVKNT) {
    IzvorniFiltri filtri;
    const std::string pogodba = trim(eIdpog);
    if (!pogodba.empty()) filtri.pogodba = "k.idpog=" + literal(pogodba);
    if (!trim(eVKNT).empty()) filtri.razred = "M.VKNT=" + literal(toUpper(eVKNT));
    return filtri;
}

const std::array<IzvorniStolpec, SteviloIzvornihStolpcev>& izvorniStolpci() {
    return kStolpci;
}

IzbirniSeznam& IzbirniSeznam::zamenjaj(int stevilka, std::string izraz) {
    preveriStevilko(stevilka);
    izrazi_[stevilka] = std::move(izraz);
    return *this;
}

IzbirniSeznam& IzbirniSeznam::preimenuj(int stevilka, std::string ime) {
    preveriStevilko(stevilka);
    imena_[stevilka] = std::move(ime);
    return *this;
}

std::string IzbirniSeznam::besedilo() const {
    std::string text;
    for (int stevilka = 1; stevilka <= SteviloIzvornihStolpcev; ++stevilka) {
        const IzvorniStolpec& stolpec = kStolpci[static_cast<size_t>(stevilka - 1)];
        const auto izraz = izrazi_.find(stevilka);
        const auto ime = imena_.find(stevilka);
        if (stevilka > 1) text += ", ";
        text += izraz != izrazi_.end() ? izraz->second : std::string(stolpec.izraz);
        text += " ";
        text += ime != imena_.end() ? ime->second : std::string(stolpec.ime);
    }
    return text;
}

std::string zdruzitev(Zdruzitev item) {
    return kZdruzitve[static_cast<size_t>(item)];
}

std::string zdruzitve(std::initializer_list<Zdruzitev> items) {
    std::string text;
    for (const Zdruzitev item : items)
        text += (text.empty() ? "" : " ") + zdruzitev(item);
    return text;
}

std::string zdruzitveOdDo(Zdruzitev od, Zdruzitev doVkljucno) {
    std::string text;
    for (auto i = static_cast<size_t>(od); i <= static_cast<size_t>(doVkljucno); ++i)
        text += (text.empty() ? "" : " ") + std::string(kZdruzitve[i]);
    return text;
}

std::string kjer(std::initializer_list<std::string> pogoji) {
    std::string text;
    for (const std::string& pogoj : pogoji) {
        if (pogoj.empty()) continue;
        text += text.empty() ? "WHERE " : " AND ";
        text += pogoj;
    }
    return text;
}

std::string zdruzi(std::initializer_list<std::string> deli) {
    std::string text;
    for (const std::string& del : deli) {
        if (del.empty()) continue;
        text += (text.empty() ? "" : " ") + del;
    }
    return text;
}

} // namespace orv
