#pragma once

#include "host/LevelMeter.h"
#include "host/WavInput.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

namespace host
{
// Where the audio comes from: a WAV file, or the built-in signal (a sine on each side, 220 Hz on
// the left and 330 Hz on the right, at half scale). Past its end it gives silence.
class SignalSource
{
public:
    SignalSource (double sampleRate, juce::int64 length);
    explicit SignalSource (std::unique_ptr<WavInput> file);

    double getSampleRate() const { return sampleRate; }
    juce::int64 getLength() const { return length; }

    // Fills channels 0 and 1 with the next numSamples samples.
    void readNext (juce::AudioBuffer<float>& buffer, int numSamples);

private:
    std::unique_ptr<WavInput> file;
    double sampleRate;
    juce::int64 length;
    juce::int64 position = 0;
};

struct RenderResult
{
    int latency = 0;
    LevelMeter input, output;
};

// Receives each finished piece of output: samples [start, start + numSamples) of the buffer.
using OutputSink = std::function<void (const juce::AudioBuffer<float>&, int start, int numSamples)>;

// Streams the whole source through a prepared processor in blocks of blockSize, as a host's
// render calls do. Compensated, the output is the source's length and aligned with it: the
// latency the processor reports after its first block is fed in as extra silence at the end and
// dropped from the front. Otherwise the output is the raw stream, late by the latency.
RenderResult render (juce::AudioProcessor& processor, SignalSource& source, int blockSize, bool compensate,
                     const OutputSink& sink);
} // namespace host
