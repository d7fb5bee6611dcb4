#include "controls/extendedshare.h"

#include <bit>
#include <cstdint>

namespace {

// A product of two 64-bit numbers, high × 2^64 + low. Kept in two halves
// rather than a 128-bit integer, which 32-bit compilers do not have.
struct Wide
{
    std::uint64_t high;
    std::uint64_t low;
};

constexpr Wide Multiply(std::uint64_t a, std::uint64_t b)
{
    constexpr std::uint64_t Mask = 0xFFFF'FFFF;
    const std::uint64_t aLow = a & Mask, aHigh = a >> 32;
    const std::uint64_t bLow = b & Mask, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    // Three numbers below 2^32 each: no carry is lost.
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & Mask) + (highLow & Mask);
    return {aHigh * bHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & Mask)};
}

// mantissa × 2^exponent.
struct Extended
{
    std::uint64_t mantissa;
    int exponent;
};

// m × 2^e kept to 64 significant bits, rounded to nearest, ties to even.
Extended Round(Wide m, int e)
{
    if (m.high == 0)
        return {m.low, e};
    // The bits dropped, between 1 and 64, all lie in the low half: what is
    // kept and what is dropped fit in 64 bits each.
    const int dropped = 64 - std::countl_zero(m.high);
    std::uint64_t kept = m.high;
    std::uint64_t rest = m.low;
    if (dropped < 64) {
        kept = (m.high << (64 - dropped)) | (m.low >> dropped);
        rest = m.low & ((std::uint64_t(1) << dropped) - 1);
    }
    const std::uint64_t half = std::uint64_t(1) << (dropped - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) {
        if (++kept == 0) // carried out of the top bit
            return {std::uint64_t(1) << 63, e + dropped + 1};
    }
    return {kept, e + dropped};
}

// The extended 0.01: 2^70 / 100 = 11805916207174113034.24 rounds down to a
// 64-bit mantissa, a shade below a hundredth.
constexpr std::uint64_t HundredthMantissa = 11805916207174113034u;
constexpr int HundredthExponent = -70;
static_assert(HundredthMantissa >> 63 == 1);
// 100 times it falls 24 short of 2^70 = 64 × 2^64: less than half of 100, so
// it is the nearest.
static_assert(Multiply(HundredthMantissa, 100).high == 63 &&
              0 - Multiply(HundredthMantissa, 100).low == 24);

} // namespace

int ExtendedShare(int extent, int percent)
{
    const std::uint64_t magnitude =
        extent < 0 ? 0 - static_cast<std::uint64_t>(extent) : static_cast<std::uint64_t>(extent);
    const std::uint64_t p =
        percent < 0 ? 0 - static_cast<std::uint64_t>(percent) : static_cast<std::uint64_t>(percent);
    const Extended share = Round(Multiply(p, HundredthMantissa), HundredthExponent);
    const Extended product = Round(Multiply(magnitude, share.mantissa), share.exponent);
    // Both factors are below 2^32, so the exponent lies between -70 and -3:
    // the shift drops exactly the fraction, and all of it from 2^-64 down.
    const int fraction = -product.exponent;
    const auto result = static_cast<std::int64_t>(fraction < 64 ? product.mantissa >> fraction : 0);
    return static_cast<int>((extent < 0) != (percent < 0) ? -result : result);
}
