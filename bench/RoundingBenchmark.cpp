// ROUND of amounts as the dialect computes it, against the way it was computed before: printing
// the 15 significant digits with snprintf and cutting the text. Run with ./dev bench
// --benchmark_filter=Round.

#include "db/sqlite/dialect/Rounding.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Amounts as the ledger sums them: cents times rates, sums of cents.
std::vector<double> amounts() {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> cents(-99999999, 99999999);
    std::uniform_int_distribution<long long> rate(1, 99999);
    std::vector<double> values;
    for (int i = 0; i < 4096; ++i)
        values.push_back(i % 2 == 0 ? static_cast<double>(cents(random)) / 100.0 *
                                          (static_cast<double>(rate(random)) / 1000.0)
                                    : static_cast<double>(cents(random)) / 100.0 +
                                          static_cast<double>(cents(random)) / 100.0);
    return values;
}

double printedRounding(double value, int places) {
    if (!std::isfinite(value) || value == 0.0) return value;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    const int kept = exponent + 1 + places;
    if (kept >= static_cast<int>(digits.size())) return value;
    if (kept < 0) return 0.0;
    long long whole = kept == 0 ? 0 : std::stoll(digits.substr(0, static_cast<size_t>(kept)));
    if (digits[static_cast<size_t>(kept)] >= '5') ++whole;
    const double magnitude = static_cast<double>(whole) / std::pow(10.0, places);
    return value < 0 ? -magnitude : magnitude;
}

void Round_Amounts(benchmark::State& state) {
    const std::vector<double> values = amounts();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            orv::sqlite::roundHalfAwayFromZero(values[i++ % values.size()], 2));
}
BENCHMARK(Round_Amounts);

void Round_AmountsPrinted(benchmark::State& state) {
    const std::vector<double> values = amounts();
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(printedRounding(values[i++ % values.size()], 2));
}
BENCHMARK(Round_AmountsPrinted);

} // namespace
