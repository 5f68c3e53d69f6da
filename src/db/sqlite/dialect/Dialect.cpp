#include "db/sqlite/dialect/Dialect.h"

namespace orv::sqlite {

TranslatedStatement translateStatement(std::string_view bankSql, bool) {
    return TranslatedStatement{std::string(bankSql), {}};
}

void registerDialect(sqlite3*) {}

} // namespace orv::sqlite
