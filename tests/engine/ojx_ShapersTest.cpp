#include <gtest/gtest.h>

#include "UlpDistance.h"
#include "engine/ojx_ShapeProcessor.h"
#include "engine/ojx_Shapers.h"

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace
{
using my::MorphValues;

constexpr float inf = std::numeric_limits<float>::infinity();
const float notANumber = std::nanf ("");

std::vector<float> evenlySpaced (float from, float to, int count)
{
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back (from + (to - from) * (float) i / (float) (count - 1));
    return values;
}

// Every combination of the given steps for the four morph values.
std::vector<MorphValues> morphGrid (const std::vector<float>& steps)
{
    std::vector<MorphValues> grid;
    for (float m1 : steps)
        for (float m2 : steps)
            for (float m3 : steps)
                for (float m4 : steps)
                    grid.push_back ({ m1, m2, m3, m4 });
    return grid;
}

// One object of every curve, in registry order, as the slot holds them.
struct CurveSet
{
    my::ShapeProcessor slot;

    // Shapes a copy of the inputs through the block path with morph values m.
    std::vector<float> shaped (int index, const MorphValues& m, std::vector<float> inputs) const
    {
        slot.shapers[(size_t) index]->setMorph (m);
        slot.shapers[(size_t) index]->processSamples (inputs.data(), (int) inputs.size());
        return inputs;
    }
    float shaped (int index, const MorphValues& m, float x) const
    {
        return shaped (index, m, std::vector<float> { x })[0];
    }
};

void expectAllWithinUnitRange (const std::vector<MorphValues>& grid, const std::vector<float>& inputs)
{
    const CurveSet curves;
    for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
        for (const auto& m : grid)
        {
            const auto outputs = curves.shaped (index, m, inputs);
            for (size_t i = 0; i < inputs.size(); ++i)
                ASSERT_LE (std::abs (outputs[i]), 1.0f) << "curve " << index << " x " << inputs[i] << " morph " << m[0]
                                                        << " " << m[1] << " " << m[2] << " " << m[3];
        }
}
} // namespace

//==============================================================================
TEST (CurveSteps, KneeReachesItsLimitWhereThePowerOverflows)
{
    EXPECT_NEAR (my::getProcessedDrive (2.0, 50.0), 1.0, 1.0e-12);
    EXPECT_EQ (my::getProcessedDrive (1.0e7, 50.0), 1.0); // not u / inf = 0
    EXPECT_EQ (my::getProcessedDrive (-1.0e7, 50.0), -1.0);
}

TEST (CurveSteps, PhasePointsAndFractionsAreExactWhereTheyMustBe)
{
    EXPECT_EQ (0.97f - 0.03f, 0.94000006f);
    EXPECT_EQ (my::sinePhasePoint (0.5f), 0.5f);
    EXPECT_EQ (my::trianglePhasePoint (0.5f), 0.5f);
    EXPECT_EQ (my::fractionalPart (8388607.5f), 0.5f);
    EXPECT_EQ (my::fractionalPart (inf), 0.0f);
    EXPECT_TRUE (std::isnan (my::fractionalPart (notANumber)));
}

