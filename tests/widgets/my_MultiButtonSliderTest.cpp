#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "engine/PluginProcessor.h"
#include "widgets/my_ButtonBase.h"
#include "widgets/my_HoverTint.h"
#include "widgets/my_Mouse.h"
#include "widgets/my_MultiButtonSlider.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 onFill = 0xFFE67300;
constexpr juce::uint32 offFill = 0xFF555555;
constexpr juce::uint32 onFillInactive = 0xFF808080;
constexpr juce::uint32 offFillInactive = 0xFF444444;
constexpr juce::uint32 offText = 0xFFCDCDCD;
constexpr juce::uint32 onTextInactive = 0xFF0000FF;
constexpr juce::uint32 offTextInactive = 0xFF00FF00;

// The brand skin with the greyed-out entries made distinct, so each can be told apart.
wkr::SkinTolvaneD selectorSkin()
{
    wkr::SkinTolvaneD skin;
    skin[my::SkinIndex::buttonOffInactive] = juce::Colour (offFillInactive);
    skin[my::SkinIndex::buttonTextOnInactive] = juce::Colour (onTextInactive);
    skin[my::SkinIndex::buttonTextOffInactive] = juce::Colour (offTextInactive);
    return skin;
}

// Text pixels inside `area`, told from the item's fill by `isText`; the rounded corners' clear
// pixels are no text.
int textPixels (const juce::Image& image, juce::Rectangle<int> area, const std::function<bool (juce::Colour)>& isText)
{
    return countPixels (image.getClippedImage (area), [&] (juce::Colour c) { return c.isOpaque() && isText (c); });
}

// Predicates for the test colours over the fills they are drawn on.
bool isDark (juce::Colour c) { return c.getRed() < 0x80 && c.getBlue() < 0x80; } // 0x1E1E1E over orange
bool isLight (juce::Colour c) { return c.getRed() > 0x90; } // 0xCDCDCD over grey
bool isBlue (juce::Colour c) { return c.getBlue() > c.getRed() + 0x40; }
bool isGreen (juce::Colour c) { return c.getGreen() > c.getRed() + 0x40; }

// The editor's display-range selector: 100 x 18, three items here.
class HorizontalSelectorTest : public ::testing::Test
{
protected:
    HorizontalSelectorTest()
    {
        selector.skin = selectorSkin();
        for (auto name : { "2", "4", "8" })
            selector.addItem (name);
        selector.setBounds (0, 0, 100, 18);
    }

    my::MultiButtonSliderHorizontal selector;
};

// The editor's routing selector: 60 x 37, rows of 18 at y 0 and 19.
class VerticalSelectorTest : public ::testing::Test
{
protected:
    VerticalSelectorTest()
    {
        selector.skin = selectorSkin();
        selector.addItem ("Serial");
        selector.addItem ("Parallel");
        parent.setBounds (0, 0, 200, 100);
        parent.addAndMakeVisible (selector);
        selector.setBounds (18, 41, 60, 37);
    }

    void enterAt (juce::Point<float> local)
    {
        pointer = local + selector.getPosition().toFloat();
        selector.mouseEnter (mouseEventFor (selector, local));
    }

    juce::Point<float> pointer { -100.0f, -100.0f };
    my::DesktopMouse::ScopedSource fakeDesktop { [this] { return pointer; } };
    juce::Component parent;
    my::MultiButtonSliderVertical selector;
};
} // namespace

