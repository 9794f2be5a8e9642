#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>

namespace my
{
// The four morph values m1..m4 that steer a curve.
using MorphValues = std::array<float, 4>;

//==============================================================================
// Steps shared by the curves. Single precision throughout, except the power knee.

// sign(x) -> r: the magnitude r carried to the side of x (0 and NaN count as positive).
inline float withSignOf (float x, float r) noexcept { return x < 0.0f ? -r : r; }

inline float exp10Single (float v) noexcept
{
#if defined(__GLIBC__)
    return ::exp10f (v);
#else
    return std::pow (10.0f, v);
#endif
}

// Hardness clip: |v| below h passes unchanged, above it a tanh knee bends towards +-1.
// h = 0 is tanh(v); h >= 1 is a hard clip at +-1.
inline float getProcessedClip (float v, float h) noexcept
{
    if (h > std::abs (v))
        return v;
    if (h >= 1.0f)
        return juce::jlimit (-1.0f, 1.0f, v);
    const float k = 1.0f - h;
    if (v > 0.0f)
        return std::tanh ((v - h) / k) * k + h;
    return -(std::tanh ((-v - h) / k) * k + h);
}

// Power knee u / (|u|^n + 1)^(1/n), in double precision: slope 1 at 0, tending to +-1.
struct PowerKnee
{
    double exponent, inverseExponent;

    static PowerKnee withExponent (double n) noexcept { return { n, 1.0 / n }; }

    double at (double u) const noexcept
    {
        const double powered = std::pow (std::abs (u), exponent);
        // Once |u|^n overflows the knee has reached its limit; dividing by infinity would give 0.
        if (powered == std::numeric_limits<double>::infinity())
            return u < 0.0 ? -1.0 : 1.0;
        return u / std::pow (powered + 1.0, inverseExponent);
    }
};

inline double getProcessedDrive (double u, double n) noexcept { return PowerKnee::withExponent (n).at (u); }

// Knee exponent of a morph value: 1 at 0, 50 at 1.
inline double kneeExponent (float m) noexcept { return (double) (std::pow (m, 4.0f) * 49.0f + 1.0f); }

// 2^|2se - s|: 1 at e = 0.5, 2^s at e = 0 and e = 1.
inline float powerExponent (float e, float s) noexcept
{
    const float exponent = e < 0.5f ? 2.0f * (-s * e) + s : 2.0f * (s * (e - 0.5f));
    return std::exp2 (exponent);
}

// Maps 0..1 onto 0..1 with a fast start for e above 0.5 and a slow start otherwise.
inline float powerCurve (float t, float e, float p) noexcept
{
    return e > 0.5f ? 1.0f - std::pow (1.0f - t, p) : std::pow (t, p);
}

// v - floor(v) for v >= 0, exact; 0 from 2^23 on, where every float is whole. Infinity counts as
// such a value, so the folds settle on a finite result instead of inf - inf.
inline float fractionalPart (float v) noexcept { return v >= 8388608.0f ? 0.0f : v - std::floor (v); }

// Where the sine curves put their first peak (0.03..0.97) and the triangles theirs (0.01..0.99).
inline float sinePhasePoint (float m1) noexcept { return m1 * (0.97f - 0.03f) + 0.03f; }
inline float trianglePhasePoint (float m1) noexcept { return m1 * 0.98f + 0.01f; }

// X^(2^(4s - 2)) scaled by 10^(1 - 2s); s = 0.5 leaves X as it is.
struct Spring
{
    float factor, exponent;

