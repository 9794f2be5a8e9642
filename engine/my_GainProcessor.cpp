#include "engine/my_GainProcessor.h"

namespace my
{
void GainProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();
    smoothed::multiplyFrames (smoother, block,
                              [] (float decibels)
                              {
                                  const auto factor = gainFactor (decibels);
                                  return std::pair { factor, factor };
                              });
}
} // namespace my
