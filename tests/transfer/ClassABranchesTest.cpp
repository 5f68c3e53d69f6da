// Branches 2, 3 and 11: class A postings by the state of their master deal.

#include "SourceBank.h"

#include <gmock/gmock.h>

#include <functional>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;

class ClassABranches : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        konto(200, "A");
    }
};

// The deals of one case, with ids counted from `o`; the posting's master deal is o + `glavni`.
struct PrimerPosla {
    const char* opis;
    std::function<void(SourceBank&, long o)> posli;
    long glavni;
    bool odprt;
};

void dodaj(SourceBank& banka, const Posel& p) {
    banka.posel(p);
}

// The reporting day is 31.12.2024; "after" is the day after it.
const PrimerPosla kPrimeri[] = {
    {"plain deal, dependents cover it",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "K", "01.02.2024").lot(90).zkr(10).dvk(10).brezsto("D"));
         dodaj(b, Posel(o + 1, "K", "01.06.2024").lot(60).iddoggot(o));
         dodaj(b, Posel(o + 2, "K", "31.12.2024").lot(50).iddoggot(o));
     },
     0, false},
    {"plain deal, last dependent after the reporting day",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "K", "01.02.2024").lot(90).zkr(10).dvk(10).brezsto("D"));
         dodaj(b, Posel(o + 1, "K", "01.06.2024").lot(60).iddoggot(o));
         dodaj(b, Posel(o + 2, "K", "01.01.2025").lot(50).iddoggot(o));
     },
     0, true},
    {"plain deal without BREZSTO D",
     [](SourceBank& b, long o) { dodaj(b, Posel(o, "K", "01.02.2024").lot(100).brezsto("N")); }, 0,
     false},
    {"> deal, its parent still open",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "K", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, ">", "01.03.2024").lot(30).iddoggot(o));
     },
     1, true},
    {"> deal, its siblings cover the parent",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "K", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, ">", "01.03.2024").lot(30).iddoggot(o));
         dodaj(b, Posel(o + 2, ">", "01.04.2024").lot(70).iddoggot(o));
     },
     1, false},
    {"S deal still open",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "S", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, "K", "01.03.2024").lot(40).iddogsto(o));
     },
     0, true},
    {"S deal covered by its cancelling deals",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "S", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, "K", "01.03.2024").lot(40).iddogsto(o));
         dodaj(b, Posel(o + 2, "K", "31.12.2024").lot(60).iddogsto(o));
     },
     0, false},
    {"> deal whose S deal is still open",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "S", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, ">", "01.03.2024").lot(60).iddogsto(o));
     },
     1, true},
    {"> deal whose S deal is covered",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "S", "01.02.2024").lot(100));
         dodaj(b, Posel(o + 1, ">", "01.03.2024").lot(100).iddogsto(o));
     },
     1, false},
    {"plain deal with a state",
     [](SourceBank& b, long o) {
         dodaj(b, Posel(o, "K", "01.02.2024").lot(100).brezsto("D").stn("X"));
         dodaj(b, Posel(o + 1, "K", "31.12.2024").iddogstn(o));
     },
     0, false},
};

TEST_F(ClassABranches, Branch2KeepsPostingsOfOpenMasterDeals) {
    std::vector<std::string> odprti;
    long i = 0;
    for (const PrimerPosla& p : kPrimeri) {
        ++i;
        const long o = 100 * i;
        p.posli(*this, o);
        knjizi(Knjizba(200, "01.03.2024", 50).idpog(i).idmaster(o + p.glavni));
        if (p.odprt) odprti.push_back(std::to_string(i));
    }
    EXPECT_THAT(stolpec(veja(2), "IDPOG"), UnorderedElementsAreArray(odprti));
}

TEST_F(ClassABranches, Branch2ThresholdWindowAndLabel) {
    exec("INSERT INTO VPL (IDVPL, ST) VALUES (5, 'N12')");
    posel(Posel(1, "K", "01.02.2024").lot(100).brezsto("D").idvpl(5).zpd("01.02.2027"));
    const std::pair<long, std::vector<std::pair<const char*, double>>> pogodbe[] = {
        {1, {{"01.03.2024", 0.02}}},
        {2, {{"01.03.2024", 0.03}}},
        {3, {{"01.03.2024", -5}}},
        {4, {{"15.06.2010", 0.02}, {"01.03.2024", 0.01}}},
        {5, {{"31.12.2006", 0.02}, {"01.03.2024", 0.01}}},
        {6, {{"01.01.2025", 0.5}}},
    };
    for (const auto& [idpog, knjizbe] : pogodbe)
        for (const auto& [dan, znesek] : knjizbe)
            knjizi(Knjizba(200, dan, znesek).idpog(idpog).idmaster(1));
    const Vrstice vrstice = veja(2);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAreArray({"2", "4"}));
    const Vrstica& v = kjer(vrstice, "IDPOG", "4").at(0);
    EXPECT_EQ(v["SFVPKRT"], "N12/2024");
    EXPECT_EQ(v["ZNESEK1"], "0.03");
    EXPECT_EQ(v["ZNESEK2"], "0.03");
    EXPECT_EQ(v["DOGZPD"], "01.02.2027");
}

