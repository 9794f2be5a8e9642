#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_HoverTint.h"
#include "widgets/ojx_ButtonUndoRedo.h"

#include <cmath>

using namespace widget_testing;

namespace
{
constexpr juce::uint32 arrowGrey = 0xFFA0A0A0;

// The editor's control: 46 x 24, arcs of radius 6 around (11.5, 12) and (34.5, 12).
class UndoRedoTest : public ::testing::Test
{
protected:
    UndoRedoTest() { control.setBounds (450, 3, 46, 24); }

    // Whether the stroke covers the point at `angle` (clockwise from twelve o'clock) on the arc.
    static bool strokedAt (const juce::Image& image, float centreX, float angle)
    {
        const auto p = juce::Point<float> (centreX, 12.0f).getPointOnCircumference (6.0f, angle);
        return image.getPixelAt ((int) std::floor (p.x), (int) std::floor (p.y)).getAlpha() > 0x60;
    }

    ojx::ButtonUndoRedo control;
};
} // namespace

TEST_F (UndoRedoTest, EachHalfIsATransparentButtonWithItsOwnId)
{
    EXPECT_EQ (control.buttonUndo.getBounds(), juce::Rectangle<int> (0, 0, 23, 24));
    EXPECT_EQ (control.buttonRedo.getBounds(), juce::Rectangle<int> (23, 0, 23, 24));
    EXPECT_EQ (control.buttonUndo.getComponentID(), "buttonUndo");
    EXPECT_EQ (control.buttonRedo.getComponentID(), "buttonRedo");
    EXPECT_TRUE (control.buttonUndo.isVisible());
    EXPECT_EQ (control.buttonUndo.getParentComponent(), &control);

    auto half = paintToImage (control.buttonRedo);
    EXPECT_EQ (countPixels (half, [] (juce::Colour c) { return ! c.isTransparent(); }), 0);

    control.buttonRedo.isHover = true;
    half = paintToImage (control.buttonRedo);
    EXPECT_EQ (argbAt (half, 11, 12), my::hoverOverlay);
    EXPECT_LT (half.getPixelAt (0, 0).getAlpha(), my::hoverOverlay >> 24); // rounded highlight
}

TEST_F (UndoRedoTest, ArcsRunOverTheTopFromTheirHeadsInTheArrowColour)
{
    const auto image = paintToImage (control);
    savePng (image, "ButtonUndoRedo", 8);

    const float pi = juce::MathConstants<float>::pi;

    // Undo: nine o'clock over the top and the right side to six o'clock; open at the lower left.
    for (float angle : { -0.5f * pi, -0.25f * pi, 0.0f, 0.25f * pi, 0.5f * pi, 0.75f * pi })
        EXPECT_TRUE (strokedAt (image, 11.5f, angle)) << angle;
    EXPECT_FALSE (strokedAt (image, 11.5f, 1.25f * pi));

    // Redo: six o'clock over the left side and the top to three o'clock; open at the lower right.
    for (float angle : { -0.75f * pi, -0.5f * pi, -0.25f * pi, 0.0f, 0.25f * pi, 0.5f * pi })
        EXPECT_TRUE (strokedAt (image, 34.5f, angle)) << angle;
    EXPECT_FALSE (strokedAt (image, 34.5f, 0.75f * pi));

    EXPECT_TRUE (image.getPixelAt (11, 11).isTransparent());
    const auto otherColour = [] (juce::Colour c)
    { return c.getAlpha() > 0x80 && ! nearlyEqual (c.withAlpha ((juce::uint8) 0xFF), juce::Colour (arrowGrey)); };
    EXPECT_EQ (countPixels (image, otherColour), 0);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getAlpha() > 0x80; }), 40);
}

TEST_F (UndoRedoTest, HeadsPointDownWithTheirTipsAPixelUnderTheArcEnds)
{
    const auto image = paintToImage (control);

    // Undo tip at (5.5, 13), redo tip at (40.5, 13); each head spans 1.8 pixels to either side.
    for (int x : { 5, 40 })
    {
        EXPECT_GT (image.getPixelAt (x, 13).getAlpha(), 0x60) << x;
        EXPECT_TRUE (image.getPixelAt (x, 16).isTransparent()) << x;
    }

    EXPECT_TRUE (image.getPixelAt (2, 12).isTransparent());
    EXPECT_TRUE (image.getPixelAt (43, 12).isTransparent());
}
