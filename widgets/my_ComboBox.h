#pragma once

#include "widgets/my_MySkin.h"
#include "widgets/ojx_Font.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// The framework's choice box with a skin copy and the hint key. Its drawing comes from a
// `MyComboBoxLookAndFeel`, which must outlive the box: declare the look before the box.
class MyComboBox : public juce::ComboBox
{
public:
    MyComboBox();
    // Lets go of its look first, so the look is never left referenced by a dead box.
    ~MyComboBox() override;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;

    // Takes a copy of `newSkin` and shows the active text colour.
    void setSkin (const MySkin& newSkin);

    MySkin skin;
    juce::String* hintKeyTarget = nullptr;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MyComboBox)
};

// A rounded box with a small arrow, popup items of a fixed 15-pixel height, colours from its own
// skin. Owners write the public fields directly.
class MyComboBoxLookAndFeel : public juce::LookAndFeel_V3
{
public:
    MyComboBoxLookAndFeel() = default;
    ~MyComboBoxLookAndFeel() override = default;

    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isItemActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutText, const juce::Drawable* icon,
                            const juce::Colour* textColour) override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardHeight, int& idealWidth,
                                    int& idealHeight) override;
    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                       int buttonW, int buttonH, juce::ComboBox& box) override;
    void positionComboBoxText (juce::ComboBox& box, juce::Label& label) override;

    static constexpr int arrowTriangle = 1;

    juce::Font textFont { "Arial", 12.5f, juce::Font::plain };
    MySkin skin;
    float cornerRadius = 3.0f;
    // 0 draws no outline ring.
    float outlineThickness = 0.0f;
    // Greyed out; only the brand look draws it.
    bool isActive = true;
    // Left inset of the box's text; popup items are indented 5 pixels more.
    int textInset = 0;
    // `arrowTriangle` fills a triangle; any other value strokes an open chevron.
    int arrowStyle = arrowTriangle;

protected:
    struct BoxColours
    {
        juce::Colour outline, fill, triangle, chevron;
    };

    struct ItemColours
    {
        juce::Colour highlight, highlightedText, text;
    };

    void paintBox (juce::Graphics& g, int width, int height, BoxColours boxColours) const;
    void paintItem (juce::Graphics& g, juce::Rectangle<int> area, bool isItemActive, bool isHighlighted,
                    const juce::String& text, ItemColours itemColours) const;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MyComboBoxLookAndFeel)
};
} // namespace my