//==============================================================================
// Known values of every curve, and of the holding forms on either side of their edges.
TEST (CurveAnchors, EveryCurveGivesItsKnownValues)
{
    struct Anchor
    {
        int index;
        MorphValues m;
        float x, expected, tolerance;
    };
    const MorphValues sineHeld { 0.5f, 0.0f, 1.0f, 0.0f };
    const MorphValues straight { 0.5f, 0.5f, 0.0f, 1.0f };
    const Anchor anchors[] {
        { 0, { 0.5f, 0, 0, 0 }, 0.5f, 0.5f, 0 },
        { 0, { 0.5f, 0, 0, 0 }, 0.75f, 0.5f + 0.5f * std::tanh (0.5f), 1e-7f },
        { 1, { 0, 0, 0, 0 }, 3.0f, 0.75f, 1e-7f },
        { 1, { 1, 1, 0, 0 }, 0.999998f, 0.999998f, 0 },
        { 1, { 1, 1, 0, 0 }, 1.0e6f, 1.0f, 0 },
        { 2, { 0, 0, 0.4f, 0.2f }, 0.39f, 0.39f, 0 },
        { 2, { 0, 0, 0.4f, 0.2f }, -0.2f, -0.2f / 1.2f, 1e-7f },
        { 3, { 0.4f, 0, 0, 0 }, -3.0f, -0.75f, 0 },
        { 4, { 0.6f, 0, 0, 0 }, 1.0f, 1.0f, 0 },
        { 4, { 0.6f, 0, 0, 0 }, -1.0f, -1.0f, 0 },
        { 4, { 0.6f, 0, 0, 0 }, 7.0f, 1.0f, 0 },
        { 4, { 0, 0, 0, 0 }, 0.999f, 0.358976f, 1e-5f },
        { 4, { 1, 0, 0, 0 }, -0.001f, -0.641029f, 1e-5f },
        { 5, {}, 0.5f, 0.8f, 1e-7f },
        { 5, {}, 2.0f, 0.8f, 1e-7f },
        { 5, {}, 0.0f, 0.0f, 0 },
        { 5, {}, 3.0e38f, 0.0f, 0 },
        { 6, { 0.1f, 0.5f, 0, 0 }, 0.55f, 0.5f, 1e-6f },
        { 6, { 0.1f, 0.5f, 0, 0 }, -0.55f, -0.5f, 1e-6f },
        { 6, { 0.1f, 0.5f, 0, 0 }, 1.0f, 0.9f, 1e-6f }, // the float quantum is a hair above 0.1: nine steps
        { 6, { 1, 0.5f, 0, 0 }, 0.99f, 0.0f, 0 },
        { 6, { 1, 0.5f, 0, 0 }, 1.0f, 1.0f, 0 },
        { 7, { 0, 0.5f, 0, 1 }, 0.03f, 1.0f, 1e-5f },
        { 7, { 1, 0.5f, 0, 1 }, 0.97f, 1.0f, 1e-5f },
        { 8, sineHeld, 0.7f, 1.0f, 0 },
        { 8, sineHeld, 1.0e6f, 1.0f, 0 },
        { 8, sineHeld, -0.75f, -0.7071068f, 1e-5f },
        { 8, sineHeld, -0.5f, -1.0f, 1e-6f },
        { 8, sineHeld, -1.5f, 1.0f, 1e-6f },
        { 8, sineHeld, -2.0f, 1.0f, 0 },
        { 9, sineHeld, 1.0f, 0.0f, 1e-6f },
        { 9, sineHeld, 1.6f, -1.0f, 0 },
        { 9, sineHeld, -1.6f, 1.0f, 0 },
        { 10, sineHeld, 1.5f, -1.0f, 1e-6f },
        { 10, sineHeld, 2.6f, 1.0f, 0 },
        { 10, sineHeld, -1.0e9f, -1.0f, 0 },
        { 11, straight, 100.5f, 1.0f, 0 },
        { 11, { 0, 0.5f, 0, 1 }, 0.01f, 1.0f, 0 },
        { 12, straight, 0.75f, 1.0f, 0 },
        { 12, straight, -1.0f, 0.0f, 0 },
        { 12, straight, -1.75f, 1.0f, 0 },
        { 13, straight, 1.75f, -1.0f, 0 },
        { 13, straight, -1.75f, 1.0f, 0 },
        { 14, straight, 1.5f, -1.0f, 0 },
        { 14, straight, 2.75f, 1.0f, 0 },
        { 14, straight, -2.75f, -1.0f, 0 },
        { 15, { 0.5f, 0.5f, 1, 0 }, 2.0f, -0.8f, 1e-6f }, // 0.1 x 2^4 = 1.6 on the triangle
        { 16, straight, 0.5f, 1.0f, 0 },
        { 16, straight, 1.5f, 1.0f, 0 },
        { 16, straight, 1.0f, 0.0f, 0 },
        { 16, straight, 2.0f, 0.0f, 0 },
        { 16, straight, -0.5f, -1.0f, 0 },
        { 16, straight, 0.25f, 0.5f, 0 },
        { 17, straight, 0.75f, 1.0f, 0 },
        { 17, straight, -0.75f, -0.5f, 0 },
        { 17, straight, -1.75f, -1.0f, 0 },
        { 18, straight, 1.0f, 0.0f, 0 },
        { 18, straight, 1.75f, 1.0f, 0 },
        { 18, straight, -1.75f, -1.0f, 0 },
        { 19, straight, 2.0f, 0.0f, 0 },
        { 19, straight, 2.75f, 1.0f, 0 },
        { 19, straight, -2.75f, -1.0f, 0 },
        { 20, { 0.5f, 0.5f, 1, 0 }, 2.0f, 0.8f, 1e-6f },
    };

    const CurveSet curves;
    for (const auto& a : anchors)
        EXPECT_NEAR (curves.shaped (a.index, a.m, a.x), a.expected, a.tolerance) << "curve " << a.index << " x " << a.x;
}

