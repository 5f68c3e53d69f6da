// The source statement as a whole: date texts, the two filters in every branch, the UNION, and
// BeriPodatke's labels, display, debug file and failure reaction.

#include "SourceBank.h"

#include "base/Referent.h"
#include "derive/IzvornaVrstica.h"
#include "transfer/BeriPodatke.h"
#include "transfer/IzvorneVeje.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace orv::test {
namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

size_t pojavitve(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

std::set<std::string> razredi(const Vrstice& vrstice) {
    const auto values = stolpec(vrstice, "VKNT");
    return {values.begin(), values.end()};
}

TEST(DatumiPorocila, LeapDayGivesTheYearTexts) {
    const DatumiPorocila d = datumiPorocila(encodeDate(2024, 2, 29), "29.2.2024");
    EXPECT_EQ(d.dan, "29.02.2024");
    EXPECT_EQ(d.zacetekLeta, "01.01.2024");
    EXPECT_EQ(d.zacetekLani, "01.01.2023");
    EXPECT_EQ(d.zacetek2007, "01.01.2007");
    EXPECT_EQ(d.lani, "2023");
    EXPECT_EQ(d.besediloOkna, "29.2.2024");
}

TEST(IzvorniStavek, FiltersGoIntoEveryBranchQuoted) {
    IzvornaIzbira izbira{datumiPorocila(encodeDate(2024, 12, 31), "31.12.2024"),
                         izvorniFiltri("", "")};
    const std::string brez = izvorniStavek(izbira);
    EXPECT_EQ(pojavitve(brez, "k.idpog="), 0u);
    EXPECT_EQ(pojavitve(brez, "M.VKNT="), 0u);
    // Eleven between the branches, one inside branch 12; branch 2's master deals add three
    // UNION ALL.
    EXPECT_EQ(pojavitve(brez, " UNION ") - pojavitve(brez, " UNION ALL "), 12u);
    EXPECT_EQ(pojavitve(brez, " UNION ALL "), 3u);
    EXPECT_TRUE(brez.ends_with(" ORDER BY IDPOG,  KONTO, znesek2 DESC, VKNT"));

    izbira.filtri = izvorniFiltri(" 42 ", "a");
    const std::string s = izvorniStavek(izbira);
    EXPECT_EQ(pojavitve(s, "k.idpog='42'"), 13u);
    EXPECT_EQ(pojavitve(s, "M.VKNT='A'"), 13u);

    izbira.filtri = izvorniFiltri("1' OR '1'='1", "'");
    EXPECT_EQ(izbira.filtri.pogodba, "k.idpog='1'' OR ''1''=''1'");
    EXPECT_EQ(izbira.filtri.razred, "M.VKNT=''''");
}

// A bank with rows in every branch, on contracts 1 and 2.
class EveryBranch : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        rowsInEveryBranch();
    }
};

TEST_F(EveryBranch, EachBranchFindsBothContracts) {
    for (int n = 1; n <= SteviloIzvornihVej; ++n) {
        const auto pogodbe = stolpec(veja(n), "IDPOG");
        EXPECT_THAT(pogodbe, Contains("1")) << "branch " << n;
        EXPECT_THAT(pogodbe, Contains("2")) << "branch " << n;
    }
}

TEST_F(EveryBranch, ContractFilterRestrictsEveryBranch) {
    window.options.eIdpog = "2";
    for (int n = 1; n <= SteviloIzvornihVej; ++n) {
        const Vrstice vrstice = veja(n);
        EXPECT_THAT(vrstice, Not(IsEmpty())) << "branch " << n;
        EXPECT_THAT(stolpec(vrstice, "IDPOG"), Each(std::string("2"))) << "branch " << n;
    }
}

TEST_F(EveryBranch, ClassFilterEmptiesTheOtherBranches) {
    EXPECT_THAT(razredi(izvor()), UnorderedElementsAre("1", "7", "B", "C", "3", "D", "6", "A"));
    const std::pair<const char*, std::set<int>> primeri[] = {
        {"1", {1}}, {"a", {2, 3, 11}}, {"D", {12}}, {"6", {8, 10}}, {"c", {6, 7}}};
    for (const auto& [razred, veje] : primeri) {
        window.options.eVKNT = razred;
        const std::string velika(1, static_cast<char>(std::toupper(razred[0])));
        EXPECT_THAT(razredi(izvor()), ElementsAre(velika)) << razred;
        for (int n = 1; n <= SteviloIzvornihVej; ++n)
            EXPECT_EQ(veja(n).empty(), veje.count(n) == 0) << "class " << razred << " branch " << n;
    }
}

