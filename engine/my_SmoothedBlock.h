#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <utility>

namespace my::smoothed
{
// What the smoothed blocks (gain, mix, offset, pan) share: a linear smoother whose ramp lasts
// 0.1 s at the prepared rate, and the split of a block into the frames of a running ramp and the
// settled rest.
using LinearSmoother = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

inline constexpr double rampSeconds = 0.1;

// Calls rampFrame (frame, value) for each frame while the smoother ramps, then, if frames are left,
// settled (firstFrame, value) once with the value that every remaining frame would get. Both must
// apply the same per-frame formula; settled does it for whole channels at once.
template <typename RampFrame, typename Settled>
inline void processFrames (LinearSmoother& smoother, int numFrames, RampFrame&& rampFrame, Settled&& settled)
{
    int frame = 0;

    for (; frame < numFrames && smoother.isSmoothing(); ++frame)
        rampFrame (frame, smoother.getNextValue());

    if (frame < numFrames)
        settled (frame, smoother.getTargetValue());
}

// Multiplies channels 0 and 1 of a stereo block by the pair of factors that gainsOf (value)
// returns for each frame's smoothed value: per frame while ramping, per channel once settled.
// A block with fewer than two channels is left alone.
template <typename GainsOf>
inline void multiplyFrames (LinearSmoother& smoother, juce::dsp::AudioBlock<float>& block, GainsOf&& gainsOf)
{
    if (block.getNumChannels() < 2)
        return;

    auto* left = block.getChannelPointer (0);
    auto* right = block.getChannelPointer (1);
    const auto numFrames = (int) block.getNumSamples();

    processFrames (
        smoother, numFrames,
        [&] (int frame, float value)
        {
            const auto [leftGain, rightGain] = gainsOf (value);
            left[frame] *= leftGain;
            right[frame] *= rightGain;
        },
        [&] (int firstFrame, float value)
        {
            const auto [leftGain, rightGain] = gainsOf (value);
            // A factor of exactly 1 (0 dB) leaves every sample as it is: no pass over the channel.
            if (leftGain != 1.0f)
                juce::FloatVectorOperations::multiply (left + firstFrame, leftGain, numFrames - firstFrame);
            if (rightGain != 1.0f)
                juce::FloatVectorOperations::multiply (right + firstFrame, rightGain, numFrames - firstFrame);
        });
}
} // namespace my::smoothed
