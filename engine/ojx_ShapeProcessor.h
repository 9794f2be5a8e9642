#pragma once

#include "engine/my_DspProcessorBase.h"
#include "engine/ojx_Shapers.h"

#include <array>
#include <atomic>
#include <tuple>

namespace my
{
// Linear glide of one morph value. Unlike the framework's smoothed value, a new ramp length
// leaves a running ramp alone.
class MorphSmoother
{
public:
    // A new target starts a ramp from the present value; an equal one changes nothing, and with
    // no ramp length the target is taken at once.
    void setTargetValue (float newTarget) noexcept;
    // Value of the next frame; the last frame of a ramp lands exactly on the target.
    float getNextValue() noexcept;
    void skipToTarget() noexcept;
    void setRampLength (int frames) noexcept { rampLength = frames; }

    float getCurrentValue() const noexcept { return current; }
    float getTargetValue() const noexcept { return target; }
    int getFramesLeft() const noexcept { return countdown; }
    int getRampLength() const noexcept { return rampLength; }

private:
    float current = 0.0f;
    float target = 0.0f;
    int countdown = 0;
    float increment = 0.0f;
    int rampLength = 0;
};

// One shaper slot: shapes channels 0 and 1 in place with the selected curve of its 21, glides
// the curve's four morph values towards their targets, and records the span of its input.
class ShapeProcessor : public DspProcessorBase
{
public:
    static constexpr int numShapes = 21;
    static constexpr int numMorphs = 4;
    static constexpr double rampSeconds = 0.1;

    ShapeProcessor();
    ~ShapeProcessor() override = default;

    void prepare (juce::dsp::ProcessSpec& processSpec) override;
    // Clears the recorded input span, nothing else.
    void reset() override;
    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;
    void setSmoothTargetValues() override;

    // The selected curve (an out-of-range index reads as the nearest curve). Any thread.
    ShaperBase& getSelectedShaper() const noexcept;

    // Frames one morph glide takes at a given rate: floor(0.1 x rate).
    static int rampLengthFor (float rate) noexcept;

    std::atomic<int> shapeIndex { 0 };             // registry index 0..20; audio thread (processor), editor reads
    MorphValues morphTarget {};                    // audio thread (processor), before each block
    int lastShapeIndex = 0;                        // audio thread: shapeIndex at the end of the last block
    std::array<ShaperBase*, numShapes> shapers {}; // points at the curves below; fixed at construction

private:
    std::tuple<ShaperClip, ShaperDriveSym, ShaperDriveAsym, ShaperTube, ShaperExponential, ShaperTmlSingleFold,
               ShaperQuantizeExpo, ShaperSineExpo, ShaperSine1, ShaperSine2, ShaperSine4, ShaperTriangleA,
               ShaperTriangleA1, ShaperTriangleA2, ShaperTriangleA4, ShaperTriangleASpring, ShaperTriangleHalf,
               ShaperTriangleHalf1, ShaperTriangleHalf2, ShaperTriangleHalf4, ShaperTriangleHalfSpring>
        curves;

public:
    std::atomic<float> inputMax { 0.0f }; // audio thread; largest sample into the curve last block
    std::atomic<float> inputMin { 0.0f }; // audio thread; smallest such sample
    float sampleRate = 44100.0f;          // written by prepare
    std::array<MorphSmoother, numMorphs> morphSmoothers;

private:
    void recordInputSpan (const float* left, const float* right, int numFrames) noexcept;
    void startBlockGlides (bool sameCurve) noexcept;
    int longestGlide() const noexcept;
    int shapeWhileGliding (ShaperBase& curve, float* left, float* right, int numFrames) noexcept;
    MorphValues morphTargetsReached() const noexcept;

    // Morph values of the frames of one stretch of a glide, handed to the curve in one call.
    std::array<MorphValues, 64> glideFrames {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShapeProcessor)
};
} // namespace my
