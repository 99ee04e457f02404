#pragma once

#include <cstdint>

// The leading decimal digits of an extended value, worked out in integer arithmetic. The C
// library's printf gives the same digits, but costs a microsecond a number; a run writes tens
// of thousands of numbers, each read back by the next step.
namespace tavi::exact
{

// |v| as 18 significant digits, correctly rounded with ties to even (what "%.17Le" prints):
// `digits` from 10^17 to 10^18 - 1, worth digits × 10^(exponent - 17). False, and nothing
// written, for 0, values not finite, and magnitudes beyond the range worked here (from 2^63
// on, and below about 10^-300), which the caller hands to the C library.
bool eighteenDigits(long double v, std::uint64_t *digits, int *exponent);

// 10^n for n from 0 to 19, exactly.
std::uint64_t powerOfTen(int n);

// digits × 10^-places, correctly rounded, as strtold reads the decimal text; `digits` below
// 2^63 and `places` from 0 to 27, where both factors are exact and one division rounds.
long double fromDecimal(std::uint64_t digits, int places);

} // namespace tavi::exact
