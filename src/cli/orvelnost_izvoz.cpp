// orvelnost-izvoz ALIAS USER PASSWORD --dan D [--vknt X] [--stolpci A,B,...]
//                 --oblika dbf|db|txt|xlsx|csv|odlozisce|pdf DATOTEKA
//
// Exports the output rows of a date as the grid of the main window exports them: a dBase,
// Paradox or fixed-length text table, an .xlsx or .csv workbook that the import reads back, or
// the grid's clipboard text written to a file; or prints them as the grid's print tool does, to
// a PDF file. Every output goes through VarnaDatoteka: whole or not at all, and never through
// or over what it must not.

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "base/PasswordInput.h"
#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "base/TerminalVmesnik.h"
#include "cli/CommandLine.h"
#include "cli/CommandOptions.h"
#include "db/TDM.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"
#include "export/VarnaDatoteka.h"
#include "gui/print/PdfListing.h"
#include "output/StolpciPodOrvel.h"
#include "print/ListingRows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

const std::string kUsage =
    std::string(
        "Usage: orvelnost-izvoz ALIAS USER PASSWORD --dan D [--vknt X] [--stolpci A,B,...]\n"
        "                       --oblika dbf|db|txt|xlsx|csv|odlozisce|pdf DATOTEKA\n"
        "Exports the output rows (POD_ORVEL) of the reporting date D to DATOTEKA.\n"
        "  --dan D          the reporting date (d.m.yyyy)\n"
        "  --vknt X         only the rows of the account class X\n"
        "  --stolpci A,B    only these columns, in this order (default: all, in table order)\n"
        "  --oblika F       dbf: dBase table; db: Paradox table; txt: fixed-length text and its\n"
        "                   schema (.sch) beside it; xlsx: Excel workbook; csv: text separated\n"
        "                   by ';' (UTF-8); both with row 1 naming the columns, as the import\n"
        "                   reads them; odlozisce: the grid's clipboard text (UTF-8) with\n"
        "                   the caption line \"POD_ORVEL D\"; pdf: the printed listing titled\n"
        "                   \"POD_ORVEL D\" (A4, the grid's font)\n") +
    orv::kPasswordUsage +
    "The file appears whole or not at all. Exit codes: 0 done, 1 error, 2 wrong call.\n";

struct Arguments {
    std::vector<std::string> positional; // ALIAS USER PASSWORD DATOTEKA
    std::string dan;
    std::string vknt;
    std::vector<std::string> stolpci;
    std::string oblika;
};

std::vector<std::string> splitColumns(const std::string& list) {
    std::vector<std::string> columns;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        const std::string name = orv::trim(list.substr(start, comma - start));
        if (name.empty()) throw orv::UsageError("--stolpci has an empty column name");
        columns.push_back(name);
        start = comma + 1;
    }
    return columns;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    arguments.positional = orv::readArguments(
        argc, argv, [&](const std::string& option, const orv::OptionValue& take) {
            const std::string value = take(); // every option of the export has a value
            if (option == "--dan") {
                arguments.dan = orv::formatDate(orv::dateOption(value));
            } else if (option == "--vknt") {
                // Named, the class is one character; leaving --vknt out exports every class.
                if (value.empty())
                    throw orv::UsageError("--vknt takes one account class character");
                arguments.vknt = orv::classOption(value);
            } else if (option == "--stolpci") {
                arguments.stolpci = splitColumns(value);
            } else if (option == "--oblika") {
                if (value != "dbf" && value != "db" && value != "txt" && value != "xlsx" &&
                    value != "csv" && value != "odlozisce" && value != "pdf")
                    throw orv::UsageError(
                        "--oblika is dbf, db, txt, xlsx, csv, odlozisce or pdf, not '" + value +
                        "'");
                arguments.oblika = value;
            } else {
                throw orv::UsageError("unknown option " + option);
            }
        });
    if (arguments.positional.size() != 4)
        throw orv::UsageError("ALIAS, USER, PASSWORD and DATOTEKA are needed");
    if (arguments.dan.empty()) throw orv::UsageError("--dan is missing");
    if (arguments.oblika.empty()) throw orv::UsageError("--oblika is missing");
    return arguments;
}

// Positions of the columns to export: the ones named, in their order, or all.
std::vector<int> columnsToExport(orv::TOracleDataSet& dataset,
                                 const std::vector<std::string>& names) {
    std::vector<int> positions;
    if (names.empty()) {
        for (int i = 0; i < dataset.FieldCount(); ++i)
            positions.push_back(i);
        return positions;
    }
    for (const std::string& name : names) {
        int found = -1;
        for (int i = 0; i < dataset.FieldCount() && found < 0; ++i)
            if (orv::toUpper(dataset.fieldInfos()[static_cast<size_t>(i)].name) ==
                orv::toUpper(name))
                found = i;
        if (found < 0) throw std::runtime_error("Tabela POD_ORVEL nima stolpca " + name + ".");
        positions.push_back(found);
    }
    return positions;
}

// A PDF file ends with its end-of-file marker, followed at most by a line break: a file cut short
// by a full disk lacks it.
bool pdfIsComplete(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < 5) return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 32);
    std::string end(static_cast<size_t>(tail), '\0');
    file.seekg(size - tail);
    file.read(end.data(), tail);
    while (!end.empty() && (end.back() == '\n' || end.back() == '\r'))
        end.pop_back();
    return file && end.size() >= 5 && end.compare(end.size() - 5, 5, "%%EOF") == 0;
}

