#include "base/AliasStore.h"
#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {
namespace {

struct AliasStoreFixture : ::testing::Test {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("orvelnost-aliasi-" + std::to_string(::getpid()) + ".ini"))
                           .string();
    void TearDown() override { std::remove(path.c_str()); }
};

TEST_F(AliasStoreFixture, ServerNameDependsOnTheDriverType) {
    std::ofstream(path) << "[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n"
                           "[LOWER]\nTYPE=  oracle \nSERVER NAME=sqlite:/tmp/b.db\n"
                           "[ODBC1]\nTYPE=ODBC_SERVER\nODBC DSN=bankdsn\nSERVER NAME=ignored\n"
                           "[odbclower]\nTYPE=my odbc driver\nODBC DSN=x\n"
                           "[DB2A]\nTYPE=DB2\nDB2 DSN=db2dsn\n"
                           "[STD]\nTYPE=STANDARD\nPATH=/data\n"
                           "[NOSERVER]\nTYPE=ORACLE\n";
    const AliasStore store(path);
    const std::pair<const char*, const char*> cases[] = {
        {"PROD", "ORCL"},     {"LOWER", "sqlite:/tmp/b.db"},
        {"ODBC1", "bankdsn"}, {"odbclower", ""}, // the ODBC test is case-sensitive
        {"DB2A", "db2dsn"},   {"STD", ""},
        {"NOSERVER", ""},     {"prod", "ORCL"}, // alias names are not case-sensitive
    };
    for (const auto& [alias, server] : cases)
        EXPECT_EQ(StreznikAliasa(store, alias), server) << alias;
}

TEST_F(AliasStoreFixture, UnknownAliasOrMissingStoreIsAnError) {
    EXPECT_THROW(StreznikAliasa(AliasStore(path), "PROD"), std::runtime_error);
    std::ofstream(path) << "[PROD]\nTYPE=ORACLE\n";
    EXPECT_THROW(StreznikAliasa(AliasStore(path), "TEST"), std::runtime_error);
}

