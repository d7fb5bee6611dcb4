#pragma once

// extent × (percent × 0.01), truncated toward zero, as the x87 extended
// format computes it: 0.01 is the extended value nearest a hundredth (a shade
// below it) and each product is rounded to a 64-bit mantissa, to nearest with
// ties to even. Done in whole numbers, so every CPU gives the same result; it
// is one below the exact share at some sizes (20 % of 5 is 0).
int ExtendedShare(int extent, int percent);