TEST_F (HorizontalSelectorTest, ItemsShareTheWidthInWholePixelsWithOnePixelGaps)
{
    selector.setValue (0.5); // the middle item
    auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderHorizontal");

    // Width 100: items of 32 at x 0, 33 and 66; the last two columns stay empty.
    EXPECT_EQ (argbAt (image, 31, 9), offFill);
    EXPECT_EQ (argbAt (image, 32, 9), 0u);
    EXPECT_EQ (argbAt (image, 33, 1), onFill);
    EXPECT_EQ (argbAt (image, 64, 16), onFill);
    EXPECT_EQ (argbAt (image, 65, 9), 0u);
    EXPECT_EQ (argbAt (image, 66, 9), offFill);
    EXPECT_EQ (argbAt (image, 97, 9), offFill);
    EXPECT_EQ (argbAt (image, 98, 9), 0u);
    EXPECT_EQ (argbAt (image, 99, 9), 0u);

    // Width 101: items of 33 at x 0, 34 and 68 fill it exactly.
    selector.setSize (101, 18);
    image = paintToImage (selector);
    EXPECT_EQ (argbAt (image, 33, 9), 0u);
    EXPECT_EQ (argbAt (image, 34, 1), onFill);
    EXPECT_EQ (argbAt (image, 67, 9), 0u);
    EXPECT_TRUE (nearlyEqual (image.getPixelAt (100, 9), juce::Colour (offFill)));
}

TEST_F (HorizontalSelectorTest, OnlyTheOuterCornersOfTheEndItemsAreRound)
{
    selector.cornerRadius = 4.0f;
    const auto image = paintToImage (selector);

    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_LT (image.getPixelAt (0, 17).getAlpha(), 0x80);
    EXPECT_EQ (argbAt (image, 31, 0), onFill);
    EXPECT_EQ (argbAt (image, 31, 17), onFill);
    EXPECT_EQ (argbAt (image, 33, 0), offFill);
    EXPECT_EQ (argbAt (image, 64, 17), offFill);
    EXPECT_EQ (argbAt (image, 66, 0), offFill);
    EXPECT_LT (image.getPixelAt (97, 0).getAlpha(), 0x80);
    EXPECT_LT (image.getPixelAt (97, 17).getAlpha(), 0x80);
}

TEST_F (HorizontalSelectorTest, GreyingOutChangesOnlyTheSelectedItemsText)
{
    selector.isActive = false;
    const auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderHorizontal_inactive");

    EXPECT_EQ (argbAt (image, 1, 9), onFill);
    EXPECT_EQ (argbAt (image, 34, 9), offFill);
    EXPECT_GT (textPixels (image, { 0, 0, 32, 18 }, isBlue), 3);
    EXPECT_EQ (textPixels (image, { 0, 0, 32, 18 }, isDark), 0);
    EXPECT_GT (textPixels (image, { 33, 0, 32, 18 }, isLight), 3);
}

TEST_F (HorizontalSelectorTest, EachItemsValueSelectsItAtTheNextPaint)
{
    const std::pair<double, int> cases[] { { 0.0, 1 }, { 1.0 / 3.0, 1 }, { 0.3334, 2 }, { 0.5, 2 }, { 1.0, 3 } };

    for (auto [value, item] : cases)
    {
        selector.setValue (value);
        const auto image = paintToImage (selector);
        EXPECT_EQ (selector.selectedItem, item) << value;
        EXPECT_EQ (argbAt (image, (item - 1) * 33 + 16, 1), onFill) << value;
    }
}

TEST_F (HorizontalSelectorTest, IconItemDrawsItsIconInsteadOfTheName)
{
    selector.itemIcons[1] = my::ButtonPath::square;
    const auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderHorizontal_icon");

    // The square wave's left edge: a vertical stroke at x = 33 + 0.1 * 32 + 1.
    for (int y = 7; y <= 10; ++y)
        EXPECT_TRUE (nearlyEqual (image.getPixelAt (37, y), juce::Colour (offText), 0x60)) << y;
}

TEST (MultiButtonSlider, SelectorWithoutItemsDrawsNothing)
{
    my::MultiButtonSliderHorizontal horizontal;
    my::MultiButtonSliderVertical vertical;

    for (my::MultiButtonSlider* selector : { (my::MultiButtonSlider*) &horizontal, (my::MultiButtonSlider*) &vertical })
    {
        selector->skin = selectorSkin();
        selector->setBounds (0, 0, 60, 37);
        const auto image = paintToImage (*selector);

        EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return ! c.isTransparent(); }), 0);
        EXPECT_EQ (selector->selectedItem, 1);
    }
}