TEST_F(EveryBranch, QuotedFiltersFindNothingAndBreakNothing) {
    window.options.eIdpog = "1' OR '1'='1";
    EXPECT_THAT(izvor(), IsEmpty());
    window.options.eIdpog = "";
    window.options.eVKNT = "'";
    EXPECT_THAT(izvor(), IsEmpty());
    EXPECT_THAT(window.messages, IsEmpty());
}

// A class A deal with a state, whose postings of the reporting month net to zero, gives the same
// row in branch 3 and in branch 11; the statement shows it once.
TEST_F(SourceBank, UnionShowsEqualRowsOnce) {
    window.options.eDanText = "30.06.2024";
    konto(200, "A");
    posel(Posel(1, "K", "01.01.2024").stn("X"));
    posel(Posel(2, "K", "30.06.2024").iddogstn(1));
    knjizi(Knjizba(200, "05.06.2024", 100).idmaster(1));
    knjizi(Knjizba(200, "10.06.2024", -100).idmaster(1));
    const Vrstice v3 = veja(3);
    const Vrstice v11 = veja(11);
    ASSERT_EQ(v3.size(), 1u);
    ASSERT_EQ(v11.size(), 1u);
    EXPECT_EQ(v3[0].stolpci, v11[0].stolpci);
    EXPECT_EQ(izvor().size(), 1u);
}

TEST_F(SourceBank, LeapDayReportingDate) {
    window.options.eDanText = "29.2.2024";
    konto(100, "1");
    konto(300, "3");
    konto(600, "6");
    knjizi(Knjizba(100, "29.02.2024", 1).idpog(1));
    knjizi(Knjizba(100, "01.03.2024", 1).idpog(2));
    knjizi(Knjizba(300, "01.01.2023", 1).idpog(3).idmaster(9));
    knjizi(Knjizba(300, "31.12.2022", 1).idpog(4).idmaster(9));
    knjizi(Knjizba(600, "29.02.2024", 1).idpog(5));
    knjizi(Knjizba(600, "01.02.2024", 1).idpog(6));
    knjizi(Knjizba(600, "31.01.2024", 1).idpog(7));
    knjizi(Knjizba(600, "01.03.2024", 1).idpog(8));
    EXPECT_THAT(stolpec(veja(1), "IDPOG"), ElementsAre("1"));
    EXPECT_THAT(stolpec(veja(9), "IDPOG"), ElementsAre("3"));
    EXPECT_THAT(stolpec(veja(10), "IDPOG"), UnorderedElementsAre("5", "6"));
}

TEST_F(SourceBank, BeriPodatkeShowsProgressCountAndColumns) {
    konto(100, "1");
    knjizi(Knjizba(100, "10.01.2024", 1).idpog(1));
    knjizi(Knjizba(100, "10.01.2024", 2).idpog(2));
    BeriPodatke(*dm, window);
    EXPECT_THAT(window.calls,
                ElementsAre("lblSporocilo: shown", "lblSporocilo: Poteka branje podatkov ...",
                            "lblSporocilo2:  Osnovni select ", "processMessages", "lblStevec: 2",
                            "lblSporocilo2:  Izračun ", "processMessages", "lblSporocilo: hidden",
                            "processMessages"));
    TOracleDataSet& q1 = dm->Q1;
    EXPECT_EQ(q1.currentRow(), 0);
    EXPECT_EQ(q1.FieldByName("IDPOG").AsInteger(), 1);
    ASSERT_EQ(q1.FieldCount(), SteviloIzvornihStolpcev);
    for (int i = 0; i < SteviloIzvornihStolpcev; ++i)
        EXPECT_EQ(q1.fieldInfos()[static_cast<size_t>(i)].name,
                  izvorniStolpci()[static_cast<size_t>(i)].ime);
    std::map<std::string, int> sirine;
    for (const FieldInfo& f : q1.fieldInfos())
        if (f.displayWidth) sirine[f.name] = f.displayWidth;
    EXPECT_EQ(sirine, (std::map<std::string, int>{{"SFVPKRT", 15},
                                                  {"KONTO", 9},
                                                  {"ZPDVP", 9},
                                                  {"DATUMV", 9},
                                                  {"CLIENT_NO", 9},
                                                  {"FINNZV", 15},
                                                  {"KRTBNK", 7},
                                                  {"ZNESEK1", 16}}));
    EXPECT_EQ(q1.fieldInfos()[26].displayLabel, "VALUTA");
    EXPECT_EQ(q1.fieldInfos()[4].displayLabel, "ZNESEK");
}

