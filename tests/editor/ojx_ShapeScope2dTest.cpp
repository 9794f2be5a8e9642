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

    static int pointsOf (const juce::Path& path)
    {
        int points = 0;
        for (juce::Path::Iterator it (path); it.next();)
            ++points;
        return points;
    }

    // Where the view plots input x of the selected curve.
    juce::Point<int> pixelOf (float x) const
    {
        const float y = slot.getSelectedShaper().getProcessed (x);
        return { (int) (((x + scope.range) / (2.0f * scope.range)) * 279.0f + 6.5f),
                 (int) ((-(y - 1.0f) * 0.5f) * 133.0f + 6.5f) };
    }

    // Whether the middle of a 2-pixel stroke in `colour` passes next to a point.
    static bool strokedAround (const juce::Image& image, juce::Point<int> p, juce::uint32 colour)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (nearlyEqual (image.getPixelAt (p.x + dx, p.y + dy), juce::Colour (colour)))
                    return true;
        return false;
    }

    int opaqueAccentPixels() { return countPixels (paintToImage (scope), [] (juce::Colour c) { return c.getARGB() == accent; }); }

    my::ShapeProcessor slot;
    my::ShapeScope2d scope { &slot };
};
} // namespace

TEST_F (ShapeScope2dTest, WholeCurvePointCountsFollowTheSinglePrecisionSteps)
{
    const std::pair<float, int> expected[] { { 2.0f, 401 }, { 4.0f, 801 }, { 8.0f, 1600 }, { 16.0f, 3200 }, { 32.0f, 6400 } };

    for (auto [range, points] : expected)
    {
        scope.range = range;
        EXPECT_EQ (pointsOf (scope.curvePath (slot.getSelectedShaper(), -range, range)), points) << "range " << range;
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
    EXPECT_EQ (pointsOf (scope.curvePath (slot.getSelectedShaper(), -0.5f, 0.8f)), 131);

    const auto image = paintToImage (scope);
    savePng (image, "ShapeScope2d_usedSpan", 2);

    EXPECT_TRUE (strokedAround (image, pixelOf (0.3f), accent));
    EXPECT_TRUE (strokedAround (image, pixelOf (-0.9f), 0x80E67300));
    EXPECT_FALSE (strokedAround (image, pixelOf (-0.9f), accent));

    scope.isActive = false;
    const auto inactive = paintToImage (scope);
    EXPECT_TRUE (strokedAround (inactive, pixelOf (0.3f), accent));
    EXPECT_TRUE (strokedAround (inactive, pixelOf (-0.9f), 0xFF555555));
}

TEST_F (ShapeScope2dTest, NoSpanShowsAfterAnEmptyBlockOrANaNInput)
{
    scope.range = 2.0f;
    scope.inputMax = -100.0f;
    scope.inputMin = 100.0f;
    EXPECT_EQ (opaqueAccentPixels(), 0);

    scope.inputMax = std::numeric_limits<float>::quiet_NaN();
    scope.inputMin = -1.0f;
    EXPECT_EQ (opaqueAccentPixels(), 0);
}

TEST_F (ShapeScope2dTest, ARangeOfZeroDrawsNoCurve)
{
    scope.range = 0.0f;
    scope.inputMin = -1.0f;
    scope.inputMax = 1.0f;

    const auto image = paintToImage (scope);

    EXPECT_TRUE (scope.curvePath (slot.getSelectedShaper(), -1.0f, 1.0f).isEmpty());
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getRed() > c.getBlue() + 8; }), 0);
    EXPECT_GT (image.getPixelAt (146, 72).getAlpha(), 0x60); // the centre line still shows
}
