// Every statement the lookups run, on a demo bank of size 10000, must find its rows through an
// index: a transfer repeats the lookups for every source row, so a table scan in one of them
// would make a transfer's cost grow with the square of the bank. The statements are caught as
// the backend prepares them (translated into SQLite's syntax, with their literals shared as
// parameters) and their query plans are read with EXPLAIN QUERY PLAN.

#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/Rocnost.h"
#include "lookup/Salda.h"
#include "lookup/Tecaji.h"

#include "base/Besedilo.h"
#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "bank/demo/DemoBank.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv::test {
namespace {

/// Keys of rows that exist in the demo bank, so that every lookup finds something.
struct DemoKeys {
    int sfvp = 0, idpog = 0, idvp = 0;                // a holding line on the reporting date
    int konto = 0, kontoIdpog = 0, kontoVp = 0;       // a posting of a contract's security
    int postingIdvp = 0;                              // a posting of a holding line
    std::string valuta, oznaka, sfinx, sffin, krtbnk; // a currency, designation, index, ...
    int iddog = 0;
};

class QueryPlanTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bank_ = std::make_unique<TestBank>();
        {
            sqlite::BankFile file(bank_->path(), false);
            demo::fillDemoBank(file.handle(), demo::DemoOptions{10000, 1});
        }
        keys_ = readKeys(*bank_);
    }
    static void TearDownTestSuite() { bank_.reset(); }

    void SetUp() override {
        window.options.eDanText = "31.12.2024";
        dm.OracleSession1.logonDatabase = bank_->logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
        db = dynamic_cast<sqlite::SqliteConnection&>(dm.OracleSession1.connection()).handle();
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &QueryPlanTest::record, this);
    }
    void TearDown() override { sqlite3_trace_v2(db, 0, nullptr, nullptr); }

    /// The statements a call runs (queries only), as SQLite prepared them.
    std::vector<std::string> statementsOf(const std::function<void()>& call) {
        recorded.clear();
        recording = true;
        call();
        recording = false;
        return recorded;
    }

    /// The detail lines of a statement's query plan.
    std::vector<std::string> plan(const std::string& sql) const {
        std::vector<std::string> details;
        sqlite3_stmt* statement = nullptr;
        const std::string explain = "EXPLAIN QUERY PLAN " + sql;
        if (sqlite3_prepare_v2(db, explain.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(db);
            return details;
        }
        while (sqlite3_step(statement) == SQLITE_ROW)
            details.push_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
        sqlite3_finalize(statement);
        return details;
    }

    static std::unique_ptr<TestBank> bank_;
    static DemoKeys keys_;
    RecordingVmesnik window;
    TDM dm{window, bank_->folder() + "/"};
    sqlite3* db = nullptr;

private:
    static DemoKeys readKeys(const TestBank& bank) {
        DemoKeys k;
        const auto number = [&](const std::string& sql) { return std::stoi(bank.scalar(sql)); };
        const std::string holding = " FROM VPHST WHERE DAN = '31.12.2024' AND IDVP > 0 "
                                    "ORDER BY ROWID LIMIT 1";
        k.sfvp = number("SELECT SFVP" + holding);
        k.idpog = number("SELECT IDPOG" + holding);
        k.idvp = number("SELECT IDVP" + holding);
        const std::string posting = " FROM KNJIZBE WHERE IDPOG > 0 AND VP > 0 AND DATUMV "
                                    "BETWEEN '01.12.2024' AND '31.12.2024' ORDER BY ROWID LIMIT 1";
        k.konto = number("SELECT KONTO" + posting);
        k.kontoIdpog = number("SELECT IDPOG" + posting);
        k.kontoVp = number("SELECT VP" + posting);
        k.valuta = bank.scalar("SELECT VALUTA" + posting);
        k.postingIdvp = number("SELECT IDVP FROM KNJIZBE WHERE IDVP > 0 LIMIT 1");
        k.oznaka =
            bank.scalar("SELECT OZNAKA FROM SIFKONT WHERE CTRL = " + std::to_string(k.konto));
        k.sfinx = bank.scalar("SELECT SFINX FROM SFINX LIMIT 1");
        k.sffin = bank.scalar("SELECT SFFIN FROM FIN LIMIT 1");
        k.krtbnk = bank.scalar("SELECT KRTBNK FROM OSB WHERE KRTBNK IS NOT NULL LIMIT 1");
        k.iddog = number("SELECT IDDOG FROM DOG LIMIT 1");
        return k;
    }

    static int record(unsigned type, void* context, void* statement, void*) {
        auto* self = static_cast<QueryPlanTest*>(context);
        if (type != SQLITE_TRACE_STMT || !self->recording) return 0;
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        if (sql && sqlite3_stmt_readonly(static_cast<sqlite3_stmt*>(statement)) &&
            toUpper(sql).find("SELECT") != std::string::npos)
            self->recorded.emplace_back(sql);
        return 0;
    }

    bool recording = false;
    std::vector<std::string> recorded;
};

std::unique_ptr<TestBank> QueryPlanTest::bank_;
DemoKeys QueryPlanTest::keys_;

