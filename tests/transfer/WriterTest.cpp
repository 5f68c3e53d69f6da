// The output row writers on a small bank: the maturity, opening and term-code rules, the INT_NEW
// block, and what the class C writer does differently.

#include "TransferBank.h"

#include "transfer/ZapisVrstice.h"

#include <gmock/gmock.h>

#include <memory>

namespace orv::test {
namespace {

class Writer : public TransferBank {
protected:
    void SetUp() override {
        TransferBank::SetUp();
        // Maturity bands: up to a month, up to a year, longer (a three-digit code).
        exec("INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) "
             "VALUES ('014', '5', 0, 30), ('014', '7', 31, 365), ('014', '105', 366, NULL)");
    }

    /// A source row of class `vknt` with the security's maturity ZPDVP and posting date DATUMV,
    /// and a run context on it with Qpod_orvel open for appending.
    KontekstPrenosa& vir(const std::string& vknt, const std::string& zpdvp = "15.03.2030") {
        dm->OdpriPoizvedbo(dm->Q1, "SELECT '" + vknt + "' VKNT, '" + zpdvp +
                                       "' ZPDVP, '20.06.2024' DATUMV FROM dual");
        kontekst = std::make_unique<KontekstPrenosa>(*dm, window);
        dm->OdpriPoizvedbo(dm->Qpod_orvel, "SELECT POD_ORVEL.*, POD_ORVEL.ROWID FROM POD_ORVEL "
                                           " WHERE DAT_STANJE='31.12.2024' ");
        IzhodniZapis& z = kontekst->zapis;
        z.DAT_STANJE = "31.12.2024";
        z.DAT_ZAPAD = "31.12.2026";
        z.DatZapadPrvotni = "31.12.2026";
        z.DAT_OTVORITVE = "01.12.2024";
        z.DAT_VPISA = "05.12.2024";
        z.ECB_112N = "02.12.2024";
        z.DAT_PRENOS = "31.12.2024";
        z.ZNESEK_VAL = 12.5;
        z.ZNESEK_SIT_PREV = 7;
        z.ECB_14N = "F1";
        z.ECB_15N = "F2";
        z.ECB_98N = "F3";
        z.ECB_48 = "X";
        z.ECB_51 = 3;
        z.ECB_31N = 0;
        z.NACIN_OBR = "N";
        z.VKNT = vknt;
        return *kontekst;
    }

    /// The last written row.
    Vrstica zapisana() {
        const Vrstice vrstice = izhod();
        EXPECT_FALSE(vrstice.empty());
        return vrstice.empty() ? Vrstica{} : vrstice.back();
    }