// The row is dated by the maturity of the deal it points to through IDDOGSTO.
TEST_F(ClassABranches, Branch2DatesByTheCancelledDeal) {
    posel(Posel(1, "S", "01.02.2024").lot(100).zpd("01.02.2030"));
    posel(Posel(2, ">", "01.03.2024").lot(60).iddogsto(1).zpd("01.02.2025"));
    knjizi(Knjizba(200, "01.03.2024", -70).idmaster(2));
    knjizi(Knjizba(200, "02.03.2024", 80).idmaster(2));
    const Vrstice vrstice = veja(2);
    ASSERT_EQ(vrstice.size(), 1u);
    EXPECT_EQ(vrstice[0]["DOGZPD"], "01.02.2030");
    EXPECT_EQ(vrstice[0]["ZNESEK1"], "10");
    EXPECT_EQ(vrstice[0]["POSEL"], "");
    EXPECT_EQ(vrstice[0]["IDMASTER"], "2");
}

TEST_F(ClassABranches, Branch3FollowsTheStateDealDate) {
    const std::pair<long, const char*> primeri[] = {
        {1, "30.12.2024"}, {2, "31.12.2024"}, {3, "01.01.2025"}, {4, nullptr}};
    for (const auto& [i, dan] : primeri) {
        posel(Posel(10 * i, "K", "01.02.2024").lot(100).stn("X"));
        if (dan) posel(Posel(10 * i + 1, "K", dan).iddogstn(10 * i));
        knjizi(Knjizba(200, "15.12.2023", 1000).idpog(i).idmaster(10 * i));
        knjizi(Knjizba(200, "01.03.2024", -50).idpog(i).idmaster(10 * i));
    }
    const Vrstice vrstice = veja(3);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAreArray({"2", "3"}));
    // No threshold: a negative balance of the year stays.
    EXPECT_THAT(stolpec(vrstice, "ZNESEK1"), ElementsAre("-50", "-50"));
    EXPECT_THAT(stolpec(vrstice, "ZNESEK2"), ElementsAre("50", "50"));
    EXPECT_THAT(veja(2), IsEmpty());
}

class ClassAMonth : public ClassABranches {
protected:
    void SetUp() override {
        ClassABranches::SetUp();
        window.options.eDanText = "15.06.2024";
    }
};

// Postings of June 2024 on contracts whose period 2 deals before the month's end carry no
// interest beyond 0.02.
TEST_F(ClassAMonth, Branch11ZeroRowsForTheReportingMonth) {
    knjizi(Knjizba(200, "20.06.2024", 100).idpog(1)); // after the reporting day, in the month
    knjizi(Knjizba(200, "05.06.2024", 100).idpog(2));
    knjizi(Knjizba(200, "10.06.2024", -100).idpog(2)); // nets to zero: still a row
    knjizi(Knjizba(200, "31.05.2024", 100).idpog(3));
    knjizi(Knjizba(200, "01.07.2024", 100).idpog(4));
    knjizi(Knjizba(200, "10.06.2024", 100).idpog(5));
    posel(Posel(50, "K", "01.01.2024").idobd(2).idpog(5).ter(0.03));
    knjizi(Knjizba(200, "10.06.2024", 100).idpog(6));
    posel(Posel(60, "K", "01.01.2024").idobd(2).idpog(6).ter(-0.02));
    knjizi(Knjizba(200, "10.06.2024", 100).idpog(7));
    posel(Posel(70, "K", "30.06.2024").idobd(2).idpog(7).ter(5)); // on the last day: not before
    knjizi(Knjizba(200, "10.06.2024", 100).idpog(8).idobd(-1));
    const Vrstice vrstice = veja(11);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAreArray({"1", "2", "6", "7"}));
    for (const Vrstica& v : vrstice) {
        EXPECT_EQ(v["ZNESEK1"], "0");
        EXPECT_EQ(v["ZNESEK2"], "0");
        EXPECT_EQ(v["ZNESEK"], "0");
    }
}

} // namespace
} // namespace orv::test
