#include "drills/DrillRandom.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64& generator()
{
    static std::mt19937_64 engine = [] {
        std::random_device device;
        const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seeds{device(), device(), static_cast<unsigned>(now),
                            static_cast<unsigned>(static_cast<std::uint64_t>(now) >> 32)};
        return std::mt19937_64(seeds);
    }();
    return engine;
}
} // namespace

int drawUniform(int low, int high)
{
    if (high <= low)
        return low;
    return std::uniform_int_distribution<int>(low, high)(generator());
}

void seedDrillRandom(std::uint64_t seed)
{
    generator().seed(seed);
}
