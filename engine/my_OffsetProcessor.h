#pragma once

#include "engine/my_SmoothedProcessor.h"

namespace my
{
// Adds a constant offset (targetValue), limited to -1..1, to both channels; ramped linearly over
// 0.1 s once prepared. The class name is spelled this way on purpose.
class OffsetProcesoor : public SmoothedProcessor
{
public:
    OffsetProcesoor() = default;

    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;

    // The per-frame formula: the smoothed value limited to the offset added to every sample.
    static inline float offsetAmount (float smoothedValue) noexcept
    {
        return juce::jlimit (-1.0f, 1.0f, smoothedValue);
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OffsetProcesoor)
};
} // namespace my
