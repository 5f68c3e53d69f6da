#pragma once
// The three routines of the bank's database that statements call, registered as SQL functions.
//
// The dialect rewrites dotted routine names by joining their parts with '_', so the statements'
// skup.p_ecb_pd.f_orig_zapad(...), qev_utils.GetSfKpn(...) and qev_gettcn2(...) call the
// functions skup_p_ecb_pd_f_orig_zapad, qev_utils_GetSfKpn and qev_gettcn2 registered here.

#include <sqlite3.h>

namespace orv::sqlite {

/// Registers the routines on a connection to a bank. Each keeps its query prepared on the
/// connection from its first call on.
void registerBankRoutines(sqlite3* db);

/// Removes the routines and finalizes their prepared queries. Call it before sqlite3_close:
/// SQLite refuses to close a connection that still has prepared statements, and it would only
/// destroy the routines (and so their queries) after closing.
void releaseBankRoutines(sqlite3* db);

} // namespace orv::sqlite
