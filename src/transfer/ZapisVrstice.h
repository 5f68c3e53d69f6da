#pragma once
// The output row writers: each call appends one row to Qpod_orvel from the output record and
// posts it (the post commits). ZapisVrstice writes a plain row; ZapisVrsticeC the extra debit or
// credit row of a class C account with its IVD code.

#include "derive/KontekstPrenosa.h"

#include <string>

namespace orv {

/// Appends and posts one row from `k.zapis` for the current source row.
void ZapisVrstice(KontekstPrenosa& k);

/// Appends and posts one class C row with the IVD code and the debit and credit amounts.
void ZapisVrsticeC(KontekstPrenosa& k, const std::string& ivd, double breme, double dobro);

} // namespace orv
