#include "engine/my_DcBlockProcessor.h"

namespace my
{
void DcOffsetProcessor::prepare (juce::dsp::ProcessSpec& processSpec) { sampleRate = (float) processSpec.sampleRate; }

void DcOffsetProcessor::reset()
{
    for (auto* channel : { &left, &right })
        channel->lastInput = channel->lastOutput = 0.0f;
}

void DcOffsetProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    if (block.getNumChannels() < 2)
        return;

    const auto numFrames = block.getNumSamples();
    auto* leftSamples = block.getChannelPointer (0);
    auto* rightSamples = block.getChannelPointer (1);

    // Both channels in one pass: their two recursions overlap instead of waiting on each other.
    for (size_t frame = 0; frame < numFrames; ++frame)
    {
        leftSamples[frame] = left.process (leftSamples[frame]);
        rightSamples[frame] = right.process (rightSamples[frame]);
    }
}
} // namespace my
