#include "SourceBank.h"

#include "base/Besedilo.h"
#include "transfer/BeriPodatke.h"
#include "transfer/IzvorneVeje.h"

namespace orv::test {

namespace {

std::optional<double> real(std::optional<long> number) {
    return number ? std::optional<double>(static_cast<double>(*number)) : std::nullopt;
}

} // namespace

std::string sqlText(const std::string& text) {
    if (text.empty()) return "NULL";
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

std::string sqlNumber(std::optional<double> number) {
    return number ? formatNumber(*number) : "NULL";
}

void SourceBank::SetUp() {
    window.options.eDanText = "31.12.2024";
    dm = std::make_unique<TDM>(window, bank.folder() + "/");
    dm->OracleSession1.logonDatabase = bank.logonDatabase();
    dm->OracleSession1.logonUsername = "OPERATER";
    dm->OracleSession1.logonPassword = "demo";
    dm->OracleSession1.LogOn();
}

void SourceBank::konto(long ctrl, const std::string& vknt, const std::string& grupiraj) {
    const std::string c = std::to_string(ctrl);
    bank.exec("INSERT INTO MATRIKA (CTRL, VKNT, VPRC, GRUPIRAJ) VALUES (" + c + ", " +
              sqlText(vknt) + ", '3', " + sqlText(grupiraj) + ");" +
              "INSERT INTO SIFKONT (CTRL, OZNAKA, AKTIVEN) VALUES (" + c + ", 'K" + c + "', 'D');");
}

void SourceBank::knjizi(const Knjizba& k) {
    const double debit = k.znesek_ > 0 ? k.znesek_ : 0;
    const double credit = k.znesek_ < 0 ? -k.znesek_ : 0;
    bank.exec("INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, VP, IDVP, IDMASTER, IDOBD, DATUMV, "
              "DATUMK, BZNESEK, DZNESEK, DEJAVNOST, OE) VALUES (" +
              std::to_string(k.konto_) + ", " + sqlText(k.valuta_) + ", " +
              std::to_string(k.idpog_) + ", " + sqlNumber(real(k.vp_)) + ", " +
              sqlNumber(real(k.idvp_)) + ", " + sqlNumber(real(k.idmaster_)) + ", " +
              std::to_string(k.idobd_) + ", " + sqlText(k.datumv_) + ", " + sqlText(k.datumv_) +
              ", " + formatNumber(debit) + ", " + formatNumber(credit) + ", " +
              sqlText(k.dejavnost_) + ", " + sqlNumber(real(k.oe_)) + ")");
}

void SourceBank::posel(const Posel& p) {
    bank.exec("INSERT INTO DOG (IDDOG, SFPDG, DAN, LOT, ZKR, DVK, IDDOGGOT, IDDOGSTO, IDDOGSTN, "
              "IDVPL, STN, BREZSTO, ZLZ, TER, IDOBD, SFDOG, IDPOG, ZPD) VALUES (" +
              std::to_string(p.iddog_) + ", " + sqlText(p.sfpdg_) + ", " + sqlText(p.dan_) + ", " +
              formatNumber(p.lot_) + ", " + formatNumber(p.zkr_) + ", " + sqlNumber(p.dvk_) + ", " +
              sqlNumber(real(p.iddoggot_)) + ", " + sqlNumber(real(p.iddogsto_)) + ", " +
              sqlNumber(real(p.iddogstn_)) + ", " + sqlNumber(real(p.idvpl_)) + ", " +
              sqlText(p.stn_) + ", " + sqlText(p.brezsto_) + ", " + formatNumber(p.zlz_) + ", " +
              formatNumber(p.ter_) + ", " + sqlNumber(real(p.idobd_)) + ", " +
              sqlNumber(real(p.sfdog_)) + ", " + sqlNumber(real(p.idpog_)) + ", " +
              sqlText(p.zpd_) + ")");
}

void SourceBank::rowsInEveryBranch() {
    for (const char* c : {"1", "7", "C", "3", "D"})
        konto(c[0], c);
    konto(500, "B", "D");
    konto(600, "6");
    konto(200, "A");
    for (long p = 1; p <= 2; ++p) {
        for (const long k : {long('1'), long('7'), long('C'), 500L})
            knjizi(Knjizba(k, "10.12.2024", 10).idpog(p).dejavnost("X"));
        // Branch 9 groups by master deal, not by contract.
        knjizi(Knjizba('3', "10.12.2024", 10).idpog(p).idmaster(100 + p));
        knjizi(Knjizba('C', "10.12.2024", 10).idpog(p).dejavnost("L"));
        posel(Posel(10 * p, "Z", "01.01.2024").zlz(100));
        knjizi(Knjizba(600, "10.12.2024", 10).idpog(p).idmaster(10 * p));
        posel(Posel(10 * p + 1, "K", "01.01.2024").lot(100).brezsto("D"));
        knjizi(Knjizba(200, "10.12.2024", 10).idpog(p).idmaster(10 * p + 1));
        posel(Posel(10 * p + 2, "K", "01.01.2024").stn("X"));
        posel(Posel(10 * p + 3, "K", "31.12.2024").iddogstn(10 * p + 2));
        knjizi(Knjizba(200, "11.12.2024", 10).idpog(p).idmaster(10 * p + 2));
        posel(Posel(10 * p + 4, "K", "01.01.2024").sfdog(1));
        knjizi(Knjizba('D', "10.12.2024", 10).idpog(p).idmaster(10 * p + 4));
    }
}

Vrstice SourceBank::vrsticeQ1() {
    Vrstice vrstice;
    TOracleDataSet& q1 = dm->Q1;
    for (q1.First(); !q1.Eof(); q1.Next()) {
        Vrstica vrstica;
        for (int i = 0; i < q1.FieldCount(); ++i)
            vrstica.stolpci.emplace(toUpper(q1.fieldInfos()[static_cast<size_t>(i)].name),
                                    q1.Fields(i).AsString());
        vrstice.push_back(std::move(vrstica));
    }
    return vrstice;
}

Vrstice SourceBank::veja(int stevilka) {
    dm->OdpriPoizvedbo(dm->Q1, izvornaVeja(stevilka, izvornaIzbira(window)));
    return vrsticeQ1();
}

Vrstice SourceBank::izvor() {
    BeriPodatke(*dm, window);
    return vrsticeQ1();
}

Vrstice kjer(const Vrstice& vrstice, const std::string& ime, const std::string& vrednost) {
    Vrstice izbrane;
    for (const Vrstica& v : vrstice)
        if (v[ime] == vrednost) izbrane.push_back(v);
    return izbrane;
}

std::vector<std::string> stolpec(const Vrstice& vrstice, const std::string& ime) {
    std::vector<std::string> vrednosti;
    for (const Vrstica& v : vrstice)
        vrednosti.push_back(v[ime]);
    return vrednosti;
}

} // namespace orv::test