    static Spring fromMorph (float s) noexcept { return { exp10Single (1.0f - (s + s)), std::exp2 (s * 4.0f - 2.0f) }; }
    float apply (float magnitude) const noexcept { return factor * std::pow (magnitude, exponent); }
};

inline float springWarp (float magnitude, float s) noexcept { return Spring::fromMorph (s).apply (magnitude); }

// Linear map of -1..1 onto -pi..pi, folded to its magnitude: pi|x|.
inline float sineInputMap (float x) noexcept
{
    constexpr float pi = juce::MathConstants<float>::pi;
    return std::abs ((x + 1.0f) * (pi + pi) * 0.5f - pi);
}

// Piecewise linear warp of 0..2pi that moves the quarter-turn to b pi and the three-quarter turn
// to (2 - b) pi.
inline float sinePhase (float w, float b) noexcept
{
    constexpr float pi = juce::MathConstants<float>::pi;
    constexpr float quarter = pi * 0.5f, threeQuarters = pi * 1.5f, full = pi + pi;
    const float c = b * pi, d = (2.0f - b) * pi;
    if (w < c)
        return quarter * w / c;
    if (w < d)
        return quarter + (threeQuarters - quarter) * (w - c) / (d - c);
    return threeQuarters + (full - threeQuarters) * (w - d) / (full - d);
}

// sign(x) -> sin of the warped phase of u (u = pi|x|, possibly spring-warped).
inline float sineValue (float x, float u, float b) noexcept
{
    constexpr float full = juce::MathConstants<float>::twoPi;
    const float w = full * fractionalPart (u / full);
    return withSignOf (x, std::sin (sinePhase (w, b)));
}

// Gain of 1..8 followed by the hardness clip: the last stage of most fold curves.
struct GainClip
{
    float gain, hardness;

    static GainClip fromMorph (float g, float h) noexcept { return { g * 7.0f + 1.0f, h }; }
    float apply (float y0) const noexcept { return getProcessedClip (gain * y0, hardness); }
};

// Where a holding fold curve stops folding; p is its phase point.
enum class HoldRule
{
    never,    // free-running
    form1,    // +1 above p, +1 below p - 2 (Sine 1, Triangle 1)
    form2,    // -1 above 2 - p, +1 below p - 2 (Sine 2, Triangle 2)
    form4,    // +1 above 2 + p, -1 below -(2 + p) (Sine 4, Triangle 4, Triangle Half 4)
    halfForm1, // +1 above p, -1 below -(1 + p) (Triangle Half 1)
    halfForm2  // +1 above 1 + p, -1 below -(1 + p) (Triangle Half 2)
};

// Beyond its edges a holding curve keeps the value the fold reached there.
struct HoldEdges
{
    float below = -std::numeric_limits<float>::infinity(), valueBelow = 0.0f;
    float above = std::numeric_limits<float>::infinity(), valueAbove = 0.0f;

    static HoldEdges forRule (HoldRule rule, float p) noexcept
    {
        switch (rule)
        {
            case HoldRule::form1:     return { p - 2.0f, 1.0f, p, 1.0f };
            case HoldRule::form2:     return { p - 2.0f, 1.0f, 2.0f - p, -1.0f };
            case HoldRule::form4:     return { -(2.0f + p), -1.0f, 2.0f + p, 1.0f };
            case HoldRule::halfForm1: return { -(1.0f + p), -1.0f, p, 1.0f };
            case HoldRule::halfForm2: return { -(1.0f + p), -1.0f, 1.0f + p, 1.0f };
            case HoldRule::never:     break;
        }
        return {};
    }
};

//==============================================================================
// The waves the fold curves are built from. Each knows its phase point (where the first peak
// lies), which morph value starts its gain-and-clip pair, and its signed value at x.

// sin(pi x) with its peaks moved to +-b.
struct SineWave
{
    static constexpr int gainMorph = 1;
    float phasePoint;

    static SineWave fromMorph (const MorphValues& m) noexcept { return { sinePhasePoint (m[0]) }; }
    float at (float x) const noexcept { return sineValue (x, sineInputMap (x), phasePoint); }
};

// The sine wave read through the spring warp of m2.
struct SpringSineWave
{
    static constexpr int gainMorph = 2;
    float phasePoint;
    Spring spring;

    static SpringSineWave fromMorph (const MorphValues& m) noexcept
    {
        return { sinePhasePoint (m[0]), Spring::fromMorph (m[1]) };
    }
    float at (float x) const noexcept { return sineValue (x, spring.apply (sineInputMap (x)), phasePoint); }
};

// Curved triangle of |x|: a rise to +1 at a, then falls to -1 and rises to +1 every 2 units; e
// bends the segments (straight at 0.5).
struct TriangleWave
{
    static constexpr int gainMorph = 2;
    float phasePoint, bend, firstRiseExponent, segmentExponent, fallLength;

