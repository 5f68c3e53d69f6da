#include "db/Connection.h"

#include "db/DatabaseError.h"

namespace orv {

// The interface's first virtual function defined out of line: its type information is made
// here, in the library of the interface, where every backend that implements it finds it.
std::vector<std::string> Connection::checkIntegrity() {
    throw DatabaseError("ORA-00900: invalid SQL statement (this database cannot check itself)");
}

} // namespace orv
