#pragma once

#include "widgets/my_CornerStyle.h"
#include "widgets/my_MySkin.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// A filled shape behind a group of controls: a rectangle with the corners of its style rounded,
// optionally ringed by an outline. It only paints; the owner sets the fields directly.
class Panel : public juce::Component
{
public:
    ~Panel() override = default;

    void paint (juce::Graphics& g) override;

    // Not drawn from; owners that style a panel from a skin keep the record here.
    MySkin skin;
    juce::Colour fillColour { 0xFF000000 };
    juce::Colour outlineColour { 0xFF505050 };
    int cornerStyle = CornerStyle::allSquare;
    float cornerRadius = 4.0f;
    float outlineThickness = 0.0f;
};
} // namespace my
