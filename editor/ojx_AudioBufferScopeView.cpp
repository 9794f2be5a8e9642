#include "editor/ojx_AudioBufferScopeView.h"

namespace ojx
{
AudioBufferScopeGui::AudioBufferScopeGui()
{
    buffer.clear();
}

AudioBufferScopeGui::~AudioBufferScopeGui() = default;

void AudioBufferScopeGui::paint (juce::Graphics& g)
{
    g.fillAll (backgroundColour);
}
} // namespace ojx
