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

TEST (ButtonComboPreNextArrow, EditorSizeTrianglesSpanTheirDesignedExtentsInEitherColour)
{
    ojx::ButtonComboPreNextArrow arrows;
    arrows.setSize (32, 16);
    auto image = paintToImage (arrows);
    savePng (image, "ButtonComboPreNextArrow", 8);

    // Previous: x 5.125 to 10.725, tip at (5.125, 8); next: x 22.275 to 27.875; both y 4.25 to 11.75.
    EXPECT_EQ (paintedBounds (image, { 0, 0, 16, 16 }), juce::Rectangle<int> (5, 4, 6, 8));
    EXPECT_EQ (paintedBounds (image, { 16, 0, 16, 16 }), juce::Rectangle<int> (22, 4, 6, 8));
    EXPECT_EQ (argbAt (image, 9, 6), 0xFFE67300u);
    EXPECT_EQ (argbAt (image, 6, 5), 0u); // above the previous triangle's slanted edge
    EXPECT_EQ (argbAt (image, 26, 5), 0u);

    arrows.isActive = false;
    image = paintToImage (arrows);
    EXPECT_EQ (paintedBounds (image, image.getBounds()), juce::Rectangle<int> (5, 4, 23, 8));
    EXPECT_EQ (argbAt (image, 24, 8), 0xFF555555u);
}

TEST (ButtonComboPreNextArrow, OddWidthMovesThePreviousTriangleOnePixelRight)
{
    ojx::ButtonComboPreNextArrow even, odd;
    even.setSize (32, 16);
    odd.setSize (33, 16);
    const auto evenImage = paintToImage (even);
    const auto oddImage = paintToImage (odd);

    EXPECT_TRUE (sameImage (oddImage.getClippedImage ({ 6, 0, 6, 16 }), evenImage.getClippedImage ({ 5, 0, 6, 16 })));
    EXPECT_EQ (paintedBounds (oddImage, { 16, 0, 17, 16 }), juce::Rectangle<int> (23, 4, 6, 8));
}
