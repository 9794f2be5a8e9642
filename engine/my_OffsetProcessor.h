#pragma once

#include "engine/my_DspProcessorBase.h"
#include "engine/my_SmoothedBlock.h"

namespace my
{
// Adds a constant offset, limited to -1..1, to both channels; ramped linearly over 0.1 s once
// prepared. The class name is spelled this way on purpose.
class OffsetProcesoor : public DspProcessorBase
{
public:
    OffsetProcesoor() = default;

    void prepare (juce::dsp::ProcessSpec& processSpec) override;
    void reset() override;
    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;
    void setSmoothTargetValues() override;

    // The per-frame formula: the smoothed value limited to the offset added to every sample.
    static inline float offsetAmount (float smoothedValue) noexcept
    {
        return juce::jlimit (-1.0f, 1.0f, smoothedValue);
    }

    float targetValue = 0.0f;     // offset; written by the owner on the audio thread
    float sampleRate = 44100.0f;  // written by prepare
    smoothed::LinearSmoother smoother;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OffsetProcesoor)
};
} // namespace my
