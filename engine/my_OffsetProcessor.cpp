#include "engine/my_OffsetProcessor.h"

namespace my
{
void OffsetProcesoor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();

    if (block.getNumChannels() < 2)
        return;

    auto* left = block.getChannelPointer (0);
    auto* right = block.getChannelPointer (1);
    const auto numFrames = (int) block.getNumSamples();

    smoothed::processFrames (
        smoother, numFrames,
        [&] (int frame, float value)
        {
            const auto offset = offsetAmount (value);
            left[frame] += offset;
            right[frame] += offset;
        },
        [&] (int firstFrame, float value)
        {
            const auto offset = offsetAmount (value);
            juce::FloatVectorOperations::add (left + firstFrame, offset, numFrames - firstFrame);
            juce::FloatVectorOperations::add (right + firstFrame, offset, numFrames - firstFrame);
        });
}
} // namespace my
