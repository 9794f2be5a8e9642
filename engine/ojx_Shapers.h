#pragma once

#include "engine/my_VectorMaths.h"

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
// Steps shared by the curves that work on morph values only, once per block or frame.

inline float exp10Single (float v) noexcept
{
#if defined(__GLIBC__)
    return ::exp10f (v);
#else
    return std::pow (10.0f, v);
#endif
}

// Knee exponent of a morph value: 1 at 0, 50 at 1.
inline double kneeExponent (float m) noexcept { return (double) (std::pow (m, 4.0f) * 49.0f + 1.0f); }

// 2^|2se - s|: 1 at e = 0.5, 2^s at e = 0 and e = 1.
inline float powerExponent (float e, float s) noexcept
{
    const float exponent = e < 0.5f ? 2.0f * (-s * e) + s : 2.0f * (s * (e - 0.5f));
    return std::exp2 (exponent);
}

// Where the sine curves put their first peak (0.03..0.97) and the triangles theirs (0.01..0.99).
inline float sinePhasePoint (float m1) noexcept { return m1 * (0.97f - 0.03f) + 0.03f; }
inline float trianglePhasePoint (float m1) noexcept { return m1 * 0.98f + 0.01f; }

// Where a holding fold curve stops folding; p is its phase point.
enum class HoldRule
{
    never,     // free-running
    form1,     // +1 above p, +1 below p - 2 (Sine 1, Triangle 1)
    form2,     // -1 above 2 - p, +1 below p - 2 (Sine 2, Triangle 2)
    form4,     // +1 above 2 + p, -1 below -(2 + p) (Sine 4, Triangle 4, Triangle Half 4)
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
        // clang-format off
        switch (rule)
        {
            case HoldRule::form1:     return { p - 2.0f, 1.0f, p, 1.0f };
            case HoldRule::form2:     return { p - 2.0f, 1.0f, 2.0f - p, -1.0f };
            case HoldRule::form4:     return { -(2.0f + p), -1.0f, 2.0f + p, 1.0f };
            case HoldRule::halfForm1: return { -(1.0f + p), -1.0f, p, 1.0f };
            case HoldRule::halfForm2: return { -(1.0f + p), -1.0f, 1.0f + p, 1.0f };
            case HoldRule::never:     break;
        }
        // clang-format on
        return {};
    }
};

//==============================================================================
// The curves' formulas in the four-lane set, which runs anywhere, and in the eight-lane set, which
// runs where the processor has AVX2 (engine/my_VectorMaths.h).

namespace lanes4
{
namespace vec = my::vec;
using vec::Doubles;
using vec::Floats;
#include "engine/ojx_ShaperMaths.inl"
} // namespace lanes4

#if WKR_WIDE_LANES
WKR_BEGIN_WIDE_LANES
namespace lanes8
{
namespace vec = my::vec8;
using vec::Doubles;
using vec::Floats;
#  include "engine/ojx_ShaperMaths.inl"
} // namespace lanes8
WKR_END_WIDE_LANES
#endif

// The lane set of this processor, fixed at start-up: the eight-lane one where it may run. The
// curve view and the audio path always go through the same one.
#if WKR_WIDE_LANES
#  define WKR_WITH_LANE_SET(call) (vec::hasWideLanes ? lanes8::call : lanes4::call)
#else
#  define WKR_WITH_LANE_SET(call) (lanes4::call)
#endif

inline double getProcessedDrive (double u, double n) noexcept { return WKR_WITH_LANE_SET (kneeAt (u, n)); }
inline float fractionalPart (float v) noexcept { return WKR_WITH_LANE_SET (fractionOf (v)); }
inline float getProcessedTriangleA (float a, float e, float x) noexcept
{
    return WKR_WITH_LANE_SET (triangleAt (a, e, x));
}
inline float getProcessedTriangleHalf (float a, float e, float magnitude) noexcept
{
    return WKR_WITH_LANE_SET (halfTriangleAt (a, e, magnitude));
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

    std::array<juce::String, 4> morphNames;                             // set once by the slot; empty hides the dial
    std::array<std::atomic<float>, 4> morph { 0.0f, 0.0f, 0.0f, 0.0f }; // audio thread; the curve view reads
    MorphValues defaultMorph {};                                        // set once by the slot

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShaperBase)
};

// Gives a curve its three entry points from the name of its formula in the lane sets. A single
// sample runs through the same code as a block, so the curve view draws exactly what plays.
#if WKR_WIDE_LANES
#  define WKR_CURVE(name) CurveShaper<lanes4::name, lanes8::name>
#else
#  define WKR_CURVE(name) CurveShaper<lanes4::name>
#endif

template <typename Narrow, typename Wide = Narrow> class CurveShaper : public ShaperBase
{
public:
    float getProcessed (float x) const override
    {
        shape (&x, 1, getMorph());
        return x;
    }

    void processSamples (float* samples, int numSamples) const override { shape (samples, numSamples, getMorph()); }

    void processFramesWithMorphs (float* left, float* right, const MorphValues* morphs, int numFrames) const override
    {
        for (int t = 0; t < numFrames; ++t)
        {
            float frame[2] { left[t], right != nullptr ? right[t] : 0.0f };
            shape (frame, 2, morphs[t]);
            left[t] = frame[0];
            if (right != nullptr)
                right[t] = frame[1];
        }
    }

private:
    static void shape (float* samples, int numSamples, const MorphValues& m) noexcept
    {
#if WKR_WIDE_LANES
        if (vec::hasWideLanes)
            return lanes8::shapeSamples<Wide> (samples, numSamples, m);
#endif
        lanes4::shapeSamples<Narrow> (samples, numSamples, m);
    }
};

//==============================================================================
// The 21 curves, in registry order.

class ShaperClip final : public WKR_CURVE (SoftClip)
{
};
class ShaperDriveSym final : public WKR_CURVE (FlexClipSym)
{
};
class ShaperDriveAsym final : public WKR_CURVE (FlexClipAsym)
{
};
class ShaperTube final : public WKR_CURVE (Tube)
{
};
class ShaperExponential final : public WKR_CURVE (Exponential)
{
};
class ShaperTmlSingleFold final : public WKR_CURVE (SingleFold)
{
};
class ShaperQuantizeExpo final : public WKR_CURVE (Quantize)
{
};
class ShaperSineExpo final : public WKR_CURVE (SineExpo)
{
};
class ShaperSine1 final : public WKR_CURVE (Sine1)
{
};
class ShaperSine2 final : public WKR_CURVE (Sine2)
{
};
class ShaperSine4 final : public WKR_CURVE (Sine4)
{
};
class ShaperTriangleA final : public WKR_CURVE (TriangleA)
{
};
class ShaperTriangleA1 final : public WKR_CURVE (TriangleA1)
{
};
class ShaperTriangleA2 final : public WKR_CURVE (TriangleA2)
{
};
class ShaperTriangleA4 final : public WKR_CURVE (TriangleA4)
{
};
class ShaperTriangleASpring final : public WKR_CURVE (TriangleASpring)
{
};
class ShaperTriangleHalf final : public WKR_CURVE (TriangleHalf)
{
};
class ShaperTriangleHalf1 final : public WKR_CURVE (TriangleHalf1)
{
};
class ShaperTriangleHalf2 final : public WKR_CURVE (TriangleHalf2)
{
};
class ShaperTriangleHalf4 final : public WKR_CURVE (TriangleHalf4)
{
};
class ShaperTriangleHalfSpring final : public WKR_CURVE (TriangleHalfSpring)
{
};
} // namespace my
