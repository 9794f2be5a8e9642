#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_LogoTolvane.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 ink = 0xFFFF0000;
constexpr juce::uint32 paper = 0xFF0000FF;
constexpr juce::uint32 behind = 0xFF00FF00;

// The mark painted over a green surface, so every pixel it leaves alone stays green.
juce::Image paintOverSurface (LogoTolvane& logo)
{
    juce::Image image (juce::Image::ARGB, logo.getWidth(), logo.getHeight(), true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.fillAll (juce::Colour (behind));
    logo.paint (g);
    return image;
}

class LogoTest : public ::testing::Test
{
protected:
    LogoTest()
    {
        logo.inkColour = juce::Colour (ink);
        logo.paperColour = juce::Colour (paper);
    }

    LogoTolvane logo;
};
} // namespace

TEST_F (LogoTest, ArtworkFitsABoxThreePointNineSevenFiveTimesAsWideAsHigh)
{
    logo.setSize (400, 40); // far wider than the 159 pixels the mark may use
    const auto image = paintOverSurface (logo);
    savePng (image, "LogoTolvane", 2);

    const auto touched = [] (juce::Colour c) { return c.getARGB() != behind; };
    EXPECT_EQ (countPixels (image.getClippedImage ({ 159, 0, 241, 40 }), touched), 0);
    EXPECT_GT (countPixels (image.getClippedImage ({ 140, 0, 19, 40 }), touched), 0);
    EXPECT_GT (countPixels (image.getClippedImage ({ 0, 0, 5, 40 }), touched), 0);
    EXPECT_EQ (argbAt (image, 0, 0), behind);
    EXPECT_EQ (argbAt (image, 158, 39), behind);
}

TEST_F (LogoTest, PaintsOnlyInkAndPaper)
{
    logo.setSize (159, 40);
    juce::Image image (juce::Image::ARGB, 159, 40, true, juce::SoftwareImageType());
    {
        juce::Graphics g (image);
        logo.paint (g);
    }

    // Red, blue and their blends with each other and with the clear surface; never any green.
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getGreen() != 0; }), 0);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getARGB() == ink; }), 1000);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getARGB() == paper; }), 200);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.isTransparent(); }), 500);
}

TEST_F (LogoTest, ArcsFollowTheAngle)
{
    logo.setSize (159, 40);
    const auto atPi = paintOverSurface (logo);

    logo.angle = 0.5f * juce::MathConstants<float>::pi;
    EXPECT_FALSE (sameImage (paintOverSurface (logo), atPi));
}
