// The curves' formulas, all lanes at a time. Included inside a namespace that names its lane set
// vec (engine/my_VectorMaths.h) and uses its Floats and Doubles; no include guard, as each lane
// set includes it once. Where a formula branches, every branch is worked out for all lanes and
// each lane keeps its own, so each lane gets the numbers of the plain per-sample formula whatever
// its neighbours hold. Single precision throughout, except the power knee.

// sign(x) -> r: the magnitude r carried to the side of x (0 and NaN count as positive).
inline Floats withSignOf (Floats x, Floats r) noexcept { return vec::select (x < 0.0f, -r, r); }

// v limited to -1..1; NaN stays NaN.
inline Floats limitToUnit (Floats v) noexcept
{
    return vec::select (v < -1.0f, vec::broadcast (-1.0f), vec::select (1.0f < v, vec::broadcast (1.0f), v));
}

// Hardness clip: |v| below h passes unchanged, above it a tanh knee bends towards +-1.
// h = 0 is tanh(v); h >= 1 is a hard clip at +-1.
inline Floats getProcessedClip (Floats v, float h) noexcept
{
    const auto magnitude = vec::abs (v);
    const auto passes = h > magnitude;
    if (vec::allOf (passes))
        return v;
    if (h >= 1.0f)
        return vec::select (passes, v, limitToUnit (v));
    const float k = 1.0f - h;
    const auto argument = (magnitude - h) / k;
    // Driven hard, whole groups of lanes sit where tanh is 1 and need no call.
    const auto saturated = vec::allOf (passes | (argument >= vec::tanhIsOneFrom));
    const auto knee = (saturated ? vec::broadcast (1.0f) : vec::tanh (argument)) * k + h;
    return vec::select (passes, v, vec::select (v > 0.0f, knee, -knee));
}

// Power knee u / (|u|^n + 1)^(1/n), in double precision: slope 1 at 0, tending to +-1.
struct PowerKnee
{
    double exponent, inverseExponent;

    static PowerKnee withExponent (double n) noexcept { return { n, 1.0 / n }; }

    // Two lanes, each with its own exponent n and 1 / n.
    static Doubles at (Doubles u, Doubles n, Doubles inverseN) noexcept
    {
        const auto powered = vec::powerOrSame (vec::abs (u), n);
        // Once |u|^n overflows the knee has reached its limit; dividing by infinity would give 0.
        const auto limit = vec::select (u < 0.0, Doubles {} - 1.0, Doubles {} + 1.0);
        const auto overflowed = powered == std::numeric_limits<double>::infinity();
        return vec::select (overflowed, limit, u / vec::powerOrSame (powered + 1.0, inverseN));
    }
    Doubles at (Doubles u) const noexcept { return at (u, Doubles {} + exponent, Doubles {} + inverseExponent); }
    double at (double u) const noexcept { return at (Doubles { u, u })[0]; }
};

// Maps 0..1 onto 0..1 with a fast start for e above 0.5 and a slow start otherwise.
inline Floats powerCurve (Floats t, float e, float p) noexcept
{
    return e > 0.5f ? 1.0f - vec::powerOrSame (1.0f - t, p) : vec::powerOrSame (t, p);
}

// v - floor(v) for v >= 0, exact; 0 from 2^23 on, where every float is whole. Infinity counts as
// such a value, so the folds settle on a finite result instead of inf - inf.
inline Floats fractionalPart (Floats v) noexcept
{
    return vec::select (v >= 8388608.0f, Floats {}, vec::fractionOfSmall (v));
}

// X^(2^(4s - 2)) scaled by 10^(1 - 2s); s = 0.5 leaves X as it is.
struct Spring
{
    float factor, exponent;

    static Spring fromMorph (float s) noexcept { return { exp10Single (1.0f - (s + s)), std::exp2 (s * 4.0f - 2.0f) }; }
    Floats apply (Floats magnitude) const noexcept { return factor * vec::powerOrSame (magnitude, exponent); }
};

// Linear map of -1..1 onto -pi..pi, folded to its magnitude: pi|x|.
inline Floats sineInputMap (Floats x) noexcept
{
    constexpr float pi = juce::MathConstants<float>::pi;
    return vec::abs ((x + 1.0f) * (pi + pi) * 0.5f - pi);
}

