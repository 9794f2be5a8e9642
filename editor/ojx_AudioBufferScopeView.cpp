#include "editor/ojx_AudioBufferScopeView.h"

#include "editor/my_PlotLine.h"

namespace ojx
{
AudioBufferScopeGui::AudioBufferScopeGui() { buffer.clear(); }

AudioBufferScopeGui::~AudioBufferScopeGui() = default;

void AudioBufferScopeGui::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);

    // With the master switch off the store is not fed, so the last line would be stale.
    if (scopeProcessor == nullptr || ! scopeProcessor->isActive.load (std::memory_order_relaxed))
        return;

    const int numSamples = buffer.getNumChannels() > 0 ? buffer.getNumSamples() : 0;

    if (numSamples <= 0)
        return;

    const float innerWidth = (float) getWidth() - 2.0f * margin;
    const float innerHeight = (float) getHeight() - 2.0f * margin;
    const float* samples = buffer.getReadPointer (0);
    const auto yOf = [&] (float sample) { return ((sample + 1.0f) * -0.5f + 1.0f) * innerHeight + margin; };

    // However many samples there are, they span the whole inner width.
    my::PlotLine line;
    line.add (margin, yOf (samples[0]));

    for (int i = 1; i < numSamples; ++i)
        line.add (((float) i / (float) (numSamples - 1)) * innerWidth + margin, yOf (samples[i]));

    g.setColour (lineColour);
    g.strokePath (line.path, juce::PathStrokeType (lineWidth));
}
} // namespace ojx
