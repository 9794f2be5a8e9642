#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_ButtonBase.h"
#include "widgets/my_HoverTint.h"
#include "widgets/wkr_SkinTolvaneD.h"

#include <vector>

using namespace widget_testing;
using Corner = my::CornerStyle::Corner;

namespace
{
constexpr juce::uint32 outlineOn = 0xFF0000FF;
constexpr juce::uint32 outlineOff = 0xFF00FFFF;
constexpr juce::uint32 fillOff = 0xFF555555;
constexpr juce::uint32 fillOn = 0xFFE67300;
constexpr juce::uint32 textOff = 0xFFCDCDCD;

class ButtonBaseTest : public ::testing::Test
{
protected:
    ButtonBaseTest()
    {
        wkr::SkinTolvaneD skin;
        skin[my::SkinIndex::buttonOutlineOn] = juce::Colour (outlineOn);
        skin[my::SkinIndex::buttonOutlineOff] = juce::Colour (outlineOff);
        button.skin = skin;
        button.setComponentID ("buttonUndo");
        button.setBounds (0, 0, 40, 20);
        button.setVisible (true);
    }

    juce::Image paint() { return paintToImage (button); }

    my::ButtonBase button;
};

// The points of a path of polylines, in order.
std::vector<juce::Point<float>> pointsOf (const juce::Path& path)
{
    std::vector<juce::Point<float>> points;
    juce::Path::Iterator it (path);

    while (it.next())
        if (it.elementType == juce::Path::Iterator::startNewSubPath || it.elementType == juce::Path::Iterator::lineTo)
            points.emplace_back (it.x1, it.y1);

    return points;
}

int countElements (const juce::Path& path, juce::Path::Iterator::PathElementType type)
{
    int count = 0;
    juce::Path::Iterator it (path);

    while (it.next())
        if (it.elementType == type)
            ++count;

    return count;
}

void expectPoints (const juce::Path& path, const std::vector<juce::Point<float>>& expected)
{
    const auto points = pointsOf (path);
    ASSERT_EQ (points.size(), expected.size());

    for (size_t i = 0; i < points.size(); ++i)
    {
        EXPECT_NEAR (points[i].x, expected[i].x, 1.0e-4f) << "point " << i;
        EXPECT_NEAR (points[i].y, expected[i].y, 1.0e-4f) << "point " << i;
    }
}
} // namespace

TEST_F (ButtonBaseTest, EachCornerStyleSquaresItsCornersInTheFillColour)
{
    for (int style = 1; style <= 10; ++style)
    {
        button.cornerStyle = style;
        const auto image = paint();
        savePng (image, "ButtonBase_cornerStyle" + juce::String (style));

        expectCornersOfStyle (image, style, fillOff);

        EXPECT_EQ (argbAt (image, 20, 10), fillOff);
    }
}

TEST_F (ButtonBaseTest, StylesOutsideTheRangeDrawLikeAllRounded)
{
    button.cornerStyle = 6;
    const auto allRounded = paint();

    for (int style : { 0, 11, -1 })
    {
        button.cornerStyle = style;
        EXPECT_TRUE (sameImage (paint(), allRounded)) << "style " << style;
    }
}

TEST_F (ButtonBaseTest, WithoutOutlineTheBodyCoversTheWholeBoundsAndNoOutlineColourShows)
{
    button.cornerStyle = 1;
    const auto image = paint();

    EXPECT_EQ (countPixels (image, [] (juce::Colour c) { return c.getARGB() != fillOff; }), 0);
}

