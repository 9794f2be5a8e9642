#pragma once

#include "engine/my_DspProcessorBase.h"

namespace my
{
// One-pole DC blocker on each channel: y = (x - previous x) + pole * previous y. The pole is 0.999 at
// every rate, so the corner scales with the rate (about 7 Hz at 44.1 kHz). The channel states carry
// over across blocks, prepares and bypasses; only reset() clears them.
class DcOffsetProcessor : public DspProcessorBase
{
public:
    // State of one channel's filter.
    struct ChannelState
    {
        float pole = 0.999f;
        float lastInput = 0.0f;
        float lastOutput = 0.0f;

        // The per-sample formula.
        inline float process (float input) noexcept
        {
            const auto output = (input - lastInput) + pole * lastOutput;
            lastInput = input;
            lastOutput = output;
            return output;
        }
    };

    DcOffsetProcessor() = default;

    void prepare (juce::dsp::ProcessSpec& processSpec) override;
    void reset() override;
    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;

    float sampleRate = 44100.0f; // written by prepare; the pole does not depend on it
    ChannelState left;
    ChannelState right;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DcOffsetProcessor)
};
} // namespace my
