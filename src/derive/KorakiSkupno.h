#pragma once
// What the derivation steps share beyond the text rules: the coupon period of the row, the class
// sets, the reporting month and the date texts.

#include "base/Datum.h"
#include "derive/KontekstPrenosa.h"
#include "derive/Pravila.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace orv::koraki {

// --- The coupon period covering the reporting date (TrenutniKupon) -------------------------
// Step 1 left it open in Qkpn; every column reads as "" or 0 when no period covers the date.

inline std::string kuponTekst(KontekstPrenosa& k, std::string_view stolpec) {
    return k.dm.Qkpn.FieldByName(stolpec).AsString();
}
inline double kuponStevilo(KontekstPrenosa& k, std::string_view stolpec) {
    return k.dm.Qkpn.FieldByName(stolpec).AsFloat();
}
inline int kuponCelo(KontekstPrenosa& k, std::string_view stolpec) {
    return k.dm.Qkpn.FieldByName(stolpec).AsInteger();
}

/// The row's class letter is one of the letters.
inline bool razredJe(const KontekstPrenosa& k, std::initializer_list<std::string_view> crke) {
    return jeEden(k.vrstica.Razred, crke);
}

/// The reporting-date text: the date edit's text exactly as shown.
inline const std::string& besediloDneva(const KontekstPrenosa& k) {
    return k.obdobje.windowText;
}

/// The first and the last day of the reporting month.
inline DateValue prviDanMeseca(const KontekstPrenosa& k) {
    return encodeDate(k.obdobje.year, k.obdobje.month, 1);
}
inline DateValue zadnjiDanMeseca(const KontekstPrenosa& k) {
    return encodeDate(k.obdobje.year, k.obdobje.month, k.obdobje.daysInMonth);
}

/// A date value as the date fields hold it (the short date form; a zero date is 30.12.1899).
inline std::string datumskoBesedilo(DateValue datum) {
    return formatDate(datum);
}

/// What an empty date reads as; the new-scheme codes count it as no date.
inline constexpr std::string_view kNicelniDatum = "30.12.1899";

/// DanNKP and PrimarniNakup of the row: RacunajDanNKP and PrimarniTrg of the contract's holding
/// of the security, asked once per transfer for each pair.
void nakupImetja(KontekstPrenosa& k);

/// The trimmed text is empty or the zero date.
bool brezDatuma(std::string_view besedilo);

/// The first `n` characters of the trimmed text.
std::string prvihObrezano(std::string_view besedilo, size_t n);

} // namespace orv::koraki
