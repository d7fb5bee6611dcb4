#pragma once

namespace platform {

// number x numerator / denominator with a 64-bit product, the quotient rounded
// to the nearest integer, halves away from zero. Returns -1 when denominator
// is 0 or the result does not fit in an int, as the system call it stands for.
int MulDiv(int number, int numerator, int denominator);

} // namespace platform
