#pragma once
// The core of each of the twelve source selections of a transfer (their FROM, WHERE, GROUP BY
// and HAVING, as the transfer builds them), in the bank's dialect, giving one row per group with
// the group's account class `VKNT`, contract `IDPOG` and balance `ZNESEK`.

#include <string>

namespace orv::demo::test {

/// The date texts a transfer derives from its reporting date.
struct Porocilo {
    std::string dan;         // dd.mm.yyyy
    std::string zacetekLeta; // 01.01. of its year
    std::string zacetekLani; // 01.01. of the year before
    std::string lani;        // the year before, as digits
};

Porocilo porocilo(int day, int month, int year);

/// Branch 1 to 12; `pogodba` adds the contract filter when not empty.
std::string veja(int branch, const Porocilo& p, const std::string& pogodba = "");

} // namespace orv::demo::test
