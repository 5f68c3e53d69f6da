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
    int skupaj = 0;          ///< source rows
    int obdelanih = 0;       ///< source rows handled
    int zapisanih = 0;       ///< output rows appended by the writers
    std::string sporocilo;   ///< the closing message ("Prepis končan: ..." or the empty-date one)
    double sekundIzvora = 0; ///< the source statement
    double sekundZanke = 0;  ///< derivation and writing
    double sekundCiscenja = 0; ///< FIFO clean-up and the corrective statements
    long odgovorovIzSeje = 0;  ///< lookups of the loop answered from the session's kept results
};

/// The transfer for the window's date and options, on a run context of its own. Throws
/// NapacenVnos (nothing read or changed) when the options cannot make a run; any other failure
/// has shown its message and goes on to the caller.
IzidPrenosa Prepis(TDM& dm, Vmesnik& okno);

/// The transfer on a given run context (its seen list is used as it is).
IzidPrenosa Prepis(KontekstPrenosa& k);

/// Reloads the output rows of a date into Qpod_orvel and writes their count into lblStevec.
void PregledStanja(KontekstPrenosa& k, const std::string& dan);

} // namespace orv
