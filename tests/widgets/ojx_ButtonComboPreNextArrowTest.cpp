#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/ojx_ButtonComboPreNextArrow.h"

using namespace widget_testing;

namespace
{
// The smallest rectangle holding every pixel the paint touched inside `area`.
juce::Rectangle<int> paintedBounds (const juce::Image& image, juce::Rectangle<int> area)
{
    juce::Rectangle<int> bounds;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (! image.getPixelAt (x, y).isTransparent())
                bounds = bounds.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : bounds.getUnion ({ x, y, 1, 1 });

    return bounds;
}
} // namespace

TEST (ButtonComboPreNextArrow, EditorSizeTrianglesSpanTheirDesignedExtents)
{
    ojx::ButtonComboPreNextArrow arrows;
    arrows.setSize (32, 16);
    const auto image = paintToImage (arrows);
    savePng (image, "ButtonComboPreNextArrow", 8);

    // Previous: x 5.125 to 10.725, tip at (5.125, 8); next: x 22.275 to 27.875; both y 4.25 to 11.75.
    EXPECT_EQ (paintedBounds (image, { 0, 0, 16, 16 }), juce::Rectangle<int> (5, 4, 6, 8));
    EXPECT_EQ (paintedBounds (image, { 16, 0, 16, 16 }), juce::Rectangle<int> (22, 4, 6, 8));
    EXPECT_EQ (argbAt (image, 7, 8), 0xFFE67300u);
    EXPECT_EQ (argbAt (image, 9, 6), 0xFFE67300u);
    EXPECT_TRUE (image.getPixelAt (6, 5).isTransparent()); // above the left-pointing edge
    EXPECT_EQ (argbAt (image, 24, 8), 0xFFE67300u);
    EXPECT_TRUE (image.getPixelAt (26, 5).isTransparent());
}

TEST (ButtonComboPreNextArrow, OddWidthMovesOnlyThePreviousTriangleOnePixelRight)
{
    ojx::ButtonComboPreNextArrow even, odd;
    even.setSize (32, 16);
    odd.setSize (33, 16);
    const auto evenImage = paintToImage (even);
    const auto oddImage = paintToImage (odd);

    EXPECT_EQ (paintedBounds (oddImage, { 0, 0, 16, 16 }), paintedBounds (evenImage, { 0, 0, 16, 16 }).translated (1, 0));
    EXPECT_EQ (paintedBounds (oddImage, { 16, 0, 17, 16 }), paintedBounds (evenImage, { 16, 0, 16, 16 }).translated (1, 0));
    EXPECT_TRUE (sameImage (oddImage.getClippedImage ({ 6, 0, 6, 16 }), evenImage.getClippedImage ({ 5, 0, 6, 16 })));
}

TEST (ButtonComboPreNextArrow, GreyedOutSwitchesOnlyTheColour)
{
    ojx::ButtonComboPreNextArrow arrows;
    arrows.setSize (32, 16);
    arrows.colourInactive = juce::Colour (0xFF808080);
    const auto active = paintToImage (arrows);

    arrows.isActive = false;
    const auto inactive = paintToImage (arrows);

    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ (inactive.getPixelAt (x, y).getAlpha(), active.getPixelAt (x, y).getAlpha()) << x << ", " << y;

    EXPECT_EQ (argbAt (inactive, 7, 8), 0xFF808080u);
    EXPECT_EQ (argbAt (inactive, 24, 8), 0xFF808080u);
}
