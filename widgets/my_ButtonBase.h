#pragma once

#include "widgets/my_CornerStyle.h"
#include "widgets/my_MySkin.h"
#include "widgets/ojx_Font.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// Icon outlines for buttons and selector items: open polylines fitted into a rectangle.
struct ButtonPath
{
    static constexpr int none = 0;
    static constexpr int sine = 1;
    static constexpr int triangle = 2;
    static constexpr int square = 3;
    static constexpr int sawFalling = 4;
    static constexpr int sawRising = 5;
    static constexpr int noise = 14;

    // Appends the icon of `type` to `path` as a new open sub-path; a type without a shape leaves
    // `path` as it was. Callers stroke the result.
    static void makePath (float x, float y, float w, float h, int type, juce::Path& path);
};

// The toolkit's button: a rounded body with an optional outline, any corner style, and a centred
// text or an icon, all from its own skin. Every click inverts its toggle state, so it works as an
// on/off switch and as a push area whose state only swaps its colours. The owner sets the public
// fields directly.
class ButtonBase : public juce::TextButton
{
public:
    ButtonBase();
    ~ButtonBase() override = default;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void paint (juce::Graphics& g) override;

    juce::Font font { "Arial", 11.0f, juce::Font::plain };
    bool isHover = false;
    // Greyed out; only subclasses draw it.
    bool isActive = true;
    MySkin skin;
    juce::String* hintKeyTarget = nullptr;
    bool drawBody = true;
    bool hoverTint = true;
    int cornerStyle = CornerStyle::allRounded;
    float cornerRadius = 3.0f;
    float outlineThickness = 0.0f;
    int iconType = ButtonPath::none;
    bool showOnOffText = false;
    juce::String onText { "On" };
    juce::String offText { "Off" };
    float textOffsetY = 1.0f;

protected:
    // A value set from outside (by a parameter attachment) shows before drawing.
    void refreshToggleState();

private:
    ojx::SharedEmbeddedFaces embeddedFaces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ButtonBase)
};
} // namespace my
