#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_HeaderTolvaneD.h"

using namespace widget_testing;

TEST (HeaderTolvaneD, DarkBarWithTheTitleLeftAndTheLogoSevenPixelsFromTheRightEdge)
{
    wkr::HeaderTolvaneD header;
    header.setBounds (0, 0, 578, 30);
    header.showLogo = false;
    paintToImage (header);
    EXPECT_TRUE (header.logo.getBounds().isEmpty()); // never placed, so never shown

    header.showLogo = true;
    header.title = "PLEXA 2";
    paintToImage (header); // places the children and takes the new title
    const auto image = header.createComponentSnapshot (header.getLocalBounds(), true, 1.0f);
    savePng (image, "HeaderTolvaneD", 2);

    EXPECT_EQ (header.titleLabel.getText(), "PLEXA 2");
    EXPECT_EQ (header.titleLabel.getBounds(), juce::Rectangle<int> (1, 1, 150, 30));
    EXPECT_EQ (header.logo.getBounds(), juce::Rectangle<int> (534, 10, 37, 9));
    EXPECT_EQ (argbAt (image, 300, 15), 0xFF1E1E1Eu);
    EXPECT_GT (
        countPixels (image.getClippedImage ({ 1, 1, 150, 29 }), [] (juce::Colour c) { return c.getRed() > 0x90; }), 20);
    EXPECT_GT (countPixels (image.getClippedImage ({ 534, 10, 37, 9 }),
                            [] (juce::Colour c) { return c.getARGB() == 0xFFCDCDCD; }),
               40);
}

TEST (FooterTolvaneD, CentresAThirtyFiveByNineLogoOnTheDarkFill)
{
    wkr::FooterTolvaneD footer;
    footer.setSize (602, 21);
    const auto image = paintToImage (footer);

    EXPECT_EQ (footer.logo.getBounds(), juce::Rectangle<int> (283, 6, 35, 9));
    EXPECT_EQ (argbAt (image, 0, 0), 0xFF1E1E1Eu);
}