    static TriangleWave withShape (float a, float e) noexcept
    {
        return { a, e, powerExponent (e, 4.0f), powerExponent (e, 8.0f), 2.0f - (a + a) };
    }
    static TriangleWave fromMorph (const MorphValues& m) noexcept { return withShape (trianglePhasePoint (m[0]), m[1]); }

    float at (float x) const noexcept
    {
        const float magnitude = std::abs (x);
        if (magnitude < phasePoint)
            return withSignOf (x, powerCurve (magnitude / phasePoint, bend, firstRiseExponent));

        const float u = 2.0f * fractionalPart ((magnitude - phasePoint) * 0.5f);
        const float y0 = u < fallLength
                             ? 1.0f - 2.0f * powerCurve (u / fallLength, bend, segmentExponent)
                             : 2.0f * powerCurve ((u - fallLength) / (2.0f - fallLength), bend, segmentExponent) - 1.0f;
        return withSignOf (x, y0);
    }
};

inline float getProcessedTriangleA (float a, float e, float x) noexcept { return TriangleWave::withShape (a, e).at (x); }

// Half triangle of |x| with period 1: rises from 0 to 1 at a, falls back to 0 at the next whole
// number; the fall bends the other way from the rise.
struct HalfTriangleWave
{
    static constexpr int gainMorph = 2;
    float phasePoint, riseBend, riseExponent, fallBend, fallExponent;

    static HalfTriangleWave withShape (float a, float e) noexcept
    {
        const float fallBend = 1.0f - e;
        return { a, e, powerExponent (e, 4.0f), fallBend, powerExponent (fallBend, 4.0f) };
    }
    static HalfTriangleWave fromMorph (const MorphValues& m) noexcept
    {
        return withShape (trianglePhasePoint (m[0]), m[1]);
    }

    float magnitudeAt (float magnitude) const noexcept
    {
        const float fr = fractionalPart (magnitude);
        if (fr < phasePoint)
            return powerCurve (fr / phasePoint, riseBend, riseExponent);
        return powerCurve ((1.0f - fr) / (1.0f - phasePoint), fallBend, fallExponent);
    }
    float at (float x) const noexcept { return withSignOf (x, magnitudeAt (std::abs (x))); }
};

inline float getProcessedTriangleHalf (float a, float e, float magnitude) noexcept
{
    return HalfTriangleWave::withShape (a, e).magnitudeAt (magnitude);
}

//==============================================================================
// A waveshaping curve: a memoryless map of one sample, steered by four morph values.
class ShaperBase
{
public:
    static constexpr float pi = juce::MathConstants<float>::pi;

    ShaperBase() = default;
    virtual ~ShaperBase() = default;

    // Maps one sample with the current morph values. Reads only; safe on any thread.
    virtual float getProcessed (float) const { return 0.0f; }

    // Shapes numSamples samples in place with the current morph values: the same numbers as
    // getProcessed on each sample, with one dispatch per call instead of one per sample.
    virtual void processSamples (float* samples, int numSamples) const;

    // Shapes two channels in place, frame t of both with morphs[t]; used while the morph values
    // glide. right may be null.
    virtual void processFramesWithMorphs (float* left, float* right, const MorphValues* morphs, int numFrames) const;

    MorphValues getMorph() const noexcept;
    void setMorph (const MorphValues& values) noexcept;

    std::array<juce::String, 4> morphNames;                // set once by the slot; empty hides the dial
    std::array<std::atomic<float>, 4> morph { 0.0f, 0.0f, 0.0f, 0.0f }; // audio thread; the curve view reads
    MorphValues defaultMorph {};                           // set once by the slot

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShaperBase)
};

// Gives a curve its three entry points from a Maths type with two static functions:
// makeParams (what the formula needs from the morph values, worked out once per call or frame)
// and shape (the per-sample formula).
template <typename Maths>
class CurveShaper : public ShaperBase
{
public:
    float getProcessed (float x) const override { return Maths::shape (x, Maths::makeParams (getMorph())); }

