#include "engine/ojx_ShapeProcessor.h"

namespace my
{
namespace
{
// Dial names (empty hides the dial) and default morph values of each curve, in registry order.
struct CurveEntry
{
    std::array<const char*, 4> dialNames;
    MorphValues defaults;
};

constexpr const char* phase = "Phase";
constexpr const char* exponent = "Exponent";
constexpr const char* clip = "Clip";
constexpr const char* hardness = "Hardness";
constexpr const char* spring = "Spring";

constexpr CurveEntry sineHeld { { phase, clip, hardness, "" }, { 0.5f, 0.0f, 1.0f, 0.0f } };
constexpr CurveEntry triangle { { phase, exponent, clip, hardness }, { 0.5f, 0.5f, 0.0f, 1.0f } };
constexpr CurveEntry triangleSpring { { phase, exponent, spring, "" }, { 0.5f, 0.5f, 0.5f, 0.0f } };

constexpr std::array<CurveEntry, ShapeProcessor::numShapes> registry { {
    { { hardness, "", "", "" }, { 0.0f, 0.0f, 0.0f, 0.0f } },                       // Soft Clip
    { { "Curve", "Liner", "", "" }, { 0.0f, 0.0f, 0.0f, 0.0f } },                   // Flex Clip Sym
    { { "N Curve", "N Liner", "P Liner", "P Curve" }, { 0.0f, 0.0f, 0.4f, 0.2f } }, // Flex Clip Asym
    { { "Shape", "", "", "" }, { 0.4f, 0.0f, 0.0f, 0.0f } },                        // Tube
    { { exponent, "", "", "" }, { 0.6f, 0.0f, 0.0f, 0.0f } },                       // Exponential
    { { "", "", "", "" }, { 0.0f, 0.0f, 0.0f, 0.0f } },                             // Single Fold
    { { "Quantum", exponent, "", "" }, { 0.1f, 0.5f, 0.0f, 0.0f } },                // Quantize
    { { phase, spring, clip, hardness }, { 0.5f, 0.5f, 0.0f, 1.0f } },              // Sine
    sineHeld,                                                                       // Sine 1
    sineHeld,                                                                       // Sine 2
    sineHeld,                                                                       // Sine 4
    triangle,                                                                       // Triangle
    triangle,                                                                       // Triangle 1
    triangle,                                                                       // Triangle 2
    triangle,                                                                       // Triangle 4
    triangleSpring,                                                                 // Triangle Spring
    triangle,                                                                       // Triangle Half
    triangle,                                                                       // Triangle Half 1
    triangle,                                                                       // Triangle Half 2
    { { "Shape", exponent, clip, hardness }, { 0.5f, 0.5f, 0.0f, 1.0f } },          // Triangle Half 4
    triangleSpring,                                                                 // Triangle Half Spring
} };
} // namespace

//==============================================================================
void MorphSmoother::setTargetValue (float newTarget) noexcept
{
    if (newTarget == target)
        return;

    if (rampLength <= 0)
    {
        current = target = newTarget;
        countdown = 0;
        return;
    }

    target = newTarget;
    countdown = rampLength;
    increment = (newTarget - current) / (float) rampLength;
}

float MorphSmoother::getNextValue() noexcept
{
    if (countdown <= 0)
        return target;

    --countdown;
    current = countdown == 0 ? target : current + increment;
    return current;
}

void MorphSmoother::skipToTarget() noexcept
{
    current = target;
    countdown = 0;
}

//==============================================================================
ShapeProcessor::ShapeProcessor()
{
    std::apply ([this] (auto&... curve) { shapers = { &curve... }; }, curves);

    for (size_t i = 0; i < shapers.size(); ++i)
    {
        for (size_t k = 0; k < numMorphs; ++k)
            shapers[i]->morphNames[k] = registry[i].dialNames[k];
        shapers[i]->defaultMorph = registry[i].defaults;
    }
}

int ShapeProcessor::rampLengthFor (float rate) noexcept
{
    const double frames = std::floor (rampSeconds * (double) rate);
    if (! (frames > 0.0))
        return 0;
    return (int) std::min (frames, (double) std::numeric_limits<int>::max());
}

void ShapeProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    sampleRate = (float) processSpec.sampleRate;
    for (auto& smoother : morphSmoothers)
    {
        smoother.setRampLength (rampLengthFor (sampleRate));
        smoother.skipToTarget();
    }
}

void ShapeProcessor::reset()
{
    inputMax.store (0.0f, std::memory_order_relaxed);
    inputMin.store (0.0f, std::memory_order_relaxed);
}

