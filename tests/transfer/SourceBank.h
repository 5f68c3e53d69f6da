#pragma once
// A small bank for the source statement: the rows each case needs, written in SQLite's own
// syntax, and the source rows read back through the data module as the transfer reads them.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv::test {

/// One row of Q1 as texts by upper-case column name; of two equal names the first counts.
struct Vrstica {
    std::map<std::string, std::string> stolpci;
    const std::string& operator[](const std::string& ime) const { return stolpci.at(ime); }
};

using Vrstice = std::vector<Vrstica>;

/// A ledger posting; a positive amount is a debit, a negative one a credit.
struct Knjizba {
    Knjizba(long konto, std::string datumv, double znesek)
        : konto_(konto), datumv_(std::move(datumv)), znesek_(znesek) {}
    Knjizba& idpog(long v) { return idpog_ = v, *this; }
    Knjizba& valuta(std::string v) { return valuta_ = std::move(v), *this; }
    Knjizba& vp(long v) { return vp_ = v, *this; }
    Knjizba& idvp(long v) { return idvp_ = v, *this; }
    Knjizba& idmaster(long v) { return idmaster_ = v, *this; }
    Knjizba& idobd(long v) { return idobd_ = v, *this; }
    Knjizba& dejavnost(std::string v) { return dejavnost_ = std::move(v), *this; }
    Knjizba& oe(long v) { return oe_ = v, *this; }

    long konto_;
    std::string datumv_;
    double znesek_;
    long idpog_ = 1;
    std::string valuta_ = "E";
    std::optional<long> vp_, idvp_, idmaster_;
    long idobd_ = 1;
    std::string dejavnost_;
    std::optional<long> oe_;
};

/// A deal; empty texts and missing numbers are NULL.
struct Posel {
    Posel(long iddog, std::string sfpdg, std::string dan)
        : iddog_(iddog), sfpdg_(std::move(sfpdg)), dan_(std::move(dan)) {}
    Posel& lot(double v) { return lot_ = v, *this; }
    Posel& zkr(double v) { return zkr_ = v, *this; }
    Posel& dvk(double v) { return dvk_ = v, *this; }
    Posel& iddoggot(long v) { return iddoggot_ = v, *this; }
    Posel& iddogsto(long v) { return iddogsto_ = v, *this; }
    Posel& iddogstn(long v) { return iddogstn_ = v, *this; }
    Posel& idvpl(long v) { return idvpl_ = v, *this; }
    Posel& stn(std::string v) { return stn_ = std::move(v), *this; }
    Posel& brezsto(std::string v) { return brezsto_ = std::move(v), *this; }
    Posel& zlz(double v) { return zlz_ = v, *this; }
    Posel& ter(double v) { return ter_ = v, *this; }
    Posel& idobd(long v) { return idobd_ = v, *this; }
    Posel& sfdog(long v) { return sfdog_ = v, *this; }
    Posel& idpog(long v) { return idpog_ = v, *this; }
    Posel& zpd(std::string v) { return zpd_ = std::move(v), *this; }

    long iddog_;
    std::string sfpdg_;
    std::string dan_;
    double lot_ = 0, zkr_ = 0;
    std::optional<double> dvk_;
    std::optional<long> iddoggot_, iddogsto_, iddogstn_, idvpl_;
    std::string stn_, brezsto_;
    double zlz_ = 0, ter_ = 0;
    std::optional<long> idobd_, sfdog_, idpog_;
    std::string zpd_;
};

class SourceBank : public ::testing::Test {
public:
    void SetUp() override;

    /// A ledger account of class `vknt` with its register row (OZNAKA "K" + ctrl).
    void konto(long ctrl, const std::string& vknt, const std::string& grupiraj = "N");
    void knjizi(const Knjizba& k);
    void posel(const Posel& p);
    /// Rows in every branch of the source statement, on contracts 1 and 2: accounts of the classes
    /// 1, 7, C, 3, D, B (grouped), 6 and A, postings of 10.12.2024 and the deals the branches of
    /// classes 6, A and D need.
    void rowsInEveryBranch();
    /// Any statement in SQLite's syntax.
    void exec(const std::string& sql) { bank.exec(sql); }

protected:
    /// Branch `stevilka` alone, for the window's date and options.
    Vrstice veja(int stevilka);
    /// BeriPodatke and the rows of Q1.
    Vrstice izvor();
    Vrstice vrsticeQ1();

    TestBank bank;
    RecordingVmesnik window;
    std::unique_ptr<TDM> dm;
};

/// Only the rows whose column `ime` holds `vrednost`.
Vrstice kjer(const Vrstice& vrstice, const std::string& ime, const std::string& vrednost);

/// The values of one column, in row order.
std::vector<std::string> stolpec(const Vrstice& vrstice, const std::string& ime);

/// An SQL literal of a text (NULL when empty) or of a number (NULL when missing).
std::string sqlText(const std::string& text);
std::string sqlNumber(std::optional<double> number);

} // namespace orv::test
