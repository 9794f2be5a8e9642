#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_Panel.h"

using namespace widget_testing;
using Corner = my::CornerStyle::Corner;

namespace
{
constexpr juce::uint32 fill = 0xFF323232;
constexpr juce::uint32 outline = 0xFF505050;

class PanelTest : public ::testing::Test
{
protected:
    PanelTest()
    {
        panel.fillColour = juce::Colour (fill);
        panel.setBounds (0, 0, 300, 58);
    }

    my::Panel panel;
};
} // namespace

TEST_F (PanelTest, DefaultPanelIsASolidRectangleInItsFill)
{
    const auto image = paintToImage (panel);
    savePng (image, "Panel_default", 2);
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() != fill; }), 0);
}

TEST_F (PanelTest, AllRoundedStyleLeavesTheCornersUnpainted)
{
    panel.cornerStyle = 6;
    const auto image = paintToImage (panel);

    for (auto corner : allCorners)
        EXPECT_TRUE (cornerPixel (image, corner).isTransparent());

    EXPECT_EQ (argbAt (image, 4, 0), fill);
    EXPECT_EQ (argbAt (image, 0, 4), fill);
    EXPECT_EQ (argbAt (image, 150, 29), fill);
}

TEST_F (PanelTest, RangeBackgroundRoundsOnlyItsTopCorners)
{
    panel.cornerStyle = 2;
    panel.setBounds (0, 0, 106, 20);
    const auto image = paintToImage (panel);
    savePng (image, "Panel_rangeBackground");

    expectCornersOfStyle (image, 2, fill);
    EXPECT_TRUE (cornerPixel (image, Corner::topLeft).isTransparent());
}

TEST_F (PanelTest, EachCornerStyleSquaresItsCorners)
{
    panel.setBounds (0, 0, 40, 20);

    for (int style = 1; style <= 10; ++style)
    {
        panel.cornerStyle = style;
        expectCornersOfStyle (paintToImage (panel), style, fill);
    }
}

TEST_F (PanelTest, OutlineIsARingAroundTheBody)
{
    panel.cornerStyle = 6;
    panel.outlineThickness = 2.0f;
    const auto image = paintToImage (panel);
    savePng (image, "Panel_outlined", 2);

    EXPECT_EQ (argbAt (image, 0, 29), outline);
    EXPECT_EQ (argbAt (image, 1, 29), outline);
    EXPECT_EQ (argbAt (image, 2, 29), fill);
    EXPECT_EQ (argbAt (image, 150, 0), outline);
    EXPECT_EQ (argbAt (image, 150, 57), outline);
    EXPECT_EQ (argbAt (image, 150, 29), fill);
    EXPECT_TRUE (cornerPixel (image, Corner::topLeft).isTransparent());
}

TEST_F (PanelTest, SquaredCornersKeepTheOutlineBandAndLeaveNoSeam)
{
    panel.outlineThickness = 2.0f;
    const auto image = paintToImage (panel);

    for (auto corner : allCorners)
        EXPECT_EQ (cornerPixel (image, corner).getARGB(), outline);

    EXPECT_EQ (argbAt (image, 2, 2), fill);
    EXPECT_EQ (argbAt (image, 297, 55), fill);

    // The inner quarters meet at the middle lines without letting the outline through.
    for (int x = 2; x < 298; ++x)
        for (int y : { 27, 28, 29, 30 })
            ASSERT_EQ (argbAt (image, x, y), fill) << x << ", " << y;

    for (int y = 2; y < 56; ++y)
        ASSERT_EQ (argbAt (image, 150, y), fill) << y;
}

TEST_F (PanelTest, SeparatorOfOnePixelIsALineInTheFill)
{
    panel.setBounds (0, 0, 1, 50);
    const auto image = paintToImage (panel);

    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() != fill; }), 0);
}

TEST_F (PanelTest, StylesOutsideTheRangeDrawLikeAllRounded)
{
    panel.cornerStyle = 6;
    const auto allRounded = paintToImage (panel);

    for (int style : { 0, 11, -1 })
    {
        panel.cornerStyle = style;
        EXPECT_TRUE (sameImage (paintToImage (panel), allRounded)) << "style " << style;
    }
}

TEST_F (PanelTest, NoOutlineColourBleedsIntoTheEdgesWithoutAThickness)
{
    panel.cornerStyle = 6;
    panel.outlineColour = juce::Colour (0xFFFF0000);
    const auto image = paintToImage (panel);

    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getRed() != c.getGreen(); }), 0);
}