// The store is written through a temporary file of its own (never a predictable name that a
// symbolic link could point elsewhere), replaced in one rename, and readable by its owner only.
TEST_F(AliasStoreFixture, WritingGoesThroughAPrivateTemporaryFile) {
    const std::string victim = path + ".victim";
    std::ofstream(victim) << "untouched";
    std::filesystem::create_symlink(victim, path + ".tmp");
    const AliasStore store(path);
    store.writeAlias("ORVDEMO", {"ORACLE", {{"SERVER NAME", "sqlite:/b.db"}}});
    std::ifstream file(victim);
    const std::string victimText{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(victimText, "untouched");
    EXPECT_EQ(StreznikAliasa(store, "ORVDEMO"), "sqlite:/b.db");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // Nothing is left beside the store but the planted link.
    size_t beside = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        if (entry.path().string().rfind(path + ".", 0) == 0) ++beside;
    EXPECT_EQ(beside, 2u); // the victim and the link
    std::remove((path + ".tmp").c_str());
    std::remove(victim.c_str());
}

// A name the file cannot hold would write a broken section: it is refused, the store unchanged.
TEST_F(AliasStoreFixture, NamesThatBreakTheFileAreRefused) {
    const AliasStore store(path);
    store.writeAlias("PROD", {"ORACLE", {{"SERVER NAME", "ORCL"}}});
    const char* bad[] = {"", "A\nB", "A\rB", "A]B", "[A", " A", "A "};
    for (const char* alias : bad)
        EXPECT_THROW(store.writeAlias(alias, {"ORACLE", {{"SERVER NAME", "x"}}}),
                     std::runtime_error)
            << alias;
    EXPECT_THROW(store.writeAlias("B", {"ORACLE", {{"SERVER NAME", "x\n[EVIL]"}}}),
                 std::runtime_error);
    EXPECT_THROW(store.writeAlias("B", {"ORACLE", {{"SERVER\nNAME", "x"}}}), std::runtime_error);
    std::ifstream file(path);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(text, "[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n");
}

TEST_F(AliasStoreFixture, BusyTimeoutIsWholeSecondsWithADefault) {
    std::ofstream(path)
        << "[A]\nTYPE=ORACLE\n[B]\nTYPE=ORACLE\nBUSY TIMEOUT= 5 \n"
           "[C]\nTYPE=ORACLE\nbusy timeout=0\n[D]\nTYPE=ORACLE\nBUSY TIMEOUT=1.5\n"
           "[E]\nTYPE=ORACLE\nBUSY TIMEOUT=-1\n[F]\nTYPE=ORACLE\nBUSY TIMEOUT=3601\n";
    const AliasStore store(path);
    EXPECT_EQ(busyTimeoutOfAlias(store, "A"), 30);
    EXPECT_EQ(busyTimeoutOfAlias(store, "B"), 5);
    EXPECT_EQ(busyTimeoutOfAlias(store, "C"), 0);
    for (const char* alias : {"D", "E", "F", "NONE"})
        EXPECT_THROW(busyTimeoutOfAlias(store, alias), std::runtime_error) << alias;
}

TEST_F(AliasStoreFixture, WritingAnAliasKeepsTheOthers) {
    std::ofstream(path)
        << "[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n[ORVDEMO]\nTYPE=ORACLE\nSERVER NAME=old\n";
    const AliasStore store(path);
    store.writeAlias("ORVDEMO", {"ORACLE", {{"SERVER NAME", "sqlite:/new/banka.db"}}});
    EXPECT_EQ(StreznikAliasa(store, "PROD"), "ORCL");
    EXPECT_EQ(StreznikAliasa(store, "ORVDEMO"), "sqlite:/new/banka.db");
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What an operator's editor or a slip leaves in the store is read, or named as what it is.
TEST_F(AliasStoreFixture, StoresThatAreNotPlainAreNamedForWhatTheyAre) {
    // A byte-order mark before the first section is an editor's, not part of the alias.
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n";
    EXPECT_EQ(StreznikAliasa(AliasStore(path), "PROD"), "ORCL");

    // Two sections of one alias: which one holds would be a guess, so neither does.
    const std::string twice = "[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n"
                              "[TEST]\nTYPE=ORACLE\nSERVER NAME=T\n"
                              "[prod]\nTYPE=ORACLE\nSERVER NAME=DRUGI\n";
    std::ofstream(path, std::ios::binary) << twice;
    for (const char* alias : {"PROD", "TEST"}) {
        try {
            StreznikAliasa(AliasStore(path), alias);
            ADD_FAILURE() << "an alias of a store with a section twice was read";
        } catch (const std::runtime_error& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(path), std::string::npos) << text;
            EXPECT_NE(text.find("'prod'"), std::string::npos) << text;
        }
    }
    // Nor is such a store rewritten (which merged the two into one section).
    EXPECT_THROW(AliasStore(path).writeAlias("NOV", {"ORACLE", {{"SERVER NAME", "x"}}}),
                 std::runtime_error);
    EXPECT_EQ(fileText(path), twice);

    // A folder where the store belongs.
    std::remove(path.c_str());
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    try {
        StreznikAliasa(AliasStore(path), "PROD");
        ADD_FAILURE() << "a folder was read as the alias store";
    } catch (const std::runtime_error& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(path + " is a folder"), std::string::npos) << text;
    }
    EXPECT_THROW(AliasStore(path).writeAlias("NOV", {"ORACLE", {}}), std::runtime_error);
    rmdir(path.c_str());
}

TEST(IniFile, ReadsSectionsCaseInsensitivelyAndNeverFails) {
    const IniFile ini = IniFile::parse(
        "; comment\n[REFERENT]\r\nREF01=R0000123\r\nbroken line\n[other]\nREF01=x\n");
    EXPECT_EQ(ini.readString("referent", "ref01", "REF01"), "R0000123");
    EXPECT_EQ(ini.readString("REFERENT", "REF02", "REF02"), "REF02");
    EXPECT_EQ(ini.readString("MISSING", "REF01", "d"), "d");
    EXPECT_EQ(IniFile::load("/no/such/file.ini").readString("REFERENT", "REF01", "REF01"), "REF01");
}

} // namespace
} // namespace orv
