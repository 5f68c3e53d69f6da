// orvelnost-uvoz ALIAS USER PASSWORD --dan D [--vknt X] [--prezri-stolpce]
//                (--potrdi | --preizkus) DATOTEKA
//
// The import of corrected rows, headless: the rows of the reporting date D in POD_ORVEL are
// replaced by the rows of the spreadsheet DATOTEKA. --potrdi stands for the operator's approval
// of the deletion; --preizkus does everything but the commit. Messages, and the rows deleted and
// inserted per class, go to standard error; the closing message is the last line of standard
// output.

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "base/PasswordInput.h"
#include "base/ProgramFolder.h"
#include "base/TerminalVmesnik.h"
#include "cli/CommandLine.h"
#include "cli/CommandOptions.h"
#include "db/TDM.h"
#include "sheet/UvozIzExcela.h"

#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kUsage =
    std::string(
        "Usage: orvelnost-uvoz ALIAS USER PASSWORD --dan D [--vknt X] [--prezri-stolpce]\n"
        "                      (--potrdi | --preizkus) DATOTEKA\n"
        "Replaces the rows of the reporting date D in POD_ORVEL with the rows of DATOTEKA\n"
        "(.xls, .xlsx, .ods or .csv; row 1 names the columns, data from row 2 on).\n"
        "  --dan D           the reporting date (d.m.yyyy); every data row's DAT_STANJE must\n"
        "                    hold it\n"
        "  --vknt X          replace only the rows of the account class X (1 to 9, A to F but\n"
        "                    not D); every row of the file must be of class X\n"
        "  --prezri-stolpce  skip header names that name no column of POD_ORVEL (without it\n"
        "                    such a header refuses the import)\n"
        "  --potrdi          approve the deletion and the import (without it, or --preizkus,\n"
        "                    nothing changes)\n"
        "  --preizkus        a dry run: read and check everything, tell the rows that would be\n"
        "                    deleted and inserted, change nothing\n"
        "Without a class, rows of class D in the file must equal the stored ones: they are left\n"
        "as they are (the import never replaces class D).\n") +
    orv::kPasswordUsage +
    "Exit codes: 0 imported (or, with --preizkus, the import would succeed), 1 failure\n"
    "(nothing changed), 2 wrong call.\n";

struct Arguments {
    std::vector<std::string> positional; // ALIAS USER PASSWORD DATOTEKA
    orv::RunOptions options;
    orv::DateValue dan = 0;
    bool dateGiven = false;
    bool approved = false;
    orv::sheet::MoznostiUvoza moznosti;
};

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    arguments.positional = orv::readArguments(
        argc, argv, [&](const std::string& option, const orv::OptionValue& value) {
            if (option == "--dan") {
                arguments.dan = orv::dateOption(value());
                // The date edit shows every date as dd.mm.yyyy, whatever form was typed.
                arguments.options.eDanText = orv::formatDate(arguments.dan);
                arguments.dateGiven = true;
            } else if (option == "--vknt") {
                arguments.options.eVKNT = orv::classOption(value());
            } else if (option == "--potrdi") {
                arguments.approved = true;
            } else if (option == "--preizkus") {
                arguments.moznosti.preizkus = true;
            } else if (option == "--prezri-stolpce") {
                arguments.moznosti.prezriNeznaneStolpce = true;
            } else {
                throw orv::UsageError("unknown option " + option);
            }
        });
    if (arguments.positional.size() != 4)
        throw orv::UsageError("ALIAS, USER, PASSWORD and DATOTEKA are needed");
    if (!arguments.dateGiven) throw orv::UsageError("--dan is missing");
    if (arguments.approved && arguments.moznosti.preizkus)
        throw orv::UsageError("--potrdi and --preizkus exclude each other");
    // Nobody can be asked on a terminal run: the columns the file leaves out are named instead.
    arguments.moznosti.vprasajZaManjkajoce = false;
    if (!arguments.approved && !arguments.moznosti.preizkus)
        throw orv::UsageError("--potrdi is missing: the rows of the date are replaced only with "
                              "approval; nothing was changed");
    return arguments;
}

// The terminal port, holding back the latest message: after a completed import it is the
// closing message and goes to standard output, after anything else to standard error.
class UvozVmesnik : public orv::TerminalVmesnik {
public:
    void showMessage(const std::string& text) override {
        flush();
        held_ = text;
        holding_ = true;
    }
    /// Nobody answers: the question is shown, with what would answer it, and it is Cancel.
    bool askQuestion(const std::string& text) override {
        flush();
        orv::TerminalVmesnik::showMessage(text);
        std::cerr << "Ukaz ne more vprašati: odgovor je Prekliči (neznana imena stolpcev "
                     "preskoči --prezri-stolpce).\n";
        return false;
    }
    /// Forgets the held message (it was told otherwise).
    void drop() { holding_ = false; }
    /// The held message to standard error.
    void flush() {
        if (holding_) orv::TerminalVmesnik::showMessage(held_);
        holding_ = false;
    }
    /// The held message as one line of standard output.
    void closeWith() {
        if (!holding_) return;
        std::string line = held_;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        std::cout << line << std::endl;
        holding_ = false;
    }

private:
    // A plain text and a flag: GCC 12 sees an optional text here as maybe uninitialized.
    std::string held_;
    bool holding_ = false;
};

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    const Arguments arguments = parseArguments(argc, argv);
    UvozVmesnik window;
    window.options = arguments.options;
    orv::TDM dm(window, orv::programFolder());
    const auto& p = arguments.positional;
    try {
        orv::logOnThroughAlias(dm, window, p[0], p[1], orv::passwordFromArgument(p[2]));
        orv::sheet::UvozIzExcela uvoz(dm, window, arguments.moznosti);
        const auto izid = uvoz.ImportIzExcela(p[3], window.options.eVKNT, arguments.dan);
        if (izid != orv::sheet::IzidUvoza::Uvozeno) {
            window.flush();
            return 1;
        }
        // The counts per class to standard error, the closing message alone to the output.
        window.drop();
        if (!uvoz.manjkajociStolpci().empty())
            std::cerr << "Stolpci tabele POD_ORVEL, ki jih v datoteki ni, so v uvoženih vrsticah "
                         "prazni: "
                      << orv::sheet::seznamImen(uvoz.manjkajociStolpci()) << "\n";
        std::cerr << orv::lineBreaksForTerminal(uvoz.porociloStevil()) << "\n";
        window.showMessage(uvoz.zakljucnoSporocilo());
    } catch (...) {
        window.flush();
        throw;
    }
    window.closeWith();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-uvoz", kUsage.c_str(), run, argc, argv);
}