// The rows of the date with every column of POD_ORVEL in table order, from the one list of the
// columns: the order the import reads back, on any backend, whatever the table's physical order.
std::string vrsticeDneva(const std::string& where) {
    return "SELECT " + orv::seznamStolpcevPodOrvel() + " FROM POD_ORVEL " + where;
}

// The printed listing of the rows, streamed from the statement into the PDF one page at a time:
// the rows are never all in memory.
int printListing(orv::TDM& dm, orv::TerminalVmesnik& window, const std::string& where,
                 const Arguments& arguments) {
    const std::string& target = arguments.positional[3];
    dm.Q1.setSQL(vrsticeDneva(where));
    orv::print::StreamedRows rows(dm.Q1, arguments.stolpci, &dm.Q2,
                                  "SELECT COUNT(*) FROM POD_ORVEL " + where);
    // The listing is drawn into the export's own working file; its bytes then go into the
    // output (a temporary file renamed when complete, or a device), checked, synced and
    // compared in size.
    orv::VarnaDatoteka file(target, ".pdf");
    int printed = 0;
    const auto progress = [&window, &printed](int row, int total) {
        printed = row;
        if (row % 1000 == 0 || row == total)
            window.setLblStevec(std::to_string(row) + " / " + std::to_string(total));
        return true;
    };
    // The grid's font: the cell font the grids of the program use.
    orv::print::ListingFont font;
    font.name = "Arial CE";
    font.size = 8;
    font.bold = true;
    // The listing is drawn into the export's working file by its path; a failed write is told
    // in the words of the other exports, a cancelled or cut listing leaves nothing.
    orv::gui::PdfListingResult listing;
    try {
        listing =
            orv::gui::printListingToPdf(file.delovnaPot(), orv::print::listingJobTitle(),
                                        "POD_ORVEL " + arguments.dan, font, rows, {}, progress);
    } catch (const std::system_error& error) {
        throw orv::IzvozError(file.sporociloNapake(error.code().value()));
    }
    if (!listing.complete)
        throw std::runtime_error("Izpis v \"" + target +
                                 "\" je bil prekinjen; nič ni bilo zapisano.");
    if (!pdfIsComplete(file.delovnaPot())) file.delovnaNepopolna();
    file.potrdi();
    window.setLblStevec("");
    std::cerr << "Strani v širino: " << listing.pagesAcross << " (vseh strani: " << listing.pages
              << ")\n";
    std::cout << printed << " vrstic zapisanih v " << target << "\n";
    return 0;
}

// The workbooks, streamed from the statement into the file: the rows are never all in memory.
int exportWorkbook(orv::TDM& dm, orv::TerminalVmesnik& window, const std::string& where,
                   const Arguments& arguments) {
    const std::string& target = arguments.positional[3];
    dm.Q1.setSQL(vrsticeDneva(where));
    const auto progress = [&window](int row) {
        if (row % 1000 == 0) window.setLblStevec(std::to_string(row));
    };
    const int rows = orv::IzvoziPretok(dm.Q1, arguments.stolpci,
                                       arguments.oblika == "xlsx" ? orv::OblikaIzvoza::Xlsx
                                                                  : orv::OblikaIzvoza::Csv,
                                       target, progress);
    window.setLblStevec("");
    std::cout << rows << " vrstic zapisanih v " << target << "\n";
    return 0;
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    const Arguments arguments = parseArguments(argc, argv);
    const auto& p = arguments.positional;
    orv::TerminalVmesnik window;
    window.options.eDanText = arguments.dan;
    window.options.eVKNT = arguments.vknt;
    orv::setProgramParameters({p[0], p[1], p[2]});
    orv::TDM dm(window, orv::programFolder());
    orv::logOnThroughAlias(dm, window, p[0], p[1], orv::passwordFromArgument(p[2]));

    // The statement of the main window's preview, with the class when one is given.
    std::string where = "WHERE DAT_STANJE='" + arguments.dan + "' ";
    // The class is one character typed by the caller: a quote in it is doubled, so that it
    // stays a text and cannot end the statement's literal.
    if (!arguments.vknt.empty())
        where += "AND VKNT='" + (arguments.vknt == "'" ? std::string("''") : arguments.vknt) + "' ";
    if (arguments.oblika == "pdf") return printListing(dm, window, where, arguments);
    if (arguments.oblika == "xlsx" || arguments.oblika == "csv")
        return exportWorkbook(dm, window, where, arguments);
    dm.OdpriPoizvedbo(dm.Q1, vrsticeDneva(where));
    const std::vector<int> columns = columnsToExport(dm.Q1, arguments.stolpci);
    const std::string& target = p[3];
    const auto progress = [&window, &dm](int row) {
        if (row % 1000 == 0 || row == dm.Q1.RecordCount())
            window.setLblStevec(std::to_string(row) + " / " + std::to_string(dm.Q1.RecordCount()));
    };

    if (arguments.oblika == "odlozisce") {
        orv::zapisiBesedilo(
            target, orv::BesediloOdlozisca(dm.Q1, columns, "POD_ORVEL " + arguments.dan, progress));
    } else {
        const orv::OblikaIzvoza format = arguments.oblika == "dbf" ? orv::OblikaIzvoza::DBase
                                         : arguments.oblika == "db"
                                             ? orv::OblikaIzvoza::Paradox
                                             : orv::OblikaIzvoza::FiksniTekst;
        for (const std::string& notice :
             orv::IzvoziTabelo(dm.Q1, columns, format, target, progress))
            std::cerr << notice << "\n";
    }
    window.setLblStevec("");
    std::cout << dm.Q1.RecordCount() << " vrstic zapisanih v " << target << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-izvoz", kUsage.c_str(), run, argc, argv);
}
