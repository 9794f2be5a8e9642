#pragma once

#include "engine/my_DspProcessorBase.h"
#include "engine/my_SmoothedBlock.h"

#include <cmath>

namespace my
{
// Stereo gain in decibels, ramped linearly in dB over 0.1 s once prepared. -200 dB and below is
// exact silence.
class GainProcessor : public DspProcessorBase
{
public:
    static constexpr float silenceDecibels = -200.0f;

    GainProcessor() = default;

    void prepare (juce::dsp::ProcessSpec& processSpec) override;
    void reset() override;
    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;
    void setSmoothTargetValues() override;

    // The per-frame formula: the linear factor for a gain in dB.
    static inline float gainFactor (float decibels) noexcept
    {
        return decibels > silenceDecibels ? std::pow (10.0f, decibels / 20.0f) : 0.0f;
    }

    float targetValue = 0.0f;     // dB; written by the owner on the audio thread
    float sampleRate = 44100.0f;  // written by prepare
    smoothed::LinearSmoother smoother;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GainProcessor)
};
} // namespace my
