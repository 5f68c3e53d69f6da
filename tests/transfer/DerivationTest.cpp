// The derivation frame and its first ten steps, run through PolniPodatke on source rows made to
// measure, and the seen list against the plain linear scan.

#include "TransferBank.h"

#include "derive/PolniPodatke.h"
#include "derive/SeznamObdelanih.h"

#include "transfer/IzvorniOkvir.h"

#include <gmock/gmock.h>

#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(DerivationFrame, FiftySixNamedStepsInTheirOrderWithTheirLabels) {
    const auto& koraki = korakiIzpeljave();
    std::set<std::string> imena;
    std::vector<std::string> oznake;
    for (size_t i = 0; i < koraki.size(); ++i) {
        EXPECT_EQ(koraki[i].stevilka, static_cast<int>(i) + 1);
        EXPECT_NE(koraki[i].izvedi, nullptr);
        imena.insert(koraki[i].ime);
        if (koraki[i].oznaka) oznake.push_back(std::to_string(i + 1) + " " + koraki[i].oznaka);
    }
    EXPECT_EQ(imena.size(), 56u);
    EXPECT_THAT(oznake, ElementsAre("1 KUPONI", "3 ID_BONITETA", "6 ZAVAROVANJE", "7 DAT_ZAPAD",
                                    "9 ZNESEK_VAL", "11 REVAL_DML", "14 ECB_14", "15 ECB_17",
                                    "16 ECB_29", "17 ECB_21", "19 ECB_34"));
}

// The seen list answers as a scan of its three arrays from the first entry would.
TEST(SeenList, AnswersAsTheLinearScan) {
    std::mt19937 random(56);
    SeznamObdelanih seznam;
    std::vector<std::tuple<int, int, std::string>> linearno;
    for (int i = 0; i < 20000; ++i) {
        const int pogodba = static_cast<int>(random() % 300);
        const int konto = static_cast<int>(random() % 5);
        const std::string valuta = random() % 2 ? "E" : "U";
        bool videno = false;
        for (const auto& vnos : linearno)
            if (vnos == std::tuple(pogodba, konto, valuta)) videno = true;
        if (!videno) linearno.emplace_back(pogodba, konto, valuta);
        ASSERT_EQ(seznam.ZeObdelan(pogodba, konto, valuta), videno) << i;
    }
    ASSERT_EQ(seznam.velikost(), linearno.size());
    for (size_t i = 0; i < linearno.size(); ++i) {
        EXPECT_EQ(seznam.pogodbe()[i], std::get<0>(linearno[i]));
        EXPECT_EQ(seznam.konti()[i], std::get<1>(linearno[i]));
        EXPECT_EQ(seznam.valute()[i], std::get<2>(linearno[i]));
    }
    seznam.izprazni();
    EXPECT_FALSE(seznam.ZeObdelan(1, 2, "E"));
    EXPECT_TRUE(seznam.ZeObdelan(1, 2, "E"));
    EXPECT_FALSE(seznam.ZeObdelan(1, 2, "e")); // currency keys compare exactly
}

