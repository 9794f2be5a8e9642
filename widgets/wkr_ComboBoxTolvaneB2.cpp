#include "widgets/wkr_ComboBoxTolvaneB2.h"

namespace wkr
{
using namespace my::SkinIndex;

void MyComboBoxTolvaneB2::setIsActive (bool active)
{
    const auto colour = skin[active ? comboText : comboTextInactive];
    setColour (textColourId, colour);

    // Only a product look is recoloured: writing into an inherited or the framework's default
    // look would change the text of every other box that shares it.
    if (auto* look = dynamic_cast<my::MyComboBoxLookAndFeel*> (&getLookAndFeel()))
        look->setColour (textColourId, colour);
}

void MyComboBoxTolvaneB2LookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.fillAll (skin[popupBackground]);
    g.setColour (skin[isActive ? popupBorder : popupBorderInactive]);
    g.drawRect (0, 0, width, height, 1);
}

void MyComboBoxTolvaneB2LookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool,
                                                        bool isItemActive, bool isHighlighted, bool, bool,
                                                        const juce::String& text, const juce::String&,
                                                        const juce::Drawable*, const juce::Colour*)
{
    paintItem (g, area, isItemActive, isHighlighted, text,
               { skin[isActive ? popupHighlight : popupHighlightInactive], skin[popupBackground], textColour() });
}

int MyComboBoxTolvaneB2LookAndFeel::getPopupMenuBorderSize() { return 2; }

void MyComboBoxTolvaneB2LookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int,
                                                   juce::ComboBox&)
{
    paintBox (g, width, height,
              { skin[isActive ? comboFrame : comboFrameInactive], skin[comboFill], textColour(), skin[comboText] });
    setColour (juce::PopupMenu::backgroundColourId, skin[popupBackground]);
    setColour (juce::PopupMenu::textColourId, textColour());
}

juce::Colour MyComboBoxTolvaneB2LookAndFeel::textColour() const
{
    return skin[isActive ? comboText : comboTextInactive];
}
} // namespace wkr
