#pragma once
// The run context: everything one transfer works with, made once when the transfer starts. The
// reporting date is read from the date edit and parsed here, once; while the context lives its
// period is registered for the window, so the lookups and DatumIzTeksta take the parsed date
// instead of reading the date edit again on every call.

#include "base/ReportingPeriod.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "derive/IzvornaVrstica.h"
#include "derive/OdgovoriKorakov.h"
#include "derive/PredpomnilnikPrenosa.h"
#include "derive/SeznamObdelanih.h"
#include "lookup/KontekstVrstice.h"
#include "output/IzhodniZapis.h"

#include <stdexcept>
#include <string>

namespace orv {

/// A transfer was asked for with options it cannot run with (a date that is no date, an unknown
/// account class, a contract filter that is no number). Raised before anything is read or
/// changed; the headless command ends with exit code 2.
class NapacenVnos : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The window's options as they were when the transfer started.
struct MoznostiPrenosa {
    bool brisanje = true;  ///< "Predhodno brisanje"
    bool intNew = true;    ///< "INT_NEW"
    bool fifo = true;      ///< "FIFO brisanje"
    bool debugSql = false; ///< the debug-SQL switch
    /// Add to the stored rows of the date without asking, when "Predhodno brisanje" is off.
    bool dodaj = false;
    /// The class restriction: the class edit's text, upper-cased and trimmed; empty for all.
    std::string razred;
    /// The test contract, trimmed; empty for none.
    std::string idpog;
};

class KontekstPrenosa {
public:
    /// Reads the window's date edit and options. Throws NapacenVnos when they cannot make a run.
    KontekstPrenosa(TDM& dm, Vmesnik& okno);
    KontekstPrenosa(const KontekstPrenosa&) = delete;
    KontekstPrenosa& operator=(const KontekstPrenosa&) = delete;

    TDM& dm;
    Vmesnik& okno;
    const ReportingPeriod obdobje;
    const MoznostiPrenosa moznosti;

    /// The current source row (the current record of Q1).
    IzvornaVrstica izvor;
    /// The derivation's working values of the current row.
    KontekstVrstice vrstica;
    /// The output record, kept from row to row.
    IzhodniZapis zapis;
    /// The contract, account and currency triples seen in this transfer.
    SeznamObdelanih obdelani;
    /// Answers of lookups that cannot change within this transfer.
    PredpomnilnikPrenosa predpomnilnik;
    /// The derivation's answers that cannot change within this transfer.
    OdgovoriKorakov odgovoriKorakov;

    /// date(x) of the program: DatumIzTeksta of a text against this run's date edit.
    DateValue datum(const std::string& besedilo) const;

private:
    ActivePeriod registracija_;
};

/// The reporting period of the window's date edit; NapacenVnos when it holds no date.
ReportingPeriod preberiObdobje(const Vmesnik& okno);

/// The options of the window; NapacenVnos for an unknown class or a contract that is no number.
MoznostiPrenosa preberiMoznosti(const Vmesnik& okno);

} // namespace orv
