#include <gtest/gtest.h>

#include "UlpDistance.h"
#include "engine/my_VectorMaths.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <vector>

namespace
{
using my::vec::Doubles;
using my::vec::Floats;
using testing_support::maxUlpsFromStandardLibrary;
using testing_support::ulpDistance;

constexpr float inf = std::numeric_limits<float>::infinity();

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
    values.resize ((values.size() + my::vec::lanes - 1) / my::vec::lanes * my::vec::lanes, 0.0f);
    return values;
}

struct Worst
{
    std::uint64_t ulps = 0;
    float input = 0.0f;
};

// Runs the vector function over the inputs, all lanes at a time, and finds the largest distance
// from the scalar function.
Worst worstOver (const std::vector<float>& inputs, Floats (*vectorFunction) (Floats), float (*scalarFunction) (float))
{
    Worst worst;
    for (size_t i = 0; i + my::vec::lanes <= inputs.size(); i += my::vec::lanes)
    {
        const auto results = vectorFunction (my::vec::load (inputs.data() + i, my::vec::lanes));
        for (int lane = 0; lane < my::vec::lanes; ++lane)
        {
            const auto ulps = ulpDistance (results[lane], scalarFunction (inputs[i + (size_t) lane]));
            if (ulps > worst.ulps)
                worst = { ulps, inputs[i + (size_t) lane] };
        }
    }
    return worst;
}

float standardTanh (float x) { return std::tanh (x); }
float standardSin (float x) { return std::sin (x); }

// What the curves raise to a power: exponents of the spring, of the power curves and of the
// quantizer, from 1/4 up to 1024, and a few in between.
const float floatExponents[]{ 0.25f, 0.3f, 0.5f,  0.7937005f, 1.0f,    1.5f,       2.0f,
                              3.0f,  4.0f, 16.0f, 256.0f,     1024.0f, 1.0f / 3.0f };
} // namespace

//==============================================================================
TEST (VectorMaths, TanhIsWithinTwoUlpOfTheStandardLibraryForEveryInput)
{
    const auto worst = worstOver (denseFloatSweep (509), my::vec::tanh, standardTanh);
    EXPECT_LE (worst.ulps, maxUlpsFromStandardLibrary) << "at " << worst.input;

    const auto special = my::vec::tanh (Floats{ 0.0f, -0.0f, inf, -inf });
    EXPECT_FALSE (std::signbit (special[0]));
    EXPECT_TRUE (std::signbit (special[1]) && special[1] == 0.0f);
    EXPECT_EQ (special[2], 1.0f);
    EXPECT_EQ (special[3], -1.0f);
    EXPECT_TRUE (std::isnan (my::vec::tanh (my::vec::broadcast (std::nanf ("")))[0]));
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
    beyond.resize (beyond.size() / my::vec::lanes * my::vec::lanes);

    for (size_t i = 0; i < beyond.size(); i += my::vec::lanes)
    {
        const auto x = my::vec::load (beyond.data() + i, my::vec::lanes);
        const auto positive = my::vec::tanh (x), negative = my::vec::tanh (-x);
        for (int lane = 0; lane < my::vec::lanes; ++lane)
        {
            ASSERT_EQ (positive[lane], 1.0f) << "at " << x[lane];
            ASSERT_EQ (negative[lane], -1.0f) << "at " << -x[lane];
        }
    }
}

TEST (VectorMaths, SinIsWithinTwoUlpOfTheStandardLibraryForEveryInput)
{
    const auto worst = worstOver (denseFloatSweep (509), my::vec::sin, standardSin);
    EXPECT_LE (worst.ulps, maxUlpsFromStandardLibrary) << "at " << worst.input;

    // Far denser over the phase range the sine curves use, 0..2 pi.
    std::vector<float> phases;
    for (std::uint32_t bits = 0; bits <= 0x40c90fdbu; bits += 127)
        phases.push_back (floatWithBits (bits));
    phases.resize (phases.size() / my::vec::lanes * my::vec::lanes);
    const auto worstPhase = worstOver (phases, my::vec::sin, standardSin);
    EXPECT_LE (worstPhase.ulps, maxUlpsFromStandardLibrary) << "at " << worstPhase.input;

    const auto special = my::vec::sin (Floats{ 0.0f, -0.0f, inf, -inf });
    EXPECT_FALSE (std::signbit (special[0]));
    EXPECT_TRUE (std::signbit (special[1]) && special[1] == 0.0f);
    EXPECT_TRUE (std::isnan (special[2]) && std::isnan (special[3]));
    EXPECT_TRUE (std::isnan (my::vec::sin (my::vec::broadcast (std::nanf ("")))[0]));
}

