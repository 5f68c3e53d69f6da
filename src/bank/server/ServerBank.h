#pragma once
// The bank substitute on a PostgreSQL server: the same tables, routines, users and demo data as
// the embedded bank, in an empty database of the server.
//
// Tables are created from the same table list as the embedded bank's (texts as varchar of their
// width, numbers as numeric, dates as the server's date), each with the key column that stands
// for ROWID; the write-down table lives in the schema skup. The bank's three routines are server
// functions under the names the dialect gives them (skup_p_ecb_pd_f_orig_zapad,
// qev_utils_getsfkpn, qev_gettcn2). The user is a server role with the rights the program needs.

#include <string>

namespace orv::odbc {
class OdbcConnection;
}

namespace orv::serverbank {

/// Creates the schema, the routines and the role `user` with `password` (its password is set
/// anew when the role exists) on the database `admin` is connected to, and copies every row of
/// the embedded bank at `sourceBank` into it (no rows when `sourceBank` is empty). The database
/// must hold no table yet. All in the admin's transaction; throws DatabaseError, and then
/// nothing is committed.
void createServerBank(odbc::OdbcConnection& admin, const std::string& sourceBank,
                      const std::string& user, const std::string& password);

} // namespace orv::serverbank
