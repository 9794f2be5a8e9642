#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_HoverTint.h"
#include "widgets/ojx_ButtonUndoRedo.h"

#include <cmath>

using namespace widget_testing;

namespace
{
// Whether the stroke covers the point of the radius-6 arc around (centreX, 12) at `angle`
// (clockwise from twelve o'clock).
bool strokedAt (const juce::Image& image, float centreX, float angle)
{
    const auto p = juce::Point<float> (centreX, 12.0f).getPointOnCircumference (6.0f, angle);
    return image.getPixelAt ((int) std::floor (p.x), (int) std::floor (p.y)).getAlpha() > 0x60;
}

constexpr float pi = juce::MathConstants<float>::pi;
} // namespace

TEST (ButtonUndoRedo, EachHalfIsAClearButtonThatShowsOnlyTheHoverHighlight)
{
    ojx::ButtonUndoRedo control;
    control.setBounds (450, 3, 46, 24);
    EXPECT_EQ (control.buttonUndo.getBounds(), juce::Rectangle<int> (0, 0, 23, 24));
    EXPECT_EQ (control.buttonRedo.getBounds(), juce::Rectangle<int> (23, 0, 23, 24));
    EXPECT_EQ (countPixels (paintToImage (control.buttonRedo), [] (juce::Colour c) { return ! c.isTransparent(); }), 0);

    control.buttonRedo.isHover = true;
    const auto half = paintToImage (control.buttonRedo);
    EXPECT_EQ (argbAt (half, 11, 12), my::hoverOverlay);
    EXPECT_LT (half.getPixelAt (0, 0).getAlpha(), 0x0D); // rounded corners
}

TEST (ButtonUndoRedo, ArcsRunOverTheTopAndHeadsPointDownUnderTheirEnds)
{
    ojx::ButtonUndoRedo control;
    control.setSize (46, 24);
    const auto image = paintToImage (control);
    savePng (image, "ButtonUndoRedo", 8);

    // Undo: nine o'clock over the top and the right side to six o'clock, open at the lower left.
    for (float angle : { -0.5f, 0.0f, 0.5f, 0.75f })
        EXPECT_TRUE (strokedAt (image, 11.5f, angle * pi)) << angle;
    EXPECT_FALSE (strokedAt (image, 11.5f, 1.25f * pi));

    // Redo: six o'clock over the left side and the top to three o'clock, open at the lower right.
    for (float angle : { -0.75f, -0.5f, 0.0f, 0.5f })
        EXPECT_TRUE (strokedAt (image, 34.5f, angle * pi)) << angle;
    EXPECT_FALSE (strokedAt (image, 34.5f, 0.75f * pi));

    // Head tips at (5.5, 13) and (40.5, 13), in the arrow grey.
    for (int x : { 5, 40 })
    {
        EXPECT_GT (image.getPixelAt (x, 13).getAlpha(), 0x60) << x;
        EXPECT_TRUE (image.getPixelAt (x, 16).isTransparent()) << x;
    }
    EXPECT_EQ (countPixels (image,
                            [] (juce::Colour c) {
                                return c.getAlpha() > 0x80 &&
                                       ! nearlyEqual (c.withAlpha ((juce::uint8) 0xFF), juce::Colour (0xFFA0A0A0));
                            }),
               0);
}
