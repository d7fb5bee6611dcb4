#include "bench/splatter.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace splatter {

namespace {

// In-place radix-2 FFT; size a power of two.
void fft(std::vector<std::complex<double>> &a)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2 * std::numbers::pi / double(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (std::size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k];
                const std::complex<double> v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                wk *= w;
            }
        }
    }
}

} // namespace

double outsideDb(const std::vector<float> &stereo, int rate, double carrier, double halfWidth)
{
    const std::size_t frames = stereo.size() / 2;
    std::size_t n = 1;
    while (n < frames)
        n <<= 1;
    std::vector<std::complex<double>> a(n);
    for (std::size_t f = 0; f < frames; ++f)
        a[f] = stereo[2 * f];
    fft(a);
    double all = 0;
    double outside = 0;
    for (std::size_t k = 1; k < n / 2; ++k) {
        const double power = std::norm(a[k]);
        all += power;
        if (std::abs(double(k) * rate / double(n) - carrier) > halfWidth)
            outside += power;
    }
    if (all <= 0 || outside <= 0)
        return 0;
    return 10 * std::log10(outside / all);
}

} // namespace splatter
