#include "model/random.h"

#include <bit>
#include <chrono>

namespace tess
{

float RandomGen::NextRandom()
{
    seed_ =
        static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu);
    return static_cast<float>(seed_) / 16777216.0f;
}

float RandomGen::NextRandom(float x)
{
    if (x < 0) {
        std::uint32_t b = std::bit_cast<std::uint32_t>(x);
        seed_ = (b + (b >> 24)) & 0xFFFFFFu;
    }
    return NextRandom();
}

std::uint16_t DealKey(double gameNo)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(gameNo);
    auto h = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32));
    return static_cast<std::uint16_t>(((h & 0xFFFF) ^ (h >> 16)) & 0xFFFF);
}

void RandomGen::SeedFromNumber(double v)
{
    seed_ = (seed_ & 0xFFu) | (static_cast<std::uint32_t>(DealKey(v)) << 8);
}

void RandomGen::SeedFromClock()
{
    // Seconds past midnight as a single, as a timer would give it.
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 86400000;
    SeedFromNumber(static_cast<double>(static_cast<float>(ms) / 1000.0f));
}

} // namespace tess
