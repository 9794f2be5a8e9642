#pragma once

#include "widgets/my_ButtonBase.h"

namespace my
{
// A shaper slot's power switch: one round dot at the left of a wider click area, beside which the
// editor places the slot's title.
class ButtonPower : public ButtonBase
{
public:
    void paint (juce::Graphics& g) override;

    float dotDiameter = 10.0f;
};

// The device's master switch: a power symbol (an open ring with a bar) on a square or round
// background, coloured from its own `powerSkin`.
class ButtonMasterPower : public ButtonBase
{
public:
    void paint (juce::Graphics& g) override;
    void resized() override {}

    MySkin powerSkin;
    // 0 fills the whole bounds; any other value only the inscribed ellipse.
    int circleBackground = 0;
};
} // namespace my
