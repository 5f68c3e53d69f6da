// Hostile workbooks for orvelnost-uvoz, one probe per fault, each on a bank of its own and run
// under a limit of the address space: a file of a few megabytes that inflates to hundreds is
// refused with the cell or the part named, within the memory ordinary work takes; what is no
// regular file is refused at once, never waited on.

#include "sheet/UvozFixture.h"

#include <sys/stat.h>

namespace orv::sheet::test {
namespace {

const std::string kUvoz = ORVELNOST_UVOZ_PROGRAM;

// The most memory the import may take for a file of under 10 MB.
constexpr long kBoundMegabytes = 500;

struct BombProbe {
    const char* kind;
    long size;
    std::vector<std::string> message; ///< parts of the error
};

TEST(BoundedWorkbook, InflatingWorkbooksAreRefusedWithinTheBound) {
    const BombProbe probes[] = {
        {"cell", 256L << 20, {"vrstica 2, stolpec 1 (A)", "daljša od 32767 znakov"}},
        {"shared", 256L << 20, {"sharedStrings.xml", "daljše od 32767 znakov"}},
        {"repeated", 30000, {"prevelik za uvoz"}},
        {"manyshared", 6000, {"sharedStrings.xml", "več kot 128 MB"}},
    };
    for (const BombProbe& probe : probes) {
        SCOPED_TRACE(probe.kind);
        const orv::test::TestBank bank;
        const std::string file = bank.folder() + "/bomba.xlsx";
        const auto written = orv::test::runCommand(
            "python3 " + std::string(ORVELNOST_SHEET_FIXTURES) + "/make_bombs.py " + file + " " +
            probe.kind + " " + std::to_string(probe.size));
        ASSERT_EQ(written.exitCode, 0) << written.err;
        struct stat status {};
        ASSERT_EQ(stat(file.c_str(), &status), 0);
        EXPECT_LT(status.st_size, 10 << 20);
        const auto result = orv::test::runBoundedCommand(
            kUvoz + " ORVDEMO OPERATER demo --dan 31.12.2024 --potrdi " + file, "", 120);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        for (const std::string& part : probe.message)
            EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("poškodovan"), std::string::npos) << result.err;
        EXPECT_LT(result.peakMegabytes, kBoundMegabytes);
    }
}

// A FIFO would block the opening of the file until some writer came, and again after the
// first look at it; a device or a folder holds no workbook. Each is refused at once.
TEST(BoundedWorkbook, OnlyRegularFilesAreImported) {
    const orv::test::TestBank bank;
    const std::string fifo = bank.folder() + "/cev.xlsx";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = bank.folder() + "/mapa.csv";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::pair<std::string, const char*> probes[] = {
        {fifo, "ni navadna datoteka (cev FIFO)"},
        {"/dev/zero", "ni navadna datoteka (naprava)"},
        {folder, "je mapa"},
    };
    for (const auto& [file, message] : probes) {
        SCOPED_TRACE(file);
        const auto result = orv::test::runBoundedCommand(
            kUvoz + " ORVDEMO OPERATER demo --dan 31.12.2024 --potrdi " + file, "", 20);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace orv::sheet::test
