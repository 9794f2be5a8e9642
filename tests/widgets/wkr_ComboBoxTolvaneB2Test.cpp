#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_ComboBoxTolvaneB2.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 fill = 0xFF141414;   // box fill and popup background
constexpr juce::uint32 orange = 0xFFE67300; // text, highlight and popup border
constexpr juce::uint32 grey = 0xFF808080;   // their greyed-out twins

// The curve choice's skin as the editor edits it.
wkr::SkinTolvaneD curveChoiceSkin()
{
    using namespace my::SkinIndex;
    wkr::SkinTolvaneD skin;
    for (int index : { comboFill, popupBackground })
        skin[index] = juce::Colour (fill);
    for (int index : { comboText, popupHighlight, popupBorder })
        skin[index] = juce::Colour (orange);
    for (int index : { comboTextInactive, popupHighlightInactive, popupBorderInactive })
        skin[index] = juce::Colour (grey);
    return skin;
}

bool isOrange (juce::Colour c) { return c.getAlpha() > 0x80 && c.getRed() > c.getBlue() + 0x60; }
bool isGrey (juce::Colour c)
{
    return c.getAlpha() > 0x80 && c.getRed() > 0x60 && std::abs (c.getRed() - c.getBlue()) < 8;
}

class MyComboBoxTolvaneB2Test : public ::testing::Test
{
protected:
    MyComboBoxTolvaneB2Test()
    {
        look.skin = curveChoiceSkin();
        box.setSkin (curveChoiceSkin());
        box.setLookAndFeel (&look);
    }

    juce::Image draw (std::function<void (juce::Graphics&)> drawing, int height = 16)
    {
        juce::Image image (juce::Image::ARGB, 140, height, true, juce::SoftwareImageType());
        juce::Graphics g (image);
        drawing (g);
        return image;
    }

    juce::Image drawBox()
    {
        return draw ([this] (juce::Graphics& g) { look.drawComboBox (g, 140, 16, false, 0, 0, 0, 0, box); });
    }

    // A one-item popup as the framework lays it out: a 2-pixel border around an item of 15.
    juce::Image drawPopup (bool highlighted)
    {
        return draw (
            [this, highlighted] (juce::Graphics& g)
            {
                look.drawPopupMenuBackground (g, 140, 19);
                look.drawPopupMenuItem (g, { 2, 2, 136, 15 }, false, true, highlighted, false, false, "Soft Clip", {},
                                        nullptr, nullptr);
            },
            19);
    }

    // Declared first so it outlives the box, as in the editor.
    wkr::MyComboBoxTolvaneB2LookAndFeel look;
    wkr::MyComboBoxTolvaneB2 box;
};
} // namespace

TEST_F (MyComboBoxTolvaneB2Test, WithoutOutlineTheWholeRoundedBoxIsFilledUnderTheTriangle)
{
    const auto image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_box");
    EXPECT_EQ (argbAt (image, 0, 8), fill);
    EXPECT_EQ (argbAt (image, 70, 0), fill);
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_EQ (argbAt (image, 132, 8), orange); // triangle (128, 7) (136, 7) (132, 11)
    EXPECT_EQ (argbAt (image, 132, 12), fill);
}

TEST_F (MyComboBoxTolvaneB2Test, OutlineRingsAnInnerBoxAndGreyingOutSparesOnlyTheChevron)
{
    look.outlineThickness = 1.0f;
    look.skin[my::SkinIndex::comboFrameInactive] = juce::Colour (0xFF0000FF);
    auto image = drawBox();
    EXPECT_EQ (argbAt (image, 70, 0), 0xFF505050u);
    EXPECT_EQ (argbAt (image, 70, 1), fill);
    EXPECT_NE (argbAt (image, 1, 1), fill); // the inner radius of 2 leaves the ring in the corner

    look.isActive = false;
    image = drawBox();
    EXPECT_EQ (argbAt (image, 70, 0), 0xFF0000FFu);
    EXPECT_EQ (argbAt (image, 132, 8), grey);

    look.arrowStyle = 2; // the chevron, through (126, 6.5), (129, 9.5), (132, 6.5)
    image = drawBox();
    savePng (image, "MyComboBoxTolvaneB2_chevron");
    EXPECT_TRUE (isOrange (image.getPixelAt (129, 8)));
    EXPECT_EQ (countPixels (image, isGrey), 0);
}

TEST_F (MyComboBoxTolvaneB2Test, PopupBorderHighlightAndTextFollowTheLooksActiveFlag)
{
    auto image = drawPopup (true);
    savePng (image, "MyComboBoxTolvaneB2_popupHighlighted");
    EXPECT_EQ (argbAt (image, 0, 9), orange);
    EXPECT_EQ (argbAt (image, 1, 9), fill);
    EXPECT_EQ (argbAt (image, 3, 3), orange);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getRed() < 0x80 && c.getRed() > 0; }),
               10); // text in 46
    EXPECT_GT (countPixels (drawPopup (false).getClippedImage ({ 2, 2, 136, 15 }), isOrange), 10);

    look.isActive = false;
    EXPECT_EQ (argbAt (drawPopup (true), 3, 3), grey);
    image = drawPopup (false);
    EXPECT_EQ (argbAt (image, 0, 9), grey);
    EXPECT_GT (countPixels (image, isGrey), 10);
    EXPECT_EQ (countPixels (image, isOrange), 0);
}

TEST_F (MyComboBoxTolvaneB2Test, DrawingTheBoxHandsThePopupItsColours)
{
    look.isActive = false;
    EXPECT_NE (look.findColour (juce::PopupMenu::textColourId).getARGB(), grey);
    drawBox();
    EXPECT_EQ (look.findColour (juce::PopupMenu::backgroundColourId).getARGB(), fill);
    EXPECT_EQ (look.findColour (juce::PopupMenu::textColourId).getARGB(), grey);
}

TEST_F (MyComboBoxTolvaneB2Test, SetIsActiveRecoloursTheTextOfBoxAndOwnLookOnly)
{
    box.setIsActive (false);
    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), grey);
    EXPECT_EQ (look.findColour (juce::ComboBox::textColourId).getARGB(), grey);
    EXPECT_TRUE (look.isActive);

    box.setSkin (curveChoiceSkin()); // always back to the active colour
    EXPECT_EQ (box.findColour (juce::ComboBox::textColourId).getARGB(), orange);

    // A box on the framework's shared look leaves that look alone.
    const auto shared = juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ComboBox::textColourId);
    box.setLookAndFeel (nullptr);
    box.setIsActive (false);
    EXPECT_EQ (juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ComboBox::textColourId), shared);
}
