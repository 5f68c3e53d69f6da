#include "DerivationBank.h"

#include "bank/BankSchemaTables.h"
#include "base/Besedilo.h"
#include "base/SqlText.h"
#include "derive/PolniPodatke.h"
#include "transfer/IzvorniOkvir.h"
#include "transfer/Prepis.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orv::test {

namespace {

using TekstovnoPolje = std::string IzhodniZapis::*;
using StevilskoPolje = double IzhodniZapis::*;

const std::map<std::string, TekstovnoPolje>& tekstovnaPolja() {
    static const std::map<std::string, TekstovnoPolje> polja = {
        {"ORGEN", &IzhodniZapis::ORGEN},
        {"ID_KOM", &IzhodniZapis::ID_KOM},
        {"ID_BONITETA", &IzhodniZapis::ID_BONITETA},
        {"POGODBA", &IzhodniZapis::POGODBA},
        {"ZAVAROVANJE", &IzhodniZapis::ZAVAROVANJE},
        {"ID_KONTO", &IzhodniZapis::ID_KONTO},
        {"ID_VALUTE", &IzhodniZapis::ID_VALUTE},
        {"VKNT", &IzhodniZapis::VKNT},
        {"BONITETA_ECB", &IzhodniZapis::BONITETA_ECB},
        {"DAT_ZAPAD", &IzhodniZapis::DAT_ZAPAD},
        {"DAT_OTVORITVE", &IzhodniZapis::DAT_OTVORITVE},
        {"DAT_VPISA", &IzhodniZapis::DAT_VPISA},
        {"DAT_PRENOS", &IzhodniZapis::DAT_PRENOS},
        {"DatZapadPrvotni", &IzhodniZapis::DatZapadPrvotni},
        {"DAT_STANJE", &IzhodniZapis::DAT_STANJE},
        {"TIP_OBRM", &IzhodniZapis::TIP_OBRM},
        {"REVAL_DML", &IzhodniZapis::REVAL_DML},
        {"REAL_DML", &IzhodniZapis::REAL_DML},
        {"ID_SM", &IzhodniZapis::ID_SM},
        {"ID_APLI", &IzhodniZapis::ID_APLI},
        {"OPOMBA", &IzhodniZapis::OPOMBA},
        {"ID_REFE", &IzhodniZapis::ID_REFE},
        {"ID_STOR", &IzhodniZapis::ID_STOR},
        {"NAMEN_POSLA", &IzhodniZapis::NAMEN_POSLA},
        {"ECB_15", &IzhodniZapis::ECB_15},
        {"ECB_16", &IzhodniZapis::ECB_16},
        {"ECB_17", &IzhodniZapis::ECB_17},
        {"ECB_19", &IzhodniZapis::ECB_19},
        {"ECB_20", &IzhodniZapis::ECB_20},
        {"ECB_21", &IzhodniZapis::ECB_21},
        {"ECB_22", &IzhodniZapis::ECB_22},
        {"ECB_23", &IzhodniZapis::ECB_23},
        {"ECB_24", &IzhodniZapis::ECB_24},
        {"ECB_25", &IzhodniZapis::ECB_25},
        {"ECB_26", &IzhodniZapis::ECB_26},
        {"ECB_27", &IzhodniZapis::ECB_27},
        {"VRI_1", &IzhodniZapis::VRI_1},
        {"VRI_2", &IzhodniZapis::VRI_2},
        {"ECB_38", &IzhodniZapis::ECB_38},
        {"ECB_39", &IzhodniZapis::ECB_39},
        {"ECB_14N", &IzhodniZapis::ECB_14N},
        {"ECB_48", &IzhodniZapis::ECB_48},
        {"ECB_101N", &IzhodniZapis::ECB_101N},
        {"ECB_98N", &IzhodniZapis::ECB_98N},
        {"ECB_15N", &IzhodniZapis::ECB_15N},
        {"ECB_39N", &IzhodniZapis::ECB_39N},
        {"ECB_16N", &IzhodniZapis::ECB_16N},
        {"ECB_17N", &IzhodniZapis::ECB_17N},
        {"ECB_18N", &IzhodniZapis::ECB_18N},
        {"ECB_20N", &IzhodniZapis::ECB_20N},
        {"ECB_22N", &IzhodniZapis::ECB_22N},
        {"ECB_25N", &IzhodniZapis::ECB_25N},
        {"ECB_24N", &IzhodniZapis::ECB_24N},
    };
    return polja;
}

const std::map<std::string, StevilskoPolje>& stevilskaPolja() {
    static const std::map<std::string, StevilskoPolje> polja = {
        {"ZNESEK_VAL", &IzhodniZapis::ZNESEK_VAL},
        {"ZNESEK_SIT", &IzhodniZapis::ZNESEK_SIT},
        {"ZNESEK_SIT_PREV", &IzhodniZapis::ZNESEK_SIT_PREV},
        {"REVAL_OBRM", &IzhodniZapis::REVAL_OBRM},
        {"REAL_OBRM", &IzhodniZapis::REAL_OBRM},
        {"POVPR_STANJE", &IzhodniZapis::POVPR_STANJE},
        {"ECB_29", &IzhodniZapis::ECB_29},
        {"ECB_30", &IzhodniZapis::ECB_30},
        {"ECB_31", &IzhodniZapis::ECB_31},
        {"ECB_32", &IzhodniZapis::ECB_32},
        {"ECB_33", &IzhodniZapis::ECB_33},
        {"ECB_34", &IzhodniZapis::ECB_34},
        {"ECB_35", &IzhodniZapis::ECB_35},
        {"ECB_36", &IzhodniZapis::ECB_36},
        {"ECB_41", &IzhodniZapis::ECB_41},
        {"ECB_42", &IzhodniZapis::ECB_42},
    };
    return polja;
}

} // namespace

