#include "engine/my_PanProcessor.h"

namespace my
{
void PanProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    smoothed::prepare (processSpec, sampleRate, smoother);
}

void PanProcessor::reset() { smoothed::endRamp (smoother); }

void PanProcessor::setSmoothTargetValues()
{
    smoother.setTargetValue (targetValue);
}

void PanProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();
    smoothed::multiplyFrames (smoother, block, [this] (float position) {
        const auto gains = factors (position);
        return std::pair { gains.left, gains.right };
    });
}
} // namespace my
