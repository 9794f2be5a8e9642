#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_ButtonPower.h"
#include "widgets/my_HoverTint.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 orange = 0xFFE67300;
constexpr juce::uint32 offGrey = 0xFF555555;
constexpr juce::uint32 hoverGrey = 0xFF646464;
constexpr juce::uint32 greyedOn = 0xFF808080;

class ButtonPowerTest : public ::testing::Test
{
protected:
    ButtonPowerTest()
    {
        button.skin = wkr::SkinTolvaneD();
        button.setBounds (0, 0, 82, 22);
    }

    juce::uint32 dotColour() { return argbAt (paintToImage (button), 11, 11); }

    my::ButtonPower button;
};

class ButtonMasterPowerTest : public ::testing::Test
{
protected:
    ButtonMasterPowerTest()
    {
        button.powerSkin = wkr::SkinTolvaneD();
        button.setBounds (0, 0, 20, 20);
    }

    my::ButtonMasterPower button;
};
} // namespace

TEST_F (ButtonPowerTest, DotCoversSixToSixteenInTheSlotSwitchBounds)
{
    EXPECT_FLOAT_EQ (button.dotDiameter, 10.0f);
    const auto image = paintToImage (button);
    savePng (image, "ButtonPower_off");

    EXPECT_EQ (argbAt (image, 11, 11), offGrey);
    EXPECT_GT (image.getPixelAt (6, 11).getAlpha(), 0xC0);
    EXPECT_GT (image.getPixelAt (15, 11).getAlpha(), 0xC0);
    EXPECT_GT (image.getPixelAt (11, 6).getAlpha(), 0xC0);
    EXPECT_GT (image.getPixelAt (11, 15).getAlpha(), 0xC0);

    for (auto outside : { juce::Point<int> (5, 11), juce::Point<int> (16, 11), juce::Point<int> (11, 5),
                          juce::Point<int> (11, 16), juce::Point<int> (6, 6), juce::Point<int> (40, 11) })
        EXPECT_TRUE (image.getPixelAt (outside.x, outside.y).isTransparent()) << outside.toString();
}

TEST_F (ButtonPowerTest, OnDotIsOrangeWhileActiveAndMidGreyWhileGreyedOut)
{
    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (dotColour(), orange);

    button.isActive = false;
    EXPECT_EQ (dotColour(), greyedOn);
    savePng (paintToImage (button), "ButtonPower_onGreyedOut");

    button.isHover = true;
    EXPECT_EQ (dotColour(), greyedOn);
}

TEST_F (ButtonPowerTest, OffDotIgnoresGreyingOutAndLightensUnderTheMouse)
{
    EXPECT_EQ (dotColour(), offGrey);

    button.isActive = false;
    EXPECT_EQ (dotColour(), offGrey);

    button.isHover = true;
    EXPECT_EQ (dotColour(), hoverGrey);
}

TEST_F (ButtonMasterPowerTest, SquareBackgroundFillsTheWholeBounds)
{
    EXPECT_EQ (button.circleBackground, 0);
    const auto image = paintToImage (button);

    EXPECT_EQ (argbAt (image, 0, 0), 0xFF3C3C3Cu);
    EXPECT_EQ (argbAt (image, 19, 19), 0xFF3C3C3Cu);
    EXPECT_EQ (argbAt (image, 10, 10), 0xFF3C3C3Cu);
}

TEST_F (ButtonMasterPowerTest, DrawsAnOpenRingAndABarOnADisc)
{
    button.circleBackground = 1;
    button.setToggleState (true, juce::dontSendNotification);
    const auto image = paintToImage (button);
    savePng (image, "ButtonMasterPower_on", 8);

    const juce::uint32 symbol = 0xFF1E1E1E;
    EXPECT_TRUE (image.getPixelAt (0, 0).isTransparent());
    EXPECT_EQ (argbAt (image, 10, 10), orange);

    // Ring of radius 4.67 around (10, 10), 2 pixels wide.
    EXPECT_EQ (argbAt (image, 5, 10), symbol);
    EXPECT_EQ (argbAt (image, 14, 10), symbol);
    EXPECT_EQ (argbAt (image, 9, 14), symbol);
    // The bar runs through the gap from y 4.33 to 8.33.
    EXPECT_EQ (argbAt (image, 9, 6), symbol);
    EXPECT_EQ (argbAt (image, 10, 6), symbol);
    // The ring leaves a gap on both sides of the bar.
    EXPECT_EQ (argbAt (image, 11, 5), orange);
    EXPECT_EQ (argbAt (image, 8, 5), orange);
}

TEST_F (ButtonMasterPowerTest, OffSwitchIsDarkGreyWithAGreySymbol)
{
    button.circleBackground = 1;
    const auto image = paintToImage (button);
    savePng (image, "ButtonMasterPower_off", 8);

    EXPECT_EQ (argbAt (image, 10, 10), 0xFF3C3C3Cu);
    EXPECT_EQ (argbAt (image, 5, 10), 0xFFA0A0A0u);
}

TEST_F (ButtonMasterPowerTest, HoverLightensDiscAndSymbolEvenWithoutHoverTint)
{
    button.circleBackground = 1;
    button.hoverTint = false;
    button.isHover = true;
    const auto image = paintToImage (button);

    EXPECT_EQ (argbAt (image, 10, 10), my::hoverTint (juce::Colour (0xFF3C3C3C)).getARGB());
    EXPECT_EQ (argbAt (image, 5, 10), my::hoverTint (juce::Colour (0xFFA0A0A0)).getARGB());
}

TEST_F (ButtonMasterPowerTest, ReadsOnlyItsPowerSkin)
{
    button.skin = my::MySkin(); // the base skin stays unset red
    const auto image = paintToImage (button);

    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == my::MySkin::unsetColour; }), 0);
}

TEST_F (ButtonMasterPowerTest, ClickTogglesAndMouseWritesTheHintKey)
{
    juce::String hintKey;
    button.setComponentID ("buttonMasterPower");
    button.hintKeyTarget = &hintKey;
    button.setVisible (true);
    const auto event = mouseEventFor (button, { 10.0f, 10.0f });

    button.mouseEnter (event);
    EXPECT_EQ (hintKey, "buttonMasterPower");
    click (button, { 10.0f, 10.0f });
    EXPECT_TRUE (button.getToggleState());
    button.mouseExit (event);
    EXPECT_TRUE (hintKey.isEmpty());
}