TEST_F (ButtonBaseTest, OutlineRingsTheBodyAndSquaredCornersKeepTheirBand)
{
    button.outlineThickness = 2.0f;
    button.cornerStyle = 7; // only the top-right corner rounded
    const auto image = paint();
    savePng (image, "ButtonBase_outline");

    EXPECT_EQ (argbAt (image, 0, 10), outlineOff);
    EXPECT_EQ (argbAt (image, 1, 10), outlineOff);
    EXPECT_EQ (argbAt (image, 2, 10), fillOff);
    EXPECT_EQ (argbAt (image, 20, 0), outlineOff);
    EXPECT_EQ (argbAt (image, 20, 19), outlineOff);

    // Squared corners: outline band outside, fill from the band inwards.
    EXPECT_EQ (argbAt (image, 0, 0), outlineOff);
    EXPECT_EQ (argbAt (image, 2, 2), fillOff);
    EXPECT_EQ (argbAt (image, 39, 19), outlineOff);
    EXPECT_EQ (argbAt (image, 37, 17), fillOff);
    EXPECT_LT (cornerPixel (image, Corner::topRight).getAlpha(), 0x80);

    // Two squared corners on one side leave no seam across the middle.
    for (int y = 2; y < 18; ++y)
        EXPECT_EQ (argbAt (image, 3, y), fillOff) << "y " << y;
}

TEST_F (ButtonBaseTest, OutlineFollowsTheToggleState)
{
    button.outlineThickness = 1.0f;
    button.setToggleState (true, juce::dontSendNotification);
    const auto image = paint();

    EXPECT_EQ (argbAt (image, 0, 10), outlineOn);
    EXPECT_EQ (argbAt (image, 20, 10), fillOn);
}

TEST_F (ButtonBaseTest, WithoutBodyTheOutlineIsARoundedFilledShapeWhateverTheStyle)
{
    button.drawBody = false;
    button.outlineThickness = 1.0f;
    button.cornerStyle = 1;
    const auto image = paint();

    EXPECT_EQ (argbAt (image, 20, 10), outlineOff);

    for (auto corner : allCorners)
        EXPECT_LT (cornerPixel (image, corner).getAlpha(), 0x80);
}

TEST_F (ButtonBaseTest, WithoutBodyOrOutlineOnlyTheTextIsDrawn)
{
    button.drawBody = false;
    EXPECT_EQ (countPixels (paint(), [] (juce::Colour c) { return ! c.isTransparent(); }), 0);

    button.setButtonText ("Next");
    const auto image = paint();
    const int textPixels = countPixels (image, [] (juce::Colour c) { return ! c.isTransparent(); });
    EXPECT_GT (textPixels, 0);
    EXPECT_EQ (countPixels (image,
                            [] (juce::Colour c) {
                                return c.getAlpha() >= 0x80 &&
                                       ! nearlyEqual (c, juce::Colour (textOff).withAlpha (c.getAlpha()));
                            }),
               0);
}

TEST_F (ButtonBaseTest, HoverTintsFillAndTextButNeverTheOutline)
{
    button.outlineThickness = 1.0f;
    button.isHover = true;
    auto image = paint();

    EXPECT_EQ (argbAt (image, 20, 10), my::hoverTint (juce::Colour (fillOff)).getARGB());
    EXPECT_EQ (argbAt (image, 0, 10), outlineOff);

    button.hoverTint = false;
    image = paint();
    EXPECT_EQ (argbAt (image, 20, 10), fillOff);
}

TEST_F (ButtonBaseTest, HoveredTransparentBodyShowsTheOverlay)
{
    button.skin[my::SkinIndex::buttonOff] = juce::Colour (0x00000000);
    button.isHover = true;

    EXPECT_EQ (argbAt (paint(), 20, 10), my::hoverOverlay);
}

TEST_F (ButtonBaseTest, OnOffTextReplacesTheButtonTextByState)
{
    my::ButtonBase reference;
    reference.skin = button.skin;
    reference.setBounds (button.getBounds());

    button.setButtonText ("Undo");
    button.showOnOffText = true;

    reference.setButtonText ("Off");
    EXPECT_TRUE (sameImage (paint(), paintToImage (reference)));

    button.setToggleState (true, juce::dontSendNotification);
    reference.setToggleState (true, juce::dontSendNotification);
    reference.setButtonText ("On");
    EXPECT_TRUE (sameImage (paint(), paintToImage (reference)));
    EXPECT_EQ (button.getButtonText(), "Undo");
}

