#include "engine/my_GainProcessor.h"

namespace my
{
void GainProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    smoothed::prepare (processSpec, sampleRate, smoother);
}

void GainProcessor::reset() { smoothed::endRamp (smoother); }

void GainProcessor::setSmoothTargetValues()
{
    smoother.setTargetValue (targetValue);
}

void GainProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();
    smoothed::multiplyFrames (smoother, block, [] (float decibels) {
        const auto factor = gainFactor (decibels);
        return std::pair { factor, factor };
    });
}
} // namespace my
