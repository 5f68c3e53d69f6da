#include "base/AliasStore.h"
#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

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

TEST_F(AliasStoreFixture, WritingAnAliasKeepsTheOthers) {
    std::ofstream(path)
        << "[PROD]\nTYPE=ORACLE\nSERVER NAME=ORCL\n[ORVDEMO]\nTYPE=ORACLE\nSERVER NAME=old\n";
    const AliasStore store(path);
    store.writeAlias("ORVDEMO", {"ORACLE", {{"SERVER NAME", "sqlite:/new/banka.db"}}});
    EXPECT_EQ(StreznikAliasa(store, "PROD"), "ORCL");
    EXPECT_EQ(StreznikAliasa(store, "ORVDEMO"), "sqlite:/new/banka.db");
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
