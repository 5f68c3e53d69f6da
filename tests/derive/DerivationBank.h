#pragma once
// A small bank for the derivation: one bank per test suite (making a bank and logging on cost
// most of a small test's time), emptied before every test and every case, the rows a case needs,
// and one source row in Q1 that PolniPodatke turns into the output record.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "derive/KontekstPrenosa.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orv::test {

/// A source row: column name to its text; columns not named are NULL. Every value reaches Q1 as
/// a text, which reads back as the same text, number, integer or date.
using Izvor = std::map<std::string, std::string>;

/// `osnova` with the columns of `spremembe` added or replaced.
inline Izvor z(Izvor osnova, const Izvor& spremembe) {
    for (const auto& [ime, vrednost] : spremembe)
        osnova[ime] = vrednost;
    return osnova;
}

/// Expected output fields by name, as texts (numbers as the program prints them).
using Polja = std::map<std::string, std::string>;

/// One case of a table: the rows the bank needs, the source row and the fields it must end with.
struct Primer {
    const char* opis;
    std::string vrstice; ///< statements in SQLite's syntax; may be empty
    Izvor izvor;
    Polja pricakovano;
};

class DerivationBank : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    /// Empties the bank's tables, the window's records and options (reporting date 31.12.2024,
    /// INT_NEW ticked) and starts a new transfer.
    void SetUp() override;

    static TestBank& bank();
    static RecordingVmesnik& window();
    static TDM& dm();

    /// Adds rows in SQLite's syntax.
    static void vrstice(const std::string& sql);
    /// Empties every table of the bank.
    static void izprazni();

    /// Opens the source row in Q1 and derives it within the current transfer; returns the
    /// output record. A failing step raises NapakaKoraka.
    IzhodniZapis& izpelji(const Izvor& izvor);
    /// The current transfer's context (made on the first derivation of a transfer).
    KontekstPrenosa& prenos();
    /// Ends the current transfer: the next derivation starts a new one.
    void novPrenos() { prenos_.reset(); }

    /// Runs every case of a table on an emptied bank in a transfer of its own and checks the
    /// fields it names.
    void preveri(const std::vector<Primer>& primeri);

private:
    struct Banka;
    static std::unique_ptr<Banka> banka_;
    std::unique_ptr<KontekstPrenosa> prenos_;
};

// Rows that many cases share (SQLite's syntax).

/// Instruments: "D" is listed (Kotira), "L" is the bank's own issue (ListaFin "L"), "n" is not
/// listed.
inline const char* const kInstrumenti =
    "INSERT INTO FIN (SFFIN, SFLST) VALUES ('D', 'D'), ('L', 'L'), ('n', 'N');"
    "INSERT INTO SIF (SSF, SIF, KRT) VALUES ('LST', 'D', 'BORZA'), ('LST', 'L', 'LASTNA'),"
    " ('LST', 'N', NULL);";

/// Markets: "01" is a primary market, "02" a stock exchange.
inline const char* const kTrgi = "INSERT INTO TRG (SFTRG, SFTRZ) VALUES ('01', '1'), ('02', '2');";

/// A field of the output record by its column name, as text (numbers as "%.15g").
std::string polje(const IzhodniZapis& zapis, const std::string& ime);

/// Every source column of Q1.
const std::vector<std::string>& izvorniStolpci();

/// Runs the derivation's steps 1 to 33 in the frame's order, as PolniPodatke runs them.
void izvediDoKoraka33(KontekstPrenosa& k, const std::string& razred);

} // namespace orv::test
