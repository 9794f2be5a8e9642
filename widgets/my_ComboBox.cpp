#include "widgets/my_ComboBox.h"

#include "widgets/my_HintKey.h"

namespace my
{
MyComboBox::MyComboBox() : juce::ComboBox (juce::String()) {}

MyComboBox::~MyComboBox() { setLookAndFeel (nullptr); }

void MyComboBox::mouseEnter (const juce::MouseEvent&) { HintKey::mouseEntered (hintKeyTarget, *this); }

void MyComboBox::mouseExit (const juce::MouseEvent&) { HintKey::mouseExited (hintKeyTarget); }

void MyComboBox::setSkin (const MySkin& newSkin)
{
    skin = newSkin;
    setColour (textColourId, skin[SkinIndex::comboText]);
}

void MyComboBoxLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool,
                                               bool isItemActive, bool isHighlighted, bool, bool,
                                               const juce::String& text, const juce::String&, const juce::Drawable*,
                                               const juce::Colour*)
{
    const auto textColour = skin[SkinIndex::comboText];
    paintItem (g, area, isItemActive, isHighlighted, text, { skin[SkinIndex::popupHighlight], textColour, textColour });
}

void MyComboBoxLookAndFeel::getIdealPopupMenuItemSize (const juce::String&, bool, int, int& idealWidth,
                                                       int& idealHeight)
{
    // The framework widens the popup to the box, so only the height really counts.
    idealWidth = 5;
    idealHeight = 15;
}

void MyComboBoxLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int,
                                          juce::ComboBox&)
{
    const auto text = skin[SkinIndex::comboText];
    paintBox (g, width, height, { skin[SkinIndex::comboOutline], skin[SkinIndex::comboFill], text, text });
    setColour (juce::PopupMenu::backgroundColourId, skin[SkinIndex::popupBackground]);
}

void MyComboBoxLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (textInset, 1, box.getWidth() - textInset, box.getHeight());
    label.setFont (textFont);
    label.setJustificationType (juce::Justification::centredLeft);
}

void MyComboBoxLookAndFeel::paintBox (juce::Graphics& g, int width, int height, BoxColours boxColours) const
{
    const auto w = (float) width;
    const auto h = (float) height;
    const float o = outlineThickness;

    if (o > 0.0f)
    {
        g.setColour (boxColours.outline);
        g.fillRoundedRectangle (0.0f, 0.0f, w, h, cornerRadius);
    }

    g.setColour (boxColours.fill);
    g.fillRoundedRectangle (o, o, w - 2.0f * o, h - 2.0f * o, juce::jmax (0.0f, cornerRadius - o));

    if (arrowStyle == arrowTriangle)
    {
        const auto middle = (float) ((double) height / 2.0);
        juce::Path triangle;
        triangle.addTriangle (w - 12.0f, middle - 1.0f, w - 4.0f, middle - 1.0f, w - 8.0f, middle + 3.0f);
        g.setColour (boxColours.triangle);
        g.fillPath (triangle);
        return;
    }

    const float top = (h - 3.0f) / 2.0f;
    juce::Path chevron;
    chevron.startNewSubPath (w - 14.0f, top);
    chevron.lineTo (w - 11.0f, top + 3.0f);
    chevron.lineTo (w - 8.0f, top);
    g.setColour (boxColours.chevron);
    g.strokePath (chevron, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void MyComboBoxLookAndFeel::paintItem (juce::Graphics& g, juce::Rectangle<int> area, bool isItemActive,
                                       bool isHighlighted, const juce::String& text, ItemColours itemColours) const
{
    if (isItemActive && isHighlighted)
    {
        g.setColour (itemColours.highlight);
        g.fillRect (area);
        g.setColour (itemColours.highlightedText);
    }
    else
    {
        g.setColour (itemColours.text);
    }

    // Separators, ticks, sub-menu arrows, shortcuts and icons are never used in these popups.
    const int indent = juce::jmin (textInset + 5, area.getWidth());
    g.setFont (textFont);
    g.drawFittedText (text, area.withTrimmedLeft (indent), juce::Justification::centredLeft, 1);
}
} // namespace my
