#include "engine/my_BypassProcessor.h"

namespace my
{
void BypassProcessor::prepare (double sampleRate, int longestDelayToUse, int longestBlock)
{
    longestDelay = juce::jmax (0, longestDelayToUse);
    fadeLength = juce::jmax (1, static_cast<int> (std::lround (fadeSeconds * sampleRate)));
    line.setSize (2, longestDelay + juce::jmax (1, longestBlock));
    reset();
}

void BypassProcessor::reset() noexcept
{
    line.clear();
    writePosition = 0;
    hasSound = false;
}

int BypassProcessor::lineIndex (int i, int blockLength, int delay) const noexcept
{
    const int length = line.getNumSamples();
    const int position = writePosition - blockLength + i - juce::jlimit (0, longestDelay, delay);
    return (position % length + length) % length;
}

bool BypassProcessor::takeInput (Block& block, bool bypassed, int delay) noexcept
{
    if (! hasSound)
        fadePosition = bypassed ? fadeLength : 0;
    hasSound = true;
    isBypassed = bypassed;

    // The line holds the longest delay on top of the longest block, so writing a block never
    // overwrites the delayed samples it needs.
    const int length = line.getNumSamples();
    const int blockLength = static_cast<int> (block.getNumSamples());
    const int first = juce::jmin (blockLength, length - writePosition);
    for (int channel = 0; channel < 2; ++channel)
    {
        const auto* input = block.getChannelPointer (static_cast<size_t> (channel));
        line.copyFrom (channel, writePosition, input, first);
        line.copyFrom (channel, 0, input + first, blockLength - first);
    }
    writePosition = (writePosition + blockLength) % length;

    if (! bypassed || fadePosition != fadeLength)
        return true;
    copyDelayed (block, 0, delay);
    return false;
}

void BypassProcessor::fade (Block& block, int delay) noexcept
{
    const int target = isBypassed ? fadeLength : 0;
    const int blockLength = static_cast<int> (block.getNumSamples());
    int i = 0;
    for (; i < blockLength && fadePosition != target; ++i)
    {
        fadePosition += isBypassed ? 1 : -1;
        const auto towardsInput = static_cast<float> (fadePosition) / static_cast<float> (fadeLength);
        const int index = lineIndex (i, blockLength, delay);
        for (size_t channel = 0; channel < 2; ++channel)
        {
            auto& sample = block.getChannelPointer (channel)[i];
            sample += towardsInput * (line.getSample (static_cast<int> (channel), index) - sample);
        }
    }

    // A fade-out over within the block leaves the delayed input itself, to the bit.
    if (isBypassed && i < blockLength)
        copyDelayed (block, i, delay);
}

void BypassProcessor::copyDelayed (Block& block, int from, int delay) noexcept
{
    const int length = line.getNumSamples();
    const int blockLength = static_cast<int> (block.getNumSamples());
    const int start = lineIndex (from, blockLength, delay);
    const int count = blockLength - from;
    const int first = juce::jmin (count, length - start);
    for (size_t channel = 0; channel < 2; ++channel)
    {
        auto* output = block.getChannelPointer (channel) + from;
        const auto* delayed = line.getReadPointer (static_cast<int> (channel));
        std::copy (delayed + start, delayed + start + first, output);
        std::copy (delayed, delayed + count - first, output + first);
    }
}
} // namespace my
