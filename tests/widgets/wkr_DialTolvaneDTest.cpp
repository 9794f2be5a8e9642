#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_DialTolvaneD.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 valueBox = 0xFF1E1E1E;
constexpr juce::uint32 light = 0xFFCDCDCD; // pointer
constexpr juce::uint32 track = 0xFF555555;
constexpr juce::uint32 orange = 0xFFE67300; // value arc
constexpr juce::uint32 grey = 0xFF808080;   // greyed-out pointer and value arc

// A slot Input dial as the editor sets it up: radius 15, 47 pixels high, range -72..72 dB.
class DialTolvaneDTest : public ::testing::Test
{
protected:
    DialTolvaneDTest()
    {
        dial.setRange (-72.0, 72.0, 0.0);
        dial.displayMin = -72.0f;
        dial.displayMax = 72.0f;
        dial.baseHeight = 47;
        dial.setBounds (24, 340, 48, 59);
    }

    // The dial takes its height when it paints, so the picture comes from a second paint.
    juce::Image paint()
    {
        paintToImage (dial);
        return paintToImage (dial);
    }

    // The pixel at `distance` from the arcs' centre (24, 31.5), clockwise from twelve o'clock.
    static juce::uint32 along (const juce::Image& image, float angle, float distance)
    {
        const auto p = juce::Point<float> (24.0f, 31.5f).getPointOnCircumference (distance, angle).toInt();
        return argbAt (image, p.x, p.y);
    }

    static constexpr float pi = juce::MathConstants<float>::pi;
    const float start = 7.0f * pi / 6.0f;
    const float threeQuarters = start + 0.75f * (5.0f * pi / 3.0f);
    wkr::DialTolvaneD dial;
};
} // namespace

TEST_F (DialTolvaneDTest, ValueArcRunsFromItsOriginToThePointerInActiveOrGreyedOutColours)
{
    dial.setValue (36.0);
    auto image = paint();
    savePng (image, "DialTolvaneD_value");
    EXPECT_EQ (along (image, start + 0.25f, 15.0f), orange);
    EXPECT_EQ (along (image, threeQuarters - 0.25f, 15.0f), orange);
    EXPECT_EQ (along (image, threeQuarters + 0.25f, 15.0f), track);
    EXPECT_EQ (along (image, threeQuarters, 8.0f), light);
    EXPECT_EQ (along (image, threeQuarters + pi, 6.0f), 0u);

    dial.isActive = false;
    image = paint();
    EXPECT_EQ (along (image, start + 0.25f, 15.0f), grey);
    EXPECT_EQ (along (image, threeQuarters, 8.0f), grey);

    // Bipolar at its minimum: from twelve o'clock back to the start, nothing towards three.
    dial.isActive = true;
    dial.arcOrigin = 0.5f;
    dial.setValue (-72.0);
    image = paint();
    savePng (image, "DialTolvaneD_bipolarMinimum");
    EXPECT_EQ (along (image, -pi / 2.0f, 15.0f), orange);
    EXPECT_EQ (along (image, pi / 2.0f, 15.0f), track);
}

TEST_F (DialTolvaneDTest, WhileDraggedItGrowsBySixteenAndTheValueBoxFillsRowsFortySevenToSixtyTwo)
{
    dial.valueDisplayMode = 2;
    dial.setValue (-12.5);
    const auto isBox = [] (juce::Colour c) { return c.getARGB() == valueBox; };
    EXPECT_EQ (countPixels (paint(), isBox), 0);

    dial.mouseDown (mouseEventFor (dial, { 24.0f, 30.0f }));
    const auto image = paint();
    savePng (image, "DialTolvaneD_dragging");
    EXPECT_EQ (dial.getBounds(), juce::Rectangle<int> (24, 340, 48, 63));

    // 10 pixels wider than the text and centred, so its edge columns carry no text.
    const float boxWidth = dial.titleFont.getStringWidthFloat (dial.valueText()) + 10.0f;
    const int left = (int) (24.0f - boxWidth / 2.0f);
    EXPECT_EQ (argbAt (image, left, 46), 0u);
    EXPECT_EQ (argbAt (image, left, 47), valueBox);
    EXPECT_EQ (argbAt (image, left + (int) boxWidth - 1, 62), valueBox);
    EXPECT_EQ (argbAt (image, left + (int) boxWidth, 55), 0u);

    dial.mouseUp (mouseEventFor (dial, { 24.0f, 30.0f }));
    EXPECT_EQ (countPixels (paint(), isBox), 0);
    EXPECT_EQ (dial.getHeight(), 47);
}
