// The FIFO clean-up: the deletion list of one pass from its rows, compared with the plain linear
// search over the list, and both passes on a small bank.

#include "TransferBank.h"

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "transfer/FIFOBrisanje.h"

#include <gmock/gmock.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::vector<std::string> opis(const SeznamBrisanja& seznam) {
    std::vector<std::string> vnosi;
    for (const VnosBrisanja& v : seznam.vnosi())
        vnosi.push_back(v.konto + "/" + v.pogodba + "/" + v.valuta + "@" + v.datum);
    return vnosi;
}

VrsticaFifo vrstica(const std::string& skupina, const std::string& datum, double znesek) {
    return {"K" + skupina, "P" + skupina, "978", datum, znesek};
}

TEST(FifoList, ZeroPointsOfTheEdgeCases) {
    struct Primer {
        const char* opis;
        std::vector<VrsticaFifo> vrstice;
        std::vector<std::string> vnosi;
    };
    const Primer primeri[] = {
        {"never back to zero",
         {vrstica("1", "01.02.2024", 100), vrstica("1", "01.03.2024", -50)},
         {}},
        {"the example: two rows cancel, a later one stays",
         {vrstica("1", "01.02.2024", 100), vrstica("1", "01.02.2024", -100),
          vrstica("1", "15.03.2024", 50)},
         {"K1/P1/978@01.02.2024"}},
        {"a single zero row is no zero point by itself",
         {vrstica("1", "01.02.2024", 0), vrstica("2", "01.02.2024", 5)},
         {}},
        {"twice back to zero: one entry, the later date",
         {vrstica("1", "01.02.2024", 10), vrstica("1", "01.02.2024", -10),
          vrstica("1", "01.03.2024", 20), vrstica("1", "01.04.2024", -20),
          vrstica("1", "01.05.2024", 7)},
         {"K1/P1/978@01.04.2024"}},
        {"within 0.02 counts as zero",
         {vrstica("1", "01.02.2024", 100), vrstica("1", "01.02.2024", -99.99),
          vrstica("1", "01.03.2024", 5)},
         {"K1/P1/978@01.02.2024"}},
        {"no rows: the final check adds an empty entry", {}, {"//@"}},
        {"the last group cancels at its last date: a second entry",
         {vrstica("1", "01.02.2024", 10), vrstica("1", "01.02.2024", -10),
          vrstica("1", "01.03.2024", 4), vrstica("1", "01.04.2024", -4)},
         {"K1/P1/978@01.02.2024", "K1/P1/978@01.04.2024"}},
        {"a group ends at zero when the next group begins",
         {vrstica("1", "01.02.2024", 10), vrstica("1", "01.03.2024", -10),
          vrstica("2", "01.02.2024", 3)},
         {"K1/P1/978@01.03.2024"}},
    };
    for (const Primer& p : primeri)
        EXPECT_EQ(opis(FIFOSeznam(p.vrstice)), p.vnosi) << p.opis;
}

// The list as the walk builds it with a plain search from the first entry, without a limit.
std::vector<std::string> linearno(const std::vector<VrsticaFifo>& vrstice) {
    std::vector<VnosBrisanja> seznam;
    std::string konto, pogodba, valuta, datum;
    long double vsota = 0;
    for (const VrsticaFifo& v : vrstice) {
        if ((v.datum != datum || v.konto != konto || v.pogodba != pogodba || v.valuta != valuta) &&
            !datum.empty() && std::fabs(vsota) <= 0.02L) {
            bool najden = false;
            for (VnosBrisanja& vnos : seznam)
                if (vnos.konto == konto && vnos.pogodba == pogodba && vnos.valuta == valuta) {
                    vnos.datum = datum;
                    najden = true;
                    break;
                }
            if (!najden) seznam.push_back({konto, pogodba, valuta, datum});
        }
        datum = v.datum;
        if (v.konto != konto || v.pogodba != pogodba || v.valuta != valuta) {
            vsota = 0;
            datum.clear();
        }
        vsota += v.znesek;
        if (std::fabs(vsota) <= 0.02L) vsota = 0;
        konto = v.konto;
        pogodba = v.pogodba;
        valuta = v.valuta;
    }
    if (vsota == 0) seznam.push_back({konto, pogodba, valuta, datum});
    std::vector<std::string> vnosi;
    for (const VnosBrisanja& v : seznam)
        vnosi.push_back(v.konto + "/" + v.pogodba + "/" + v.valuta + "@" + v.datum);
    return vnosi;
}

// Random walks with groups that come back (the list's groups are searched again and again) and
// more zero points than the old fixed list held.
TEST(FifoList, GivesTheSameListAsTheLinearSearch) {
    std::mt19937 random(20241231);
    for (int krog = 0; krog < 20; ++krog) {
        std::vector<VrsticaFifo> vrstice;
        const int skupin = krog < 18 ? 50 : 12000;
        for (int s = 0; s < skupin; ++s) {
            const std::string skupina = std::to_string(s);
            int dan = 1;
            const int n = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < n; ++i) {
                dan += static_cast<int>(random() % 3);
                const double znesek = (random() % 3 == 0) ? -10.0 : 10.0;
                vrstice.push_back({"K" + std::to_string(s % 7), "P" + skupina,
                                   random() % 2 ? "978" : "840",
                                   dateText(std::min(dan, 28), 1 + i % 12, 2024), znesek});
            }
        }
        const std::vector<std::string> pricakovano = linearno(vrstice);
        EXPECT_EQ(opis(FIFOSeznam(vrstice)), pricakovano) << "round " << krog;
        if (krog >= 18) {
            EXPECT_GT(pricakovano.size(), 4995u);
        }
    }
}

