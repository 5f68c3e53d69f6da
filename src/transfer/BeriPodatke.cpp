#include "transfer/BeriPodatke.h"

#include "base/Besedilo.h"
#include "base/ProgramFolder.h"
#include "base/Referent.h"
#include "base/ReportingPeriod.h"
#include "db/DatabaseError.h"
#include "transfer/IzvorneVeje.h"

#include <exception>
#include <utility>

namespace orv {

namespace {

std::string& dbsReferent() {
    static std::string referent;
    return referent;
}

// The referent only labels the output rows: nothing about it may stop a transfer.
void beriReferenta() {
    std::string referent = ParamReferent();
    try {
        referent = BeriDBSReferenta(referent);
    } catch (const std::exception&) {
    }
    dbsReferent() = std::move(referent);
}

FieldInfo& poljeIzvora(TOracleDataSet& q1, std::string_view ime) {
    const std::string iskano = toUpper(ime);
    for (FieldInfo& polje : q1.fieldInfos())
        if (toUpper(polje.name) == iskano) return polje;
    throw DatabaseError(q1.name() + ": Field '" + std::string(ime) + "' not found");
}

// The grid shows the source rows with these widths and titles.
void nastaviPrikaz(TOracleDataSet& q1) {
    const std::pair<const char*, int> sirine[] = {
        {"SFVPKRT", 15},  {"KONTO", 9},   {"ZPDVP", 9},  {"DATUMV", 9},
        {"CLIENT_NO", 9}, {"FINNZV", 15}, {"KRTBNK", 7}, {"ZNESEK1", 16},
    };
    for (const auto& [ime, sirina] : sirine)
        poljeIzvora(q1, ime).displayWidth = sirina;
    poljeIzvora(q1, "KVALUTA").displayLabel = "VALUTA";
    poljeIzvora(q1, "ZNESEK1").displayLabel = "ZNESEK";
}

void odpriIzvor(TDM& dm, Vmesnik& window, const std::string& stavek) {
    try {
        dm.OdpriPoizvedbo(dm.Q1, stavek, izvornaDebugDatoteka());
        window.setLblStevec(std::to_string(dm.Q1.RecordCount()));
        nastaviPrikaz(dm.Q1);
    } catch (...) {
        window.showMessage(stavek);
        throw;
    }
}

} // namespace

std::string izvornaDebugDatoteka() {
    return std::string(ImePrograma) + ".SQL";
}

IzvornaIzbira izvornaIzbira(const Vmesnik& window) {
    return {datumiPorocila(reportingPeriod(window)),
            izvorniFiltri(window.eIdpog(), window.eVKNT())};
}

void BeriPodatke(TDM& dm, Vmesnik& window) {
    window.setLblSporociloVisible(true);
    window.setLblSporocilo("Poteka branje podatkov ...");
    window.setLblSporocilo2(" Osnovni select ");
    window.processMessages();

    const IzvornaIzbira izbira = izvornaIzbira(window);
    beriReferenta();
    odpriIzvor(dm, window, izvorniStavek(izbira));

    window.setLblSporocilo2(" Izračun ");
    window.processMessages();
    window.setLblSporociloVisible(false);
    window.processMessages();
}

const std::string& DBSReferent() {
    return dbsReferent();
}

} // namespace orv