class Derivation : public TransferBank {
protected:
    /// Runs the derivation on one source row: the defaults below with `stolpci` (literals of
    /// the bank's dialect by column name) in their place.
    IzhodniZapis& izpelji(const std::map<std::string, std::string>& stolpci,
                          int zadnjiKorak = SteviloKorakov) {
        std::map<std::string, std::string> vir = {{"SFVP", "0"},           {"VKNT", "'1'"},
                                                  {"DEJAVNOST", "NULL"},   {"O_KRTBNK", "NULL"},
                                                  {"OP_KRTBNK", "NULL"},   {"GRUPIRAJ", "'N'"},
                                                  {"KONTO", "'K100'"},     {"SFBON", "NULL"},
                                                  {"OPSFBON", "NULL"},     {"SFDJV", "NULL"},
                                                  {"IDPOG", "1"},          {"SFVPKRT", "NULL"},
                                                  {"IDMASTER", "0"},       {"SFFIN", "NULL"},
                                                  {"DOGZPD", "NULL"},      {"ZPDVP", "NULL"},
                                                  {"KVALUTA", "'E'"},      {"ZNESEK", "0"},
                                                  {"KKONTO", "100"},       {"VP1", "0"},
                                                  {"POSEL", "0"},          {"SFGLVENT", "NULL"},
                                                  {"VRSTA_REF_OM", "NULL"}};
        // Every other column of the source row is NULL, as in a row whose branch has no value.
        for (const IzvorniStolpec& stolpec : izvorniStolpci())
            vir.emplace(stolpec.ime, "NULL");
        for (const auto& [ime, vrednost] : stolpci)
            vir[ime] = vrednost;
        std::string sql = "SELECT ";
        for (const auto& [ime, vrednost] : vir)
            sql += (sql.size() > 7 ? ", " : "") + vrednost + " " + ime;
        dm->OdpriPoizvedbo(dm->Q1, sql + " FROM dual");
        if (!kontekst) kontekst = std::make_unique<KontekstPrenosa>(*dm, window);
        const std::string vknt = dm->Q1.FieldByName("VKNT").AsString();
        if (zadnjiKorak == SteviloKorakov) {
            PolniPodatke(*kontekst, RazredVknt(vknt));
        } else {
            // Only the first steps, as the frame runs them: what a field holds after them.
            kontekst->vrstica = KontekstVrstice{};
            kontekst->vrstica.Razred = RazredVknt(vknt);
            for (int i = 0; i < zadnjiKorak; ++i)
                korakiIzpeljave()[static_cast<size_t>(i)].izvedi(*kontekst);
        }
        return kontekst->zapis;
    }

    std::unique_ptr<KontekstPrenosa> kontekst;
};

TEST_F(Derivation, ClientNumberByActivityClassAndAccount) {
    struct Primer {
        std::map<std::string, std::string> vir;
        const char* idKom;
    };
    const Primer primeri[] = {
        {{{"DEJAVNOST", "'L'"}, {"VKNT", "'7'"}, {"O_KRTBNK", "'123'"}}, "00000123"},
        {{{"DEJAVNOST", "'L'"}, {"VKNT", "'1'"}, {"O_KRTBNK", "'123'"}}, "123"},
        {{{"VKNT", "'1'"}, {"OP_KRTBNK", "'1234567890'"}}, "12345678"},
        {{{"VKNT", "'B'"}, {"GRUPIRAJ", "'D'"}, {"O_KRTBNK", "'55'"}, {"OP_KRTBNK", "'66'"}},
         "00000055"},
        {{{"VKNT", "'C'"}, {"OP_KRTBNK", "'66'"}}, "00000066"},
        {{{"VKNT", "'6'"}, {"KONTO", "' 1711 '"}, {"OP_KRTBNK", "'66'"}}, "00002755"},
        {{{"VKNT", "'1'"}, {"KONTO", "'9788X'"}}, "00002755"},
    };
    for (const Primer& p : primeri) {
        const IzhodniZapis& z = izpelji(p.vir);
        EXPECT_EQ(z.ID_KOM, p.idKom);
        EXPECT_EQ(z.ORGEN, "100");
    }
}

TEST_F(Derivation, FirstCreditGradeByClass) {
    const std::map<std::string, std::string> ocene = {{"SFBON", "'S1'"}, {"OPSFBON", "'O1'"}};
    struct Primer {
        const char* vknt;
        const char* sfdjv;
        const char* ocena;
    };
    for (const Primer& p :
         {Primer{"1", "NULL", "S1"}, Primer{"6", "NULL", "O1"}, Primer{"7", "'L'", "S1"},
          Primer{"8", "NULL", "O1"}, Primer{"A", "'L'", "S1"}, Primer{"3", "NULL", "S1"}}) {
        auto vir = ocene;
        vir["VKNT"] = std::string("'") + p.vknt + "'";
        vir["SFDJV"] = p.sfdjv;
        EXPECT_EQ(izpelji(vir).ID_BONITETA, p.ocena) << p.vknt;
    }
}

