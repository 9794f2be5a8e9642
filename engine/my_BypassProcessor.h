#pragma once

#include <juce_dsp/juce_dsp.h>

namespace my
{
// What a bypassed plug-in plays: its stereo input delayed by the latency the host compensates, so
// a bypassed track stays in time with the others, and a short crossfade each time the bypass
// switches, so switching does not click. Every block's input goes into the delay line, bypassed
// or not, so the delayed input is at hand the moment a fade starts.
class BypassProcessor
{
public:
    using Block = juce::dsp::AudioBlock<float>;

    static constexpr double fadeSeconds = 0.01;

    BypassProcessor() = default;

    // Allocates the delay line for blocks of up to longestBlock samples delayed by up to longestDelay.
    void prepare (double sampleRate, int longestDelay, int longestBlock);
    // Clears the delay line. With no sound to fade from, the next block starts in its bypass state.
    void reset() noexcept;

    // Takes a block's input into the delay line. Returns whether the chain must run on the block:
    // when it need not, the block holds the delayed input already.
    bool takeInput (Block& block, bool bypassed, int delay) noexcept;
    // While a fade runs, moves the chain's output in the block towards the delayed input or away
    // from it.
    void fade (Block& block, int delay) noexcept;

private:
    // Where the input of the block's sample i, delayed by delay (at most the longest), is in the
    // line once the block is in.
    int lineIndex (int i, int blockLength, int delay) const noexcept;
    void copyDelayed (Block& block, int from, int delay) noexcept;

    juce::AudioBuffer<float> line;
    int writePosition = 0;
    int longestDelay = 0;
    int fadeLength = 1;
    int fadePosition = 0; // 0: the chain's output alone; fadeLength: the delayed input alone
    bool isBypassed = false;
    bool hasSound = false; // processed a block since the last reset

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BypassProcessor)
};
} // namespace my
