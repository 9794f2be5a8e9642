#pragma once

#include "engine/my_SmoothedProcessor.h"

namespace my
{
// Dry/wet crossfade of two stereo blocks; the result lands in the dry block. The wet proportion
// (targetValue) is limited to 0..1 and ramped linearly over 0.1 s once prepared.
class MixProcessor : public SmoothedProcessor
{
public:
    MixProcessor() = default;

    // Crossfades channels 0 and 1 of wet into dry over dry's samples; wet needs at least as many
    // samples and two channels (otherwise only the frames both hold are mixed) and must not share
    // memory with dry. The block form of the base does nothing for this class.
    void processAudioBlocks (juce::dsp::AudioBlock<float>& dry, const juce::dsp::AudioBlock<float>& wet);

    // The per-frame formula: the smoothed value limited to a wet proportion, and the crossfade.
    static inline float wetProportion (float smoothedValue) noexcept
    {
        return juce::jlimit (0.0f, 1.0f, smoothedValue);
    }

    static inline float crossfade (float dry, float wet, float dryGain, float wetGain) noexcept
    {
        return dry * dryGain + wet * wetGain;
    }

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixProcessor)
};
} // namespace my
