#include "engine/my_VectorMaths.h"

#include <sleef.h>

namespace my::vec
{
#if WKR_WIDE_LANES
const bool hasWideLanes = []
{
    __builtin_cpu_init(); // this may run before the runtime's own start-up has filled in the CPU model
    return __builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma");
}();
#else
const bool hasWideLanes = false;
#endif

#if defined(__SSE2__) || (defined(__ARM_NEON) && defined(__aarch64__))
namespace
{
#  if defined(__SSE2__)
using NativeFloats = __m128;
using NativeDoubles = __m128d;
#  else
using NativeFloats = float32x4_t;
using NativeDoubles = float64x2_t;
#  endif

template <typename To, typename From> To sameBits (From value) noexcept
{
    static_assert (sizeof (To) == sizeof (From));
    To result;
    std::memcpy (&result, &value, sizeof (To));
    return result;
}
} // namespace

Floats tanh (Floats v) noexcept { return sameBits<Floats> (Sleef_tanhf4_u10 (sameBits<NativeFloats> (v))); }
Floats sin (Floats v) noexcept { return sameBits<Floats> (Sleef_sinf4_u10 (sameBits<NativeFloats> (v))); }

Floats pow (Floats base, Floats exponent) noexcept
{
    return sameBits<Floats> (Sleef_powf4_u10 (sameBits<NativeFloats> (base), sameBits<NativeFloats> (exponent)));
}

Doubles pow (Doubles base, Doubles exponent) noexcept
{
    return sameBits<Doubles> (Sleef_powd2_u10 (sameBits<NativeDoubles> (base), sameBits<NativeDoubles> (exponent)));
}
#else
// Elsewhere SLEEF's portable scalar functions, one lane at a time.
Floats tanh (Floats v) noexcept
{
    for (int i = 0; i < lanes; ++i)
        v[i] = Sleef_tanhf_u10 (v[i]);
    return v;
}

Floats sin (Floats v) noexcept
{
    for (int i = 0; i < lanes; ++i)
        v[i] = Sleef_sinf_u10 (v[i]);
    return v;
}

Floats pow (Floats base, Floats exponent) noexcept
{
    for (int i = 0; i < lanes; ++i)
        base[i] = Sleef_powf_u10 (base[i], exponent[i]);
    return base;
}

Doubles pow (Doubles base, Doubles exponent) noexcept
{
    for (int i = 0; i < 2; ++i)
        base[i] = Sleef_pow_u10 (base[i], exponent[i]);
    return base;
}
#endif
} // namespace my::vec