// Piecewise linear warp of 0..2pi that moves the quarter-turn to b pi and the three-quarter turn
// to (2 - b) pi.
inline Floats sinePhase (Floats w, float b) noexcept
{
    constexpr float pi = juce::MathConstants<float>::pi;
    constexpr float quarter = pi * 0.5f, threeQuarters = pi * 1.5f, full = pi + pi;
    const float c = b * pi, d = (2.0f - b) * pi;
    // Each piece maps lo..hi onto lo'..hi' as lo' + (hi' - lo') (w - lo) / (hi - lo); the lanes
    // pick their piece's numbers first, so one division serves all three.
    const auto isFirst = w < c, isSecond = ~isFirst & (w < d);
    const auto pick = [isFirst, isSecond] (float first, float second, float third)
    {
        return vec::select (isFirst, vec::broadcast (first),
                            vec::select (isSecond, vec::broadcast (second), vec::broadcast (third)));
    };
    const auto from = pick (0.0f, quarter, threeQuarters),
               rise = pick (quarter, threeQuarters - quarter, full - threeQuarters);
    const auto start = pick (0.0f, c, d), length = pick (c, d - c, full - d);
    return from + rise * (w - start) / length;
}

// sign(x) -> sin of the warped phase of u (u = pi|x|, possibly spring-warped).
inline Floats sineValue (Floats x, Floats u, float b) noexcept
{
    constexpr float full = juce::MathConstants<float>::twoPi;
    const auto w = full * fractionalPart (u / full);
    return withSignOf (x, vec::sin (sinePhase (w, b)));
}

// Gain of 1..8 followed by the hardness clip: the last stage of most fold curves.
struct GainClip
{
    float gain, hardness;

    static GainClip fromMorph (float g, float h) noexcept { return { g * 7.0f + 1.0f, h }; }
    Floats apply (Floats y0) const noexcept { return getProcessedClip (gain * y0, hardness); }
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
    Floats at (Floats x) const noexcept { return sineValue (x, sineInputMap (x), phasePoint); }
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
    Floats at (Floats x) const noexcept { return sineValue (x, spring.apply (sineInputMap (x)), phasePoint); }
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
    static TriangleWave fromMorph (const MorphValues& m) noexcept
    {
        return withShape (trianglePhasePoint (m[0]), m[1]);
    }

    Floats at (Floats x) const noexcept
    {
        const auto magnitude = vec::abs (x);
        const auto firstRise = powerCurve (magnitude / phasePoint, bend, firstRiseExponent);

        // Falls and rises share one power curve: each lane takes the segment it is on.
        const auto u = 2.0f * fractionalPart ((magnitude - phasePoint) * 0.5f);
        const auto isFalling = u < fallLength;
        const auto t = vec::select (isFalling, u, u - fallLength) /
                       vec::select (isFalling, vec::broadcast (fallLength), vec::broadcast (2.0f - fallLength));
        const auto curve = powerCurve (t, bend, segmentExponent);
        const auto y0 = vec::select (isFalling, 1.0f - 2.0f * curve, 2.0f * curve - 1.0f);
        return withSignOf (x, vec::select (magnitude < phasePoint, firstRise, y0));
    }
};

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

    Floats magnitudeAt (Floats magnitude) const noexcept
    {
        const auto fr = fractionalPart (magnitude);
        const auto rise = powerCurve (fr / phasePoint, riseBend, riseExponent);
        const auto fall = powerCurve ((1.0f - fr) / (1.0f - phasePoint), fallBend, fallExponent);
        return vec::select (fr < phasePoint, rise, fall);
    }
    Floats at (Floats x) const noexcept { return withSignOf (x, magnitudeAt (vec::abs (x))); }
};

// Saturation curves.

struct SoftClipMaths
{
    static float makeParams (const MorphValues& m) noexcept { return m[0]; }
    static Floats shape (Floats x, float hardness) noexcept { return getProcessedClip (x, hardness); }
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
};

// Linear between -L of the negative side and L of the positive side; beyond, L + room x knee of
// (x - L) / room on the positive side and -L + room x knee of (x + L) / room on the negative.
struct FlexSides
{
    FlexSide negative, positive;

