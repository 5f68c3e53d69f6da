// orvelnost-prenos ALIAS USER PASSWORD [REFERENT] --dan D [--vknt X] [--idpog N]
//                  [--brez-brisanja [--dodaj]] [--brez-int-new] [--debug-sql] [--izvor]
//
// The transfer of the main window, headless. Messages go to standard error, the closing message
// "Prepis končan: N  / M" is the last line of standard output. With --izvor it prints the source
// rows of the date (the statement the transfer reads) the way orvelnost-sql prints a query.

#include "base/Datum.h"
#include "base/PasswordInput.h"
#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "cli/CommandLine.h"
#include "cli/CommandOptions.h"
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

const std::string kUsage =
    std::string(
        "Usage: orvelnost-prenos ALIAS USER PASSWORD [REFERENT] --dan D [--vknt X] [--idpog N]\n"
        "                        [--brez-brisanja [--dodaj]] [--brez-int-new] [--debug-sql]\n"
        "                        [--izvor]\n"
        "Runs the transfer of the reporting date D on the database of ALIAS.\n"
        "  --dan D           the reporting date (d.m.yyyy), as typed into the date field\n"
        "  --vknt X          restrict the run to the account class X\n"
        "  --idpog N         restrict the source rows to the contract N\n"
        "  --brez-brisanja   keep the stored rows of the date (no \"Predhodno brisanje\");\n"
        "                    refused when the date holds rows of the classes of the run,\n"
        "                    unless --dodaj is given too\n"
        "  --dodaj           with --brez-brisanja: add the new rows to the stored ones\n"
        "  --brez-int-new    leave the INT_NEW columns empty\n"
        "  --debug-sql       save the statements to their debug files in the program folder\n"
        "  --izvor           print the source rows of the date (header line, TAB-separated)\n"
        "                    instead of transferring them\n") +
    orv::kPasswordUsage +
    "Exit codes: 0 done, 1 error, 2 wrong call or a run refused before anything changed,\n"
    "3 no source rows for the date.\n";

struct Arguments {
    std::vector<std::string> positional; // ALIAS USER PASSWORD [REFERENT]
    orv::RunOptions options;
    bool dateGiven = false;
    bool izvor = false;
};

// The dialect's dates run from 01.01.0001 to 31.12.9999, and the source statement also names the
// first day of the year before the reporting date: an earlier date would pass here and then fail
// in the middle of the statement, so it is refused up front.
constexpr int kFirstYear = 2;
constexpr int kLastYear = 9999;

// The date edit shows every date as dd.mm.yyyy, whatever form was typed.
std::string dateEditText(const std::string& typed) {
    const orv::DateValue date = orv::dateOption(typed);
    const int year = orv::decodeDate(date).year;
    if (year < kFirstYear || year > kLastYear)
        throw orv::UsageError(
            "--dan must lie from " + orv::formatDate(orv::encodeDate(kFirstYear, 1, 1)) + " to " +
            orv::formatDate(orv::encodeDate(kLastYear, 12, 31)) + ", not '" + typed + "'");
    return orv::formatDate(date);
}

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    arguments.positional = orv::readArguments(
        argc, argv, [&](const std::string& option, const orv::OptionValue& value) {
            if (option == "--dan") {
                arguments.options.eDanText = dateEditText(value());
                arguments.dateGiven = true;
            } else if (option == "--vknt") {
                arguments.options.eVKNT = orv::classOption(value());
            } else if (option == "--idpog") {
                arguments.options.eIdpog = value();
            } else if (option == "--brez-brisanja") {
                arguments.options.cbBrisanje = false;
            } else if (option == "--dodaj") {
                arguments.options.dodaj = true;
            } else if (option == "--brez-int-new") {
                arguments.options.cbINT_NEW = false;
            } else if (option == "--debug-sql") {
                arguments.options.DebugSQL = true;
            } else if (option == "--izvor") {
                arguments.izvor = true;
            } else {
                throw orv::UsageError("unknown option " + option);
            }
        });
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
    orv::logOnThroughAlias(dm, window, p[0], p[1], orv::passwordFromArgument(p[2]));
    if (arguments.izvor) {
        orv::BeriPodatke(dm, window);
        orv::printQuery(dm.Q1, std::cout);
        return 0;
    }
    const orv::IzidPrenosa izid = orv::Prepis(dm, window);
    if (izid.niPodatkov) return 3;
    if (izid.zavrnjeno) {
        std::cerr << izid.sporocilo << " Brez --dodaj se ne dodajo; nič ni spremenjeno.\n";
        return 2;
    }
    std::cerr << orv::opisStevilPrenosa(izid) << "\n";
    std::cout << window.zakljucek() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-prenos", kUsage.c_str(), run, argc, argv);
}