TEST_F(QueryPlanTest, NoLookupScansATable) {
    const DemoKeys& k = keys_;
    KontekstVrstice kontekst;
    kontekst.TecajVrstice = 1.1;
    DateValue danNakupa = 0;
    int iddoggen = 0;
    const DateValue r = encodeDate(2024, 12, 31);
    const std::pair<const char*, std::function<void()>> lookups[] = {
        {"TecajValute", [&] { TecajValute(dm, window, "U", "31.12.2024"); }},
        {"VrednostIndeksa", [&] { VrednostIndeksa(dm, window, k.sfinx, "31.12.2024"); }},
        {"OsnovaIndeksa", [&] { OsnovaIndeksa(dm, window, k.sfinx); }},
        {"NazivIndeksa", [&] { NazivIndeksa(dm, window, k.sfinx); }},
        {"SifraValute", [&] { SifraValute(dm, window, "G"); }},
        {"BeriDevizen", [&] { BeriDevizen(dm, window, k.konto); }},
        {"ZnesekVal78",
         [&] { ZnesekVal78(dm, window, k.valuta, k.konto, k.kontoIdpog, k.kontoVp); }},
        {"PrometKonto617", [&] { PrometKonto617(dm, window, k.valuta, k.kontoIdpog, k.kontoVp); }},
        {"StanjeECB52, domestic",
         [&] {
             kontekst.DevizenVrstice = "N";
             StanjeECB52(dm, window, kontekst, k.postingIdvp, "5");
         }},
        {"StanjeECB52, foreign",
         [&] {
             kontekst.DevizenVrstice = "D";
             StanjeECB52(dm, window, kontekst, k.postingIdvp, "2");
         }},
        {"Saldo34, both statements",
         [&] { Saldo34(dm, window, std::to_string(k.konto), "no such currency"); }},
        {"BeriZnesekSit", [&] { BeriZnesekSit(dm, window, k.konto, k.postingIdvp); }},
        {"BeriPovprecje", [&] { BeriPovprecje(dm, window, k.kontoIdpog, k.kontoVp, k.oznaka); }},
        {"BeriKupon", [&] { BeriKupon(dm, window, k.sfvp); }},
        {"ZadnjiDanKupona", [&] { ZadnjiDanKupona(dm, window, k.sfvp, r); }},
        {"RacunajSteviloDni", [&] { RacunajSteviloDni(dm, window, kontekst, k.sfvp); }},
        {"BeriPrvDan1", [&] { BeriPrvDan1(dm, window, k.sfvp); }},
        {"RacunajDanNKP", [&] { RacunajDanNKP(dm, window, kontekst, k.sfvp, k.idpog); }},
        {"RacunajDanNKPMAX", [&] { RacunajDanNKPMAX(dm, window, k.sfvp, k.idpog); }},
        {"RacunajDanNKPMIN", [&] { RacunajDanNKPMIN(dm, window, k.sfvp, k.idpog); }},
        {"KolicinaVP, all", [&] { KolicinaVP(dm, window, k.sfvp, 0, 0); }},
        {"KolicinaVP, contract", [&] { KolicinaVP(dm, window, k.sfvp, 0, k.idpog); }},
        {"KolicinaVP, line", [&] { KolicinaVP(dm, window, k.sfvp, k.idvp, k.idpog); }},
        {"NabavniTecajNKP",
         [&] {
             BeriKupon(dm, window, k.sfvp);
             NabavniTecajNKP(dm, window, kontekst, k.sfvp, 3, k.idpog, k.idvp, r, danNakupa);
         }},
        {"SteviloListFin", [&] { SteviloListFin(dm, window, k.sffin); }},
        {"ListFin", [&] { ListFin(dm, window, k.sffin); }},
        {"BanTrg", [&] { BanTrg(dm, window, k.idpog); }},
        {"PrimarniTrg", [&] { PrimarniTrg(dm, window, k.sfvp, k.idpog); }},
        {"EcbSifra14", [&] { EcbSifra14(dm, window, 400); }},
        {"EcbSifra15", [&] { EcbSifra15(dm, window, 400); }},
        {"VrstaObveznice", [&] { VrstaObveznice(dm, window, k.sfvp); }},
        {"BeriJamstvo", [&] { BeriJamstvo(dm, window, k.sfvp); }},
        {"ELIGIBLE", [&] { ELIGIBLE(dm, window, k.sfvp); }},
        {"BeriVPHST112", [&] { BeriVPHST112(dm, window, k.sfvp, k.idvp); }},
        {"BeriVPHSTlot", [&] { BeriVPHSTlot(dm, window, k.sfvp, k.idvp, iddoggen); }},
        {"BeriDogSfdog", [&] { BeriDogSfdog(dm, window, k.iddog); }},
        {"PosebniSfbon", [&] { PosebniSfbon(dm, window, k.krtbnk); }},
    };
    for (const auto& [name, call] : lookups) {
        SCOPED_TRACE(name);
        const std::vector<std::string> statements = statementsOf(call);
        EXPECT_FALSE(statements.empty());
        for (const std::string& sql : statements) {
            SCOPED_TRACE(sql);
            bool searched = false;
            for (const std::string& detail : plan(sql)) {
                EXPECT_NE(detail.rfind("SCAN ", 0), 0u) << detail;
                if (detail.find("USING INDEX") != std::string::npos ||
                    detail.find("USING COVERING INDEX") != std::string::npos)
                    searched = true;
            }
            EXPECT_TRUE(searched);
        }
    }
    EXPECT_TRUE(window.messages.empty());
}

} // namespace
} // namespace orv::test
