#pragma once
// The row derivation: PolniPodatke turns the current source row into the fields of the output
// record by running the derivation steps, always all of them and always in one fixed order,
// because most fields first get a default that later, more specific steps overwrite.

#include "derive/KontekstPrenosa.h"

#include <array>
#include <stdexcept>
#include <string>

namespace orv {

/// One step of the derivation.
struct KorakIzpeljave {
    int stevilka;       ///< 1 to 56, the position in the order
    const char* ime;    ///< the step's name, as errors name it
    const char* oznaka; ///< the text the step puts into lblKorak; nullptr for none
    void (*izvedi)(KontekstPrenosa&);
};

inline constexpr int SteviloKorakov = 56;

/// The steps in the order in which they run.
const std::array<KorakIzpeljave, SteviloKorakov>& korakiIzpeljave();

/// A step failed: names the step, and carries the failure's own text.
class NapakaKoraka : public std::runtime_error {
public:
    NapakaKoraka(const KorakIzpeljave& korak, const std::string& napaka);
    int stevilka() const { return stevilka_; }
    const std::string& ime() const { return ime_; }
    /// The failure's own text (the database's error text for a failed statement).
    const std::string& napaka() const { return napaka_; }

private:
    int stevilka_;
    std::string ime_;
    std::string napaka_;
};

/// Runs every step for the current source row with the class letter `razred`. The row's working
/// values start afresh; the output record keeps what earlier rows left in the fields no step
/// assigns. A failing step has shown its own message; it ends the derivation with NapakaKoraka
/// and the record stays as the steps before it left it.
void PolniPodatke(KontekstPrenosa& k, const std::string& razred);

} // namespace orv