TEST_F (ButtonBaseTest, IconTypesWithoutAShapeDrawNeitherIconNorText)
{
    const auto emptyBody = paint();
    button.setButtonText ("Hello");

    for (int type : { 6, 7, 13, 15, -1 })
    {
        button.iconType = type;
        EXPECT_TRUE (sameImage (paint(), emptyBody)) << "type " << type;
    }
}

TEST_F (ButtonBaseTest, IconIsStrokedInTheTextColour)
{
    button.setBounds (0, 0, 45, 20); // icon frame left edge at x = 5.5, so column 5 is covered
    button.drawBody = false;
    button.iconType = my::ButtonPath::square;
    const auto image = paint();
    savePng (image, "ButtonBase_iconSquare");

    EXPECT_EQ (argbAt (image, 5, 10), textOff);
    EXPECT_TRUE (image.getPixelAt (10, 10).isTransparent());
}

TEST_F (ButtonBaseTest, EveryShapedIconTypeDrawsItsPolylineInsteadOfTheText)
{
    button.setBounds (0, 0, 60, 30);
    button.setButtonText ("Hello");
    // Icon frame: x 7 to 53, y 7 to 23; the 1-pixel stroke may reach one pixel beyond.
    const juce::Rectangle<int> frame (6, 6, 49, 19);

    for (int type : { 1, 2, 3, 4, 5, 14 })
    {
        button.iconType = type;
        const auto image = paint();
        savePng (image, "ButtonBase_icon" + juce::String (type));

        int inside = 0, outside = 0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getRed() > 0x80) // lit in the light text grey
                    ++(frame.contains (x, y) ? inside : outside);

        EXPECT_GT (inside, 40) << "type " << type;
        EXPECT_EQ (outside, 0) << "type " << type;
    }
}

TEST_F (ButtonBaseTest, ClickInvertsTheToggleStateWithoutAnAttachment)
{
    click (button, { 10.0f, 10.0f });
    EXPECT_TRUE (button.getToggleState());
    EXPECT_EQ (argbAt (paint(), 20, 10), fillOn);

    click (button, { 10.0f, 10.0f });
    EXPECT_FALSE (button.getToggleState());
}

TEST_F (ButtonBaseTest, ValueChangedFromOutsideShowsAtTheNextPaint)
{
    button.getToggleStateValue() = true;

    EXPECT_EQ (argbAt (paint(), 20, 10), fillOn);
}

TEST_F (ButtonBaseTest, EnterAndExitWriteAndClearTheHintKey)
{
    juce::String hintKey;
    button.hintKeyTarget = &hintKey;
    const auto event = mouseEventFor (button);

    button.mouseEnter (event);
    EXPECT_TRUE (button.isHover);
    EXPECT_EQ (hintKey, "buttonUndo");

    button.mouseExit (event);
    EXPECT_FALSE (button.isHover);
    EXPECT_TRUE (hintKey.isEmpty());
}

TEST_F (ButtonBaseTest, WithoutHintTargetHoverStillFollowsTheMouse)
{
    const auto event = mouseEventFor (button);

    button.mouseEnter (event);
    EXPECT_TRUE (button.isHover);
    button.mouseExit (event);
    EXPECT_FALSE (button.isHover);
}

TEST (ButtonPath, IconFrameIsInsetIntoTheGivenRectangle)
{
    juce::Path path;
    my::ButtonPath::makePath (10.0f, 20.0f, 100.0f, 50.0f, my::ButtonPath::triangle, path);

    // left 10 + 10 + 1, right 10 + 90 - 1, top 20 + 10 + 1, bottom 20 + 40 - 1, middle 45.
    expectPoints (path, { { 21.0f, 45.0f }, { 40.5f, 31.0f }, { 79.5f, 59.0f }, { 99.0f, 45.0f } });
}

