#pragma once
// Rounding and truncation of the bank database's decimal numbers on doubles.
//
// A double stands for the decimal number it prints as with 15 significant digits: 2.675 (stored
// as 2.67499999999999982236431605997495353221893310546875) stands for 2.675, and 4.35 * 100
// (434.99999999999994315658113919198513031005859375) for 435, as both are on the bank's decimal
// numbers. Rounding and truncation are decided on that decimal number.

namespace orv::sqlite {

/// Rounds to `places` decimals (negative: to tens, hundreds, ...), halves away from zero, so that
/// 2.675 rounds to 2.68 as it does on a decimal number. A value with no more than `places`
/// decimals among its 15 significant digits comes back as it is.
double roundHalfAwayFromZero(double value, int places);

/// Drops the decimals after `places` (negative: the tens, hundreds, ...), toward zero, so that
/// TRUNC(4.35 * 100) is 435 as on a decimal number.
double truncateTowardZero(double value, int places);

} // namespace orv::sqlite
