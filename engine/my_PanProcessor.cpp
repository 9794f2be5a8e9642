#include "engine/my_PanProcessor.h"

namespace my
{
void PanProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    smoothed::prepare (processSpec, sampleRate, smoother);
}

void PanProcessor::reset() {}

void PanProcessor::setSmoothTargetValues()
{
    smoother.setTargetValue (targetValue);
}

void PanProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();

    if (block.getNumChannels() < 2)
        return;

    auto* left = block.getChannelPointer (0);
    auto* right = block.getChannelPointer (1);
    const auto numFrames = (int) block.getNumSamples();

    smoothed::processFrames (
        smoother, numFrames,
        [&] (int frame, float position)
        {
            const auto gains = factors (position);
            left[frame] *= gains.left;
            right[frame] *= gains.right;
        },
        [&] (int firstFrame, float position)
        {
            const auto gains = factors (position);
            juce::FloatVectorOperations::multiply (left + firstFrame, gains.left, numFrames - firstFrame);
            juce::FloatVectorOperations::multiply (right + firstFrame, gains.right, numFrames - firstFrame);
        });
}
} // namespace my
