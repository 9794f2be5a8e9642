#include "host/Render.h"

#include <cmath>

namespace host
{
SignalSource::SignalSource (double rate, juce::int64 numSamples) : sampleRate (rate), length (numSamples) {}

SignalSource::SignalSource (std::unique_ptr<WavInput> wavFile)
    : file (std::move (wavFile)),
      sampleRate (file->getLayout().sampleRate),
      length (file->getLayout().numFrames)
{
}

void SignalSource::readNext (juce::AudioBuffer<float>& buffer, int numSamples)
{
    const int available = static_cast<int> (juce::jlimit<juce::int64> (0, numSamples, length - position));
    if (file != nullptr && available > 0)
        file->readNext (buffer, available);
    else if (file == nullptr)
        for (int i = 0; i < available; ++i)
        {
            const double t = static_cast<double> (position + i) / sampleRate;
            buffer.setSample (0, i,
                              static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 220.0 * t)));
            buffer.setSample (1, i,
                              static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 330.0 * t)));
        }

    for (int channel = 0; channel < 2; ++channel)
        buffer.clear (channel, available, numSamples - available);
    position += numSamples;
}

RenderResult render (juce::AudioProcessor& processor, SignalSource& source, int blockSize, bool compensate,
                     const OutputSink& sink)
{
    RenderResult result;
    result.latency = processor.getLatencySamples();

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    const juce::int64 inputLength = source.getLength();
    juce::int64 streamLength = inputLength, dropped = 0;

    for (juce::int64 position = 0; position < streamLength; position += buffer.getNumSamples())
    {
        const int numSamples = static_cast<int> (std::min<juce::int64> (blockSize, streamLength - position));
        buffer.setSize (2, numSamples, false, false, true);
        source.readNext (buffer, numSamples);
        result.input.add (buffer, 0,
                          static_cast<int> (juce::jlimit<juce::int64> (0, numSamples, inputLength - position)));

        processor.processBlock (buffer, midi);

        // An oversampling choice takes effect on the first block, and with it its latency.
        if (position == 0)
        {
            result.latency = processor.getLatencySamples();
            if (compensate)
            {
                dropped = result.latency;
                streamLength += dropped;
            }
        }

        // The part of this block that lies in [dropped, dropped + inputLength) of the stream.
        const auto first = std::max (position, dropped);
        const auto last = std::min (position + numSamples, dropped + inputLength);
        if (first < last)
        {
            const auto start = static_cast<int> (first - position), count = static_cast<int> (last - first);
            result.output.add (buffer, start, count);
            sink (buffer, start, count);
        }
    }
    return result;
}
} // namespace host
