#include "platform/muldiv.h"

#include <cstdint>
#include <limits>

namespace platform {

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // Round the half away from zero: compare twice the remainder's size with
    // the divisor's, in 64 bits (neither can overflow there).
    const std::int64_t twiceRem = 2 * (remainder < 0 ? -remainder : remainder);
    const std::int64_t absDen = denominator < 0 ? -std::int64_t(denominator) : denominator;
    if (twiceRem >= absDen)
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return int(quotient);
}

} // namespace platform
