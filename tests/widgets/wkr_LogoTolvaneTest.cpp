#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_LogoTolvane.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 ink = 0xFFFF0000;
constexpr juce::uint32 paper = 0xFF0000FF;

// Pure red ink on blue paper: anything painted in another colour would show some green.
juce::Image paintLogo (LogoTolvane& logo)
{
    logo.inkColour = juce::Colour (ink);
    logo.paperColour = juce::Colour (paper);
    return paintToImage (logo);
}

bool is (juce::Colour c, juce::uint32 argb) { return c.getARGB() == argb; }
} // namespace

TEST (LogoTolvane, PaintsOnlyInkAndPaperInsideABoxThreePointNineSevenFiveTimesAsWideAsHigh)
{
    LogoTolvane logo;
    logo.setSize (400, 40); // far wider than the 159 pixels the mark may use
    const auto image = paintLogo (logo);
    savePng (image, "LogoTolvane", 2);

    const auto touched = [] (juce::Colour c) { return ! c.isTransparent(); };
    EXPECT_EQ (countPixels (image.getClippedImage ({ 159, 0, 241, 40 }), touched), 0);
    EXPECT_GT (countPixels (image.getClippedImage ({ 140, 0, 19, 40 }), touched), 0);

    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return is (c, ink); }), 1000);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return is (c, paper); }), 200);
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getGreen() != 0; }), 0);

    // No background: the surface shows around and between the shapes.
    EXPECT_TRUE (image.getPixelAt (0, 0).isTransparent());
    EXPECT_GT (
        countPixels (image.getClippedImage ({ 0, 0, 159, 40 }), [] (juce::Colour c) { return c.isTransparent(); }),
        1000);
}
