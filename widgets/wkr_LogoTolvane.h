#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The maker's mark: a fixed two-colour artwork drawn from the component's left edge in units of
// its height / 1.3. Owners size it 3.975 times as wide as it is high. It paints no background,
// so whatever lies behind shows around the shapes; `paperColour` should match that surface,
// because it fills the cut-outs inside the shapes.
class LogoTolvane : public juce::Component
{
public:
    LogoTolvane() = default;

    void paint (juce::Graphics& g) override;

    static constexpr float aspectRatio = 3.975f;

    // The arcs sweep from 2/3 to 7/3 of this angle.
    float angle = juce::MathConstants<float>::pi;
    juce::Colour paperColour { 0xFFFFFFFF };
    juce::Colour inkColour { 0xFF141414 };
};
