#pragma once
// The transfer driver: selects the source rows, removes the earlier output rows of the date,
// derives and writes one output row per source row (and the extra rows of class C accounts),
// commits, removes offsetting rows, runs the corrective statements, reloads the rows of the date
// into Qpod_orvel and reports how many rows were written.

#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "derive/KontekstPrenosa.h"

#include <chrono>
#include <string>

namespace orv {

/// The class letter of an account class: "1", "2", "F" give "E"; "3", "4", "A", "B", "C" give
/// "G"; "7", "8" give "I"; "6" gives "M"; "9" gives "O"; anything else "E".
std::string RazredVknt(const std::string& vknt);

/// What one transfer did, and how long its parts took.
struct IzidPrenosa {
    bool niPodatkov = false; ///< the date had no source rows: nothing was deleted or written
    /// The date held rows and "Predhodno brisanje" was off, and the operator did not agree to
    /// add the new rows to them: nothing was deleted or written.
    bool zavrnjeno = false;
    int obstojecih = 0;      ///< rows of the date (and class) stored before the run
    int skupaj = 0;          ///< source rows
    int obdelanih = 0;       ///< source rows handled
    int zapisanih = 0;       ///< output rows appended by the writers
    int odstranjenih = 0;    ///< rows removed by the FIFO clean-up and the corrective statements
    int shranjenih = 0;      ///< rows of the date (and class) stored when the run committed
    std::string sporocilo;   ///< the closing message ("Prepis končan: ..." or the empty-date one)
    double sekundIzvora = 0; ///< the source statement
    double sekundZanke = 0;  ///< derivation and writing
    double sekundCiscenja = 0; ///< FIFO clean-up and the corrective statements
    long odgovorovIzSeje = 0;  ///< lookups of the loop answered from the session's kept results
};

/// One line that explains the closing message's numbers: source rows, rows written, rows removed
/// by the clean-up and the corrective statements, rows stored.
std::string opisStevilPrenosa(const IzidPrenosa& izid);

/// The transfer for the window's date and options, on a run context of its own. Throws
/// NapacenVnos (nothing read or changed) when the options cannot make a run; any other failure
/// has shown its message and goes on to the caller.
IzidPrenosa Prepis(TDM& dm, Vmesnik& okno);

/// The transfer on a given run context (its seen list is used as it is). Everything it changes
/// is one unit of work: committed once at the end, or, when any step fails or the operator
/// stops it, rolled back so that the rows of the date stay exactly as they were. Another
/// session's transfer or import waits for it (up to the busy timeout).
IzidPrenosa Prepis(KontekstPrenosa& k);

/// Reloads the output rows of a date into Qpod_orvel and writes their count into lblStevec.
void PregledStanja(KontekstPrenosa& k, const std::string& dan);

} // namespace orv
