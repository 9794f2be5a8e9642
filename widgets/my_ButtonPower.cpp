#include "widgets/my_ButtonPower.h"

#include "widgets/my_HoverTint.h"

namespace my
{
void ButtonPower::paint (juce::Graphics& g)
{
    const auto h = (float) getHeight();

    int colourIndex = SkinIndex::buttonOff;

    if (getToggleState())
        colourIndex = isActive ? SkinIndex::buttonOn : SkinIndex::buttonOnInactive;
    else if (isHover)
        colourIndex = SkinIndex::buttonOffHover;

    // Inset from the left by its distance from the top, centred vertically.
    const float inset = (h - dotDiameter) / 2.0f;
    g.setColour (skin[colourIndex]);
    g.fillEllipse (inset, inset, dotDiameter, dotDiameter);
}

void ButtonMasterPower::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const bool on = getToggleState();

    // The master switch lightens under the mouse whatever `hoverTint` says.
    auto background = powerSkin[on ? SkinIndex::powerOn : SkinIndex::powerOff];
    auto symbol = powerSkin[on ? SkinIndex::powerSymbolOn : SkinIndex::powerSymbolOff];

    if (isHover)
    {
        background = my::hoverTint (background);
        symbol = my::hoverTint (symbol);
    }

    g.setColour (background);

    if (circleBackground != 0)
        g.fillEllipse (0.0f, 0.0f, w, h);
    else
        g.fillAll();

    const float unit = w / 30.0f;
    const float cx = w / 2.0f;
    const float cy = h / 2.0f;
    const float pi = juce::MathConstants<float>::pi;

    juce::Path powerSymbol;
    powerSymbol.addCentredArc (cx, cy, 7.0f * unit, 7.0f * unit, 0.0f, pi / 4.0f, 7.0f * pi / 4.0f, true);
    powerSymbol.startNewSubPath (cx, cy - 8.5f * unit);
    powerSymbol.lineTo (cx, cy - 2.5f * unit);

    g.setColour (symbol);
    g.strokePath (powerSymbol,
                  juce::PathStrokeType (2.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
}
} // namespace my
