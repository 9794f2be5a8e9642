#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_HeaderTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 dark = 0xFF1E1E1E;
constexpr juce::uint32 light = 0xFFCDCDCD;

// The editor's header: 578 x 30 at the top of the window.
class HeaderTest : public ::testing::Test
{
protected:
    HeaderTest() { header.setBounds (0, 0, 578, 30); }

    wkr::HeaderTolvaneD header;
};

// The whole header as the screen shows it, children included.
juce::Image snapshot (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
}
} // namespace

TEST_F (HeaderTest, DarkBarWithTheLogoSevenPixelsFromTheRightEdge)
{
    paintToImage (header); // places the children
    const auto image = snapshot (header);
    savePng (image, "HeaderTolvaneD", 2);

    EXPECT_EQ (header.logo.getBounds(), juce::Rectangle<int> (534, 10, 37, 9));
    EXPECT_EQ (header.titleLabel.getBounds(), juce::Rectangle<int> (1, 1, 150, 30));
    EXPECT_EQ (argbAt (image, 300, 15), dark);
    EXPECT_EQ (argbAt (image, 577, 29), dark);
    EXPECT_GT (countPixels (image.getClippedImage ({ 534, 10, 37, 9 }), [] (juce::Colour c) { return c.getARGB() == light; }), 40);
    EXPECT_EQ (countPixels (image.getClippedImage ({ 571, 0, 7, 30 }), [] (juce::Colour c) { return c.getARGB() != dark; }), 0);
}

TEST_F (HeaderTest, LogoIsInkOnTheBarsOwnColour)
{
    EXPECT_EQ (header.logo.paperColour.getARGB(), dark);
    EXPECT_EQ (header.logo.inkColour.getARGB(), light);
    EXPECT_EQ (header.titleLabel.findColour (juce::Label::textColourId).getARGB(), light);
}

TEST_F (HeaderTest, ChangedTitleShowsAtTheNextPaint)
{
    EXPECT_EQ (header.titleLabel.getText(), "Device Name");

    header.title = "PLEXA 2";
    EXPECT_EQ (header.titleLabel.getText(), "Device Name");
    paintToImage (header);
    EXPECT_EQ (header.titleLabel.getText(), "PLEXA 2");
}

TEST_F (HeaderTest, WithoutShowLogoTheLogoKeepsItsBounds)
{
    header.showLogo = false;
    paintToImage (header);
    EXPECT_TRUE (header.logo.getBounds().isEmpty());

    header.showLogo = true;
    paintToImage (header);
    header.showLogo = false;
    header.setSize (300, 30);
    paintToImage (header);
    EXPECT_EQ (header.logo.getBounds(), juce::Rectangle<int> (534, 10, 37, 9));
}

TEST (FooterTolvaneD, CentresAThirtyFiveByNineLogoOnTheDarkFill)
{
    wkr::FooterTolvaneD footer;
    footer.setSize (602, 21);
    const auto image = paintToImage (footer);

    EXPECT_EQ (footer.logo.getBounds(), juce::Rectangle<int> (283, 6, 35, 9));
    EXPECT_EQ (argbAt (image, 0, 0), dark);
    EXPECT_EQ (footer.logo.inkColour.getARGB(), light);
}
