// The lane helpers shared by the four-lane and the eight-lane sets. Included inside a namespace
// that defines Floats, Doubles, lanes and the SLEEF functions tanh, sin and pow for its width.
// No include guard: each width includes it once.

using Mask = decltype (Floats {} < Floats {});
using DoubleMask = decltype (Doubles {} < Doubles {});

inline Floats broadcast (float value) noexcept { return Floats {} + value; }

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
inline Doubles lowerHalf (Floats v) noexcept
{
    Doubles half;
    for (int i = 0; i < lanes / 2; ++i)
        half[i] = v[i];
    return half;
}
inline Doubles upperHalf (Floats v) noexcept
{
    Doubles half;
    for (int i = 0; i < lanes / 2; ++i)
        half[i] = v[i + lanes / 2];
    return half;
}
inline Floats narrow (Doubles lower, Doubles upper) noexcept
{
    Floats v;
    for (int i = 0; i < lanes / 2; ++i)
    {
        v[i] = (float) lower[i];
        v[i + lanes / 2] = (float) upper[i];
    }
    return v;
}

// count (1 to lanes) samples into the first lanes; the others are 0.
inline Floats load (const float* samples, int count) noexcept
{
    Floats v {};
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
