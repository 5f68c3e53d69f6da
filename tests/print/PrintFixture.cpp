#include "print/PrintFixture.h"

namespace orv::test {

void PrintFixture::open(const std::vector<std::string>& rows) {
    bank.exec("CREATE TABLE T_SEZNAM (ID INTEGER PRIMARY KEY, REGIJA VARCHAR2(4), "
              "POSLOVALNICA VARCHAR2(6), DAN DATE COLLATE DATUM, ZNESEK NUMBER, TECAJ NUMBER)");
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
    for (const std::string& row : rows)
        dm.IzvediInPotrdi("INSERT INTO T_SEZNAM (POSLOVALNICA, REGIJA, DAN, ZNESEK, TECAJ) "
                          "VALUES (" +
                          row + ")");
    dm.OdpriPoizvedbo(dm.Q1, "SELECT POSLOVALNICA, REGIJA, DAN, ZNESEK, TECAJ FROM T_SEZNAM "
                             "ORDER BY ID");
    const char* labels[] = {"Poslovalnica", "Regija", "Dan", "Znesek",
                            "Te\xC4\x8D"
                            "aj"};
    for (size_t i = 0; i < 5; ++i)
        dm.Q1.fieldInfos()[i].displayLabel = labels[i];
}

std::vector<int> PrintFixture::allFields() {
    std::vector<int> fields;
    for (int i = 0; i < dm.Q1.FieldCount(); ++i)
        fields.push_back(i);
    return fields;
}

std::vector<std::string> rowsOf(TOracleDataSet& dataset) {
    std::vector<std::string> rows;
    for (int row = 0; row < dataset.RecordCount(); ++row) {
        std::string line;
        for (int column = 0; column < dataset.FieldCount(); ++column)
            line += (column ? "\t" : "") + dataset.cell(row, column).toText();
        rows.push_back(line);
    }
    return rows;
}

} // namespace orv::test
