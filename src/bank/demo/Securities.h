#pragma once
// Securities (SFVP) with their coupon periods (KPN) and prices (TCN).

#include "bank/demo/DemoContext.h"

namespace orv::demo::papir {

// Securities the output treats by their number.
constexpr long k2796 = 2796, k4250 = 4250, k5779 = 5779, k6122 = 6122, k6123 = 6123, k6307 = 6307,
               k6310 = 6310, k6485 = 6485;

} // namespace orv::demo::papir

namespace orv::demo {

/// Writes the special securities and a pool that grows with the bank's size (one in four
/// contracts), every kind present; registers them in `vrednostnice`.
void writeSecurities(DemoContext& ctx);

/// The registered security with that number.
const Vrednostnica& vrednostnica(const DemoContext& ctx, long sfvp);

} // namespace orv::demo
