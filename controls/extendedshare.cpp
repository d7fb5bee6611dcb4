#include "controls/extendedshare.h"

#include <cstdint>

namespace {

__extension__ typedef unsigned __int128 Wide;

// mantissa × 2^exponent.
struct Extended
{
    std::uint64_t mantissa;
    int exponent;
};

// m × 2^e kept to 64 significant bits, rounded to nearest, ties to even.
Extended Round(Wide m, int e)
{
    const auto high = static_cast<std::uint64_t>(m >> 64);
    const auto low = static_cast<std::uint64_t>(m);
    if (high == 0)
        return {low, e};
    const int dropped = 64 - __builtin_clzll(high);
    std::uint64_t kept = static_cast<std::uint64_t>(m >> dropped);
    const Wide rest = m - (Wide(kept) << dropped);
    const Wide half = Wide(1) << (dropped - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) {
        if (++kept == 0) // carried out of the top bit
            return {std::uint64_t(1) << 63, e + dropped + 1};
    }
    return {kept, e + dropped};
}

// The extended 0.01: 2^70 / 100 = 11805916207174113034.24 rounds down to a
// 64-bit mantissa, a shade below a hundredth.
constexpr std::uint64_t HundredthMantissa = std::uint64_t(((Wide(1) << 70) + 50) / 100);
constexpr int HundredthExponent = -70;
static_assert(HundredthMantissa >> 63 == 1);

} // namespace

int ExtendedShare(int extent, int percent)
{
    const std::uint64_t magnitude =
        extent < 0 ? 0 - static_cast<std::uint64_t>(extent) : static_cast<std::uint64_t>(extent);
    const std::uint64_t p =
        percent < 0 ? 0 - static_cast<std::uint64_t>(percent) : static_cast<std::uint64_t>(percent);
    const Extended share = Round(Wide(p) * HundredthMantissa, HundredthExponent);
    const Extended product = Round(Wide(magnitude) * share.mantissa, share.exponent);
    // Both factors are below 2^32, so the exponent lies between -70 and -3:
    // the shift drops exactly the fraction.
    const auto result = static_cast<std::int64_t>(Wide(product.mantissa) >> -product.exponent);
    return static_cast<int>((extent < 0) != (percent < 0) ? -result : result);
}
