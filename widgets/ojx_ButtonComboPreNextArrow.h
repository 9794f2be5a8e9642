#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace ojx
{
// A picture of two triangles, previous (pointing left) and next (pointing right), one in each
// half. The clicks belong to the buttons the owner lays over the halves.
class ButtonComboPreNextArrow : public juce::Component
{
public:
    ButtonComboPreNextArrow() = default;

    void paint (juce::Graphics& g) override;

    juce::Colour colourActive { 0xFFE67300 };
    juce::Colour colourInactive { 0xFF555555 };
    bool isActive = true;
};
} // namespace ojx