class Fifo : public TransferBank {
protected:
    void SetUp() override {
        TransferBank::SetUp();
        konto(300, "3");
        konto(400, "4");
        konto(100, "1");
        kontekst = std::make_unique<KontekstPrenosa>(*dm, window);
    }
    void vrstica(const std::string& konto, const std::string& pogodba, const std::string& vknt,
                 const std::string& otvoritev, const std::string& zapad, double znesek) {
        izhodnaVrstica("DAT_STANJE, ID_KONTO, POGODBA, ID_VALUTE, VKNT, DAT_OTVORITVE, DAT_ZAPAD, "
                       "ZNESEK_VAL",
                       "'31.12.2024', '" + konto + "', '" + pogodba + "', '978', '" + vknt +
                           "', '" + otvoritev + "', " +
                           (zapad.empty() ? std::string("NULL") : "'" + zapad + "'") + ", " +
                           formatNumber(znesek));
    }
    std::vector<std::string> ostale() {
        std::vector<std::string> pogodbe;
        for (const Vrstica& v : izhod())
            pogodbe.push_back(v["POGODBA"] + ":" + v["ZNESEK_VAL"]);
        return pogodbe;
    }
    std::unique_ptr<KontekstPrenosa> kontekst;
};

TEST_F(Fifo, Pass1DeletesTheCancellingRowsByOpeningDate) {
    vrstica("K300", "A", "3", "01.02.2024", "", 100);
    vrstica("K300", "A", "3", "01.02.2024", "", -100);
    vrstica("K300", "A", "3", "15.03.2024", "", 50);
    vrstica("K400", "B", "D", "01.02.2024", "", 30); // class D rows are never deleted
    vrstica("K400", "B", "D", "01.02.2024", "", -30);
    vrstica("K400", "B", "4", "01.03.2024", "", 1);
    vrstica("K100", "C", "1", "01.02.2024", "", 5); // not a class 3 or 4 account
    vrstica("K100", "C", "1", "01.02.2024", "", -5);
    FIFOBrisanje1(*kontekst);
    EXPECT_THAT(ostale(), UnorderedElementsAre("A:50", "B:30", "B:-30", "B:1", "C:5", "C:-5"));
}

// Texts from the table go back into the deletion quoted safely: a quote in a contract is a
// character of the contract, not the end of the literal.
TEST_F(Fifo, AQuoteInAContractStaysPartOfTheContract) {
    vrstica("K300", "O''NEIL", "3", "01.02.2024", "", 100);
    vrstica("K300", "O''NEIL", "3", "01.02.2024", "", -100);
    vrstica("K300", "O''NEIL", "3", "01.03.2024", "", 5);
    vrstica("K300", "O", "3", "01.02.2024", "", 9);
    FIFOBrisanje1(*kontekst);
    EXPECT_THAT(window.messages, IsEmpty());
    EXPECT_THAT(ostale(), UnorderedElementsAre("O'NEIL:5", "O:9"));
}

TEST_F(Fifo, Pass2OrdersByMaturityAndSeesWhatPass1Left) {
    // By opening date these never come back to zero; by maturity the first two cancel.
    vrstica("K300", "A", "3", "01.01.2024", "01.06.2024", 100);
    vrstica("K300", "A", "3", "02.01.2024", "01.09.2024", 7);
    vrstica("K300", "A", "3", "03.01.2024", "01.06.2024", -100);
    FIFOBrisanje1(*kontekst);
    EXPECT_EQ(ostale().size(), 3u);
    FIFOBrisanje2(*kontekst);
    EXPECT_THAT(ostale(), ElementsAre("A:7"));
}

TEST_F(Fifo, SavesTheSelectionWhileDebugSqlIsOn) {
    window.options.DebugSQL = true;
    const std::string datoteka = bank.folder() + "/fifo.SQL";
    FIFOBrisanje2(*kontekst);
    std::ifstream file(datoteka);
    std::stringstream besedilo;
    besedilo << file.rdbuf();
    EXPECT_THAT(besedilo.str(), testing::StartsWith("SELECT   p.znesek_val znesek_val, "
                                                    "p.id_konto id_konto, p.pogodba pogodba"));
    EXPECT_THAT(besedilo.str(), testing::HasSubstr("p.dat_stanje='31.12.2024'"));
}

// More groups cancel than the old fixed list of 4995 entries held: every one is cleaned.
TEST_F(Fifo, EveryCancellingGroupIsCleanedHoweverManyThereAre) {
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5100) "
         "INSERT INTO POD_ORVEL (DAT_STANJE, ID_KONTO, POGODBA, ID_VALUTE, VKNT, DAT_OTVORITVE, "
         "ZNESEK_VAL) SELECT '31.12.2024', 'K300', 'P' || i, '978', '3', NULL, "
         "CASE WHEN j = 0 THEN 10 ELSE -10 END FROM n, (SELECT 0 j UNION ALL SELECT 1)");
    // Each group: +10 and -10 on one date, then a new group begins.
    dm->IzvediStavek("UPDATE POD_ORVEL SET DAT_OTVORITVE = '01.02.2024'");
    dm->OracleSession1.Commit();
    ASSERT_EQ(izhod().size(), 10200u);
    FIFOBrisanje1(*kontekst);
    EXPECT_THAT(window.messages, IsEmpty());
    EXPECT_THAT(izhod(), IsEmpty());
}

} // namespace
} // namespace orv::test
