// The program-wide 24-bit generator. Deals depend on it bit for bit, so it never
// goes through the standard library's engines or distributions.
#pragma once

#include <cstdint>

namespace tess
{

class RandomGen
{
  public:
    static constexpr std::uint32_t kInitialSeed = 0x50000;

    float NextRandom();
    // Reseeds from the bit pattern of a negative single, then steps once.
    float NextRandom(float x);
    void SeedFromNumber(double v);
    // Reseed from the clock (anything but the deal uses this).
    void SeedFromClock();

    std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t s) { seed_ = s & 0xFFFFFF; }

  private:
    std::uint32_t seed_ = kInitialSeed;
};

} // namespace tess
