#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

namespace my
{
// Base of the small stereo blocks of the signal path. The owner writes a block's public
// targetValue and then processes; each smoothed block hands the target to its smoother itself at
// the start of every processing call. Blocks work in place on channels 0 and 1.
class DspProcessorBase
{
public:
    virtual ~DspProcessorBase() = default;

    virtual void prepare (juce::dsp::ProcessSpec& processSpec) = 0;
    // Forgets the block's past: a ramp ends at its target, a filter's memory is cleared.
    virtual void reset() = 0;
    virtual void processSampleMono (float&) {}
    virtual void processSampleStereo (float&, float&) {}
    virtual void processAudioBuffer (juce::AudioBuffer<float>&) {}
    virtual void processAudioBlock (juce::dsp::AudioBlock<float>&) {}
    virtual void setSmoothTargetValues() {}
};
} // namespace my
