#include "widgets/my_HintBox.h"

namespace my
{
void HintBox::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();

    g.fillAll (skin[SkinIndex::hintBackground]);

    if (hasBorder)
    {
        g.setColour (skin[SkinIndex::hintBorder]);
        juce::Path frame;
        frame.addRectangle (0.5f, 0.5f, w - 1.0f, h - 1.0f);
        g.strokePath (frame, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
    }

    const auto text = hintFor (currentKey);

    if (text.isEmpty())
        return;

    g.setColour (skin[SkinIndex::hintText]);
    g.setFont (font);
    g.drawText (text, juce::Rectangle<float> (5.0f, 1.0f, w - 5.0f, h), juce::Justification::centredLeft, true);
}

juce::String HintBox::hintFor (const juce::String& key) const
{
    if (key.isEmpty())
        return {};

    // Out of range (no match, or a key without its text) reads as the empty string.
    return hintTexts[hintKeys.indexOf (key)];
}
} // namespace my
