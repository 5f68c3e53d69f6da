#include "db/sqlite/BankRoutines.h"

namespace orv::sqlite {

void registerBankRoutines(sqlite3*) {}

} // namespace orv::sqlite
