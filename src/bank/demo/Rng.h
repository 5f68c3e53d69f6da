#pragma once
// The demo bank's random numbers: splitmix64, so that one seed gives the same bank on every
// compiler and standard library (the distributions of <random> differ between libraries).

#include <cmath>
#include <cstdint>
#include <vector>

namespace orv::demo {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    /// A whole number in [0, n); 0 when n is 0.
    long below(long n) {
        return n <= 0 ? 0 : static_cast<long>(next() % static_cast<std::uint64_t>(n));
    }

    /// A whole number in [low, high], both ends included.
    long between(long low, long high) { return low + below(high - low + 1); }

    /// A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    /// True with probability p.
    bool chance(double p) { return unit() < p; }

    /// An amount in [low, high] with two decimals: what a ledger holds.
    double amount(double low, double high) {
        return std::round((low + unit() * (high - low)) * 100.0) / 100.0;
    }

    /// A whole amount in [low, high]: sums of such amounts are exact in double precision, which
    /// the "closed deal" cases need (their parts must sum to exactly the deal's value).
    double wholeAmount(long low, long high) { return static_cast<double>(between(low, high)); }

    template <class T> const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<long>(items.size())))];
    }

private:
    std::uint64_t state_;
};

} // namespace orv::demo
