#include "engine/my_PanProcessor.h"

namespace my
{
void PanProcessor::processAudioBlock (juce::dsp::AudioBlock<float>& block)
{
    setSmoothTargetValues();
    smoothed::multiplyFrames (smoother, block,
                              [this] (float position)
                              {
                                  const auto gains = factors (position);
                                  return std::pair { gains.left, gains.right };
                              });
}
} // namespace my