// Settings at which a curve reduces to a simpler closed form, over a sweep of inputs. Where the
// form is the standard library's tanh, the curve's vectorised tanh may differ from it by the
// ulps its own sweep allows, and by nothing more.
TEST (CurveAnchors, SpecialSettingsReduceToClosedForms)
{
    constexpr double asVectorTanh = -1.0;
    struct Form
    {
        int index;
        MorphValues m;
        std::function<double (float)> reference;
        double tolerance;
    };
    const auto triangleWave = [] (float x)
    { return 2.0 / juce::MathConstants<double>::pi * std::asin (std::sin (juce::MathConstants<double>::pi * x)); };
    const Form forms[] {
        { 0, { 0, 0, 0, 0 }, [] (float x) { return std::tanh (x); }, asVectorTanh },
        { 0, { 1, 0, 0, 0 }, [] (float x) { return juce::jlimit (-1.0f, 1.0f, x); }, 0 },
        { 1,
          { 0.5f, 0, 0, 0 },
          [] (float x) { return (float) my::getProcessedDrive (x, my::kneeExponent (0.5f)); },
          0 },
        { 3, { 0, 0, 0, 0 }, [] (float x) { return x / (std::abs (x) + 1.0); }, 1e-7 },
        { 3, { 1, 0, 0, 0 }, [] (float x) { return x < 0 ? x / (1.0 - x) : my::getProcessedDrive (x, 50.0); }, 1e-7 },
        { 4, { 0.5f, 0, 0, 0 }, [] (float x) { return juce::jlimit (-1.0f, 1.0f, x); }, 0 },
        { 6, { 0, 0.2f, 0, 0 }, [] (float x) { return juce::jlimit (-1.0f, 1.0f, x); }, 1e-6 },
        { 7, { 0.5f, 0.5f, 0, 1 }, [] (float x) { return std::sin (juce::MathConstants<double>::pi * x); }, 1e-5 },
        { 11, { 0.5f, 0.5f, 0, 1 }, triangleWave, 1e-6 },
        { 11,
          { 0.5f, 0.3f, 1, 0 },
          [] (float x) { return std::tanh (8.0f * my::getProcessedTriangleA (0.5f, 0.3f, x)); },
          asVectorTanh },
    };

    const CurveSet curves;
    const auto inputs = evenlySpaced (-4.0f, 4.0f, 321);
    for (const auto& form : forms)
    {
        const auto outputs = curves.shaped (form.index, form.m, inputs);
        for (size_t i = 0; i < inputs.size(); ++i)
        {
            const double expected = form.reference (inputs[i]);
            if (form.tolerance == asVectorTanh)
                ASSERT_LE (testing_support::ulpDistance (outputs[i], (float) expected),
                           testing_support::maxUlpsFromStandardLibrary)
                    << "curve " << form.index << " x " << inputs[i];
            else
                ASSERT_NEAR (outputs[i], expected, form.tolerance) << "curve " << form.index << " x " << inputs[i];
        }
    }
}

