#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_ComboBoxTolvaneB2.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 fill = 0xFF141414;      // box fill and popup background
constexpr juce::uint32 frame = 0xFF505050;
constexpr juce::uint32 frameInactive = 0xFF0000FF;
constexpr juce::uint32 orange = 0xFFE67300;    // text, highlight and popup border
constexpr juce::uint32 grey = 0xFF808080;      // their greyed-out twins

// The curve choice's skin as the editor edits it, with the greyed-out frame made distinct.
wkr::SkinTolvaneD curveChoiceSkin()
{
    using namespace my::SkinIndex;
    wkr::SkinTolvaneD skin;
    skin[comboFill] = juce::Colour (fill);
    skin[comboText] = juce::Colour (orange);
    skin[comboTextInactive] = juce::Colour (grey);
    skin[popupBackground] = juce::Colour (fill);
    skin[popupHighlight] = juce::Colour (orange);
    skin[popupHighlightInactive] = juce::Colour (grey);
    skin[popupBorder] = juce::Colour (orange);
    skin[popupBorderInactive] = juce::Colour (grey);
    skin[comboFrameInactive] = juce::Colour (frameInactive);
    return skin;
}

bool isOrange (juce::Colour c) { return c.getAlpha() > 0x80 && c.getRed() > c.getBlue() + 0x60; }
bool isGrey (juce::Colour c) { return c.getAlpha() > 0x80 && c.getRed() > 0x60 && std::abs (c.getRed() - c.getBlue()) < 8; }

class BrandComboTest : public ::testing::Test
{
protected:
    BrandComboTest()
    {
        look.skin = curveChoiceSkin();
        box.setSkin (curveChoiceSkin());
        box.setLookAndFeel (&look);
        box.setBounds (76, 260, 140, 16);
    }

    juce::Image drawBox()
    {
        juce::Image image (juce::Image::ARGB, 140, 16, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        look.drawComboBox (g, 140, 16, false, 0, 0, 0, 0, box);
        return image;
    }

    juce::Image drawPopup (bool highlighted)
    {
        juce::Image image (juce::Image::ARGB, 140, 19, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        look.drawPopupMenuBackground (g, 140, 19);
        look.drawPopupMenuItem (g, { 2, 2, 136, 15 }, false, true, highlighted, false, false, "Soft Clip", {}, nullptr, nullptr);
        return image;
    }

    // The look is declared first so it outlives the box, as in the editor.
    wkr::MyComboBoxTolvaneB2LookAndFeel look;
    wkr::MyComboBoxTolvaneB2 box;
};
} // namespace

TEST_F (BrandComboTest, WithoutOutlineTheWholeBoxIsFilledWithRoundedCorners)
{
    const auto image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_box");

    EXPECT_EQ (argbAt (image, 0, 8), fill);
    EXPECT_EQ (argbAt (image, 70, 0), fill);
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_LT (image.getPixelAt (139, 15).getAlpha(), 0x80);
    EXPECT_EQ (argbAt (image, 132, 8), orange); // the triangle, (128, 7) (136, 7) (132, 11)
    EXPECT_EQ (argbAt (image, 132, 12), fill);
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == frame; }), 0);
}

TEST_F (BrandComboTest, OutlineRingsAnInnerBoxWithTheSmallerRadius)
{
    look.outlineThickness = 1.0f;
    auto image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_outline");

    EXPECT_EQ (argbAt (image, 70, 0), frame);
    EXPECT_EQ (argbAt (image, 0, 8), frame);
    EXPECT_EQ (argbAt (image, 70, 1), fill);
    EXPECT_EQ (argbAt (image, 1, 8), fill);
    EXPECT_NE (argbAt (image, 1, 1), fill); // inner corner radius 2 leaves the ring showing there

    look.isActive = false;
    image = drawBox();
    EXPECT_EQ (argbAt (image, 70, 0), frameInactive);
    EXPECT_EQ (argbAt (image, 70, 1), fill);
}

