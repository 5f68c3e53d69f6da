// orvelnost-prenos ALIAS USER PASSWORD [REFERENT] --dan D [--vknt X] [--idpog N]
//                  [--brez-brisanja] [--brez-int-new] [--debug-sql] [--izvor]
//
// The transfer of the main window, headless. Messages go to standard error, the closing message
// "Prepis končan: N  / M" is the last line of standard output. With --izvor it prints the source
// rows of the date (the statement the transfer reads) the way orvelnost-sql prints a query.

#include "base/Datum.h"
#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "cli/CommandLine.h"
#include "cli/NapredekPrenosa.h"
#include "db/TDM.h"
#include "derive/KontekstPrenosa.h"
#include "transfer/BeriPodatke.h"
#include "transfer/Prepis.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: orvelnost-prenos ALIAS USER PASSWORD [REFERENT] --dan D [--vknt X] [--idpog N]\n"
    "                        [--brez-brisanja] [--brez-int-new] [--debug-sql] [--izvor]\n"
    "Runs the transfer of the reporting date D on the database of ALIAS.\n"
    "  --dan D           the reporting date (d.m.yyyy), as typed into the date field\n"
    "  --vknt X          restrict the run to the account class X\n"
    "  --idpog N         restrict the source rows to the contract N\n"
    "  --brez-brisanja   keep the stored rows of the date (no \"Predhodno brisanje\")\n"
    "  --brez-int-new    leave the INT_NEW columns empty\n"
    "  --debug-sql       save the statements to their debug files in the program folder\n"
    "  --izvor           print the source rows of the date (header line, TAB-separated)\n"
    "                    instead of transferring them\n"
    "Exit codes: 0 done, 1 error, 2 wrong call, 3 no source rows for the date.\n";

struct Arguments {
    std::vector<std::string> positional; // ALIAS USER PASSWORD [REFERENT]
    orv::RunOptions options;
    bool dateGiven = false;
    bool izvor = false;
};

// The date edit shows every date as dd.mm.yyyy, whatever form was typed.
std::string dateEditText(const std::string& typed) {
    const auto date = orv::parseDate(typed);
    if (!date) throw orv::UsageError("--dan needs a date d.m.yyyy, not '" + typed + "'");
    return orv::formatDate(*date);
}

void parseOption(Arguments& arguments, const std::string& option, int& i, int argc, char** argv) {
    auto value = [&]() -> std::string {
        if (i + 1 >= argc) throw orv::UsageError(option + " needs a value");
        return argv[++i];
    };
    if (option == "--dan") {
        arguments.options.eDanText = dateEditText(value());
        arguments.dateGiven = true;
    } else if (option == "--vknt") {
        arguments.options.eVKNT = value();
        if (arguments.options.eVKNT.size() > 1)
            throw orv::UsageError("--vknt takes one account class character");
    } else if (option == "--idpog") {
        arguments.options.eIdpog = value();
    } else if (option == "--brez-brisanja") {
        arguments.options.cbBrisanje = false;
    } else if (option == "--brez-int-new") {
        arguments.options.cbINT_NEW = false;
    } else if (option == "--debug-sql") {
        arguments.options.DebugSQL = true;
    } else if (option == "--izvor") {
        arguments.izvor = true;
    } else {
        throw orv::UsageError("unknown option " + option);
    }
}

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) == 0)
            parseOption(arguments, argument, i, argc, argv);
        else
            arguments.positional.push_back(argument);
    }
    if (arguments.positional.size() < 3 || arguments.positional.size() > 4)
        throw orv::UsageError("ALIAS, USER and PASSWORD (and at most a REFERENT) are needed");
    if (!arguments.dateGiven) throw orv::UsageError("--dan is missing");
    return arguments;
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    const Arguments arguments = parseArguments(argc, argv);
    orv::NapredekPrenosa window;
    window.options = arguments.options;
    // Options that cannot make a run are refused before logging on: nothing is read or changed.
    try {
        orv::preberiObdobje(window);
        orv::preberiMoznosti(window);
    } catch (const orv::NapacenVnos& error) {
        std::cerr << error.what() << "\n";
        return 2;
    }
    orv::setProgramParameters(arguments.positional);
    orv::TDM dm(window, orv::programFolder());
    const auto& p = arguments.positional;
    orv::logOnThroughAlias(dm, window, p[0], p[1], p[2]);
    if (arguments.izvor) {
        orv::BeriPodatke(dm, window);
        orv::printQuery(dm.Q1, std::cout);
        return 0;
    }
    const orv::IzidPrenosa izid = orv::Prepis(dm, window);
    if (izid.niPodatkov) return 3;
    std::cout << window.zakljucek() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-prenos", kUsage, run, argc, argv);
}
