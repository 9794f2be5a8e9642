#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_HintBox.h"
#include "widgets/wkr_SkinTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 background = 0xFF1E1E1E;
constexpr juce::uint32 border = 0xFF505050;

class HintBoxTest : public ::testing::Test
{
protected:
    HintBoxTest()
    {
        setUp (box);
        box.hintKeys.add ("masterInput");
        box.hintTexts.add ("Input gain of the whole device");
        box.hintKeys.add ("s1Mix");
        box.hintTexts.add ("Dry/wet mix of shaper 1");
    }

    static void setUp (my::HintBox& hintBox)
    {
        hintBox.skin = wkr::SkinTolvaneD();
        hintBox.hasBorder = true;
        hintBox.setBounds (0, 0, 598, 19);
    }

    // A box that shows `text` under a key of its own, to compare what `box` draws against.
    juce::Image imageShowing (const juce::String& text)
    {
        my::HintBox reference;
        setUp (reference);
        reference.hintKeys.add ("reference");
        reference.hintTexts.add (text);
        reference.currentKey = "reference";
        return paintToImage (reference);
    }

    juce::Image blankImage() { return imageShowing ({}); }

    my::HintBox box;
};
} // namespace

TEST_F (HintBoxTest, EmptyKeyShowsOnlyBackgroundAndBorder)
{
    const auto image = paintToImage (box);
    savePng (image, "HintBox_blank", 2);

    const auto isBorder = [] (juce::Colour c) { return nearlyEqual (c, juce::Colour (border)); };
    EXPECT_TRUE (isBorder (image.getPixelAt (0, 0)));
    EXPECT_TRUE (isBorder (image.getPixelAt (597, 18)));
    EXPECT_TRUE (isBorder (image.getPixelAt (300, 0)));
    EXPECT_TRUE (isBorder (image.getPixelAt (0, 9)));
    EXPECT_EQ (argbAt (image, 1, 1), background);
    EXPECT_EQ (countPixels (image, [&] (juce::Colour c) { return c.getARGB() != background && ! isBorder (c); }), 0);
}

TEST_F (HintBoxTest, WithoutBorderTheBackgroundFillsEverything)
{
    box.hasBorder = false;
    EXPECT_EQ (countPixels (paintToImage (box), [] (juce::Colour c) { return c.getARGB() != background; }), 0);
}

TEST_F (HintBoxTest, RegisteredKeyShowsItsTextAtTheLeft)
{
    box.currentKey = "s1Mix";
    const auto image = paintToImage (box);
    savePng (image, "HintBox_s1Mix", 2);

    EXPECT_TRUE (sameImage (image, imageShowing ("Dry/wet mix of shaper 1")));
    EXPECT_FALSE (sameImage (image, blankImage()));

    // The text starts a few pixels in from the left and is drawn in the hint grey.
    const auto textPixels = [&image] (int fromX, int toX)
    {
        int count = 0;
        for (int y = 1; y < 18; ++y)
            for (int x = fromX; x < toX; ++x)
                count += image.getPixelAt (x, y).getARGB() != background ? 1 : 0;
        return count;
    };
    EXPECT_EQ (textPixels (1, 5), 0);
    EXPECT_GT (textPixels (5, 60), 0);
    EXPECT_EQ (textPixels (400, 597), 0);
}

TEST_F (HintBoxTest, KeyRegisteredTwiceShowsItsFirstText)
{
    box.hintKeys.add ("s1Mix");
    box.hintTexts.add ("A later text");

    EXPECT_EQ (box.hintFor ("s1Mix"), "Dry/wet mix of shaper 1");
}

TEST_F (HintBoxTest, UnregisteredOrDifferentlyCasedKeyLeavesTheBoxBlank)
{
    for (auto key : { "comboOversampling", "S1Mix", "s1mix" })
    {
        box.currentKey = key;
        EXPECT_TRUE (sameImage (paintToImage (box), blankImage())) << key;
    }
}

TEST_F (HintBoxTest, KeyWithoutATextAndTheEmptyKeyShowNothing)
{
    box.hintKeys.add ("");
    box.hintTexts.add ("Never shown");
    EXPECT_TRUE (box.hintFor ("").isEmpty());

    // A key appended without its text (lists out of step) reads as no text.
    box.hintKeys.add ("buttonRedo");
    box.currentKey = "buttonRedo";
    EXPECT_TRUE (sameImage (paintToImage (box), blankImage()));
}
