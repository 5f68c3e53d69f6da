#pragma once
// A bank with stored rows of two dates and a logged-on data module, for the import's tests.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "sheet/SheetFiles.h"
#include "sheet/UvozIzExcela.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv::sheet::test {

inline const std::string kDan = "31.12.2024";
using Texts = std::vector<std::string>;

struct UvozFixture : ::testing::Test {
    orv::test::TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    /// Stored rows: classes 7, A and D of 31.12.2024 and class 7 of 30.11.2024.
    void SetUp() override;

    std::string path(const std::string& name) const { return bank.folder() + "/" + name; }

    /// Runs the import of `file` for 31.12.2024 (or `dan`) through a fresh UvozIzExcela.
    /// The columns a file leaves out are not asked about, unless `moznosti` say so.
    IzidUvoza uvozi(const std::string& file, const std::string& vknt = "",
                    const std::string& dan = kDan, MoznostiUvoza moznosti = brezVprasanj());
    static MoznostiUvoza brezVprasanj() {
        MoznostiUvoza moznosti;
        moznosti.vprasajZaManjkajoce = false;
        return moznosti;
    }

    /// "POGODBA VKNT" of the stored rows of a date, ordered by POGODBA.
    std::vector<std::string> vrstice(const std::string& dan = kDan);
    /// The named columns of the rows of a date ordered by POGODBA, each row's values joined
    /// by '|', read through the data module as the program reads them.
    std::vector<std::string> stolpci(const std::string& columns, const std::string& dan = kDan);
    /// Every stored row of every date, for "nothing changed".
    std::vector<std::string> vse();
};

/// The stored rows before any import.
std::vector<std::string> zacetneVrstice();

/// A header and `rows` data rows of 31.12.2024: DAT_STANJE, POGODBA, ZNESEK_VAL, VKNT.
Sheet preprosta(int rows, const std::string& dan = kDan);

} // namespace orv::sheet::test
