#pragma once

#include "widgets/my_MySkin.h"
#include "widgets/ojx_Font.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// The line that explains the control under the mouse. The editor registers one text per
// component ID and writes the hovered control's ID into `currentKey` on every tick.
class HintBox : public juce::Component
{
public:
    ~HintBox() override = default;

    void paint (juce::Graphics& g) override;

    // Text of the first registration of `key`; empty for an empty or unregistered key.
    juce::String hintFor (const juce::String& key) const;

    juce::String currentKey;
    bool hasBorder = false;
    MySkin skin;
    juce::Font font { "Arial", 12.0f, juce::Font::plain };
    juce::StringArray hintKeys;
    juce::StringArray hintTexts;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;
};
} // namespace my
