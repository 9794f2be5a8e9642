#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/wkr_DialTolvaneD.h"

#include <cmath>

using namespace widget_testing;

namespace
{
constexpr juce::uint32 valueBox = 0xFF1E1E1E;
constexpr juce::uint32 light = 0xFFCDCDCD; // pointer, title and value text
constexpr juce::uint32 track = 0xFF555555;
constexpr juce::uint32 orange = 0xFFE67300; // value arc
constexpr juce::uint32 grey = 0xFF808080; // greyed-out pointer, value arc, title

// A slot Input dial as the editor sets it up: radius 15, 47 pixels high, range -72..72 dB.
class DialTest : public ::testing::Test
{
protected:
    DialTest()
    {
        dial.setName ("Input");
        dial.setRange (-72.0, 72.0, 0.0);
        dial.displayMin = -72.0f;
        dial.displayMax = 72.0f;
        dial.baseHeight = 47;
        dial.setBounds (24, 340, 48, 59);
    }

    // The dial takes its height when it paints, so the picture is taken from a second paint.
    juce::Image paint()
    {
        paintToImage (dial);
        return paintToImage (dial);
    }

    // The point at `distance` from the arcs' centre in the direction of `angle`.
    juce::Point<int> pixelAt (float angle, float distance) const
    {
        const juce::Point<float> centre (24.0f, 16.5f + dial.radius);
        return centre.getPointOnCircumference (distance, angle).toInt();
    }

    juce::uint32 argbAlong (const juce::Image& image, float angle, float distance) const
    {
        const auto p = pixelAt (angle, distance);
        return argbAt (image, p.x, p.y);
    }

    static constexpr float pi = juce::MathConstants<float>::pi;
    const float start = 7.0f * pi / 6.0f;
    const float end = 17.0f * pi / 6.0f;
    wkr::DialTolvaneD dial;
};
} // namespace

TEST_F (DialTest, ArcsSweepThreeHundredDegreesWithTheValueArcUpToThePointer)
{
    dial.setValue (36.0); // three quarters of the sweep
    const auto image = paint();
    savePng (image, "DialTolvaneD_value");

    const float valueAngle = start + 0.75f * (end - start);
    EXPECT_EQ (argbAlong (image, start + 0.25f, 15.0f), orange);
    EXPECT_EQ (argbAlong (image, valueAngle - 0.25f, 15.0f), orange);
    EXPECT_EQ (argbAlong (image, valueAngle + 0.25f, 15.0f), track);
    EXPECT_EQ (argbAlong (image, end - 0.25f, 15.0f), track);
    EXPECT_TRUE (image.getPixelAt (24, 45).isTransparent()); // the gap at six o'clock

    EXPECT_EQ (argbAlong (image, valueAngle, 8.0f), light);
    EXPECT_EQ (argbAlong (image, valueAngle + pi, 6.0f), 0u); // the pointer starts just below the centre
}

TEST_F (DialTest, BipolarArcGrowsFromTwelveOClockInBothDirections)
{
    dial.arcOrigin = 0.5f;

    dial.setValue (-72.0);
    auto image = paint();
    savePng (image, "DialTolvaneD_bipolarMinimum");
    EXPECT_EQ (argbAlong (image, -pi / 2.0f, 15.0f), orange); // nine o'clock
    EXPECT_EQ (argbAlong (image, start + 0.05f, 15.0f), orange);
    EXPECT_EQ (argbAlong (image, pi / 2.0f, 15.0f), track); // three o'clock

    dial.setValue (0.0);
    image = paint();
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == orange; }), 0);
    EXPECT_EQ (argbAlong (image, 0.0f, 8.0f), light); // pointer straight up
}

TEST_F (DialTest, GreyedOutDialSwapsEveryColourForItsInactiveTwin)
{
    dial.setValue (36.0);
    dial.isActive = false;
    const auto image = paint();
    savePng (image, "DialTolvaneD_inactive");

    const float valueAngle = start + 0.75f * (end - start);
    EXPECT_EQ (argbAlong (image, start + 0.1f, 15.0f), grey);
    EXPECT_EQ (argbAlong (image, valueAngle, 8.0f), grey);
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == light || c.getARGB() == orange; }), 0);
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getARGB() == grey; }), 40);
}

TEST_F (DialTest, TitleIsTheNameInTheTopTwelvePixels)
{
    const auto image = paint();
    const auto isLight = [] (juce::Colour c) { return c.getAlpha() > 0x40 && nearlyEqual (c.withAlpha ((juce::uint8) 0xFF), juce::Colour (light)); };

    EXPECT_GT (countPixels (image.getClippedImage ({ 0, 0, 48, 12 }), isLight), 10);

    dial.setName ({});
    EXPECT_EQ (countPixels (paint().getClippedImage ({ 0, 0, 48, 12 }), isLight), 0);
}

TEST_F (DialTest, ValueBoxFillsTheRoomTheDialGrowsByAtEveryEditorSize)
{
    dial.setValue (-12.5);
    dial.isDragging = true;

    for (const float radius : { 10.0f, 12.0f, 15.0f })
    {
        // The editor's heights: the dial ends where the box begins (47 for radius 15).
        dial.radius = radius;
        dial.baseHeight = (int) (2.0f * radius) + 17;
        const int top = dial.baseHeight;
        const auto image = paint();
        savePng (image, "DialTolvaneD_valueBox" + juce::String ((int) radius));
        ASSERT_EQ (image.getHeight(), top + 16);

        // 10 pixels wider than the text and centred, so its edge columns carry no text.
        const float boxWidth = dial.titleFont.getStringWidthFloat (dial.valueText()) + 10.0f;
        const int left = (int) (24.0f - boxWidth / 2.0f);
        const int right = left + (int) boxWidth - 1;

        EXPECT_EQ (argbAt (image, left, top), valueBox) << radius;
        EXPECT_EQ (argbAt (image, right, top + 15), valueBox) << radius;
        EXPECT_TRUE (image.getPixelAt (left, top - 1).isTransparent()) << radius;
        EXPECT_TRUE (image.getPixelAt (left - 1, top + 8).isTransparent()) << radius;
        EXPECT_TRUE (image.getPixelAt (right + 1, top + 8).isTransparent()) << radius;

        const auto textRows = image.getClippedImage ({ 0, top + 3, 48, 12 });
        EXPECT_GT (countPixels (textRows, [] (juce::Colour c) { return c.getARGB() == light; }), 5) << radius;
    }
}

TEST_F (DialTest, DisplayModeTwoShowsTheValueOnlyWhileDraggingAndTheDialGrowsMeanwhile)
{
    dial.valueDisplayMode = 2;
    auto image = paint();
    EXPECT_EQ (image.getHeight(), 47);
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == valueBox; }), 0);

    dial.mouseDown (mouseEventFor (dial, { 24.0f, 30.0f }));
    dial.mouseDrag (mouseEventFor (dial, { 24.0f, 20.0f }));
    image = paint();
    savePng (image, "DialTolvaneD_dragging");
    EXPECT_EQ (dial.getBounds(), juce::Rectangle<int> (24, 340, 48, 63));
    EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getARGB() == valueBox; }), 100);

    dial.mouseUp (mouseEventFor (dial, { 24.0f, 20.0f }));
    EXPECT_EQ (dial.getHeight(), 63); // shrinks back at the next paint, not before
    image = paint();
    EXPECT_EQ (dial.getBounds(), juce::Rectangle<int> (24, 340, 48, 47));
    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() == valueBox; }), 0);
}
