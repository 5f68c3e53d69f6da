#include "cli/CommandLine.h"

#include "base/AliasStore.h"

#include <iostream>

namespace orv {

void logOnThroughAlias(TDM& dm, Vmesnik& window, const std::string& alias, const std::string& user,
                       const std::string& password) {
    const std::string server = StreznikAliasa(AliasStore::standard(), alias);
    dm.OracleSession1.logonDatabase = server;
    dm.OracleSession1.logonUsername = user;
    dm.OracleSession1.logonPassword = password;
    dm.OracleLogon1.Execute(window);
    if (!dm.OracleSession1.connected())
        throw std::runtime_error("Prijava v " + server + " ni uspela!");
}

int runCommand(const char* name, const char* usage, int (*run)(int, char**), int argc,
               char** argv) {
    try {
        return run(argc, argv);
    } catch (const UsageError& error) {
        std::cerr << name << ": " << error.what() << "\n" << usage;
        return 2;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << error.what() << "\n";
        return 1;
    }
}

namespace {

void printHeader(TOracleDataSet& dataset, std::ostream& out) {
    std::string line;
    for (int i = 0; i < dataset.FieldCount(); ++i)
        line += (i ? "\t" : "") + dataset.fieldInfos()[static_cast<size_t>(i)].name;
    out << line << "\n";
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
    std::string line;
    dataset.ForEachRow([&] { printHeader(dataset, out); },
                       [&] { printCurrentRow(dataset, out, line); });
}

} // namespace orv
