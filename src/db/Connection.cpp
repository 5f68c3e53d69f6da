#include "db/Connection.h"

#include "db/DatabaseError.h"

namespace orv {

// Defined here, beside the interface that every backend links, so that the interface's type
// information lives in one library whichever backends a program takes.
std::vector<std::string> Connection::checkIntegrity() {
    throw DatabaseError("ORA-00900: invalid SQL statement (this database cannot check itself)");
}

} // namespace orv
