// The program-wide 24-bit generator. Deals depend on it bit for bit, so it never
// goes through the standard library's engines or distributions.
#pragma once

#include <cstdint>

namespace tess
{

// The part of a game number a deal depends on: the shuffle reseeds from these 16 bits alone, so every
// game has at most 65,536 deals and two numbers with one key deal the same cards.
std::uint16_t DealKey(double gameNo);

class RandomGen
{
  public:
    static constexpr std::uint32_t kInitialSeed = 0x50000;

    float NextRandom();
    // Reseeds from the bit pattern of a negative single, then steps once.
    float NextRandom(float x);
    // Bits 8 to 23 of the seed become DealKey(v); the lowest 8 survive.
    void SeedFromNumber(double v);
    // Reseed from the clock (anything but the deal uses this).
    void SeedFromClock();

    std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t s) { seed_ = s & 0xFFFFFF; }

  private:
    std::uint32_t seed_ = kInitialSeed;
};

} // namespace tess
