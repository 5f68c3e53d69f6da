// The demo bank: the same seed gives the same bank, the size scales the business and not the
// registers, every account class has postings, and the data the derivation's special cases
// look for is there.

#include "DemoBankFixture.h"

#include <gtest/gtest.h>

namespace orv::demo::test {

namespace {

const char* const kPodatki[] = {
    "KNJIZBE", "DOG", "SFVP", "VPHST", "KPN", "OSB", "skup.MSRP9_SLAB_34_E"};

TEST(DemoBankTest, TheSameSeedGivesTheSameBankAndAnotherSeedAnother) {
    const DemoBankFile first({60, 5}), again({60, 5}), other({60, 6});
    for (const char* table : kPodatki) {
        EXPECT_EQ(first.checksum(table), again.checksum(table)) << table;
        EXPECT_NE(first.checksum(table), other.checksum(table)) << table;
    }
}

TEST(DemoBankTest, TheSizeScalesTheBusinessButNotTheRegisters) {
    const DemoBankFile small({200, 3}), large({800, 3});
    auto count = [](const DemoBankFile& bank, const std::string& table) {
        return static_cast<double>(std::stol(bank.value("SELECT COUNT(*) FROM " + table)));
    };
    for (const char* table :
         {"KNJIZBE", "DOG", "POG", "SFVP", "VPHST", "KPN", "TCN", "skup.MSRP9_SLAB_34_E"}) {
        const double ratio = count(large, table) / count(small, table);
        EXPECT_GT(ratio, 3.0) << table;
        EXPECT_LT(ratio, 5.0) << table;
    }
    for (const char* table : {"MATRIKA", "SIFKONT", "SIF", "ECB_SIFRANTI", "VLT", "VLN", "INX",
                              "SFINX", "FIN", "INISET"}) {
        EXPECT_GT(count(small, table), 0) << table;
        EXPECT_EQ(count(small, table), count(large, table)) << table;
    }
}

class DemoBankDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bank_ = std::make_unique<DemoBankFile>(DemoOptions{150, 11}); }
    static void TearDownTestSuite() { bank_.reset(); }
    static std::unique_ptr<DemoBankFile> bank_;
};

std::unique_ptr<DemoBankFile> DemoBankDataTest::bank_;

TEST_F(DemoBankDataTest, EveryListedAccountClassHasPostingsInBothYears) {
    const auto classes = bank_->column("SELECT sif FROM sif WHERE ssf = 'VKNT' ORDER BY sif");
    ASSERT_EQ(classes.size(), 15u);
    for (const std::string& c : classes) {
        for (const char* year : {"2023", "2024"}) {
            const std::string sql =
                "SELECT COUNT(*) FROM knjizbe k JOIN matrika m ON m.ctrl = k.konto "
                "WHERE m.vknt = '" +
                c + "' AND k.datumv >= '01.01." + year + "' AND k.datumv <= '31.12." + year + "'";
            EXPECT_NE(bank_->value(sql), "0") << "class " << c << " in " << year;
        }
    }
}

