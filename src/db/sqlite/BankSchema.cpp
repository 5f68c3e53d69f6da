#include "db/sqlite/BankSchema.h"

namespace orv::sqlite {

void createBankSchema(sqlite3*) {}

} // namespace orv::sqlite
