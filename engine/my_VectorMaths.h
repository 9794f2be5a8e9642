#pragma once

#include <cstring>

// Four samples side by side in one 128-bit register: SSE2 on every x86-64, NEON on arm64, so the
// plug-in needs no particular processor generation. The compiler's vector extension gives the
// arithmetic and comparisons lane by lane (a comparison yields a mask, all bits set where true);
// the elementary functions come from SLEEF, each within 1 ulp of the exact result, in the variant
// that SLEEF picks for the running processor (on x86-64 SSE2, SSE4.1 or AVX2 with FMA).
namespace my::vec
{
using Floats = float __attribute__ ((vector_size (16)));
using Doubles = double __attribute__ ((vector_size (16)));
using Mask = decltype (Floats{} < Floats{});
using DoubleMask = decltype (Doubles{} < Doubles{});

inline constexpr int lanes = 4;

inline Floats broadcast (float value) noexcept { return Floats{} + value; }

// a where the mask is set, else b.
inline Floats select (Mask mask, Floats a, Floats b) noexcept { return mask ? a : b; }
inline Doubles select (DoubleMask mask, Doubles a, Doubles b) noexcept { return mask ? a : b; }

inline Floats abs (Floats v) noexcept { return (Floats) ((Mask) v & 0x7fffffff); }
inline Doubles abs (Doubles v) noexcept { return (Doubles) ((DoubleMask) v & 0x7fffffffffffffff); }

template <typename AnyMask> inline bool allOf (AnyMask mask) noexcept
{
    for (int i = 0; i < (int) (sizeof (AnyMask) / sizeof (mask[0])); ++i)
        if (! mask[i])
            return false;
    return true;
}

// v - floor(v) for 0 <= v < 2^23, exact: truncation is the floor there.
inline Floats fractionOfSmall (Floats v) noexcept
{
    return v - __builtin_convertvector(__builtin_convertvector(v, Mask), Floats);
}

// The two halves of the lanes, widened to double precision, and back.
inline Doubles lowerHalf (Floats v) noexcept { return Doubles{ v[0], v[1] }; }
inline Doubles upperHalf (Floats v) noexcept { return Doubles{ v[2], v[3] }; }
inline Floats narrow (Doubles lower, Doubles upper) noexcept
{
    return Floats{ (float) lower[0], (float) lower[1], (float) upper[0], (float) upper[1] };
}

// count (1 to 4) samples into the first lanes; the others are 0.
inline Floats load (const float* samples, int count) noexcept
{
    Floats v{};
    std::memcpy (&v, samples, sizeof (float) * (size_t) count);
    return v;
}
inline void store (float* samples, Floats v, int count) noexcept
{
    std::memcpy (samples, &v, sizeof (float) * (size_t) count);
}

// From here on SLEEF's tanh is exactly 1 (it switches to 1 a little below), so callers may skip
// the call for lanes that lie there.
inline constexpr float tanhIsOneFrom = 9.0f;

// SLEEF's functions, lane by lane.
Floats tanh (Floats v) noexcept;
Floats sin (Floats v) noexcept;
Floats pow (Floats base, Floats exponent) noexcept;
Doubles pow (Doubles base, Doubles exponent) noexcept;

// pow with its exact shortcut: an exponent of 1 gives the base as it is, which is what pow gives
// there, without the cost of the call. The curves' default morph values land on that exponent.
inline Floats powerOrSame (Floats base, float exponent) noexcept
{
    return exponent == 1.0f ? base : pow (base, broadcast (exponent));
}
inline Doubles powerOrSame (Doubles base, Doubles exponent) noexcept
{
    const auto isOne = exponent == 1.0;
    if (allOf (isOne))
        return base;
    return select (isOne, base, pow (base, exponent));
}
} // namespace my::vec
