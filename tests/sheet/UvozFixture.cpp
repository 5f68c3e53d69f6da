#include "sheet/UvozFixture.h"

#include "base/Datum.h"

namespace orv::sheet::test {

void UvozFixture::SetUp() {
    bank.exec("insert into POD_ORVEL (DAT_STANJE, POGODBA, VKNT) values "
              "('31.12.2024', 'STARA-7', '7'), ('31.12.2024', 'STARA-A', 'A'), "
              "('31.12.2024', 'STARA-D', 'D'), ('30.11.2024', 'NOVEMBER-7', '7')");
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
    window.options.eDanText = kDan;
}

IzidUvoza UvozFixture::uvozi(const std::string& file, const std::string& vknt,
                             const std::string& dan, MoznostiUvoza moznosti) {
    UvozIzExcela uvoz(dm, window, moznosti);
    return uvoz.ImportIzExcela(file, vknt, *parseDate(dan));
}

std::vector<std::string> UvozFixture::stolpci(const std::string& columns, const std::string& dan) {
    dm.OdpriPoizvedbo(dm.Q1, "SELECT " + columns + " FROM POD_ORVEL WHERE DAT_STANJE='" + dan +
                                 "' ORDER BY POGODBA");
    std::vector<std::string> rows;
    for (dm.Q1.First(); !dm.Q1.Eof(); dm.Q1.Next()) {
        std::string row;
        for (int i = 0; i < dm.Q1.FieldCount(); ++i)
            row += (i ? "|" : "") + dm.Q1.Fields(i).AsString();
        rows.push_back(row);
    }
    dm.Q1.Close();
    return rows;
}

std::vector<std::string> UvozFixture::vrstice(const std::string& dan) {
    std::vector<std::string> rows = stolpci("POGODBA, VKNT", dan);
    for (std::string& row : rows)
        row[row.find('|')] = ' ';
    return rows;
}

std::vector<std::string> UvozFixture::vse() {
    std::vector<std::string> rows;
    for (const std::string dan : {"30.11.2024", "31.12.2024"})
        for (const std::string& row : vrstice(dan))
            rows.push_back(dan + " " + row);
    return rows;
}

std::vector<std::string> zacetneVrstice() {
    return {"30.11.2024 NOVEMBER-7 7", "31.12.2024 STARA-7 7", "31.12.2024 STARA-A A",
            "31.12.2024 STARA-D D"};
}

Sheet preprosta(int rows, const std::string& dan) {
    Sheet sheet{{text("DAT_STANJE"), text("POGODBA"), text("ZNESEK_VAL"), text("VKNT")}};
    for (int r = 1; r <= rows; ++r)
        sheet.push_back({text(dan), text("P-" + std::to_string(100000 + r)),
                         static_cast<double>(r) / 4, text(r % 2 ? "7" : "A")});
    return sheet;
}

} // namespace orv::sheet::test
