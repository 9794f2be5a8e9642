#include <gtest/gtest.h>

#include "UlpDistance.h"
#include "engine/my_VectorMaths.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace
{
using testing_support::maxUlpsFromStandardLibrary;
using testing_support::ulpDistance;

constexpr float inf = std::numeric_limits<float>::infinity();

// One lane set's SLEEF functions applied to whole arrays (whose length is a multiple of 8), so the
// sweeps below read the same for both sets.
struct LaneSet
{
    std::string name;
    void (*tanh) (float*, size_t);
    void (*sin) (float*, size_t);
    void (*pow) (float*, float, size_t);
    void (*powDouble) (double*, double, size_t);
};

namespace narrow
{
using namespace my::vec;
#include "VectorMathsArrays.inl"
} // namespace narrow

#if WKR_WIDE_LANES
WKR_BEGIN_WIDE_LANES
namespace wide
{
using namespace my::vec8;
#  include "VectorMathsArrays.inl"
} // namespace wide
WKR_END_WIDE_LANES
#endif

// Both sets where this processor runs the wide one, else the four-lane set alone.
std::vector<LaneSet> laneSets()
{
    std::vector<LaneSet> sets { { "four lanes", narrow::tanhAll, narrow::sinAll, narrow::powAll,
                                  narrow::powDoubleAll } };
#if WKR_WIDE_LANES
    if (my::vec::hasWideLanes)
        sets.push_back ({ "eight lanes", wide::tanhAll, wide::sinAll, wide::powAll, wide::powDoubleAll });
#endif
    return sets;
}

float floatWithBits (std::uint32_t bits)
{
    float value;
    std::memcpy (&value, &bits, sizeof value);
    return value;
}

double doubleWithBits (std::uint64_t bits)
{
    double value;
    std::memcpy (&value, &bits, sizeof value);
    return value;
}

template <typename Real> void padToWholeVectors (std::vector<Real>& values)
{
    values.resize ((values.size() + 7) / 8 * 8, Real (1));
}

// Every stride-th bit pattern of the whole float range (both signs, subnormals, infinities and
// NaNs), plus the values where functions change their way of working.
std::vector<float> denseFloatSweep (std::uint32_t stride)
{
    std::vector<float> values;
    for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += stride)
        values.push_back (floatWithBits ((std::uint32_t) bits));
    for (float v :
         { 0.0f, -0.0f, inf, -inf, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
           std::numeric_limits<float>::max(), 1.0f, 0.5f, 9.0f, 88.7f, 1.0e-4f, 3.1415927f, 6.2831855f, 1.0e5f })
        values.insert (values.end(), { v, -v, std::nextafter (v, inf), std::nextafter (v, -inf) });
    padToWholeVectors (values);
    return values;
}

// The largest distance between the vector results and the standard library's, and where.
template <typename Real, typename Standard>
std::pair<std::uint64_t, Real> worstOf (const std::vector<Real>& inputs, const std::vector<Real>& results,
                                        Standard&& standard)
{
    std::pair<std::uint64_t, Real> worst { 0, Real (0) };
    for (size_t i = 0; i < inputs.size(); ++i)
        if (const auto ulps = ulpDistance (results[i], standard (inputs[i])); ulps > worst.first)
            worst = { ulps, inputs[i] };
    return worst;
}

// What the curves raise to a power: exponents of the spring, of the power curves and of the
// quantizer, from 1/4 up to 1024, and a few in between.
const float floatExponents[] { 0.25f, 0.3f, 0.5f,  0.7937005f, 1.0f,    1.5f,       2.0f,
                               3.0f,  4.0f, 16.0f, 256.0f,     1024.0f, 1.0f / 3.0f };
} // namespace

//==============================================================================
TEST (VectorMaths, TanhIsWithinTwoUlpOfTheStandardLibraryForEveryInput)
{
    const auto inputs = denseFloatSweep (509);
    for (const auto& set : laneSets())
    {
        auto results = inputs;
        set.tanh (results.data(), results.size());
        const auto [ulps, at] = worstOf (inputs, results, [] (float x) { return std::tanh (x); });
        EXPECT_LE (ulps, maxUlpsFromStandardLibrary) << set.name << " at " << at;

        std::vector<float> special { 0.0f, -0.0f, inf, -inf, std::nanf (""), 0.0f, 0.0f, 0.0f };
        set.tanh (special.data(), special.size());
        EXPECT_FALSE (std::signbit (special[0]));
        EXPECT_TRUE (std::signbit (special[1]) && special[1] == 0.0f);
        EXPECT_EQ (special[2], 1.0f);
        EXPECT_EQ (special[3], -1.0f);
        EXPECT_TRUE (std::isnan (special[4])) << set.name;
    }
}

