#pragma once

#include "engine/my_SmoothedProcessor.h"

#include <cmath>

namespace my
{
// Stereo gain in decibels (targetValue), ramped linearly in dB over 0.1 s once prepared. -200 dB
// and below is exact silence.
class GainProcessor : public SmoothedProcessor
{
public:
    static constexpr float silenceDecibels = -200.0f;

    GainProcessor() = default;

    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;

    // The per-frame formula: the linear factor for a gain in dB.
    static inline float gainFactor (float decibels) noexcept
    {
        return decibels > silenceDecibels ? std::pow (10.0f, decibels / 20.0f) : 0.0f;
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GainProcessor)
};
} // namespace my
