#pragma once
// A small bank for derivation tests: the empty schema plus the rows a case adds, a recording
// main window, the data module logged on, and a source row made to measure. The source row is
// opened in Q1 as a one-row query of literals, so a case names exactly the columns it needs and
// every other column is NULL. Every test has a bank of its own: cases drop tables, write files
// into the program folder and run whole transfers.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "derive/KontekstPrenosa.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orv::test {

/// A source row as texts: column name to its text ("" for NULL); columns not named are NULL.
/// Every value reaches Q1 as a text, which reads back as the same text, number, integer or date.
using Izvor = std::map<std::string, std::string>;

/// `osnova` with the columns of `spremembe` added or replaced.
inline Izvor z(Izvor osnova, const Izvor& spremembe) {
    for (const auto& [ime, vrednost] : spremembe)
        osnova[ime] = vrednost;
    return osnova;
}

/// A source row as SQL literals by column name; missing columns are NULL.
class Vir {
public:
    Vir() = default;
    /// Every column of `izvor` as a text column.
    explicit Vir(const Izvor& izvor);
    Vir& t(const std::string& ime, const std::string& besedilo); ///< a text column
    Vir& n(const std::string& ime, double stevilo);              ///< a number column
    const std::map<std::string, std::string>& stolpci() const { return stolpci_; }

private:
    std::map<std::string, std::string> stolpci_;
};

/// Runs on the run context just before a given step.
using Priprava = std::function<void(KontekstPrenosa&)>;

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
    TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    /// Logs on to the bank with the window's date edit at `dan` and its other options as the
    /// window starts; the window's records start empty.
    explicit DerivationBank(const std::string& dan = "31.12.2024");

    /// Adds rows to the bank (SQLite's syntax, on a connection of the test's own).
    void rows(const std::string& sql) const;
    /// Empties every table of the bank; the settings keep their row that names the schema of the
    /// write-down table.
    void izprazni() const;

    /// The run context of the current transfer; made on first use, so a case may set the
    /// window's date and options first.
    KontekstPrenosa& kontekst();
    /// Ends the current transfer: the next derivation starts a new one.
    void novPrenos() { k_.reset(); }

    /// Opens the source row in Q1 without deriving anything; a column that the source statement
    /// does not have is an error of the test.
    void odpriVir(const Vir& vir);

    /// Opens the source row and runs the frame's steps in their order up to step `zadnji`, as
    /// PolniPodatke runs them, calling `priprava` just before step `pred`: it sets what the
    /// steps before would have given. A failing step raises NapakaKoraka.
    IzhodniZapis& izpelji(const Vir& vir, const Priprava& priprava = {}, int pred = 34,
                          int zadnji = 56);
    /// The record as steps 1 to 33 leave it: later steps (the residual maturity band, the special
    /// cases, the final overrides) overwrite some of the same fields, and their own tests cover
    /// what they do.
    IzhodniZapis& izpeljiDoKoraka33(const Izvor& izvor) { return izpelji(Vir(izvor), {}, 0, 33); }

    /// Opens the source row in Q1 and runs PolniPodatke for it, as the driver does.
    IzhodniZapis& polni(const Vir& vir);

    /// Runs every case of a table on an emptied bank in a transfer of its own and checks the
    /// fields it names after step 33, and that nothing was shown.
    void preveri(const std::vector<Primer>& primeri);

    /// The content of a file in the program folder.
    std::string programFile(const std::string& name) const;

private:
    std::unique_ptr<KontekstPrenosa> k_;
};

/// The same bank on the reporting date 15.03.2024, for which the cases of the later steps and of
/// whole transfers are written.
class DerivationBank15Marec : public DerivationBank {
protected:
    DerivationBank15Marec() : DerivationBank("15.03.2024") {}
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

/// The class letter of an account class, as the transfer driver gives it.
std::string razredCrka(const std::string& vknt);

} // namespace orv::test