TEST_F(Derivation, ContractNumber) {
    struct Primer {
        std::map<std::string, std::string> vir;
        const char* pogodba;
    };
    const Primer primeri[] = {
        {{{"SFDJV", "'L'"}, {"IDPOG", "4790"}, {"SFVPKRT", "'KRT'"}}, "04790"},
        {{{"SFDJV", "'L'"}, {"IDPOG", "123"}, {"SFVPKRT", "' 77ABC '"}}, "0012377ABC"},
        {{{"IDPOG", "123456"}}, "23456"},
        {{{"VKNT", "'3'"}, {"IDPOG", "123"}, {"SFVPKRT", "' X '"}}, "123X"},
        {{{"VKNT", "'A'"}, {"IDPOG", "9"}, {"SFVPKRT", "'VP'"}}, "9VP"},
    };
    for (const Primer& p : primeri)
        EXPECT_EQ(izpelji(p.vir).POGODBA, p.pogodba);
}

TEST_F(Derivation, ClassDContractCarriesTheDealsYear) {
    posel(Posel(9, "V", "15.03.2021"));
    posel(Posel(5, "V", "01.01.2024").sfdog(3));
    exec("INSERT INTO TRG_SLAB (IDDOGSLAB, IDDOG) VALUES (5, 9)");
    const std::map<std::string, std::string> vir = {
        {"VKNT", "'D'"}, {"IDMASTER", "5"}, {"IDPOG", "77"}};
    auto posojilo = vir;
    posojilo["SFVPKRT"] = "' POSOJILO '";
    EXPECT_EQ(izpelji(posojilo).POGODBA, "772021");
    EXPECT_EQ(kontekst->vrstica.SfdogPosla, "3");
    EXPECT_EQ(kontekst->vrstica.LetnicaPosla, "2021");
    auto kratko = vir;
    kratko["SFVPKRT"] = "'KRT'";
    EXPECT_EQ(izpelji(kratko).POGODBA, "772021KRT");
    izpelji({{"IDMASTER", "0"}});
    EXPECT_EQ(kontekst->vrstica.SfdogPosla, "");
}

TEST_F(Derivation, AmountsRoundHalvesToEvenWithTheSignReversed) {
    exec("INSERT INTO VLT (SFVLT, IDBNK) VALUES ('U', '840'), ('Q', '999');"
         "INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES ('U', '0', '01.12.2024', 2)");
    struct Primer {
        const char* znesek;
        const char* valuta;
        double val, sit;
        const char* sifra;
    };
    for (const Primer& p :
         {Primer{"-0.125", "'E'", 0.12, 0.12, "978"}, Primer{"-0.375", "'E'", 0.38, 0.38, "978"},
          Primer{"12.5", "'E'", -12.5, -12.5, "978"}, Primer{"-10.01", "'U'", 10.01, 5, "840"},
          Primer{"-3", "'Q'", 3, 3, "999"}}) {
        const IzhodniZapis& z = izpelji({{"ZNESEK", p.znesek}, {"KVALUTA", p.valuta}});
        EXPECT_EQ(z.ZNESEK_VAL, p.val) << p.znesek;
        EXPECT_EQ(z.ZNESEK_SIT, p.sit) << p.znesek;
        EXPECT_EQ(z.ID_VALUTE, p.sifra) << p.valuta;
    }
}

TEST_F(Derivation, Classes7And8TakeTheMonthsDomesticTurnoverInEuro) {
    konto(700, "7");
    knjizi(Knjizba(700, "10.12.2024", 40).idpog(4).vp(5).valuta("U"));
    exec("UPDATE KNJIZBE SET BZNESEKSIT=BZNESEK * 2, DZNESEKSIT=DZNESEK * 2");
    const IzhodniZapis& z = izpelji({{"VKNT", "'7'"},
                                     {"KVALUTA", "'U'"},
                                     {"KKONTO", "700"},
                                     {"IDPOG", "4"},
                                     {"SFVP", "5"},
                                     {"ZNESEK", "1000"}});
    EXPECT_EQ(z.ZNESEK_VAL, -80);
    EXPECT_EQ(z.ZNESEK_SIT, -80);
    EXPECT_EQ(z.ID_VALUTE, "978");
    EXPECT_EQ(kontekst->vrstica.TecajVrstice, 1);
}