TEST (ButtonPath, SquareAndSawsRunBetweenTheFrameEdges)
{
    juce::Path square, falling, rising;
    my::ButtonPath::makePath (0.0f, 0.0f, 100.0f, 50.0f, my::ButtonPath::square, square);
    my::ButtonPath::makePath (0.0f, 0.0f, 100.0f, 50.0f, my::ButtonPath::sawFalling, falling);
    my::ButtonPath::makePath (0.0f, 0.0f, 100.0f, 50.0f, my::ButtonPath::sawRising, rising);

    // Frame: left 11, right 89, top 11, bottom 39, centre x 50.
    expectPoints (square, { { 11, 39 }, { 11, 11 }, { 50, 11 }, { 50, 39 }, { 89, 39 }, { 89, 11 } });
    expectPoints (falling, { { 11, 39 }, { 11, 11 }, { 89, 39 }, { 89, 11 } });
    expectPoints (rising, { { 11, 11 }, { 11, 39 }, { 89, 11 }, { 89, 39 } });
}

TEST (ButtonPath, SineIsOnePeriodRisingFirst)
{
    juce::Path path;
    my::ButtonPath::makePath (0.0f, 0.0f, 100.0f, 50.0f, my::ButtonPath::sine, path);
    const auto points = pointsOf (path);

    ASSERT_EQ (points.size(), 21u);
    EXPECT_NEAR (points[0].x, 11.0f, 1.0e-4f);
    EXPECT_NEAR (points[0].y, 25.0f, 1.0e-4f);
    EXPECT_NEAR (points[5].y, 11.0f, 1.0e-4f); // peak above the middle (screen y grows down)
    EXPECT_NEAR (points[10].y, 25.0f, 1.0e-4f);
    EXPECT_NEAR (points[15].y, 39.0f, 1.0e-4f);
    EXPECT_NEAR (points[20].x, 89.0f, 1.0e-4f);
    EXPECT_NEAR (points[20].y, 25.0f, 1.0e-4f);
}

TEST (ButtonPath, NoiseIsTheFixedJaggedLine)
{
    juce::Path path;
    my::ButtonPath::makePath (0.0f, 0.0f, 100.0f, 50.0f, my::ButtonPath::noise, path);
    const auto points = pointsOf (path);

    ASSERT_EQ (points.size(), 21u);
    EXPECT_NEAR (points[0].y, 11.0f + 0.7f * 28.0f, 1.0e-4f);
    EXPECT_NEAR (points[6].y, 11.0f, 1.0e-4f);
    EXPECT_NEAR (points[17].y, 39.0f, 1.0e-4f);
    EXPECT_NEAR (points[20].x, 89.0f, 1.0e-4f);
    EXPECT_NEAR (points[20].y, 11.0f + 0.35f * 28.0f, 1.0e-4f);
}

TEST (ButtonPath, AppendsOneOpenSubPathToWhatThePathHeld)
{
    juce::Path path;
    path.addRectangle (0.0f, 0.0f, 5.0f, 5.0f);
    const int closedBefore = countElements (path, juce::Path::Iterator::closePath);

    my::ButtonPath::makePath (0.0f, 0.0f, 40.0f, 20.0f, my::ButtonPath::sine, path);

    EXPECT_EQ (countElements (path, juce::Path::Iterator::startNewSubPath), 2);
    EXPECT_EQ (countElements (path, juce::Path::Iterator::closePath), closedBefore);
}

TEST (ButtonPath, TypesWithoutAShapeLeaveThePathUnchanged)
{
    for (int type : { 0, 6, 7, 8, 9, 10, 11, 12, 13, 15, -1 })
    {
        juce::Path path;
        path.addRectangle (1.0f, 2.0f, 3.0f, 4.0f);
        const auto before = path.toString();

        my::ButtonPath::makePath (0.0f, 0.0f, 40.0f, 20.0f, type, path);
        EXPECT_EQ (path.toString(), before) << "type " << type;
    }
}
