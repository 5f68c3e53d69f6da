#pragma once
// A small bank for whole transfers: the source bank's helpers, the transfer run through the data
// module as the window runs it, and the output rows read back.

#include "SourceBank.h"
#include "transfer/Prepis.h"

#include <string>

namespace orv::test {

class TransferBank : public SourceBank {
protected:
    /// The transfer for the window's date and options.
    IzidPrenosa prenesi() { return Prepis(*dm, window); }

    /// Rows of any query (in the bank's dialect) as texts by upper-case column name.
    Vrstice poizvedba(const std::string& sql);

    /// The output rows of a date, in the order they were written.
    Vrstice izhod(const std::string& dan = "31.12.2024", const std::string& pogoj = "");

    /// An output row as a test puts it in place before a transfer; `stolpci` is
    /// "COLUMN, ..." and `vrednosti` their literals in the bank's dialect.
    void izhodnaVrstica(const std::string& stolpci, const std::string& vrednosti);
};

} // namespace orv::test