TEST_F(Derivation, FirstMaturityDateByClassAndCouponRate) {
    exec("INSERT INTO KPN (SFVP, PRVDAN, ZDNDAN, GLVOBR) VALUES "
         "(1, '15.07.2024', '15.01.2025', 0), (2, '15.07.2024', '15.01.2025', 0.004), "
         "(3, '15.07.2024', '15.01.2025', 0.006)");
    struct Primer {
        std::map<std::string, std::string> vir;
        std::string zapad;
    };
    const Primer primeri[] = {
        {{{"VKNT", "'9'"}, {"SFVP", "1"}, {"ZPDVP", "'01.06.2030'"}}, "01.06.2030"},
        {{{"VKNT", "'9'"}, {"SFVP", "2"}, {"ZPDVP", "'01.06.2030'"}}, "01.06.2030"},
        {{{"VKNT", "'9'"}, {"SFVP", "3"}, {"ZPDVP", "'01.06.2030'"}}, "15.01.2025"},
        {{{"VKNT", "'1'"}, {"SFVP", "1"}, {"ZPDVP", "'01.06.2030'"}}, "01.06.2030"},
        {{{"VKNT", "'1'"}, {"SFVP", "1"}}, "15.01.2025"},
        {{{"VKNT", "'1'"}, {"SFVP", "9"}}, ""},
        {{{"VKNT", "'2'"}, {"SFVP", "1"}, {"ZPDVP", "'01.06.2030'"}}, "15.01.2025"},
        {{{"VKNT", "'3'"}, {"DOGZPD", "'20.02.2026'"}}, "20.02.2026"},
        {{{"VKNT", "'6'"}, {"DOGZPD", "'21.02.2026'"}}, "21.02.2026"},
        {{{"VKNT", "'7'"}, {"DOGZPD", "'21.02.2026'"}}, formatDate(today())},
    };
    for (const Primer& p : primeri) {
        // The first maturity date as step 7 leaves it; step 19 replaces it for some classes.
        const IzhodniZapis& z = izpelji(p.vir, 10);
        EXPECT_EQ(z.DAT_ZAPAD, p.zapad) << p.vir.at("VKNT");
        EXPECT_EQ(z.DatZapadPrvotni, p.zapad);
    }
}

TEST_F(Derivation, InterestTypeAndAccount) {
    struct Primer {
        const char* dejavnost;
        const char* sfglvent;
        const char* vrsta;
        const char* tip;
    };
    for (const Primer& p :
         {Primer{"'L'", "'%'", "'EURIBOR'", "V"}, Primer{"'L'", "'%'", "'  '", "F"},
          Primer{"'X'", "'%'", "'EURIBOR'", "X"}, Primer{"'L'", "'#'", "NULL", "X"}}) {
        const IzhodniZapis& z = izpelji({{"DEJAVNOST", p.dejavnost},
                                         {"SFGLVENT", p.sfglvent},
                                         {"VRSTA_REF_OM", p.vrsta},
                                         {"KONTO", "'  123456789 '"}});
        EXPECT_EQ(z.TIP_OBRM, p.tip);
        EXPECT_EQ(z.NACIN_OBR, "");
        EXPECT_EQ(z.ID_KONTO, "12345678");
    }
}