// The curves skip the call where every lane lies beyond this point, so there it must be 1 exactly.
TEST (VectorMaths, TanhIsExactlyOneFromWhereCallersSkipIt)
{
    std::vector<float> beyond;
    const float from = my::vec::tanhIsOneFrom;
    for (float x = from; x < from + 0.01f; x = std::nextafter (x, inf))
        beyond.push_back (x);
    for (std::uint32_t bits = 0x41100000u; bits <= 0x7f800000u; bits += 97)
        beyond.push_back (floatWithBits (bits));
    beyond.resize (beyond.size() / 8 * 8);

    for (const auto& set : laneSets())
        for (const float sign : { 1.0f, -1.0f })
        {
            auto results = beyond;
            for (auto& x : results)
                x *= sign;
            set.tanh (results.data(), results.size());
            for (size_t i = 0; i < results.size(); ++i)
                ASSERT_EQ (results[i], sign) << set.name << " at " << sign * beyond[i];
        }
}

TEST (VectorMaths, SinIsWithinTwoUlpOfTheStandardLibraryForEveryInput)
{
    // The whole range, then far denser over the phases the sine curves use, 0..2 pi.
    auto phases = denseFloatSweep (509);
    for (std::uint32_t bits = 0; bits <= 0x40c90fdbu; bits += 127)
        phases.push_back (floatWithBits (bits));
    padToWholeVectors (phases);

    for (const auto& set : laneSets())
    {
        auto results = phases;
        set.sin (results.data(), results.size());
        const auto [ulps, at] = worstOf (phases, results, [] (float x) { return std::sin (x); });
        EXPECT_LE (ulps, maxUlpsFromStandardLibrary) << set.name << " at " << at;

        std::vector<float> special { 0.0f, -0.0f, inf, -inf, std::nanf (""), 0.0f, 0.0f, 0.0f };
        set.sin (special.data(), special.size());
        EXPECT_FALSE (std::signbit (special[0]));
        EXPECT_TRUE (std::signbit (special[1]) && special[1] == 0.0f);
        EXPECT_TRUE (std::isnan (special[2]) && std::isnan (special[3]) && std::isnan (special[4])) << set.name;
    }
}

TEST (VectorMaths, FloatPowIsWithinTwoUlpOfTheStandardLibraryForEveryBase)
{
    const auto bases = denseFloatSweep (4099);
    for (const auto& set : laneSets())
        for (float exponent : floatExponents)
        {
            auto results = bases;
            set.pow (results.data(), exponent, results.size());
            const auto [ulps, at] = worstOf (bases, results, [exponent] (float x) { return std::pow (x, exponent); });
            EXPECT_LE (ulps, maxUlpsFromStandardLibrary) << set.name << " exponent " << exponent << " base " << at;
        }
}

TEST (VectorMaths, DoublePowIsWithinTwoUlpOfTheStandardLibraryForEveryBase)
{
    // Every 2^43rd positive double and its negative, then the knee's exponents 1..50 and their
    // inverses.
    std::vector<double> bases;
    for (std::uint64_t bits = 0; bits <= 0x7ff0000000000000u; bits += (std::uint64_t (1) << 43) + 12345)
        bases.insert (bases.end(), { doubleWithBits (bits), -doubleWithBits (bits) });
    bases.insert (bases.end(), { std::numeric_limits<double>::infinity(), 1.0, std::nan (""), 0.0 });
    padToWholeVectors (bases);

    for (const auto& set : laneSets())
        for (double exponent : { 1.0, 1.0784, 2.2544, 3.0, 7.125, 50.0, 0.5, 1.0 / 2.2544, 0.02 })
        {
            auto results = bases;
            set.powDouble (results.data(), exponent, results.size());
            const auto [ulps, at] = worstOf (bases, results, [exponent] (double x) { return std::pow (x, exponent); });
            EXPECT_LE (ulps, maxUlpsFromStandardLibrary) << set.name << " exponent " << exponent << " base " << at;
        }
}

TEST (VectorMaths, PowerOfOneIsTheBaseExactlyInEveryLane)
{
    using my::vec::Doubles;
    using my::vec::Floats;
    const Doubles bases { -0.0, 3.0e-310 };
    const auto mixed = my::vec::powerOrSame (Doubles { 0.7, 2.5 }, Doubles { 1.0, 3.0 });
    EXPECT_EQ (mixed[0], 0.7);
    EXPECT_NEAR (mixed[1], std::pow (2.5, 3.0), 1.0e-13);
    const auto same = my::vec::powerOrSame (bases, Doubles {} + 1.0);
    EXPECT_TRUE (std::signbit (same[0]));
    EXPECT_EQ (same[1], bases[1]);

    const Floats floats { 0.3f, -2.0f, inf, std::nanf ("") };
    const auto kept = my::vec::powerOrSame (floats, 1.0f);
    EXPECT_EQ (std::memcmp (&kept, &floats, sizeof floats), 0);
}

TEST (VectorMaths, FractionOfSmallValuesIsExact)
{
    const auto fractions = my::vec::fractionOfSmall (my::vec::Floats { 0.0f, 0.75f, 8388607.5f, 12345.125f });
    EXPECT_EQ (fractions[0], 0.0f);
    EXPECT_EQ (fractions[1], 0.75f);
    EXPECT_EQ (fractions[2], 0.5f);
    EXPECT_EQ (fractions[3], 0.125f);
}
