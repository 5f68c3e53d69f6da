#include "TransferBank.h"

#include "base/Besedilo.h"

namespace orv::test {

Vrstice TransferBank::poizvedba(const std::string& sql) {
    TOracleDataSet& q = dm->Qin;
    dm->OdpriPoizvedbo(q, sql);
    Vrstice vrstice;
    for (q.First(); !q.Eof(); q.Next()) {
        Vrstica vrstica;
        for (int i = 0; i < q.FieldCount(); ++i)
            vrstica.stolpci.emplace(toUpper(q.fieldInfos()[static_cast<size_t>(i)].name),
                                    q.Fields(i).AsString());
        vrstice.push_back(std::move(vrstica));
    }
    q.Close();
    return vrstice;
}

Vrstice TransferBank::izhod(const std::string& dan, const std::string& pogoj) {
    return poizvedba("SELECT * FROM POD_ORVEL WHERE DAT_STANJE='" + dan + "' " +
                     (pogoj.empty() ? "" : " AND " + pogoj) + " ORDER BY ROWID");
}

void TransferBank::izhodnaVrstica(const std::string& stolpci, const std::string& vrednosti) {
    // Through the data module, so that the dates go in as the bank's dialect stores them.
    dm->IzvediStavek("INSERT INTO POD_ORVEL (" + stolpci + ") VALUES (" + vrednosti + ")");
    dm->OracleSession1.Commit();
}

} // namespace orv::test