// The previous-state amount of classes 1 and F: the month's domestic movements of the contract's
// purchase and sale deals on the accounts of the row's designation.
TEST_F(Derivation, PreviousStateAmountCoversTheReportingMonth) {
    konto(100, "1");
    posel(Posel(50, "V", "01.02.2024"));
    posel(Posel(51, "Z", "01.02.2024"));
    knjizi(Knjizba(100, "01.02.2024", 10).idpog(4).vp(5).idmaster(50));
    knjizi(Knjizba(100, "29.02.2024", 20).idpog(4).vp(5).idmaster(50));
    knjizi(Knjizba(100, "01.03.2024", 40).idpog(4).vp(5).idmaster(50));
    knjizi(Knjizba(100, "15.02.2024", 80).idpog(4).vp(5).idmaster(51));
    exec("UPDATE KNJIZBE SET BZNESEKSIT=BZNESEK, DZNESEKSIT=DZNESEK");
    window.options.eDanText = "29.02.2024";
    window.options.DebugSQL = true;
    const std::map<std::string, std::string> vir = {
        {"VKNT", "'1'"}, {"IDPOG", "4"}, {"VP1", "5"}, {"KONTO", "'K100'"}, {"POSEL", "NULL"}};
    EXPECT_EQ(izpelji(vir).ZNESEK_SIT_PREV, 30);
    std::ifstream file(bank.folder() + "/A.SQL");
    std::stringstream besedilo;
    besedilo << file.rdbuf();
    EXPECT_THAT(besedilo.str(), HasSubstr("K.DATUMV>='01.02.2024'  AND K.DATUMV<='29.02.2024'"));
    EXPECT_THAT(besedilo.str(), HasSubstr("SIFKONT.OZNAKA = 'K100'"));

    // Month ends follow the Gregorian calendar: 2100 is no leap year.
    kontekst.reset();
    window.options.eDanText = "28.02.2100";
    izpelji(vir);
    std::ifstream file2100(bank.folder() + "/A.SQL");
    std::stringstream besedilo2100;
    besedilo2100 << file2100.rdbuf();
    EXPECT_THAT(besedilo2100.str(),
                HasSubstr("K.DATUMV>='01.02.2100'  AND K.DATUMV<='28.02.2100'"));
}

TEST_F(Derivation, EachLabelledStepSetsTheStepLabelInOrder) {
    izpelji({});
    std::vector<std::string> oznake;
    for (const std::string& klic : window.calls)
        if (klic.starts_with("lblKorak: ")) oznake.push_back(klic.substr(10));
    EXPECT_THAT(oznake, ElementsAre("KUPONI", "ID_BONITETA", "ZAVAROVANJE", "DAT_ZAPAD",
                                    "ZNESEK_VAL", "REVAL_DML", "REVAL_OBRM", "ECB_14", "ECB_15",
                                    "ECB_17", "ECB_29", "ECB_21", "ECB_34"));
}

// A failing statement names its step; the record keeps what the steps before it set.
TEST_F(Derivation, AFailingStepIsNamedAndEndsTheDerivation) {
    izpelji({{"VKNT", "'1'"}});
    EXPECT_EQ(kontekst->zapis.ZAVAROVANJE, "X");
    kontekst->zapis.ZAVAROVANJE = "prej";
    exec("DROP TABLE TRG_SLAB");
    try {
        izpelji({{"VKNT", "'D'"}, {"IDMASTER", "5"}, {"IDPOG", "77"}});
        FAIL() << "the derivation went through";
    } catch (const NapakaKoraka& e) {
        EXPECT_EQ(e.stevilka(), 5);
        EXPECT_EQ(e.ime(), "PodatkiPosla");
        EXPECT_THAT(e.what(), HasSubstr("ORA-00942: table or view does not exist"));
        EXPECT_THAT(e.what(), HasSubstr("korak izpeljave 5, PodatkiPosla"));
    }
    EXPECT_THAT(window.messages.back(), HasSubstr("FROM trg_slab WHERE iddogslab=:idmaster"));
    EXPECT_EQ(kontekst->zapis.POGODBA, "00077");    // step 4 ran
    EXPECT_EQ(kontekst->zapis.ZAVAROVANJE, "prej"); // step 6 did not
}

} // namespace
} // namespace orv::test