    Floats shape (Floats x) const noexcept
    {
        const auto isBelow = x < -negative.linearEnd;
        const auto isLinear = ~isBelow & (x < positive.linearEnd);
        if (vec::allOf (isLinear))
            return x;

        // One knee call serves both sides: each lane takes its own side's numbers.
        const auto fromEnd =
            x + vec::select (isBelow, vec::broadcast (negative.linearEnd), vec::broadcast (-positive.linearEnd));
        const auto bent = vec::narrow (bend (vec::lowerHalf (x), vec::lowerHalf (fromEnd)),
                                       bend (vec::upperHalf (x), vec::upperHalf (fromEnd)));
        return vec::select (isLinear, x, bent);
    }

private:
    Doubles bend (Doubles x, Doubles fromEnd) const noexcept
    {
        const auto isBelow = x < (double) -negative.linearEnd;
        const auto pick = [isBelow] (double below, double above)
        { return vec::select (isBelow, Doubles {} + below, Doubles {} + above); };
        const auto end = pick (-(double) negative.linearEnd, (double) positive.linearEnd);
        const auto room = pick (negative.room, positive.room);
        const auto knee = PowerKnee::at (fromEnd / room, pick (negative.knee.exponent, positive.knee.exponent),
                                         pick (negative.knee.inverseExponent, positive.knee.inverseExponent));
        return end + room * knee;
    }
};

struct FlexClipSymMaths
{
    static FlexSides makeParams (const MorphValues& m) noexcept
    {
        const auto side = FlexSide::make (m[1], m[0]);
        return { side, side };
    }
    static Floats shape (Floats x, const FlexSides& sides) noexcept { return sides.shape (x); }
};

struct FlexClipAsymMaths
{
    static FlexSides makeParams (const MorphValues& m) noexcept
    {
        return { FlexSide::make (m[1], m[0]), FlexSide::make (m[2], m[3]) };
    }
    static Floats shape (Floats x, const FlexSides& sides) noexcept { return sides.shape (x); }
};

// x / (|x| + 1) below 0; above 0 the power knee of m1.
struct TubeMaths
{
    static PowerKnee makeParams (const MorphValues& m) noexcept
    {
        return PowerKnee::withExponent (kneeExponent (m[0]));
    }
    static Floats shape (Floats x, const PowerKnee& positive) noexcept
    {
        const auto half = [&positive] (Doubles u)
        {
            const auto isNegative = u < 0.0;
            return PowerKnee::at (u, vec::select (isNegative, Doubles {} + 1.0, Doubles {} + positive.exponent),
                                  vec::select (isNegative, Doubles {} + 1.0, Doubles {} + positive.inverseExponent));
        };
        return vec::narrow (half (vec::lowerHalf (x)), half (vec::upperHalf (x)));
    }
};

struct ExponentialMaths
{
    struct Params
    {
        float bend, exponent;
    };

    static Params makeParams (const MorphValues& m) noexcept { return { m[0], powerExponent (m[0], 10.0f) }; }
    static Floats shape (Floats x, const Params& p) noexcept
    {
        const auto curve = withSignOf (x, powerCurve (vec::abs (x), p.bend, p.exponent));
        const auto isTop = (x >= 1.0f) | (x != x); // NaN counts as the top
        return vec::select (isTop, vec::broadcast (1.0f), vec::select (x <= -1.0f, vec::broadcast (-1.0f), curve));
    }
};

struct SingleFoldMaths
{
    struct Params
    {
    };

    static Params makeParams (const MorphValues&) noexcept { return {}; }
    static Floats shape (Floats x, Params) noexcept
    {
        const auto denominator = x * x + 1.0f;
        // Where x * x overflows the fold is down to 0 (and 2x / inf would turn NaN near the top).
        return vec::select (denominator == std::numeric_limits<float>::infinity(), Floats {}, (x + x) / denominator);
    }
};

// Cuts the magnitude down to a whole multiple of the quantum m1 in a domain warped by the
// exponent of m2.
struct QuantizeMaths
{
    struct Params
    {
        float quantum, exponent, inverseExponent;
    };

    static Params makeParams (const MorphValues& m) noexcept
    {
        const float exponent = std::exp2 (m[1] * 4.0f - 2.0f);
        return { m[0], exponent, 1.0f / exponent };
    }
    static Floats shape (Floats x, const Params& p) noexcept
    {
        const auto warped = vec::powerOrSame (vec::abs (x), p.exponent);
        Floats remainder {};
        if (p.quantum > 0.0f)
            for (int i = 0; i < vec::lanes; ++i)
                remainder[i] = std::fmod (warped[i], p.quantum);
        const auto quantized = withSignOf (x, vec::powerOrSame (warped - remainder, p.inverseExponent));
        return vec::select (x > 1.0f, vec::broadcast (1.0f),
                            vec::select (x < -1.0f, vec::broadcast (-1.0f), quantized));
    }
};

