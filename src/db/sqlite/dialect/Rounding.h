#pragma once
// Rounding and truncation of the bank database's decimal numbers on doubles.

namespace orv::sqlite {

/// Rounds to `places` decimals (negative: to tens, hundreds, ...), halves away from zero,
/// judged on the decimal value the double prints as with 15 significant digits, so that
/// 2.675 rounds to 2.68 as it does on a decimal number.
double roundHalfAwayFromZero(double value, int places);

/// Drops the decimals after `places` (negative: the tens, hundreds, ...), toward zero, judged on
/// the same 15 significant digits, so that TRUNC(4.35 * 100) is 435 as on a decimal number.
double truncateTowardZero(double value, int places);

} // namespace orv::sqlite