    void processSamples (float* samples, int numSamples) const override
    {
        const auto params = Maths::makeParams (getMorph());
        for (int i = 0; i < numSamples; ++i)
            samples[i] = Maths::shape (samples[i], params);
    }

    void processFramesWithMorphs (float* left, float* right, const MorphValues* morphs, int numFrames) const override
    {
        for (int t = 0; t < numFrames; ++t)
        {
            const auto params = Maths::makeParams (morphs[t]);
            left[t] = Maths::shape (left[t], params);
            if (right != nullptr)
                right[t] = Maths::shape (right[t], params);
        }
    }
};

//==============================================================================
// Saturation curves.

struct SoftClipMaths
{
    static float makeParams (const MorphValues& m) noexcept { return m[0]; }
    static float shape (float x, float hardness) noexcept { return getProcessedClip (x, hardness); }
};

// One side of a flex clip: linear up to L, then a power knee that fills the room from L to 1.
struct FlexSide
{
    float linearEnd;
    double room;
    PowerKnee knee;

    static FlexSide make (float linearMorph, float curveMorph) noexcept
    {
        const float linearEnd = std::min (linearMorph, 0.999999f); // keeps the room above 0
        return { linearEnd, 1.0 - (double) linearEnd, PowerKnee::withExponent (kneeExponent (curveMorph)) };
    }
    float above (float x) const noexcept
    {
        return (float) ((double) linearEnd + room * knee.at ((double) (x - linearEnd) / room));
    }
    float below (float x) const noexcept
    {
        return (float) (-(double) linearEnd + room * knee.at ((double) (x + linearEnd) / room));
    }
};

struct FlexSides
{
    FlexSide negative, positive;

    float shape (float x) const noexcept
    {
        if (x < -negative.linearEnd)
            return negative.below (x);
        if (x < positive.linearEnd)
            return x;
        return positive.above (x);
    }
};

struct FlexClipSymMaths
{
    static FlexSides makeParams (const MorphValues& m) noexcept
    {
        const auto side = FlexSide::make (m[1], m[0]);
        return { side, side };
    }
    static float shape (float x, const FlexSides& sides) noexcept { return sides.shape (x); }
};

struct FlexClipAsymMaths
{
    static FlexSides makeParams (const MorphValues& m) noexcept
    {
        return { FlexSide::make (m[1], m[0]), FlexSide::make (m[2], m[3]) };
    }
    static float shape (float x, const FlexSides& sides) noexcept { return sides.shape (x); }
};

// x / (|x| + 1) below 0; above 0 the power knee of m1.
struct TubeMaths
{
    static PowerKnee makeParams (const MorphValues& m) noexcept { return PowerKnee::withExponent (kneeExponent (m[0])); }
    static float shape (float x, const PowerKnee& positive) noexcept
    {
        static constexpr PowerKnee negative { 1.0, 1.0 };
        return (float) (x < 0.0f ? negative : positive).at ((double) x);
    }
};

struct ExponentialMaths
{
    struct Params { float bend, exponent; };

    static Params makeParams (const MorphValues& m) noexcept { return { m[0], powerExponent (m[0], 10.0f) }; }
    static float shape (float x, const Params& p) noexcept
    {
        if (x >= 1.0f || std::isnan (x))
            return 1.0f;
        if (x <= -1.0f)
            return -1.0f;
        return withSignOf (x, powerCurve (std::abs (x), p.bend, p.exponent));
    }
};

struct SingleFoldMaths
{
    struct Params {};

    static Params makeParams (const MorphValues&) noexcept { return {}; }
    static float shape (float x, Params) noexcept
    {
        const float denominator = x * x + 1.0f;
        // Where x * x overflows the fold is down to 0 (and 2x / inf would turn NaN near the top).
        if (denominator == std::numeric_limits<float>::infinity())
            return 0.0f;
        return (x + x) / denominator;
    }
};

// Cuts the magnitude down to a whole multiple of the quantum m1 in a domain warped by the
// exponent of m2.
struct QuantizeMaths
{
    struct Params { float quantum, exponent, inverseExponent; };

