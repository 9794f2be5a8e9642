#pragma once

#include "widgets/my_ComboBox.h"

namespace wkr
{
// The brand's choice box: switches its text between the active and the greyed-out colour.
class MyComboBoxTolvaneB2 : public my::MyComboBox
{
public:
    ~MyComboBoxTolvaneB2() override = default;

    // Sets the text colour on the box and on its product look (comboText or comboTextInactive).
    // The look's own `isActive` is left to the caller.
    void setIsActive (bool active);
};

// The brand look: a framed box and a bordered popup, both greyed out with `isActive`.
class MyComboBoxTolvaneB2LookAndFeel : public my::MyComboBoxLookAndFeel
{
public:
    ~MyComboBoxTolvaneB2LookAndFeel() override = default;

    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isItemActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutText, const juce::Drawable* icon,
                            const juce::Colour* textColour) override;
    int getPopupMenuBorderSize() override;
    // Also hands the popup its colours, so it opens in the state the box was last drawn in.
    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                       int buttonW, int buttonH, juce::ComboBox& box) override;

private:
    juce::Colour textColour() const;
};
} // namespace wkr
