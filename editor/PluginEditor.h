#pragma once

#include "editor/ojx_ComponentWrapper.h"
#include "engine/PluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in window: holds the content at its 602 x 444 design size and scales it as a whole to
// the window, binds the 27 parameter controls, refreshes every 30 ms, and keeps the scale factor in
// the per-user settings file from one opening to the next.
class WkrPlexa2AudioProcessorEditor : public juce::AudioProcessorEditor, public juce::Timer
{
public:
    explicit WkrPlexa2AudioProcessorEditor (WkrPlexa2AudioProcessor& processor);
    ~WkrPlexa2AudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback() override;

    // Scale factor stored in the settings file; 1.0 when the file, its object or a usable "uiScale"
    // is missing.
    static float readStoredScale (const my::Setting& setting);

    // Largest factor taken from the file: beyond it the window would outgrow any screen.
    static constexpr float maximumScale = 8.0f;
    // Smallest one: the 301 x 222 minimum that the corner resizer keeps.
    static constexpr float minimumScale = 0.5f;

    WkrPlexa2AudioProcessor& processor;
    my::ComponentWrapper content;
    int designWidth = my::ComponentWrapper::designWidth;
    int designHeight = my::ComponentWrapper::designHeight;
    float scale = 1.0f;

private:
    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    using ComboBoxAttachment = juce::AudioProcessorValueTreeState::ComboBoxAttachment;
    using ButtonAttachment = juce::AudioProcessorValueTreeState::ButtonAttachment;

    void applyScaleTransform();

    SliderAttachment routeAttachment;
    SliderAttachment masterInputAttachment;
    SliderAttachment masterMixAttachment;
    SliderAttachment masterOutputAttachment;
    ComboBoxAttachment s1ShapeAttachment;
    SliderAttachment s1Morph1Attachment;
    SliderAttachment s1Morph2Attachment;
    SliderAttachment s1Morph3Attachment;
    SliderAttachment s1Morph4Attachment;
    SliderAttachment s1InputAttachment;
    SliderAttachment s1OffsetAttachment;
    SliderAttachment s1MixAttachment;
    SliderAttachment s1PanAttachment;
    SliderAttachment s1OutputAttachment;
    ComboBoxAttachment s2ShapeAttachment;
    SliderAttachment s2Morph1Attachment;
    SliderAttachment s2Morph2Attachment;
    SliderAttachment s2Morph3Attachment;
    SliderAttachment s2Morph4Attachment;
    SliderAttachment s2InputAttachment;
    SliderAttachment s2OffsetAttachment;
    SliderAttachment s2MixAttachment;
    SliderAttachment s2PanAttachment;
    SliderAttachment s2OutputAttachment;
    ButtonAttachment masterOnAttachment;
    ButtonAttachment s1OnAttachment;
    ButtonAttachment s2OnAttachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WkrPlexa2AudioProcessorEditor)
};
