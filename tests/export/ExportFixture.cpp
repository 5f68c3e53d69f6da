#include "export/ExportFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orv::test {

void ExportFixture::open(const std::vector<std::string>& rows, const std::string& extraColumns) {
    bank.exec("CREATE TABLE T_IZVOZ (ID NUMBER, NAZIV VARCHAR2(12), DAN DATE COLLATE DATUM, "
              "ZNESEK NUMBER" +
              extraColumns + ")");
    for (const std::string& row : rows)
        bank.exec("INSERT INTO T_IZVOZ VALUES (" + row + ")");
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
    dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM T_IZVOZ ORDER BY ID");
}

std::vector<int> ExportFixture::allFields() {
    std::vector<int> fields;
    for (int i = 0; i < dm.Q1.FieldCount(); ++i)
        fields.push_back(i);
    return fields;
}

std::vector<std::string> ExportFixture::otherFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(bank.folder())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("banka.db", 0) == 0 || name == "aliasi.ini") continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace orv::test
