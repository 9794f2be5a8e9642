#pragma once

#include "engine/my_DspProcessorBase.h"
#include "engine/my_SmoothedBlock.h"

namespace my
{
// Base of the blocks that follow one smoothed value (gain, mix, offset, pan): it owns the target,
// the rate and the ramp, so each block states only its formula. A block calls
// setSmoothTargetValues() at the start of each processing call, so its owner only writes
// targetValue and processes.
class SmoothedProcessor : public DspProcessorBase
{
public:
    // Stores the rate and sets the ramp to floor(0.1 s x rate) samples; a running ramp ends at its
    // target. targetValue is not read here.
    void prepare (juce::dsp::ProcessSpec& processSpec) override;
    // A running ramp ends at its target at once.
    void reset() override;
    void setSmoothTargetValues() override;

    float targetValue = 0.0f;    // in the block's own units; written by the owner on the audio thread
    float sampleRate = 44100.0f; // written by prepare
    smoothed::LinearSmoother smoother;

protected:
    SmoothedProcessor() = default;
};
} // namespace my
