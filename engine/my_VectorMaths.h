#pragma once

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#  include <immintrin.h>
// Code between these two marks is built for AVX2 (without FMA, so products and sums round as
// they do elsewhere) and runs only where the processor has it: see vec::hasWideLanes.
#  define WKR_WIDE_LANES 1
#  if defined(__clang__)
#    define WKR_BEGIN_WIDE_LANES                                                                                       \
      _Pragma ("clang attribute push (__attribute__ ((target (\"avx2\"))), apply_to = function)")
#    define WKR_END_WIDE_LANES _Pragma ("clang attribute pop")
#  else
#    define WKR_BEGIN_WIDE_LANES _Pragma ("GCC push_options") _Pragma ("GCC target (\"avx2\")")
#    define WKR_END_WIDE_LANES _Pragma ("GCC pop_options")
#  endif

// SLEEF's AVX2 variants (they use FMA inside); its header shows them only to code built for AVX.
extern "C"
{
    __m256 Sleef_tanhf8_u10avx2 (__m256);
    __m256 Sleef_sinf8_u10avx2 (__m256);
    __m256 Sleef_powf8_u10avx2 (__m256, __m256);
    __m256d Sleef_powd4_u10avx2 (__m256d, __m256d);
}
#else
#  define WKR_WIDE_LANES 0
#endif

// Four samples side by side in one 128-bit register: SSE2 on every x86-64, NEON on arm64, so the
// plug-in needs no particular processor generation. The compiler's vector extension gives the
// arithmetic and comparisons lane by lane (a comparison yields a mask, all bits set where true);
// the elementary functions come from SLEEF, each within 1 ulp of the exact result, in the variant
// that SLEEF picks for the running processor (on x86-64 SSE2, SSE4.1 or AVX2 with FMA).
namespace my::vec
{
using Floats = float __attribute__ ((vector_size (16)));
using Doubles = double __attribute__ ((vector_size (16)));
inline constexpr int lanes = 4;

// SLEEF's functions, lane by lane.
Floats tanh (Floats v) noexcept;
Floats sin (Floats v) noexcept;
Floats pow (Floats base, Floats exponent) noexcept;
Doubles pow (Doubles base, Doubles exponent) noexcept;

// True where the eight-lane set below may run: an x86-64 with AVX2 and FMA, with the operating
// system's support for the wide registers. Fixed at start-up.
extern const bool hasWideLanes;

#include "engine/my_VectorLanes.inl"
} // namespace my::vec

#if WKR_WIDE_LANES
WKR_BEGIN_WIDE_LANES
// Eight samples side by side in one 256-bit AVX2 register, with SLEEF's AVX2 functions.
namespace my::vec8
{
using Floats = float __attribute__ ((vector_size (32)));
using Doubles = double __attribute__ ((vector_size (32)));
inline constexpr int lanes = 8;

template <typename Native, typename Vector> inline Native asNative (Vector v) noexcept
{
    Native native;
    std::memcpy (&native, &v, sizeof v);
    return native;
}

template <typename Vector, typename Native> inline Vector fromNative (Native native) noexcept
{
    Vector v;
    std::memcpy (&v, &native, sizeof v);
    return v;
}

inline Floats tanh (Floats v) noexcept { return fromNative<Floats> (Sleef_tanhf8_u10avx2 (asNative<__m256> (v))); }
inline Floats sin (Floats v) noexcept { return fromNative<Floats> (Sleef_sinf8_u10avx2 (asNative<__m256> (v))); }
inline Floats pow (Floats base, Floats exponent) noexcept
{
    return fromNative<Floats> (Sleef_powf8_u10avx2 (asNative<__m256> (base), asNative<__m256> (exponent)));
}
inline Doubles pow (Doubles base, Doubles exponent) noexcept
{
    return fromNative<Doubles> (Sleef_powd4_u10avx2 (asNative<__m256d> (base), asNative<__m256d> (exponent)));
}

#  include "engine/my_VectorLanes.inl"
} // namespace my::vec8
WKR_END_WIDE_LANES
#endif