TEST_F (VerticalSelectorTest, ValueZeroSelectsTheTopRowAndOnlyOuterCornersAreRound)
{
    const auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderVertical");

    EXPECT_EQ (selector.selectedItem, 1);
    EXPECT_EQ (argbAt (image, 1, 9), onFill);
    EXPECT_EQ (argbAt (image, 1, 17), onFill); // lower corners of the top row are square
    EXPECT_EQ (argbAt (image, 0, 17), onFill);
    EXPECT_EQ (argbAt (image, 30, 18), 0u);
    EXPECT_EQ (argbAt (image, 0, 19), offFill);
    EXPECT_EQ (argbAt (image, 59, 19), offFill);
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_LT (image.getPixelAt (59, 36).getAlpha(), 0x80);
    EXPECT_GT (textPixels (image, { 0, 0, 60, 18 }, isDark), 3);
    EXPECT_GT (textPixels (image, { 0, 19, 60, 18 }, isLight), 3);

    selector.setValue (1.0);
    EXPECT_EQ (argbAt (paintToImage (selector), 1, 27), onFill);
}

TEST_F (VerticalSelectorTest, GreyingOutChangesFillsAndTexts)
{
    selector.isActive = false;
    const auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderVertical_inactive");

    EXPECT_EQ (argbAt (image, 1, 9), onFillInactive);
    EXPECT_EQ (argbAt (image, 1, 27), offFillInactive);
    EXPECT_GT (textPixels (image, { 0, 0, 60, 18 }, isBlue), 3);
    EXPECT_GT (textPixels (image, { 0, 19, 60, 18 }, isGreen), 3);
}

TEST_F (VerticalSelectorTest, RowUnderTheMouseLightensWhileTheMouseIsOver)
{
    enterAt ({ 30.0f, 25.0f });
    auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderVertical_hover");

    EXPECT_EQ (argbAt (image, 1, 9), onFill);
    EXPECT_EQ (argbAt (image, 1, 27), my::hoverTint (juce::Colour (offFill)).getARGB());

    pointer = { 48.0f, 45.0f }; // the top row
    image = paintToImage (selector);
    EXPECT_EQ (argbAt (image, 1, 9), my::hoverTint (juce::Colour (onFill)).getARGB());
    EXPECT_EQ (argbAt (image, 1, 27), offFill);

    selector.mouseExit (mouseEventFor (selector));
    image = paintToImage (selector);
    EXPECT_EQ (argbAt (image, 1, 9), onFill);
}

TEST_F (VerticalSelectorTest, TranslucentTextShowsStrongerWhileTheMouseIsOver)
{
    selector.skin[my::SkinIndex::buttonTextOff] = juce::Colour (0x80CDCDCD);
    const juce::Rectangle<int> bottomRow { 0, 19, 60, 18 };
    const auto strongText = [] (juce::Colour c) { return c.getRed() > 0xA0; };

    const int before = textPixels (paintToImage (selector), bottomRow, strongText);
    enterAt ({ 30.0f, 5.0f }); // over the component, not over the bottom row
    const int after = textPixels (paintToImage (selector), bottomRow, strongText);

    EXPECT_EQ (before, 0);
    EXPECT_GT (after, 3);
}

TEST_F (VerticalSelectorTest, ClickInTheUpperHalfSelectsTheTopItemOfTheRouteParameter)
{
    WkrPlexa2AudioProcessor processor;
    auto* route = processor.apvts.getParameter ("route");
    route->setValueNotifyingHost (1.0f);
    const juce::AudioProcessorValueTreeState::SliderAttachment attachment (processor.apvts, "route", selector);
    ASSERT_EQ (selector.getValue(), 1.0);

    click (selector, { 30.0f, 14.0f });
    EXPECT_EQ (route->getValue(), 0.0f);
    paintToImage (selector);
    EXPECT_EQ (selector.selectedItem, 1);

    click (selector, { 30.0f, 23.0f });
    EXPECT_EQ (route->getValue(), 1.0f);
    paintToImage (selector);
    EXPECT_EQ (selector.selectedItem, 2);
}