    static Params makeParams (const MorphValues& m) noexcept
    {
        const float exponent = std::exp2 (m[1] * 4.0f - 2.0f);
        return { m[0], exponent, 1.0f / exponent };
    }
    static float shape (float x, const Params& p) noexcept
    {
        if (x > 1.0f)
            return 1.0f;
        if (x < -1.0f)
            return -1.0f;
        const float warped = std::pow (std::abs (x), p.exponent);
        const float remainder = p.quantum > 0.0f ? std::fmod (warped, p.quantum) : 0.0f;
        return withSignOf (x, std::pow (warped - remainder, p.inverseExponent));
    }
};

//==============================================================================
// Fold curves.

// A wave of x, held beyond the rule's edges, then the gain-and-clip stage.
template <typename Wave, HoldRule rule>
struct FoldMaths
{
    struct Params { Wave wave; HoldEdges hold; GainClip stage; };

    static Params makeParams (const MorphValues& m) noexcept
    {
        const auto wave = Wave::fromMorph (m);
        return { wave, HoldEdges::forRule (rule, wave.phasePoint),
                 GainClip::fromMorph (m[Wave::gainMorph], m[Wave::gainMorph + 1]) };
    }
    static float shape (float x, const Params& p) noexcept
    {
        const float y0 = x < p.hold.below   ? p.hold.valueBelow
                         : x > p.hold.above ? p.hold.valueAbove
                                            : p.wave.at (x);
        return p.stage.apply (y0);
    }
};

// A wave of the spring-warped magnitude (m3), carried to the side of x; no gain, no clip.
template <typename Wave>
struct SpringFoldMaths
{
    struct Params { Wave wave; Spring spring; };

    static Params makeParams (const MorphValues& m) noexcept { return { Wave::fromMorph (m), Spring::fromMorph (m[2]) }; }
    static float shape (float x, const Params& p) noexcept
    {
        return withSignOf (x, p.wave.at (p.spring.apply (std::abs (x))));
    }
};

//==============================================================================
// The 21 curves, in registry order.

class ShaperClip final : public CurveShaper<SoftClipMaths> {};
class ShaperDriveSym final : public CurveShaper<FlexClipSymMaths> {};
class ShaperDriveAsym final : public CurveShaper<FlexClipAsymMaths> {};
class ShaperTube final : public CurveShaper<TubeMaths> {};
class ShaperExponential final : public CurveShaper<ExponentialMaths> {};
class ShaperTmlSingleFold final : public CurveShaper<SingleFoldMaths> {};
class ShaperQuantizeExpo final : public CurveShaper<QuantizeMaths> {};
class ShaperSineExpo final : public CurveShaper<FoldMaths<SpringSineWave, HoldRule::never>> {};
class ShaperSine1 final : public CurveShaper<FoldMaths<SineWave, HoldRule::form1>> {};
class ShaperSine2 final : public CurveShaper<FoldMaths<SineWave, HoldRule::form2>> {};
class ShaperSine4 final : public CurveShaper<FoldMaths<SineWave, HoldRule::form4>> {};
class ShaperTriangleA final : public CurveShaper<FoldMaths<TriangleWave, HoldRule::never>> {};
class ShaperTriangleA1 final : public CurveShaper<FoldMaths<TriangleWave, HoldRule::form1>> {};
class ShaperTriangleA2 final : public CurveShaper<FoldMaths<TriangleWave, HoldRule::form2>> {};
class ShaperTriangleA4 final : public CurveShaper<FoldMaths<TriangleWave, HoldRule::form4>> {};
class ShaperTriangleASpring final : public CurveShaper<SpringFoldMaths<TriangleWave>> {};
class ShaperTriangleHalf final : public CurveShaper<FoldMaths<HalfTriangleWave, HoldRule::never>> {};
class ShaperTriangleHalf1 final : public CurveShaper<FoldMaths<HalfTriangleWave, HoldRule::halfForm1>> {};
class ShaperTriangleHalf2 final : public CurveShaper<FoldMaths<HalfTriangleWave, HoldRule::halfForm2>> {};
class ShaperTriangleHalf4 final : public CurveShaper<FoldMaths<HalfTriangleWave, HoldRule::form4>> {};
class ShaperTriangleHalfSpring final : public CurveShaper<SpringFoldMaths<HalfTriangleWave>> {};
} // namespace my
