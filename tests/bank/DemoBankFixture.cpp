#include "DemoBankFixture.h"

#include "db/DatabaseError.h"
#include "bank/BankSchema.h"
#include "db/sqlite/dialect/Dialect.h"

#include <cstdlib>
#include <stdexcept>

namespace orv::demo::test {

namespace {

// A prepared statement of the bank's dialect with its shared literals bound.
class Query {
public:
    Query(sqlite3* db, const std::string& bankSql) {
        const sqlite::TranslatedStatement translated = sqlite::translateStatement(bankSql);
        if (sqlite3_prepare_v2(db, translated.sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
            throw DatabaseError(std::string(sqlite3_errmsg(db)) + "\n" + translated.sql);
        for (std::size_t i = 0; i < translated.literals.size(); ++i) {
            const auto& literal = translated.literals[i];
            const std::string name = ":orv_l" + std::to_string(i + 1);
            const int index = sqlite3_bind_parameter_index(statement_, name.c_str());
            if (literal.kind == sqlite::SharedLiteral::Kind::Integer)
                sqlite3_bind_int64(statement_, index, literal.integer);
            else if (literal.kind == sqlite::SharedLiteral::Kind::Real)
                sqlite3_bind_double(statement_, index, literal.real);
            else
                sqlite3_bind_text(statement_, index, literal.text.c_str(), -1, SQLITE_TRANSIENT);
        }
        db_ = db;
    }
    ~Query() { sqlite3_finalize(statement_); }

    bool next() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db_));
        return false;
    }
    int columns() const { return sqlite3_column_count(statement_); }
    std::string text(int column) const {
        const unsigned char* value = sqlite3_column_text(statement_, column);
        return value ? reinterpret_cast<const char*>(value) : "";
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace

DemoBankFile::DemoBankFile(const DemoOptions& options) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvelnost-demobank-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    bank_ = std::make_unique<sqlite::BankFile>((folder_ / "banka.db").string(), true);
    sqlite::createBankSchema(bank_->handle());
    fillDemoBank(bank_->handle(), options);
}

DemoBankFile::~DemoBankFile() {
    bank_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> DemoBankFile::column(const std::string& bankSql) const {
    Query query(handle(), bankSql);
    std::vector<std::string> values;
    while (query.next())
        values.push_back(query.text(0));
    return values;
}

std::string DemoBankFile::value(const std::string& bankSql) const {
    const auto values = column(bankSql);
    return values.empty() ? "" : values.front();
}

long DemoBankFile::rows(const std::string& bankSql) const {
    return static_cast<long>(column(bankSql).size());
}

unsigned long long DemoBankFile::checksum(const std::string& table) const {
    Query query(handle(), "SELECT * FROM " + table + " ORDER BY rowid");
    unsigned long long hash = 1469598103934665603ULL; // FNV-1a
    while (query.next()) {
        for (int c = 0; c < query.columns(); ++c) {
            for (const char ch : query.text(c) + '\x1f') {
                hash ^= static_cast<unsigned char>(ch);
                hash *= 1099511628211ULL;
            }
        }
    }
    return hash;
}

} // namespace orv::demo::test