Vir::Vir(const Izvor& izvor) {
    for (const auto& [ime, besedilo] : izvor)
        t(ime, besedilo);
}

Vir& Vir::t(const std::string& ime, const std::string& besedilo) {
    stolpci_[ime] = besedilo.empty() ? "NULL" : sqlText(besedilo);
    return *this;
}

Vir& Vir::n(const std::string& ime, double stevilo) {
    stolpci_[ime] = formatNumber(stevilo);
    return *this;
}

std::string razredCrka(const std::string& vknt) {
    return RazredVknt(vknt);
}

DerivationBank::DerivationBank(const std::string& dan) {
    window.options.eDanText = dan;
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
    window.calls.clear();
    window.messages.clear();
}

void DerivationBank::rows(const std::string& sql) const {
    if (!sql.empty()) bank.exec(sql);
}

void DerivationBank::izprazni() const {
    // The session commits after every row it writes; what it reads must see the emptied bank,
    // so the tables are emptied on the test's own connection and committed there.
    std::string sql;
    for (const sqlite::BankTable& tabela : sqlite::bankTables())
        sql += std::string("DELETE FROM ") + (std::string(tabela.schema) == "main" ? "" : "skup.") +
               tabela.name + ";";
    // Every bank's settings name the schema of its write-down table.
    sql += "INSERT INTO INISET (KLJUC, VREDNOST) VALUES ('MSRP9_Shema', 'skup');";
    bank.exec(sql);
}

const std::vector<std::string>& izvorniStolpci() {
    // The source statement's own columns in its order, each name once: the dataset reads the
    // first of two columns of one name, so a second one adds nothing to a crafted row.
    static const std::vector<std::string> stolpci = [] {
        std::vector<std::string> imena;
        for (const IzvorniStolpec& stolpec : orv::izvorniStolpci())
            if (std::find(imena.begin(), imena.end(), stolpec.ime) == imena.end())
                imena.emplace_back(stolpec.ime);
        return imena;
    }();
    return stolpci;
}

KontekstPrenosa& DerivationBank::kontekst() {
    if (!k_) {
        k_ = std::make_unique<KontekstPrenosa>(dm, window);
        k_->zapis.DAT_STANJE = k_->obdobje.dayText;
    }
    return *k_;
}

void DerivationBank::odpriVir(const Vir& vir) {
    for (const auto& [ime, vrednost] : vir.stolpci())
        if (std::find(izvorniStolpci().begin(), izvorniStolpci().end(), ime) ==
            izvorniStolpci().end())
            throw std::invalid_argument("no source column " + ime);
    std::string sql = "SELECT ";
    for (const std::string& ime : izvorniStolpci()) {
        const auto najden = vir.stolpci().find(ime);
        sql += (ime == izvorniStolpci().front() ? "" : ", ") +
               (najden == vir.stolpci().end() ? std::string("NULL") : najden->second) + " " + ime;
    }
    dm.OdpriPoizvedbo(dm.Q1, sql + " FROM dual");
    dm.Q1.First();
}

IzhodniZapis& DerivationBank::izpelji(const Vir& vir, const Priprava& priprava, int pred,
                                      int zadnji) {
    KontekstPrenosa& k = kontekst();
    odpriVir(vir);
    // The frame's loop (PolniPodatke), which can stop after any step.
    k.vrstica = KontekstVrstice{};
    k.vrstica.Razred = razredCrka(k.izvor.VKNT());
    for (const KorakIzpeljave& korak : korakiIzpeljave()) {
        if (korak.stevilka > zadnji) break;
        if (korak.stevilka == pred && priprava) priprava(k);
        if (korak.oznaka) k.okno.setLblKorak(korak.oznaka);
        try {
            korak.izvedi(k);
        } catch (const NapakaKoraka&) {
            throw;
        } catch (const std::exception& e) {
            throw NapakaKoraka(korak, e.what());
        }
    }
    return k.zapis;
}

IzhodniZapis& DerivationBank::polni(const Vir& vir) {
    KontekstPrenosa& k = kontekst();
    odpriVir(vir);
    PolniPodatke(k, razredCrka(k.izvor.VKNT()));
    return k.zapis;
}

void DerivationBank::preveri(const std::vector<Primer>& primeri) {
    for (const Primer& primer : primeri) {
        SCOPED_TRACE(primer.opis);
        izprazni();
        rows(primer.vrstice);
        novPrenos();
        window.messages.clear();
        const IzhodniZapis& zapis = izpeljiDoKoraka33(primer.izvor);
        for (const auto& [ime, vrednost] : primer.pricakovano)
            EXPECT_EQ(polje(zapis, ime), vrednost) << ime;
        EXPECT_TRUE(window.messages.empty()) << window.messages.front();
    }
}

std::string DerivationBank::programFile(const std::string& name) const {
    std::ifstream file(dm.PotPrograma() + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string polje(const IzhodniZapis& zapis, const std::string& ime) {
    if (const auto t = tekstovnaPolja().find(ime); t != tekstovnaPolja().end())
        return zapis.*(t->second);
    if (const auto s = stevilskaPolja().find(ime); s != stevilskaPolja().end())
        return formatNumber(zapis.*(s->second));
    throw std::invalid_argument("no output field " + ime);
}

} // namespace orv::test
