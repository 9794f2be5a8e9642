#include <gtest/gtest.h>

#include "editor/ojx_ShapeScope2d.h"
#include "widgets/WidgetTesting.h"

#include <limits>

using namespace widget_testing;

namespace
{
constexpr juce::uint32 accent = 0xFFE67300;

class ShapeScope2dTest : public ::testing::Test
{
protected:
    ShapeScope2dTest() { scope.setBounds (0, 0, 292, 146); }

    int pointsFrom (float from, float to) const
    {
        const auto path = scope.curvePath (slot.getSelectedShaper(), from, to);
        int points = 0;
        for (juce::Path::Iterator it (path); it.next();)
            ++points;
        return points;
    }

    // Whether the middle of a 2-pixel stroke in `colour` passes next to where input x is plotted.
    bool strokedAt (const juce::Image& image, float x, juce::uint32 colour) const
    {
        const float y = slot.getSelectedShaper().getProcessed (x);
        const int px = (int) (((x + scope.range) / (2.0f * scope.range)) * 279.0f + 6.5f);
        const int py = (int) ((-(y - 1.0f) * 0.5f) * 133.0f + 6.5f);

        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (nearlyEqual (image.getPixelAt (px + dx, py + dy), juce::Colour (colour)))
                    return true;
        return false;
    }

    int redPixels()
    {
        return countPixels (paintToImage (scope), [] (juce::Colour c) { return c.getRed() > c.getBlue() + 8; });
    }

    my::ShapeProcessor slot;
    my::ShapeScope2d scope { &slot };
};
} // namespace

TEST_F (ShapeScope2dTest, WholeCurvePointCountsFollowTheSinglePrecisionSteps)
{
    for (auto [range, points] :
         { std::pair { 2.0f, 401 }, { 4.0f, 801 }, { 8.0f, 1600 }, { 16.0f, 3200 }, { 32.0f, 6400 } })
    {
        scope.range = range;
        EXPECT_EQ (pointsFrom (-range, range), points) << "range " << range;
    }
}

TEST_F (ShapeScope2dTest, AtRangeSixteenTheGridLineOfInputZeroStandsInTheMiddle)
{
    scope.shapeProcessor = nullptr; // the grid alone
    const auto image = paintToImage (scope);

    // The line at x = 146.0 covers half of each pixel column beside it.
    for (int x : { 145, 146 })
    {
        EXPECT_NEAR (image.getPixelAt (x, 40).getAlpha(), 0x80, 8) << x;
        EXPECT_TRUE (nearlyEqual (image.getPixelAt (x, 40).withAlpha (1.0f), juce::Colour (0xFF323232))) << x;
    }
    EXPECT_TRUE (image.getPixelAt (141, 40).isTransparent());
}

TEST_F (ShapeScope2dTest, TheUsedSpanIsOpaqueOverTheCurveTranslucentOrGreyedOut)
{
    scope.range = 2.0f;
    scope.inputMin = -0.5f;
    scope.inputMax = 0.8f;
    EXPECT_EQ (pointsFrom (-0.5f, 0.8f), 131);

    const auto image = paintToImage (scope);
    savePng (image, "ShapeScope2d_usedSpan", 2);
    EXPECT_TRUE (strokedAt (image, 0.3f, accent));
    EXPECT_TRUE (strokedAt (image, -0.9f, 0x80E67300));
    EXPECT_FALSE (strokedAt (image, -0.9f, accent));

    scope.isActive = false;
    const auto inactive = paintToImage (scope);
    EXPECT_TRUE (strokedAt (inactive, 0.3f, accent));
    EXPECT_TRUE (strokedAt (inactive, -0.9f, 0xFF555555));
}

TEST_F (ShapeScope2dTest, EmptyOrNaNSpansAndAZeroRangeDrawNothingOrange)
{
    scope.range = 2.0f;
    scope.inputMax = -100.0f; // a block of no samples
    scope.inputMin = 100.0f;
    EXPECT_EQ (countPixels (paintToImage (scope), [] (juce::Colour c) { return c.getARGB() == accent; }), 0);

    scope.inputMax = std::numeric_limits<float>::quiet_NaN();
    scope.inputMin = -1.0f;
    EXPECT_EQ (countPixels (paintToImage (scope), [] (juce::Colour c) { return c.getARGB() == accent; }), 0);

    scope.range = 0.0f;
    scope.inputMax = 1.0f;
    EXPECT_EQ (pointsFrom (-1.0f, 1.0f), 0);
    EXPECT_EQ (redPixels(), 0);
    EXPECT_GT (paintToImage (scope).getPixelAt (146, 72).getAlpha(), 0x60); // the centre line still shows
}
