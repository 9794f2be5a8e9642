#include "engine/my_SmoothedProcessor.h"

namespace my
{
void SmoothedProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    smoothed::prepare (processSpec, sampleRate, smoother);
}

void SmoothedProcessor::reset() { smoothed::endRamp (smoother); }

void SmoothedProcessor::setSmoothTargetValues() { smoother.setTargetValue (targetValue); }
} // namespace my
