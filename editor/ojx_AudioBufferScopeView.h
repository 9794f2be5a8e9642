#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "engine/ojx_AudioBufferScope.h"

namespace ojx
{
// The waveform view: the last stretch of the plug-in's mono output as one line across the whole
// inner width, however many samples the snapshot holds. The editor's tick copies the store's
// latest snapshot into `buffer`; while the master switch is off only the background shows.
// Message thread only.
class AudioBufferScopeGui : public juce::Component
{
public:
    AudioBufferScopeGui();
    ~AudioBufferScopeGui() override;

    void paint (juce::Graphics& g) override;

    AudioBufferScopeProcessor* scopeProcessor = nullptr; // not owned; without one only the background shows
    float margin = 1.0f;                                 // inset of the line area on every side
    float lineWidth = 1.0f;
    juce::Colour backgroundColour { 0xFF141414 };
    juce::Colour lineColour { 0xFFE67300 };
    juce::AudioBuffer<float> buffer { 1, 10 }; // samples drawn, channel 0

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioBufferScopeGui)
};
} // namespace ojx
