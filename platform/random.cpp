#include "platform/random.h"

#include <chrono>
#include <random>

namespace platform {

namespace {
std::mt19937 &engine()
{
    static std::mt19937 e{std::random_device{}()};
    return e;
}
} // namespace

void Randomize()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    RandSeed(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void RandSeed(std::uint32_t seed)
{
    engine().seed(seed);
}

int Random(int range)
{
    if (range <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine());
}

} // namespace platform
