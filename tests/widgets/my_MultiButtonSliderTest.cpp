#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "engine/PluginProcessor.h"
#include "widgets/my_Mouse.h"
#include "widgets/my_MultiButtonSlider.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 onFill = 0xFFE67300;
constexpr juce::uint32 offFill = 0xFF555555;

// Opaque pixels in `area` that `isText` tells from the item's fill. Greyed-out selected text is
// made pure blue, so it cannot be mistaken for the active 0xFF1E1E1E. Anti-aliased edges blend
// the text into the fill (orange 0xFFE67300, or grey when greyed out): every blend of blue and
// orange has red + blue of at least 0xE6, and no blend of the dark text with either fill has
// blue above red, so neither test can count an edge of the other text colour.
int textPixels (const juce::Image& image, juce::Rectangle<int> area, const std::function<bool (juce::Colour)>& isText)
{
    return countPixels (image.getClippedImage (area), [&] (juce::Colour c) { return c.isOpaque() && isText (c); });
}

bool isDark (juce::Colour c) { return c.getRed() + c.getBlue() < 0x80; }
bool isBlue (juce::Colour c) { return c.getBlue() > c.getRed() + 0x40; }

template <typename Selector>
void setUp (Selector& selector, std::initializer_list<const char*> names, juce::Rectangle<int> bounds)
{
    selector.skin = wkr::SkinTolvaneD();
    selector.skin[my::SkinIndex::buttonTextOnInactive] = juce::Colour (0xFF0000FF);
    for (auto name : names)
        selector.addItem (name);
    selector.setBounds (bounds);
}
} // namespace

TEST (MultiButtonSliderHorizontal, ItemsShareTheWidthInWholePixelsWithOnlyOuterCornersRound)
{
    my::MultiButtonSliderHorizontal selector;
    setUp (selector, { "2", "4", "8" }, { 0, 0, 100, 18 });
    selector.setValue (0.5); // the middle item
    auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderHorizontal");

    // Width 100: items of 32 at x 0, 33 and 66; the last two columns stay empty.
    EXPECT_EQ (argbAt (image, 31, 0), offFill);
    EXPECT_EQ (argbAt (image, 32, 9), 0u);
    EXPECT_EQ (argbAt (image, 33, 0), onFill);
    EXPECT_EQ (argbAt (image, 65, 9), 0u);
    EXPECT_EQ (argbAt (image, 97, 9), offFill);
    EXPECT_EQ (argbAt (image, 98, 9), 0u);
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_LT (image.getPixelAt (97, 17).getAlpha(), 0x80);

    // Width 101: items of 33 at x 0, 34 and 68 fill it exactly.
    selector.setSize (101, 18);
    image = paintToImage (selector);
    EXPECT_EQ (argbAt (image, 34, 0), onFill);
    EXPECT_TRUE (nearlyEqual (image.getPixelAt (100, 9), juce::Colour (offFill)));
}

TEST (MultiButtonSliderHorizontal, GreyingOutChangesOnlyTheSelectedItemsText)
{
    my::MultiButtonSliderHorizontal selector;
    setUp (selector, { "2", "4", "8" }, { 0, 0, 100, 18 });
    selector.isActive = false;
    const auto image = paintToImage (selector);

    EXPECT_EQ (argbAt (image, 1, 9), onFill);
    EXPECT_EQ (argbAt (image, 34, 9), offFill);
    EXPECT_GT (textPixels (image, { 0, 0, 32, 18 }, isBlue), 3);
    EXPECT_EQ (textPixels (image, { 0, 0, 32, 18 }, isDark), 0);
}

TEST (MultiButtonSlider, SelectorWithoutItemsDrawsNothing)
{
    my::MultiButtonSliderVertical selector;
    selector.setBounds (0, 0, 60, 37);
    EXPECT_EQ (countPixels (paintToImage (selector), [] (juce::Colour c) { return ! c.isTransparent(); }), 0);
}

// The editor's routing selector: 60 x 37, rows of 18 at y 0 and 19.
class MultiButtonSliderVerticalTest : public ::testing::Test
{
protected:
    MultiButtonSliderVerticalTest() { setUp (selector, { "Serial", "Parallel" }, { 18, 41, 60, 37 }); }

    juce::Point<float> pointer;
    my::DesktopMouse::ScopedSource fakeDesktop { [this] { return pointer; } };
    my::MultiButtonSliderVertical selector;
};

TEST_F (MultiButtonSliderVerticalTest, ValueZeroSelectsTheTopRowAndGreyingOutChangesFillsAndTexts)
{
    auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderVertical");
    EXPECT_EQ (argbAt (image, 0, 17), onFill); // square lower corner of the top row
    EXPECT_EQ (argbAt (image, 30, 18), 0u);
    EXPECT_EQ (argbAt (image, 59, 19), offFill);
    EXPECT_LT (image.getPixelAt (59, 36).getAlpha(), 0x80);
    EXPECT_GT (textPixels (image, { 0, 0, 60, 18 }, isDark), 3);

    selector.isActive = false;
    image = paintToImage (selector);
    EXPECT_EQ (argbAt (image, 1, 9), 0xFF808080u);
    EXPECT_GT (textPixels (image, { 0, 0, 60, 18 }, isBlue), 3);
}

TEST_F (MultiButtonSliderVerticalTest, RowUnderTheMouseLightensWhileTheMouseIsOver)
{
    pointer = { 48.0f, 66.0f }; // over the bottom row
    selector.mouseEnter (mouseEventFor (selector));
    auto image = paintToImage (selector);
    savePng (image, "MultiButtonSliderVertical_hover");
    EXPECT_EQ (argbAt (image, 1, 9), onFill);
    // The overlay is painted over the row, not mixed into its colour first: 0x55 becomes 0x5D
    // (a premixed tint would give 0x5E).
    EXPECT_EQ (argbAt (image, 1, 27), 0xFF5D5D5Du);
    EXPECT_EQ (argbAt (image, 59, 27), 0xFF5D5D5Du); // the plain half of the bottom row, overlaid once

    pointer = { 48.0f, 45.0f }; // over the top row
    EXPECT_EQ (argbAt (paintToImage (selector), 1, 9), 0xFFE77A0Du);

    selector.mouseExit (mouseEventFor (selector));
    EXPECT_EQ (argbAt (paintToImage (selector), 1, 9), onFill);
}

TEST_F (MultiButtonSliderVerticalTest, ClickInTheUpperHalfSelectsTheTopItemOfTheRouteParameter)
{
    WkrPlexa2AudioProcessor processor;
    auto* route = processor.apvts.getParameter ("route");
    route->setValueNotifyingHost (1.0f);
    const juce::AudioProcessorValueTreeState::SliderAttachment attachment (processor.apvts, "route", selector);

    click (selector, { 30.0f, 14.0f });
    EXPECT_EQ (route->getValue(), 0.0f);
    click (selector, { 30.0f, 23.0f });
    EXPECT_EQ (route->getValue(), 1.0f);
}