TEST_F(SourceBank, FailureShowsTheStatementAndLeavesTheLabels) {
    exec("DROP TABLE VPL");
    EXPECT_ANY_THROW(BeriPodatke(*dm, window));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], dm->Q1.SQL());
    EXPECT_EQ(window.messages[0], izvorniStavek(izvornaIzbira(window)));
    EXPECT_THAT(window.calls, Not(Contains("lblSporocilo: hidden")));
    EXPECT_THAT(window.calls, Not(Contains("lblSporocilo2:  Izračun ")));
}

std::string preberi(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(SourceBank, DebugFileHoldsTheOpenedStatement) {
    const std::string datoteka = dm->PotPrograma() + "ORVELNOST.SQL";
    BeriPodatke(*dm, window);
    EXPECT_FALSE(std::filesystem::exists(datoteka));
    window.options.DebugSQL = true;
    window.options.eVKNT = "1";
    BeriPodatke(*dm, window);
    EXPECT_EQ(preberi(datoteka), dm->Q1.SQL() + "\r\n");
    EXPECT_NE(dm->Q1.SQL().find("M.VKNT='1'"), std::string::npos);
}

TEST_F(SourceBank, ReferentIsTheFourthParameterWithoutAnIniEntry) {
    setProgramParameters({"ORVDEMO", "OPERATER", "demo"});
    BeriPodatke(*dm, window);
    EXPECT_EQ(DBSReferent(), "");
    setProgramParameters({"ORVDEMO", "OPERATER", "demo", "NI_V_INI_DATOTEKI"});
    BeriPodatke(*dm, window);
    EXPECT_EQ(DBSReferent(), "NI_V_INI_DATOTEKI");
    setProgramParameters({});
}

TEST_F(SourceBank, SourceRowReadsColumnsByNameInTheirKinds) {
    konto(100, "1");
    exec("INSERT INTO SFVP (SFVP, KRT, VRSTA_OBVEZNICE, ZPDVP) VALUES (5, 'VP', 'K', "
         "'01.02.2030')");
    knjizi(Knjizba(100, "10.01.2024", 2.5).idpog(7).vp(5).idvp(3));
    BeriPodatke(*dm, window);
    const IzvornaVrstica vrstica(dm->Q1);
    EXPECT_EQ(vrstica.IDPOG(), 7);
    EXPECT_EQ(vrstica.SFVP(), 5);
    EXPECT_EQ(vrstica.ZNESEK1(), 2.5);
    EXPECT_EQ(vrstica.DATUMV(), encodeDate(2024, 1, 10));
    EXPECT_EQ(vrstica.ZPDVP(), encodeDate(2030, 2, 1));
    EXPECT_EQ(vrstica.VRSTA_OBVEZNICE(), "K");
    EXPECT_EQ(vrstica.tekst("sfvpkrt"), "3VP");
    EXPECT_EQ(vrstica.IDOBD(), 1);
    EXPECT_ANY_THROW(vrstica.tekst("NI_STOLPCA"));
}

// Of two columns named VRSTA_OBVEZNICE the name reads the first.
TEST_F(SourceBank, DuplicateNameReadsTheFirstColumn) {
    dm->OdpriPoizvedbo(dm->Q1, "SELECT 'prvi' VRSTA_OBVEZNICE, 'drugi' vrsta_obveznice FROM dual");
    EXPECT_EQ(IzvornaVrstica(dm->Q1).VRSTA_OBVEZNICE(), "prvi");
}

} // namespace
} // namespace orv::test