// Each query names something the derivation of a row treats specially; each must find data.
TEST_F(DemoBankDataTest, TheDerivationsSpecialCasesOccur) {
    struct Primer {
        const char* what;
        const char* sql;
    };
    const Primer cases[] = {
        {"listed holdings on the reporting day",
         "SELECT 1 FROM vphst h JOIN sfvp v ON v.sfvp = h.sfvp JOIN fin f ON f.sffin = v.sffin "
         "WHERE h.dan = '31.12.2024' AND f.sflst IN ('D', 'K', 'k')"},
        {"unlisted holdings on the reporting day",
         "SELECT 1 FROM vphst h JOIN sfvp v ON v.sfvp = h.sfvp JOIN fin f ON f.sffin = v.sffin "
         "WHERE h.dan = '31.12.2024' AND f.sflst NOT IN ('D', 'K', 'k')"},
        {"holdings of an own issue (listing L)",
         "SELECT 1 FROM vphst h JOIN sfvp v ON v.sfvp = h.sfvp JOIN fin f ON f.sffin = v.sffin "
         "WHERE f.sflst = 'L'"},
        {"a coupon period covering the reporting day of a held bond",
         "SELECT 1 FROM vphst h JOIN kpn c ON c.sfvp = h.sfvp WHERE h.dan = '31.12.2024' "
         "AND c.prvdan <= '31.12.2024' AND c.zdndan >= '31.12.2024'"},
        {"a floating-rate period with an index",
         "SELECT 1 FROM kpn c JOIN sfinx i ON i.sfinx = c.sfinx JOIN inx x ON x.sfinx = i.sfinx"},
        {"holding states above zero", "SELECT 1 FROM vpshst WHERE dan = '31.12.2024' AND zst > 0"},
        {"a purchase on the primary market in the reporting month",
         "SELECT 1 FROM vphst h JOIN dog d ON d.idvp = h.idvp AND d.dan = h.dannkp "
         "JOIN trg t ON t.sftrg = d.sftrg WHERE h.dan = '31.12.2024' AND t.sftrz = '1' "
         "AND h.dannkp >= '01.12.2024'"},
        {"holding deals of the types of the latest-deal code",
         "SELECT 1 FROM dog WHERE sfdog IN (248, 249, 908, 909, 963) AND dan <= '31.12.2024'"},
        {"prices of held securities",
         "SELECT 1 FROM tcn t JOIN vphst h ON h.sfvp = t.sfvp WHERE h.dan = '31.12.2024'"},
        {"write-down rows by holding line on the reporting day",
         "SELECT 1 FROM skup.MSRP9_SLAB_34_E WHERE dat_stanje = '31.12.2024' AND idvp IS NOT "
         "NULL AND sfvp IS NOT NULL"},
        {"write-down rows by contract text",
         "SELECT 1 FROM skup.MSRP9_SLAB_34_E WHERE dat_stanje = '31.12.2024' AND pogodba IS NOT "
         "NULL"},
        {"the setting naming the write-down schema",
         "SELECT 1 FROM iniset WHERE kljuc = 'MSRP9_Shema' AND vrednost = 'skup'"},
        {"rates of euro and a foreign currency",
         "SELECT 1 FROM vln a JOIN vln b ON a.dan = b.dan WHERE a.sfvlt = 'E' AND b.sfvlt = 'U' "
         "AND a.sfvln = '0' AND b.sfvln = '0' AND a.dan <= '31.12.2024'"},
        {"class C accounts with IVD codes and turnover in the reporting month",
         "SELECT 1 FROM matrika m JOIN sif s ON s.ssf = 'ECBIVD' AND s.sif = m.ecb_ivd_breme "
         "JOIN knjizbe k ON k.konto = m.ctrl WHERE m.vknt = 'C' AND m.grupiraj = 'N' "
         "AND k.datumv >= '01.12.2024'"},
        {"class 3 and 4 accounts with a balance in the reporting year",
         "SELECT 1 FROM knjizbe k JOIN matrika m ON m.ctrl = k.konto WHERE m.vknt IN ('3', "
         "'4') AND k.datumv >= '01.01.2024' GROUP BY k.konto, k.valuta "
         "HAVING SUM(k.bznesek - k.dznesek) <> 0"},
        {"the grouped class B accounts with fixed contracts",
         "SELECT 1 FROM knjizbe WHERE konto IN (78, 611, 308, 257, 379)"},
        {"write-down deals linked through TRG_SLAB",
         "SELECT 1 FROM trg_slab t JOIN dog d ON d.iddog = t.iddogslab WHERE d.sfdog = 917"},
        {"designations with leading zeros", "SELECT 1 FROM sifkont WHERE oznaka LIKE '0909%'"},
        {"activity codes with leading zeros", "SELECT 1 FROM osb WHERE dejavnost = '00031'"},
        {"unit codes with leading zeros", "SELECT 1 FROM org WHERE kntorg = '08'"},
        {"a bank counterparty of activity 64.190",
         "SELECT 1 FROM osb WHERE sfsos = 'B' AND dejavnost = '64.190'"},
    };
    for (const Primer& c : cases)
        EXPECT_GT(bank_->rows(c.sql), 0) << c.what;
}

// The routines of the bank find their data: maturity bands, coupon keys and prices.
TEST_F(DemoBankDataTest, TheBanksRoutinesFindTheirData) {
    EXPECT_EQ(bank_->value("select skup.p_ecb_pd.f_orig_zapad('N', null, '01.01.2024', "
                           "'31.12.2024') rezultat from dual"),
              "06");
    EXPECT_EQ(bank_->value("select skup.p_ecb_pd.f_orig_zapad('S', null, '01.01.2024', "
                           "'31.12.2024') rezultat from dual"),
              "02");
    EXPECT_NE(bank_->value("SELECT MAX(qev_utils.GetSfKpn(h.sfvp, h.dan)) FROM vphst h "
                           "WHERE h.dan = '31.12.2024'"),
              "");
    EXPECT_NE(bank_->value("SELECT MAX(qev_gettcn2(h.sfvp, h.dan)) FROM vphst h "
                           "WHERE h.dan = '31.12.2024'"),
              "");
}

} // namespace

} // namespace orv::demo::test
