#include "cli/CommandLine.h"

#include "base/AliasStore.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

namespace orv {

void logOnThroughAlias(TDM& dm, Vmesnik& window, const std::string& alias, const std::string& user,
                       const std::string& password) {
    const AliasStore store = AliasStore::standard();
    const std::string server = StreznikAliasa(store, alias);
    dm.OracleSession1.busyTimeoutSeconds = busyTimeoutOfAlias(store, alias);
    dm.OracleSession1.logonDatabase = server;
    dm.OracleSession1.logonUsername = user;
    dm.OracleSession1.logonPassword = password;
    dm.OracleLogon1.Execute(window);
    if (!dm.OracleSession1.connected())
        throw std::runtime_error("Prijava v " + server + " ni uspela!");
}

void ensureWritten(std::ostream& out, const char* name) {
    errno = 0;
    out.flush();
    // The standard streams write through C's stdio, which keeps the error of a failed write.
    const bool failed = !out || (&out == &std::cout && std::ferror(stdout));
    if (failed)
        throw std::runtime_error(std::string("cannot write the ") + name + ": " +
                                 (errno ? std::strerror(errno) : "write error"));
}

int runCommand(const char* name, const char* usage, int (*run)(int, char**), int argc,
               char** argv) {
    // A reader that goes away (a closed pipe) is a write error like any other, not a signal
    // that ends the command before it can roll back and say so.
    std::signal(SIGPIPE, SIG_IGN);
    int code;
    try {
        code = run(argc, argv);
        ensureWritten(std::cout, "standard output");
    } catch (const UsageError& error) {
        std::cerr << name << ": " << error.what() << "\n" << usage;
        code = 2;
    } catch (const std::bad_alloc&) {
        // Whatever was being read or built needed more memory than the system gives this
        // process; the work is undone as for any other error, and the operator told why.
        std::cout.flush();
        std::cerr << name
                  << ": ni dovolj pomnilnika: vhod je prevelik za pomnilnik, ki ga ta proces sme "
                     "uporabiti (out of memory)\n";
        code = 1;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << error.what() << "\n";
        code = 1;
    }
    std::cerr.flush();
    if (!std::cerr && code == 0) code = 1; // nothing left to say it on
    return code;
}

namespace {

std::string headerLine(TOracleDataSet& dataset) {
    std::string line;
    for (int i = 0; i < dataset.FieldCount(); ++i)
        line += (i ? "\t" : "") + dataset.fieldInfos()[static_cast<size_t>(i)].name;
    return line + "\n";
}

void printHeader(TOracleDataSet& dataset, std::ostream& out) {
    out << headerLine(dataset);
}

void printCurrentRow(TOracleDataSet& dataset, std::ostream& out, std::string& line) {
    line.clear();
    for (int i = 0; i < dataset.FieldCount(); ++i) {
        if (i) line += '\t';
        line += dataset.Fields(i).AsString();
    }
    line += '\n';
    out << line;
}

} // namespace

void printQuery(TOracleDataSet& dataset, std::ostream& out) {
    printHeader(dataset, out);
    std::string line;
    for (dataset.First(); !dataset.Eof(); dataset.Next())
        printCurrentRow(dataset, out, line);
}

void streamQuery(TOracleDataSet& dataset, std::ostream& out) {
    // The header waits for the first row, or for the end of a query without rows: a query that
    // fails before it gives a row prints only its error, wherever the backend meets the failure
    // (the embedded bank while it reads the rows, a server when it runs the statement).
    std::string line;
    std::string header;
    bool headerPrinted = false;
    const auto printHeaderOnce = [&] {
        if (headerPrinted) return;
        out << header;
        headerPrinted = true;
    };
    dataset.ForEachRow([&] { header = headerLine(dataset); },
                       [&] {
                           printHeaderOnce();
                           printCurrentRow(dataset, out, line);
                       });
    printHeaderOnce();
}

} // namespace orv
