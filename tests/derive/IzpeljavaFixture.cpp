#include "derive/IzpeljavaFixture.h"

#include "base/Besedilo.h"
#include "base/SqlText.h"
#include "derive/DerivationBank.h"
#include "derive/PolniPodatke.h"
#include "transfer/Prepis.h"

#include <fstream>
#include <sstream>

namespace orv::test {

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

Izpeljava::Izpeljava() {
    window.options.eDanText = "15.03.2024";
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
}

KontekstPrenosa& Izpeljava::kontekst() {
    if (!k_) {
        k_ = std::make_unique<KontekstPrenosa>(dm, window);
        k_->zapis.DAT_STANJE = k_->obdobje.dayText;
    }
    return *k_;
}

void Izpeljava::odpriVir(const Vir& vir) {
    std::string sql = "SELECT ";
    bool prvi = true;
    for (const std::string& ime : izvorniStolpci()) {
        const auto found = vir.stolpci().find(ime);
        sql += (prvi ? "" : ", ") + (found == vir.stolpci().end() ? "NULL" : found->second) + " " +
               ime;
        prvi = false;
    }
    for (const auto& [ime, vrednost] : vir.stolpci()) {
        bool znan = false;
        for (const std::string& s : izvorniStolpci())
            znan = znan || ime == s;
        if (!znan) ADD_FAILURE() << "the source row has no column " << ime;
    }
    dm.OdpriPoizvedbo(dm.Q1, sql + " FROM dual");
    dm.Q1.First();
}

IzhodniZapis& Izpeljava::polni(const Vir& vir) {
    KontekstPrenosa& k = kontekst();
    odpriVir(vir);
    PolniPodatke(k, razredCrka(k.izvor.VKNT()));
    return k.zapis;
}

IzhodniZapis& Izpeljava::izpelji(const Vir& vir, const Priprava& priprava, int pred) {
    KontekstPrenosa& k = kontekst();
    odpriVir(vir);
    k.vrstica = KontekstVrstice{};
    k.vrstica.Razred = razredCrka(k.izvor.VKNT());
    for (const KorakIzpeljave& korak : korakiIzpeljave()) {
        if (korak.stevilka == pred && priprava) priprava(k);
        korak.izvedi(k);
    }
    return k.zapis;
}

std::string Izpeljava::programFile(const std::string& name) const {
    std::ifstream file(dm.PotPrograma() + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace orv::test
