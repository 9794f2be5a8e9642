#include "engine/my_GainProcessor.h"

namespace my
{
void GainProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    smoothed::prepare (processSpec, sampleRate, smoother);
}

void GainProcessor::reset() {}

void GainProcessor::setSmoothTargetValues()
{
    smoother.setTargetValue (targetValue);
}

void GainProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();

    if (block.getNumChannels() < 2)
        return;

    auto* left = block.getChannelPointer (0);
    auto* right = block.getChannelPointer (1);
    const auto numFrames = (int) block.getNumSamples();

    smoothed::processFrames (
        smoother, numFrames,
        [&] (int frame, float decibels)
        {
            const auto factor = gainFactor (decibels);
            left[frame] *= factor;
            right[frame] *= factor;
        },
        [&] (int firstFrame, float decibels)
        {
            const auto factor = gainFactor (decibels);
            juce::FloatVectorOperations::multiply (left + firstFrame, factor, numFrames - firstFrame);
            juce::FloatVectorOperations::multiply (right + firstFrame, factor, numFrames - firstFrame);
        });
}
} // namespace my
