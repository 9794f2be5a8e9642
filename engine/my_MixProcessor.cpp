#include "engine/my_MixProcessor.h"

namespace my
{
void MixProcessor::processAudioBlocks (juce::dsp::AudioBlock<float>& dry, const juce::dsp::AudioBlock<float>& wet)
{
    setSmoothTargetValues();

    if (dry.getNumChannels() < 2 || wet.getNumChannels() < 2)
        return;

    jassert (wet.getNumSamples() >= dry.getNumSamples());
    jassert (wet.getChannelPointer (0) != dry.getChannelPointer (0));

    float* const dryChannels[] { dry.getChannelPointer (0), dry.getChannelPointer (1) };
    const float* const wetChannels[] { wet.getChannelPointer (0), wet.getChannelPointer (1) };
    const auto numFrames = (int) juce::jmin (dry.getNumSamples(), wet.getNumSamples());

    smoothed::processFrames (
        smoother, numFrames,
        [&] (int frame, float value)
        {
            const auto m = wetProportion (value);
            const auto dryGain = 1.0f - m;

            for (int channel = 0; channel < 2; ++channel)
                dryChannels[channel][frame] =
                    crossfade (dryChannels[channel][frame], wetChannels[channel][frame], dryGain, m);
        },
        [&] (int firstFrame, float value)
        {
            const auto m = wetProportion (value);
            const auto dryGain = 1.0f - m;

            for (int channel = 0; channel < 2; ++channel)
            {
                // All wet: the dry signal has no part in the result, so it need not be read.
                if (dryGain == 0.0f)
                {
                    juce::FloatVectorOperations::copyWithMultiply (dryChannels[channel] + firstFrame,
                                                                   wetChannels[channel] + firstFrame, m,
                                                                   numFrames - firstFrame);
                    continue;
                }
                juce::FloatVectorOperations::multiply (dryChannels[channel] + firstFrame, dryGain,
                                                       numFrames - firstFrame);
                juce::FloatVectorOperations::addWithMultiply (
                    dryChannels[channel] + firstFrame, wetChannels[channel] + firstFrame, m, numFrames - firstFrame);
            }
        });
}
} // namespace my
