// An export that cannot be written leaves no file, half-written or otherwise, and says why.

#include "export/ExportFixture.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"
#include "export/StolpciIzvoza.h"
#include "export/VarnaDatoteka.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace orv::test {
namespace {

using ExportFailure = ExportFixture;

const OblikaIzvoza kFormats[] = {OblikaIzvoza::DBase, OblikaIzvoza::Paradox,
                                 OblikaIzvoza::FiksniTekst};

std::string messageOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const IzvozError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST_F(ExportFailure, AFolderThatDoesNotExistIsNamed) {
    open({"1, 'a', NULL, 1"});
    for (const OblikaIzvoza format : kFormats) {
        const std::string message =
            messageOf([&] { IzvoziTabelo(dm.Q1, allFields(), format, file("ni/t.dat")); });
        EXPECT_NE(message.find("Mapa \"" + file("ni") + "\" ne obstaja"), std::string::npos)
            << message;
    }
    const std::string message = messageOf([&] { zapisiBesedilo(file("ni/t.txt"), "x"); });
    EXPECT_NE(message.find("ne obstaja"), std::string::npos) << message;
    EXPECT_TRUE(otherFiles().empty());
}

TEST_F(ExportFailure, AReadOnlyFolderIsNamedAndKeepsItsFile) {
    open({"1, 'a', NULL, 1"});
    if (::geteuid() == 0) {
        // Root writes into any folder whatever its permissions; the kernel's own folder of
        // devices refuses new files to everybody.
        for (const OblikaIzvoza format : kFormats) {
            const std::string message =
                messageOf([&] { IzvoziTabelo(dm.Q1, allFields(), format, "/sys/t.dbf"); });
            EXPECT_NE(message.find("V mapo \"/sys\" ni mogoče pisati"), std::string::npos)
                << message;
        }
        EXPECT_FALSE(std::filesystem::exists("/sys/t.dbf"));
        return;
    }
    std::filesystem::create_directory(file("ro"));
    std::ofstream(file("ro/t.dbf")) << "old";
    std::filesystem::permissions(file("ro"), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    for (const OblikaIzvoza format : kFormats) {
        const std::string message =
            messageOf([&] { IzvoziTabelo(dm.Q1, allFields(), format, file("ro/t.dbf")); });
        EXPECT_NE(message.find("ni mogoče pisati"), std::string::npos) << message;
    }
    std::filesystem::permissions(file("ro"), std::filesystem::perms::owner_all);
    EXPECT_EQ(readBytes(file("ro/t.dbf")), "old");
}

// A full disk: the process may write no more than a few kilobytes (the limit on a file's size
// fails the writes as a full disk does).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

TEST_F(ExportFailure, AFullDiskLeavesNoFileAndKeepsTheOldOne) {
    open({});
    bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
              "INSERT INTO T_IZVOZ SELECT i, 'vrstica ' || i, NULL, i * 1.25 FROM n");
    dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM T_IZVOZ ORDER BY ID");
    const std::string names[] = {"t.dbf", "t.db", "t.txt"};
    for (size_t i = 0; i < 3; ++i) {
        std::ofstream(file(names[i])) << "old";
        std::string message;
        {
            FileSizeLimit limit(16 * 1024);
            message =
                messageOf([&] { IzvoziTabelo(dm.Q1, allFields(), kFormats[i], file(names[i])); });
        }
        EXPECT_NE(message.find("Na disku ni dovolj prostora"), std::string::npos)
            << names[i] << ": " << message;
        EXPECT_EQ(readBytes(file(names[i])), "old") << names[i];
    }
    {
        FileSizeLimit limit(16 * 1024);
        const std::string message =
            messageOf([&] { zapisiBesedilo(file("c.txt"), std::string(100000, 'x')); });
        EXPECT_NE(message.find("Na disku ni dovolj prostora"), std::string::npos) << message;
    }
    EXPECT_EQ(otherFiles(), (std::vector<std::string>{"t.db", "t.dbf", "t.txt"}))
        << "no temporary file is left behind";
}

TEST_F(ExportFailure, ASuccessfulExportReplacesTheOldFileAndLeavesNothingElse) {
    open({"1, 'a', NULL, 1"});
    std::ofstream(file("t.dbf")) << "old";
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::DBase, file("t.dbf"));
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::FiksniTekst, file("t.txt"));
    EXPECT_NE(readBytes(file("t.dbf")), "old");
    EXPECT_EQ(otherFiles(), (std::vector<std::string>{"t.dbf", "t.sch", "t.txt"}));
}

TEST(FieldNames, ANameThatFitsKeepsItOnlyCutNamesAreMadeUnique) {
    struct Case {
        std::vector<std::string> names;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // A cut name must not take the name of a real column, wherever that column stands.
        {{"POGODBA", "ZNESEK_SIT_PREV", "ZNESEK_SIT"}, {"POGODBA", "ZNESEK_S_1", "ZNESEK_SIT"}},
        {{"ECB_ZNESEK_VAL", "ECB_ZNESEK_SIT", "ecb_znesek"},
         {"ECB_ZNES_1", "ECB_ZNES_2", "ecb_znesek"}},
        // Characters a field name cannot hold, an empty name, names equal but for case.
        {{"Ime s presledki", "Šifra", "", "A_1", "A", "a"},
         {"Ime_s_pres", "_ifra", "POLJE", "A_1", "A", "a_2"}},
        {{"ID", "ID_1", "IDENTIFIKATOR_1", "IDENTIFIKATOR_2"},
         {"ID", "ID_1", "IDENTIFIKA", "IDENTIFI_1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kratkaImena(c.names, 10), c.expected) << c.names[0];
    std::vector<std::string> many(12, "DOLGO_IME_POLJA");
    const auto cut = kratkaImena(many, 10);
    EXPECT_EQ(cut[0], "DOLGO_IME_");
    EXPECT_EQ(cut[9], "DOLGO_IM_9");
    EXPECT_EQ(cut[10], "DOLGO_I_10");
}

TEST(NumberPlaces, TheFewestPlacesThatKeepTheValueExact) {
    EXPECT_EQ(potrebneDecimalke(12.5), 1);
    EXPECT_EQ(potrebneDecimalke(100), 0);
    EXPECT_EQ(potrebneDecimalke(0.1 + 0.2), 1); // prints as 0.3
    EXPECT_EQ(potrebneDecimalke(1e-7), 7);
    EXPECT_EQ(potrebneDecimalke(-2.5e-10), 11);
    EXPECT_EQ(stevilkaZDecimalkami(-0.0, 2), "0.00");
    EXPECT_EQ(stevilkaZDecimalkami(-1e-7, 2), "0.00");
}

} // namespace
} // namespace orv::test
