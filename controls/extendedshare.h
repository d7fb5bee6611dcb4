#pragma once

#include <cstdint>

// extent × (percent × 0.01), truncated toward zero, as the x87 extended
// format computes it: 0.01 is the extended value nearest a hundredth (a shade
// below it) and each product is rounded to a 64-bit mantissa, to nearest with
// ties to even. Done in whole numbers, so every CPU gives the same result; it
// is one below the exact share at some sizes (20 % of 5 is 0).
int ExtendedShare(int extent, int percent);

// numerator / denominator × factor, rounded to the nearest whole number with
// ties to even, as the x87 computes it in its extended format: the quotient
// and the product each rounded to a 64-bit mantissa. The same on every CPU,
// where long double is narrower or wider. Magnitudes below 2^62, the result
// below 2^62; 0 for a denominator of 0.
std::int64_t ExtendedRatio(std::int64_t numerator, std::int64_t denominator, std::int64_t factor);
