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

// a / b rounded to 64 significant bits, b > 0 and below 2^63: the quotient
// one bit at a time, then the remainder decides the rounding.
Extended Divide(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t q = a / b;
    std::uint64_t r = a % b;
    if (q == 0 && r == 0)
        return {0, 0};
    int e = 0;
    while (q >> 63 == 0) {
        const bool bit = r >= b - r; // 2r >= b, without overflow
        q = q << 1 | std::uint64_t(bit);
        r = bit ? r - (b - r) : 2 * r;
        --e;
    }
    const std::uint64_t other = b - r; // r against half of b: r > b - r
    if (r > other || (r == other && (q & 1) != 0)) {
        if (++q == 0)
            return {std::uint64_t(1) << 63, e + 1};
    }
    return {q, e};
}

// m × 2^e to the nearest whole number, ties to even. A mantissa of 64 bits
// below 2^62 has e < 0.
std::uint64_t RoundToWhole(Extended x)
{
    const int fraction = -x.exponent;
    if (fraction > 64 || x.mantissa == 0)
        return 0; // below a half
    const std::uint64_t whole = fraction < 64 ? x.mantissa >> fraction : 0;
    const std::uint64_t rest =
        fraction < 64 ? x.mantissa & ((std::uint64_t(1) << fraction) - 1) : x.mantissa;
    const std::uint64_t half = std::uint64_t(1) << (fraction - 1);
    return rest > half || (rest == half && (whole & 1) != 0) ? whole + 1 : whole;
}

std::uint64_t Magnitude(std::int64_t v)
{
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
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
    const Extended share =
        Round(Multiply(Magnitude(percent), HundredthMantissa), HundredthExponent);
    const Extended product = Round(Multiply(Magnitude(extent), share.mantissa), share.exponent);
    // Both factors are below 2^32, so the exponent lies between -70 and -3:
    // the shift drops exactly the fraction, and all of it from 2^-64 down.
    const int fraction = -product.exponent;
    const auto result = static_cast<std::int64_t>(fraction < 64 ? product.mantissa >> fraction : 0);
    return static_cast<int>((extent < 0) != (percent < 0) ? -result : result);
}

std::int64_t ExtendedRatio(std::int64_t numerator, std::int64_t denominator, std::int64_t factor)
{
    if (denominator == 0)
        return 0;
    const Extended quotient = Divide(Magnitude(numerator), Magnitude(denominator));
    const Extended product =
        Round(Multiply(quotient.mantissa, Magnitude(factor)), quotient.exponent);
    const auto result = static_cast<std::int64_t>(RoundToWhole(product));
    return ((numerator < 0) != (denominator < 0)) != (factor < 0) ? -result : result;
}
