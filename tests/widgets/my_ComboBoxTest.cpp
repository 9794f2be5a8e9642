#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_ComboBox.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 fill = 0xFF141414;
constexpr juce::uint32 outline = 0xFF0000FF;
constexpr juce::uint32 text = 0xFFE67300;
constexpr juce::uint32 highlight = 0xFF00FF00;

wkr::SkinTolvaneD baseLookSkin()
{
    wkr::SkinTolvaneD skin;
    skin[my::SkinIndex::comboFill] = juce::Colour (fill);
    skin[my::SkinIndex::comboOutline] = juce::Colour (outline);
    skin[my::SkinIndex::comboText] = juce::Colour (text);
    skin[my::SkinIndex::popupHighlight] = juce::Colour (highlight);
    return skin;
}

juce::Image blankImage (int w, int h)
{
    return juce::Image (juce::Image::ARGB, w, h, true, juce::SoftwareImageType());
}
} // namespace

TEST (MyComboBox, EnterAndExitWriteAndClearTheHintKeyOnlyWithATarget)
{
    my::MyComboBox box;
    box.setComponentID ("comboOversampling");
    const auto event = mouseEventFor (box);

    box.mouseEnter (event);
    box.mouseExit (event);

    juce::String hintKey;
    box.hintKeyTarget = &hintKey;
    box.mouseEnter (event);
    EXPECT_EQ (hintKey, "comboOversampling");
    box.mouseExit (event);
    EXPECT_TRUE (hintKey.isEmpty());
}

TEST (MyComboBox, SetSkinCopiesTheRecordAndShowsItsTextColour)
{
    my::MyComboBox box;
    auto skin = baseLookSkin();
    box.setSkin (skin);
    skin[my::SkinIndex::comboText] = juce::Colours::white;

    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), text);
    EXPECT_EQ (box.skin[my::SkinIndex::comboText].getARGB(), text);
}

TEST (MyComboBoxLookAndFeel, BaseLookDrawsItsRingAndArrowInFixedColours)
{
    my::MyComboBoxLookAndFeel look;
    look.skin = baseLookSkin();
    look.outlineThickness = 1.0f;
    look.isActive = false; // the base look has no greyed-out drawing
    my::MyComboBox box;

    auto image = blankImage (140, 16);
    {
        juce::Graphics g (image);
        look.drawComboBox (g, 140, 16, false, 0, 0, 0, 0, box);
    }
    savePng (image, "MyComboBoxLookAndFeel_box");

    EXPECT_EQ (argbAt (image, 70, 0), outline);
    EXPECT_EQ (argbAt (image, 70, 1), fill);
    EXPECT_EQ (argbAt (image, 132, 8), text);
    EXPECT_EQ (look.findColour (juce::PopupMenu::backgroundColourId), look.skin[my::SkinIndex::popupBackground]);
}

TEST (MyComboBoxLookAndFeel, PopupItemsAreFifteenPixelsHighAndIndentedFivePixelsPastTheTextInset)
{
    my::MyComboBoxLookAndFeel look;
    look.skin = baseLookSkin();

    for (const auto* itemText : { "x", "A much longer curve name than any box is wide" })
    {
        int width = 0, height = 0;
        look.getIdealPopupMenuItemSize (itemText, false, 16, width, height);
        EXPECT_EQ (height, 15);
        EXPECT_EQ (width, 5); // the framework widens the popup to the box
    }

    for (const int inset : { 0, 10 })
    {
        look.textInset = inset;
        auto image = blankImage (140, 15);
        {
            juce::Graphics g (image);
            look.drawPopupMenuItem (g, { 0, 0, 140, 15 }, false, true, true, false, false, "Hard Clip", {}, nullptr, nullptr);
        }
        savePng (image, "MyComboBoxLookAndFeel_item" + juce::String (inset));

        EXPECT_EQ (argbAt (image, 1, 1), highlight);
        int firstTextColumn = -1;
        for (int x = 0; x < 140 && firstTextColumn < 0; ++x)
            for (int y = 0; y < 15; ++y)
                if (image.getPixelAt (x, y).getGreen() < 0xF0)
                    firstTextColumn = x;

        EXPECT_GE (firstTextColumn, inset + 5);
        EXPECT_LE (firstTextColumn, inset + 7);
    }
}

TEST (MyComboBoxLookAndFeel, TextLabelStartsAtTheInsetOverTheFullHeight)
{
    my::MyComboBoxLookAndFeel look;
    look.textInset = 4;
    look.textFont = juce::Font ("Arial", 11.0f, juce::Font::plain);
    my::MyComboBox box;
    box.setBounds (0, 0, 40, 17);
    juce::Label label;

    look.positionComboBoxText (box, label);

    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (4, 1, 36, 17));
    EXPECT_EQ (label.getFont(), look.textFont);
    EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centredLeft));
}