TEST (CurveAnchors, NeutralSpringGivesThePlainTriangles)
{
    const CurveSet curves;
    const auto inputs = evenlySpaced (-5.0f, 5.0f, 201);
    for (const auto& m : morphGrid ({ 0.0f, 0.3f, 0.5f, 1.0f }))
    {
        const MorphValues springForm { m[0], m[1], 0.5f, m[3] }, plainForm { m[0], m[1], 0.0f, 1.0f };
        EXPECT_EQ (curves.shaped (15, springForm, inputs), curves.shaped (11, plainForm, inputs));
        EXPECT_EQ (curves.shaped (20, springForm, inputs), curves.shaped (16, plainForm, inputs));
    }
}

//==============================================================================
// Properties of all 21 curves over dense sweeps of inputs and morph values.

TEST (AllCurves, StayWithinUnitRangeForEveryFiniteInput)
{
    expectAllWithinUnitRange (morphGrid ({ 0.0f, 0.3f, 0.5f, 0.7f, 1.0f }), evenlySpaced (-8.0f, 8.0f, 1601));

    // Up to +72 dB on a full-scale signal plus offset, then magnitudes up to the largest float.
    auto wide = evenlySpaced (-4000.0f, 4000.0f, 5841);
    for (float magnitude = 1.0e-30f; magnitude < 3.0e38f; magnitude *= 3.7f)
        wide.insert (wide.end(), { magnitude, -magnitude });
    wide.insert (wide.end(), { std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), inf, -inf });
    expectAllWithinUnitRange (morphGrid ({ 0.0f, 0.5f, 1.0f }), wide);
}

TEST (AllCurves, NotANumberGivesNotANumberExceptExponentialGivesOne)
{
    const CurveSet curves;
    for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
        for (const auto& m : morphGrid ({ 0.0f, 0.5f, 1.0f }))
        {
            const float y = curves.shaped (index, m, notANumber);
            EXPECT_TRUE (index == 4 ? y == 1.0f : std::isnan (y)) << "curve " << index << " gives " << y;
        }
}

// Exactly the same: a single sample runs through the same four-lane code as a block, so the curve
// view draws what the audio path plays.
TEST (AllCurves, BlockPathsGiveTheSameNumbersAsSingleSamples)
{
    const CurveSet curves;
    const auto inputs = evenlySpaced (-20.0f, 20.0f, 397);
    const auto grid = morphGrid ({ 0.0f, 0.35f, 1.0f });
    std::vector<MorphValues> perFrame;
    for (size_t i = 0; i < inputs.size(); ++i)
        perFrame.push_back (grid[i % grid.size()]);

    for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
    {
        auto& curve = *curves.slot.shapers[(size_t) index];
        for (const auto& m : grid)
        {
            const auto block = curves.shaped (index, m, inputs);
            for (size_t i = 0; i < inputs.size(); ++i)
                ASSERT_EQ (block[i], curve.getProcessed (inputs[i])) << "curve " << index;
        }

        // A new morph set on every frame, shared by both channels.
        auto left = inputs;
        std::vector<float> right (inputs.rbegin(), inputs.rend());
        curve.processFramesWithMorphs (left.data(), right.data(), perFrame.data(), (int) inputs.size());
        for (size_t i = 0; i < inputs.size(); ++i)
        {
            curve.setMorph (perFrame[i]);
            ASSERT_EQ (left[i], curve.getProcessed (inputs[i])) << "curve " << index;
            ASSERT_EQ (right[i], curve.getProcessed (inputs[inputs.size() - 1 - i])) << "curve " << index;
        }
    }
}