TEST_F (BrandComboTest, GreyedOutLookGreysTheTriangleButNotTheChevron)
{
    look.isActive = false;
    auto image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_inactive");
    EXPECT_EQ (argbAt (image, 132, 8), grey);

    look.arrowStyle = 2; // through (126, 6.5), (129, 9.5), (132, 6.5)
    image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_chevron");
    EXPECT_TRUE (isOrange (image.getPixelAt (129, 8)));
    EXPECT_TRUE (isOrange (image.getPixelAt (127, 7)));
    EXPECT_EQ (countPixels (image, isGrey), 0);
}

TEST_F (BrandComboTest, PopupHasABorderAndHighlightsWithItsTextInTheBackgroundColour)
{
    auto image = drawPopup (true);
    savePng (image, "MyComboBoxTolvaneB2_popupHighlighted");
    EXPECT_EQ (argbAt (image, 0, 9), orange);
    EXPECT_EQ (argbAt (image, 70, 18), orange);
    EXPECT_EQ (argbAt (image, 1, 9), fill);
    EXPECT_EQ (argbAt (image, 3, 3), orange);
    EXPECT_GT (countPixels (image.getClippedImage ({ 2, 2, 136, 15 }), [] (juce::Colour c) { return c.getRed() < 0x80; }), 10);

    image = drawPopup (false);
    savePng (image, "MyComboBoxTolvaneB2_popup");
    EXPECT_EQ (argbAt (image, 3, 3), fill);
    EXPECT_GT (countPixels (image.getClippedImage ({ 2, 2, 136, 15 }), isOrange), 10);
}

TEST_F (BrandComboTest, GreyedOutPopupGreysBorderHighlightAndText)
{
    look.isActive = false;

    auto image = drawPopup (true);
    EXPECT_EQ (argbAt (image, 0, 9), grey);
    EXPECT_EQ (argbAt (image, 3, 3), grey);

    image = drawPopup (false);
    savePng (image, "MyComboBoxTolvaneB2_popupInactive");
    EXPECT_GT (countPixels (image.getClippedImage ({ 2, 2, 136, 15 }), isGrey), 10);
    EXPECT_EQ (countPixels (image, isOrange), 0);
}

TEST_F (BrandComboTest, DrawingTheBoxHandsThePopupItsColours)
{
    drawBox();
    EXPECT_EQ (look.findColour (juce::PopupMenu::backgroundColourId).getARGB(), fill);
    EXPECT_EQ (look.findColour (juce::PopupMenu::textColourId).getARGB(), orange);

    look.isActive = false;
    EXPECT_EQ (look.findColour (juce::PopupMenu::textColourId).getARGB(), orange); // until the next paint
    drawBox();
    EXPECT_EQ (look.findColour (juce::PopupMenu::textColourId).getARGB(), grey);
}

TEST_F (BrandComboTest, PopupBorderIsTwoPixels)
{
    EXPECT_EQ (look.getPopupMenuBorderSize(), 2);
}

TEST_F (BrandComboTest, SetIsActiveRecoloursBoxAndLookTextButNotTheLooksFlag)
{
    box.setIsActive (false);
    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), grey);
    EXPECT_EQ (look.findColour (juce::ComboBox::textColourId).getARGB(), grey);
    EXPECT_TRUE (look.isActive);

    box.setIsActive (true);
    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), orange);
    EXPECT_EQ (look.findColour (juce::ComboBox::textColourId).getARGB(), orange);

    box.setIsActive (false);
    box.setSkin (curveChoiceSkin()); // always back to the active colour
    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), orange);
}

TEST (MyComboBoxTolvaneB2, BoxWithoutAProductLookLeavesTheSharedLookAlone)
{
    const auto before = juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ComboBox::textColourId);
    wkr::MyComboBoxTolvaneB2 box;
    box.setSkin (curveChoiceSkin());

    box.setIsActive (false);

    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), grey);
    EXPECT_EQ (juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ComboBox::textColourId), before);
}
