#include "engine/my_SmoothedProcessor.h"

namespace my
{
void SmoothedProcessor::prepare (juce::dsp::ProcessSpec& processSpec)
{
    sampleRate = (float) processSpec.sampleRate;
    smoother.reset ((double) sampleRate, smoothed::rampSeconds);
}

void SmoothedProcessor::reset() { smoother.setCurrentAndTargetValue (smoother.getTargetValue()); }

void SmoothedProcessor::setSmoothTargetValues() { smoother.setTargetValue (targetValue); }
} // namespace my