void ShapeProcessor::setSmoothTargetValues()
{
    for (size_t i = 0; i < numMorphs; ++i)
        morphSmoothers[i].setTargetValue (morphTarget[i]);
}

ShaperBase& ShapeProcessor::getSelectedShaper() const noexcept
{
    return *shapers[(size_t) juce::jlimit (0, numShapes - 1, shapeIndex.load (std::memory_order_relaxed))];
}

void ShapeProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    // A block without two channels is shaped as an empty one rather than read out of bounds.
    const bool isStereo = block.getNumChannels() >= 2;
    const int numFrames = isStereo ? (int) block.getNumSamples() : 0;
    float* left = isStereo ? block.getChannelPointer (0) : nullptr;
    float* right = isStereo ? block.getChannelPointer (1) : nullptr;

    recordInputSpan (left, right, numFrames);
    setSmoothTargetValues();

    const int index = juce::jlimit (0, numShapes - 1, shapeIndex.load (std::memory_order_relaxed));
    // In the block in which the curve changes, the new curve keeps the morph values it last had
    // and the glides jump, so the next block takes its targets at once.
    const bool sameCurve = index == lastShapeIndex;
    startBlockGlides (sameCurve);

    ShaperBase& curve = *shapers[(size_t) index];
    int done = 0;
    if (sameCurve)
    {
        done = shapeWhileGliding (curve, left, right, numFrames);
        if (done < numFrames)
            curve.setMorph (morphTargetsReached());
    }

    if (done < numFrames)
    {
        curve.processSamples (left + done, numFrames - done);
        curve.processSamples (right + done, numFrames - done);
    }

    lastShapeIndex = index;
}

void ShapeProcessor::recordInputSpan (const float* left, const float* right, int numFrames) noexcept
{
    // The sentinels stand when there are no frames; NaN samples never win a comparison. Each lane
    // keeps its own extremes through the block, and the lanes meet at the end.
    auto highest = vec::broadcast (-100.0f), lowest = vec::broadcast (100.0f);
    float high = -100.0f, low = 100.0f;
    for (const float* channel : { left, right })
    {
        int t = 0;
        for (; t + vec::lanes <= numFrames; t += vec::lanes)
        {
            const auto x = vec::load (channel + t, vec::lanes);
            highest = vec::select (highest < x, x, highest);
            lowest = vec::select (x < lowest, x, lowest);
        }
        for (; t < numFrames; ++t)
        {
            high = std::max (high, channel[t]);
            low = std::min (low, channel[t]);
        }
    }
    for (int lane = 0; lane < vec::lanes; ++lane)
    {
        high = std::max (high, highest[lane]);
        low = std::min (low, lowest[lane]);
    }
    inputMax.store (high, std::memory_order_relaxed);
    inputMin.store (low, std::memory_order_relaxed);
}

void ShapeProcessor::startBlockGlides (bool sameCurve) noexcept
{
    const int rampLength = sameCurve ? rampLengthFor (sampleRate) : 0;
    for (auto& smoother : morphSmoothers)
    {
        smoother.setRampLength (rampLength);
        if (! sameCurve)
            smoother.skipToTarget();
    }
}

int ShapeProcessor::longestGlide() const noexcept
{
    int frames = 0;
    for (const auto& smoother : morphSmoothers)
        frames = std::max (frames, smoother.getFramesLeft());
    return frames;
}

// Shapes frames while any morph value still glides, one stretch at a time, and returns how many
// frames it shaped; the rest of the block sees settled morph values.
int ShapeProcessor::shapeWhileGliding (ShaperBase& curve, float* left, float* right, int numFrames) noexcept
{
    int done = 0;
    while (done < numFrames)
    {
        const int stretch = std::min ({ numFrames - done, (int) glideFrames.size(), longestGlide() });
        if (stretch <= 0)
            break;

        for (size_t t = 0; t < (size_t) stretch; ++t)
            for (size_t i = 0; i < numMorphs; ++i)
                glideFrames[t][i] = morphSmoothers[i].getNextValue();

        curve.processFramesWithMorphs (left + done, right + done, glideFrames.data(), stretch);
        curve.setMorph (glideFrames[(size_t) stretch - 1]);
        done += stretch;
    }
    return done;
}

MorphValues ShapeProcessor::morphTargetsReached() const noexcept
{
    MorphValues values;
    for (size_t i = 0; i < numMorphs; ++i)
        values[i] = morphSmoothers[i].getTargetValue();
    return values;
}
} // namespace my
