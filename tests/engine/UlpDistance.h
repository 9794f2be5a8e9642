#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace testing_support
{
// How many representable values lie between a and b: 0 for equal values (and for +0 and -0, and
// for two NaNs), the largest count when only one of them is NaN.
template <typename Real, typename Bits> std::uint64_t ulpDistanceOf (Real a, Real b)
{
    if (std::isnan (a) || std::isnan (b))
        return std::isnan (a) && std::isnan (b) ? 0 : std::numeric_limits<std::uint64_t>::max();

    // Maps the bit patterns onto a line on which neighbouring values are neighbouring integers.
    const auto onLine = [] (Real v)
    {
        Bits bits;
        std::memcpy (&bits, &v, sizeof v);
        constexpr Bits signBit = Bits (1) << (sizeof (Bits) * 8 - 1);
        const auto magnitude = (std::int64_t) (bits & ~signBit);
        return (bits & signBit) != 0 ? -magnitude : magnitude;
    };
    const auto difference = onLine (a) - onLine (b);
    return (std::uint64_t) (difference < 0 ? -difference : difference);
}

inline std::uint64_t ulpDistance (float a, float b) { return ulpDistanceOf<float, std::uint32_t> (a, b); }
inline std::uint64_t ulpDistance (double a, double b) { return ulpDistanceOf<double, std::uint64_t> (a, b); }

// The most that a vectorised elementary function may differ from the standard library's.
inline constexpr std::uint64_t maxUlpsFromStandardLibrary = 2;
} // namespace testing_support