//==============================================================================
// Fold curves.

// A wave of x, held beyond the rule's edges, then the gain-and-clip stage.
template <typename Wave, HoldRule rule> struct FoldMaths
{
    struct Params
    {
        Wave wave;
        HoldEdges hold;
        GainClip stage;
    };

    static Params makeParams (const MorphValues& m) noexcept
    {
        const auto wave = Wave::fromMorph (m);
        return { wave, HoldEdges::forRule (rule, wave.phasePoint),
                 GainClip::fromMorph (m[Wave::gainMorph], m[Wave::gainMorph + 1]) };
    }
    static Floats shape (Floats x, const Params& p) noexcept
    {
        const auto y0 = vec::select (x < p.hold.below, vec::broadcast (p.hold.valueBelow),
                                     vec::select (x > p.hold.above, vec::broadcast (p.hold.valueAbove), p.wave.at (x)));
        return p.stage.apply (y0);
    }
};

// A wave of the spring-warped magnitude (m3), carried to the side of x; no gain, no clip.
template <typename Wave> struct SpringFoldMaths
{
    struct Params
    {
        Wave wave;
        Spring spring;
    };

    static Params makeParams (const MorphValues& m) noexcept
    {
        return { Wave::fromMorph (m), Spring::fromMorph (m[2]) };
    }
    static Floats shape (Floats x, const Params& p) noexcept
    {
        return withSignOf (x, p.wave.at (p.spring.apply (vec::abs (x))));
    }
};

// The 21 curves' formulas, in registry order.
using SoftClip = SoftClipMaths;
using FlexClipSym = FlexClipSymMaths;
using FlexClipAsym = FlexClipAsymMaths;
using Tube = TubeMaths;
using Exponential = ExponentialMaths;
using SingleFold = SingleFoldMaths;
using Quantize = QuantizeMaths;
using SineExpo = FoldMaths<SpringSineWave, HoldRule::never>;
using Sine1 = FoldMaths<SineWave, HoldRule::form1>;
using Sine2 = FoldMaths<SineWave, HoldRule::form2>;
using Sine4 = FoldMaths<SineWave, HoldRule::form4>;
using TriangleA = FoldMaths<TriangleWave, HoldRule::never>;
using TriangleA1 = FoldMaths<TriangleWave, HoldRule::form1>;
using TriangleA2 = FoldMaths<TriangleWave, HoldRule::form2>;
using TriangleA4 = FoldMaths<TriangleWave, HoldRule::form4>;
using TriangleASpring = SpringFoldMaths<TriangleWave>;
using TriangleHalf = FoldMaths<HalfTriangleWave, HoldRule::never>;
using TriangleHalf1 = FoldMaths<HalfTriangleWave, HoldRule::halfForm1>;
using TriangleHalf2 = FoldMaths<HalfTriangleWave, HoldRule::halfForm2>;
using TriangleHalf4 = FoldMaths<HalfTriangleWave, HoldRule::form4>;
using TriangleHalfSpring = SpringFoldMaths<HalfTriangleWave>;

// Shapes numSamples samples in place with the morph values m: one setup, then all lanes at a time;
// a short rest fills the first lanes of one more pass.
template <typename Maths> void shapeSamples (float* samples, int numSamples, const MorphValues& m) noexcept
{
    const auto params = Maths::makeParams (m);
    int i = 0;
    for (; i + vec::lanes <= numSamples; i += vec::lanes)
        vec::store (samples + i, Maths::shape (vec::load (samples + i, vec::lanes), params), vec::lanes);
    if (const int rest = numSamples - i; rest > 0)
        vec::store (samples + i, Maths::shape (vec::load (samples + i, rest), params), rest);
}

// Single values of the shared steps, for callers outside the curves.
inline double kneeAt (double u, double n) noexcept { return PowerKnee::withExponent (n).at (u); }
inline float fractionOf (float v) noexcept { return fractionalPart (vec::broadcast (v))[0]; }
inline float triangleAt (float a, float e, float x) noexcept
{
    return TriangleWave::withShape (a, e).at (vec::broadcast (x))[0];
}
inline float halfTriangleAt (float a, float e, float magnitude) noexcept
{
    return HalfTriangleWave::withShape (a, e).magnitudeAt (vec::broadcast (magnitude))[0];
}
