#pragma once
// The corrective statements that run over the rows of the reporting date after the FIFO
// clean-up, in their fixed order K1 to K11.

#include "derive/KontekstPrenosa.h"

#include <array>
#include <string>

namespace orv {

/// How a corrective statement runs.
enum class Izvajanje {
    Stavek,         ///< IzvediStavek: stays in the session's transaction
    StavekInPotrdi, ///< IzvediStavek, then a commit of the session
    IzvediInPotrdi, ///< IzvediInPotrdi (commits)
};

struct PopravniStavek {
    const char* oznaka; ///< "K1" to "K11"
    std::string (*besedilo)(const std::string& dan);
    Izvajanje izvajanje;
    /// The message shown before the statement text when it fails; nullptr: the text alone.
    const char* predpona;
};

/// K1 to K11 in the order they run.
const std::array<PopravniStavek, 11>& popravniStavki();

/// Runs K1 to K11 for the date `dan`. A failing statement shows its message and raises again;
/// the statements after it do not run.
void IzvediPopravke(KontekstPrenosa& k, const std::string& dan);

} // namespace orv
