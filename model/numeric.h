// The two arithmetic rules every deal and stored number depends on.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tess
{

using i16 = std::int16_t;
using i32 = std::int32_t;

// Arithmetic that leaves the 16-bit range is an error, never a wrap.
class OverflowError : public std::overflow_error
{
  public:
    explicit OverflowError(const std::string &what) : std::overflow_error(what) {}
};

// An index outside one of the game's tables.
class IndexError : public std::out_of_range
{
  public:
    explicit IndexError(const std::string &what) : std::out_of_range(what) {}
};

// The one checked conversion into a 16-bit value: compute wide, then narrow here.
inline i16 checked16(long long v)
{
    if (v < INT16_MIN || v > INT16_MAX)
        throw OverflowError("16-bit overflow: " + std::to_string(v));
    return static_cast<i16>(v);
}

// Nearest integer, halves to the even neighbour; independent of the FPU rounding mode.
inline long long roundHalfEven(double x)
{
    double f = std::floor(x);
    double diff = x - f;
    long long n = static_cast<long long>(f);
    if (diff > 0.5)
        return n + 1;
    if (diff < 0.5)
        return n;
    return (n % 2 == 0) ? n : n + 1;
}

} // namespace tess
