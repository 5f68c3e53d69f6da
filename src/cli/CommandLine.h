#pragma once
// What the headless commands share: usage errors, logging on through an alias.

#include "base/Vmesnik.h"
#include "db/TDM.h"

#include <ostream>
#include <stdexcept>
#include <string>

namespace orv {

/// A wrong call of a command: the usage goes to standard error and the exit code is 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Resolves the alias and logs the data module's session on, asking again on a terminal after a
/// failed attempt; the session waits for other sessions' locks as long as the alias's BUSY
/// TIMEOUT says. `password` is the password itself (see passwordFromArgument for the PASSWORD
/// argument of a command). Throws std::runtime_error when the alias is
/// unknown or no logon succeeded (the database's error text has then been shown through the
/// window already).
void logOnThroughAlias(TDM& dm, Vmesnik& window, const std::string& alias, const std::string& user,
                       const std::string& password);

/// Flushes `out` and throws std::runtime_error when anything written to it was not written in
/// full (a full disk, a closed pipe): output that went missing is a failure, never a success.
void ensureWritten(std::ostream& out, const char* name);

/// The outermost error handler of a command: runs `run`, and turns a usage error into the usage
/// on standard error and exit code 2, any other error into its text and exit code 1. A command
/// whose standard output or error could not be written in full fails with exit code 1 too.
int runCommand(const char* name, const char* usage, int (*run)(int, char**), int argc, char** argv);

/// Prints an open dataset as the commands print a query: a header line of column names, then one
/// line per row, values separated by one TAB, each as the dataset reads it as text.
void printQuery(TOracleDataSet& dataset, std::ostream& out);

/// Runs the dataset's query and prints it as printQuery does, one row at a time as it is read,
/// without keeping the rows: a query's output may be larger than memory.
void streamQuery(TOracleDataSet& dataset, std::ostream& out);

} // namespace orv
