#pragma once
// A small bank for derivation tests: the empty schema plus the rows a case adds, a recording
// main window, the data module logged on, and a source row made to measure. The source row is
// opened in Q1 as a one-row query of literals, so a case names exactly the columns it needs and
// every other column is NULL, as an aggregate over no value would be.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "derive/KontekstPrenosa.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace orv::test {

/// The columns of a source row as SQL literals, by name; missing columns are NULL.
class Vir {
public:
    Vir& t(const std::string& ime, const std::string& besedilo); ///< a text column
    Vir& n(const std::string& ime, double stevilo);              ///< a number column
    const std::map<std::string, std::string>& stolpci() const { return stolpci_; }

private:
    std::map<std::string, std::string> stolpci_;
};

/// Runs on the run context just before a given step.
using Priprava = std::function<void(KontekstPrenosa&)>;

class Izpeljava : public ::testing::Test {
protected:
    TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    Izpeljava();

    /// Adds rows to the bank (SQLite's syntax).
    void rows(const std::string& sql) const { bank.exec(sql); }

    /// The run context of the current transfer; made on first use, so a case may set the
    /// window's date and options first.
    KontekstPrenosa& kontekst();
    /// Ends the current transfer: the next derivation starts a new one.
    void novPrenos() { k_.reset(); }

    /// Opens the source row in Q1 and runs PolniPodatke for it, as the driver does.
    IzhodniZapis& polni(const Vir& vir);

    /// Opens the source row and runs the steps of the frame's table in their order, calling
    /// `priprava` just before step `pred`: it sets what the steps before would have given.
    IzhodniZapis& izpelji(const Vir& vir, const Priprava& priprava = {}, int pred = 34);

    /// Opens the source row in Q1 without deriving anything.
    void odpriVir(const Vir& vir);

    /// The content of a file in the program folder.
    std::string programFile(const std::string& name) const;

private:
    std::unique_ptr<KontekstPrenosa> k_;
};

/// The class letter of an account class, as the transfer driver gives it.
std::string razredCrka(const std::string& vknt);

} // namespace orv::test