    std::unique_ptr<KontekstPrenosa> kontekst;
};

TEST_F(Writer, MaturityDatesByClassAndWriter) {
    struct Primer {
        const char* vknt;
        bool razredC;
        const char* zapadPosla;
    };
    // Plain rows of classes 2 and 9 take the deal's maturity from the security; the class C
    // writer always takes the field.
    for (const Primer& p : {Primer{"1", false, "31.12.2026"}, Primer{"2", false, "15.03.2030"},
                            Primer{"9", false, "15.03.2030"}, Primer{"9", true, "31.12.2026"}}) {
        KontekstPrenosa& k = vir(p.vknt);
        if (p.razredC)
            ZapisVrsticeC(k, "IVD", 1, 0);
        else
            ZapisVrstice(k);
        const Vrstica v = zapisana();
        EXPECT_EQ(v["DAT_ZAPAD"], "31.12.2026") << p.vknt;
        EXPECT_EQ(v["DAT_ZAPAD_POSLA"], p.zapadPosla) << p.vknt << " " << p.razredC;
    }
}

TEST_F(Writer, AnEmptyMaturitySetsNeitherDateAndResidualCode01) {
    KontekstPrenosa& k = vir("1");
    k.zapis.DAT_ZAPAD = "  ";
    ZapisVrstice(k);
    const Vrstica v = zapisana();
    EXPECT_EQ(v["DAT_ZAPAD"], "");
    EXPECT_EQ(v["DAT_ZAPAD_POSLA"], "");
    EXPECT_EQ(v["ECB_15"], "01");
}

TEST_F(Writer, TermCodesAreTwoDigitsOfTheBandOfTheDays) {
    struct Primer {
        const char* otvoritev;
        const char* prvotni;
        const char* zapad;
        const char* ecb14;
        const char* ecb15;
    };
    const Primer primeri[] = {
        {"01.12.2024", "11.12.2024", "10.01.2025", "05", "05"}, // 10 days each
        {"01.12.2024", "01.12.2024", "30.12.2024", "01", "01"}, // none and before the date
        {"01.12.2024", "30.11.2024", "31.12.2024", "01", "01"}, // negative and the date itself
        {"01.12.2024", "15.06.2025", "15.06.2025", "07", "07"},
        {"01.12.2024", "01.12.2030", "01.12.2030", "10", "10"}, // band 105 gives "10"
        {"01.12.2024", "", "01.12.2030", "01", "10"},
    };
    for (const Primer& p : primeri) {
        KontekstPrenosa& k = vir("1");
        k.zapis.DAT_OTVORITVE = p.otvoritev;
        k.zapis.DatZapadPrvotni = p.prvotni;
        k.zapis.DAT_ZAPAD = p.zapad;
        ZapisVrstice(k);
        const Vrstica v = zapisana();
        EXPECT_EQ(v["ECB_14"], p.ecb14) << p.prvotni;
        EXPECT_EQ(v["ECB_15"], p.ecb15) << p.zapad;
    }
}

TEST_F(Writer, TheClassCWriterMeasuresTheInitialTermFromTheSecuritysMaturity) {
    KontekstPrenosa& k = vir("C", "11.12.2024");
    k.zapis.DatZapadPrvotni = "01.12.2030";
    ZapisVrsticeC(k, "IVD-B", 1500, 0);
    const Vrstica v = zapisana();
    EXPECT_EQ(v["ECB_14"], "05");
    EXPECT_EQ(v["ECB_IVD"], "IVD-B");
    EXPECT_EQ(v["BREME"], "1500");
    EXPECT_EQ(v["DOBRO"], "0");
    EXPECT_EQ(v["NACIN_OBR"], "N");
    EXPECT_EQ(v["ECB_98N"], "");   // not the field for other classes than 6
    EXPECT_EQ(v["ECB_15N"], "F2"); // from the INT_NEW block
}

TEST_F(Writer, PreviousStateOnlyForClasses1AndF) {
    for (const auto& [vknt, prev] : {std::pair{"1", "7"}, {"F", "7"}, {"6", ""}, {"2", ""}}) {
        ZapisVrstice(vir(vknt));
        EXPECT_EQ(zapisana()["ZNESEK_SIT_PREV"], prev) << vknt;
    }
}

TEST_F(Writer, IntNewBlock) {
    // On: the block is written; ECB_31N only when not 0; class 6 gets "13" twice.
    KontekstPrenosa& k = vir("6");
    ZapisVrstice(k);
    Vrstica v = zapisana();
    EXPECT_EQ(v["ECB_48"], "X");
    EXPECT_EQ(v["ECB_51"], "3");
    EXPECT_EQ(v["ECB_48N"], "3");
    EXPECT_EQ(v["ECB_31N"], "");
    EXPECT_EQ(v["ECB_98N"], "13");
    EXPECT_EQ(v["ECB_14N"], "13");
    vir("1").zapis.ECB_31N = 4;
    ZapisVrstice(*kontekst);
    v = zapisana();
    EXPECT_EQ(v["ECB_31N"], "4");
    EXPECT_EQ(v["ECB_98N"], "F3");
    EXPECT_EQ(v["ECB_14N"], "F1");

    // Off: nothing of the block; ECB_14N once from the field, ECB_15N only by the plain writer.
    window.options.cbINT_NEW = false;
    ZapisVrstice(vir("6"));
    v = zapisana();
    for (const char* stolpec : {"ECB_48", "ECB_51", "ECB_98N", "ECB_48N", "ECB_19N", "ECB_53"})
        EXPECT_EQ(v[stolpec], "") << stolpec;
    EXPECT_EQ(v["ECB_14N"], "F1");
    EXPECT_EQ(v["ECB_15N"], "F2");
    ZapisVrsticeC(vir("C"), "IVD", 0, 5);
    EXPECT_EQ(zapisana()["ECB_15N"], "");
}

TEST_F(Writer, DatesAndTheColumnsNoFieldFeeds) {
    KontekstPrenosa& k = vir("1");
    k.zapis.DAT_PRENOS = "31.12.2024";
    ZapisVrstice(k);
    const Vrstica v = zapisana();
    EXPECT_EQ(v["DAT_OTVORITVE"], "01.12.2024");
    EXPECT_EQ(v["ECB_112N"], "02.12.2024");
    EXPECT_EQ(v["ECB_126N"], "01.12.2024");
    EXPECT_EQ(v["DAT_VPISA"], "05.12.2024");
    EXPECT_EQ(v["DAT_PRENOS"], "31.12.2024");
    EXPECT_EQ(v["VRSTA_OBRM"], "");
    EXPECT_EQ(v["REF_OBRM"], "0");
    EXPECT_EQ(v["ECB_43"], "0");
    EXPECT_EQ(v["ECB_IVD"], "");
}

} // namespace
} // namespace orv::test
