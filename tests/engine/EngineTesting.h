#pragma once

#include <gtest/gtest.h>

#include "engine/PluginProcessor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

// Helpers shared by the engine's tests: reproducible signals, a bit-exact comparison, and the
// calls a host makes.
namespace engine_testing
{
// Reproducible uniform noise in -amplitude..amplitude on every channel.
inline juce::AudioBuffer<float> noise (int numSamples, float amplitude, unsigned seed, int numChannels = 2)
{
    std::mt19937 random (seed);
    std::uniform_real_distribution<float> uniform (-amplitude, amplitude);
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    for (int channel = 0; channel < numChannels; ++channel)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (channel, i, uniform (random));
    return buffer;
}

inline juce::AudioBuffer<float> constant (int numSamples, float value, int numChannels = 2)
{
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    for (int channel = 0; channel < numChannels; ++channel)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), value, numSamples);
    return buffer;
}

inline std::uint32_t bitsOf (float value)
{
    std::uint32_t bits;
    std::memcpy (&bits, &value, sizeof bits);
    return bits;
}

// Every sample of every channel the same to the bit, so a sign of zero or a NaN counts too.
inline void expectSameBits (const juce::AudioBuffer<float>& actual, const juce::AudioBuffer<float>& expected,
                            const std::string& what = {})
{
    ASSERT_EQ (actual.getNumChannels(), expected.getNumChannels()) << what;
    ASSERT_EQ (actual.getNumSamples(), expected.getNumSamples()) << what;

    for (int channel = 0; channel < actual.getNumChannels(); ++channel)
        for (int i = 0; i < actual.getNumSamples(); ++i)
            ASSERT_EQ (bitsOf (actual.getSample (channel, i)), bitsOf (expected.getSample (channel, i)))
                << what << " channel " << channel << ", frame " << i << ": " << actual.getSample (channel, i) << " vs "
                << expected.getSample (channel, i);
}

inline void prepareAt (my::DspProcessorBase& block, double rate)
{
    juce::dsp::ProcessSpec processSpec { rate, 512, 2 };
    block.prepare (processSpec);
}

inline void process (my::DspProcessorBase& block, juce::AudioBuffer<float>& buffer)
{
    juce::dsp::AudioBlock<float> audio (buffer);
    block.processAudioBlock (audio);
}

// Streams the buffer through the processor in place, in host blocks of the given length, as a
// host does with the plug-in bypassed or not.
inline void processInBlocks (WkrPlexa2AudioProcessor& processor, juce::AudioBuffer<float>& buffer, int blockSize,
                             bool hostBypassed = false)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start,
                                        std::min (blockSize, buffer.getNumSamples() - start));
        hostBypassed ? processor.processBlockBypassed (block, midi) : processor.processBlock (block, midi);
    }
}

// Sets a parameter by its plain value, the way a host does.
inline void set (WkrPlexa2AudioProcessor& processor, const char* id, float plainValue)
{
    auto* parameter = processor.apvts.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
}
} // namespace engine_testing