TEST (VectorMaths, FloatPowIsWithinTwoUlpOfTheStandardLibraryForEveryBase)
{
    auto bases = denseFloatSweep (4099);
    for (float exponent : floatExponents)
    {
        std::uint64_t worst = 0;
        float worstBase = 0.0f;
        for (size_t i = 0; i + my::vec::lanes <= bases.size(); i += my::vec::lanes)
        {
            const auto results =
                my::vec::pow (my::vec::load (bases.data() + i, my::vec::lanes), my::vec::broadcast (exponent));
            for (int lane = 0; lane < my::vec::lanes; ++lane)
            {
                const float base = bases[i + (size_t) lane];
                const auto ulps = ulpDistance (results[lane], std::pow (base, exponent));
                if (ulps > worst)
                    std::tie (worst, worstBase) = std::tuple (ulps, base);
            }
        }
        EXPECT_LE (worst, maxUlpsFromStandardLibrary) << "exponent " << exponent << " base " << worstBase;
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
    constexpr size_t doubleLanes = sizeof (Doubles) / sizeof (double);
    bases.resize ((bases.size() + doubleLanes - 1) / doubleLanes * doubleLanes, 1.0);

    for (double exponent : { 1.0, 1.0784, 2.2544, 3.0, 7.125, 50.0, 0.5, 1.0 / 2.2544, 0.02 })
    {
        std::uint64_t worst = 0;
        double worstBase = 0.0;
        for (size_t i = 0; i + doubleLanes <= bases.size(); i += doubleLanes)
        {
            Doubles chunk;
            std::memcpy (&chunk, bases.data() + i, sizeof chunk);
            const auto results = my::vec::pow (chunk, Doubles{} + exponent);
            for (size_t lane = 0; lane < doubleLanes; ++lane)
            {
                const double base = bases[i + lane];
                const auto ulps = ulpDistance (results[lane], std::pow (base, exponent));
                if (ulps > worst)
                    std::tie (worst, worstBase) = std::tuple (ulps, base);
            }
        }
        EXPECT_LE (worst, maxUlpsFromStandardLibrary) << "exponent " << exponent << " base " << worstBase;
    }
}

TEST (VectorMaths, PowerOfOneIsTheBaseExactlyInEveryLane)
{
    const Doubles bases{ -0.0, 3.0e-310 };
    const auto mixed = my::vec::powerOrSame (Doubles{ 0.7, 2.5 }, Doubles{ 1.0, 3.0 });
    EXPECT_EQ (mixed[0], 0.7);
    EXPECT_NEAR (mixed[1], std::pow (2.5, 3.0), 1.0e-13);
    const auto same = my::vec::powerOrSame (bases, Doubles{} + 1.0);
    EXPECT_TRUE (std::signbit (same[0]));
    EXPECT_EQ (same[1], bases[1]);

    const Floats floats{ 0.3f, -2.0f, inf, std::nanf ("") };
    const auto kept = my::vec::powerOrSame (floats, 1.0f);
    EXPECT_EQ (std::memcmp (&kept, &floats, sizeof floats), 0);
}

TEST (VectorMaths, FractionOfSmallValuesIsExact)
{
    const auto fractions = my::vec::fractionOfSmall (Floats{ 0.0f, 0.75f, 8388607.5f, 12345.125f });
    EXPECT_EQ (fractions[0], 0.0f);
    EXPECT_EQ (fractions[1], 0.75f);
    EXPECT_EQ (fractions[2], 0.5f);
    EXPECT_EQ (fractions[3], 0.125f);
}