TEST (AllCurves, SymmetricCurvesAreOdd)
{
    const CurveSet curves;
    const auto mirrored = [&] (int index, const std::vector<float>& inputs, float tolerance)
    {
        std::vector<float> negated;
        for (float x : inputs)
            negated.push_back (-x);
        for (const auto& m : morphGrid ({ 0.0f, 0.4f, 1.0f }))
        {
            const auto positive = curves.shaped (index, m, inputs);
            const auto negative = curves.shaped (index, m, negated);
            for (size_t i = 0; i < inputs.size(); ++i)
                ASSERT_NEAR (negative[i], -positive[i], tolerance) << "curve " << index << " x " << inputs[i];
        }
    };

    // Flex Clip Asym, Tube and the "1" forms are lopsided. The others work on |x| and mirror
    // exactly, except the sines, whose input map rounds each side apart.
    for (int index : { 0, 1, 4, 5, 6, 11, 13, 14, 15, 16, 18, 19, 20 })
        mirrored (index, evenlySpaced (0.0f, 8.0f, 801), 0.0f);
    for (int index : { 7, 9, 10 })
        mirrored (index, evenlySpaced (0.0f, 2.0f, 201), 2.0e-3f);
}

TEST (AllCurves, HoldingCurvesMeetTheirHeldValueWhereHoldingStarts)
{
    const CurveSet curves;
    struct Holding
    {
        int index;
        my::HoldRule rule;
        bool isSine;
    };
    const Holding holding[] { { 8, my::HoldRule::form1, true },       { 9, my::HoldRule::form2, true },
                              { 10, my::HoldRule::form4, true },      { 12, my::HoldRule::form1, false },
                              { 13, my::HoldRule::form2, false },     { 14, my::HoldRule::form4, false },
                              { 17, my::HoldRule::halfForm1, false }, { 18, my::HoldRule::halfForm2, false },
                              { 19, my::HoldRule::form4, false } };

    for (const auto& curve : holding)
        for (float m1 : evenlySpaced (0.0f, 1.0f, 11))
        {
            const float p = curve.isSine ? my::sinePhasePoint (m1) : my::trianglePhasePoint (m1);
            const auto edges = my::HoldEdges::forRule (curve.rule, p);
            const MorphValues m = curve.isSine ? MorphValues { m1, 0, 1, 0 } : MorphValues { m1, 0.5f, 0, 1 };
            const auto y = curves.shaped (
                curve.index, m,
                { edges.above, edges.below, std::nextafter (edges.above, inf), std::nextafter (edges.below, -inf) });
            EXPECT_NEAR (y[0], edges.valueAbove, 1.0e-5f) << "curve " << curve.index << " m1 " << m1;
            EXPECT_NEAR (y[1], edges.valueBelow, 1.0e-5f) << "curve " << curve.index << " m1 " << m1;
            EXPECT_EQ (y[2], edges.valueAbove);
            EXPECT_EQ (y[3], edges.valueBelow);
        }
}

TEST (AllCurves, FreeRunningFoldsKeepFoldingAtAnyLevel)
{
    const CurveSet curves;
    // From the first peak on the triangles repeat; multiples of 1/64 keep that exact.
    std::vector<float> oneCycle, muchLater;
    for (int j = 0; j < 128; ++j)
    {
        oneCycle.push_back (0.5f + (float) j / 64.0f);
        muchLater.push_back (0.5f + (float) j / 64.0f + 2048.0f);
    }
    for (float m2 : { 0.0f, 0.3f, 0.5f, 1.0f })
        for (int index : { 11, 16 })
            EXPECT_EQ (curves.shaped (index, { 0.5f, m2, 0, 1 }, oneCycle),
                       curves.shaped (index, { 0.5f, m2, 0, 1 }, muchLater));

    const auto early = curves.shaped (7, { 0.5f, 0.5f, 0, 1 }, oneCycle);
    const auto late = curves.shaped (7, { 0.5f, 0.5f, 0, 1 }, muchLater);
    for (size_t i = 0; i < early.size(); ++i)
        EXPECT_NEAR (early[i], late[i], 2.0e-3f);
}
