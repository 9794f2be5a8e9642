#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_SliderBase.h"

using namespace widget_testing;

namespace
{
// A vertical-drag rotary control, as the dial uses the base. Shift is read from the framework's
// current modifiers, which a real press updates before it arrives.
class SliderBaseDragTest : public ::testing::Test
{
protected:
    SliderBaseDragTest() { slider.setSliderStyle (juce::Slider::RotaryVerticalDrag); }
    ~SliderBaseDragTest() override { setShift (false); }

    static void setShift (bool down)
    {
        juce::ModifierKeys::currentModifiers =
            down ? juce::ModifierKeys (juce::ModifierKeys::shiftModifier) : juce::ModifierKeys();
    }

    void press() { slider.mouseDown (mouseEventFor (slider, { 24.0f, 300.0f })); }
    void dragUpBy (float pixels) { slider.mouseDrag (mouseEventFor (slider, { 24.0f, 300.0f - pixels })); }

    my::SliderBase slider;
};
} // namespace

TEST_F (SliderBaseDragTest, NinetyPixelsCoverTheWholeRangeAndShiftPressedMidDragChangesNothing)
{
    press();
    dragUpBy (45.0f);
    EXPECT_NEAR (slider.getValue(), 0.5, 1.0e-9);

    setShift (true);
    dragUpBy (90.0f);
    EXPECT_DOUBLE_EQ (slider.getValue(), 1.0);
}

TEST_F (SliderBaseDragTest, ShiftHeldAtTheStartMakesItNineHundredForThatDragOnly)
{
    setShift (true);
    press();
    setShift (false);
    dragUpBy (90.0f);
    EXPECT_NEAR (slider.getValue(), 0.1, 1.0e-9);
    slider.mouseUp (mouseEventFor (slider));

    slider.setValue (0.0);
    press();
    dragUpBy (45.0f);
    EXPECT_NEAR (slider.getValue(), 0.5, 1.0e-9);
}

TEST (SliderBase, IntegerValueTextTruncatesTowardsZero)
{
    my::SliderBase slider;
    slider.setRange (-10.0, 10.0, 0.0);
    slider.setValue (-3.7);
    slider.valueSuffix = " dB";
    slider.isIntegerText = true;

    EXPECT_EQ (slider.valueText(), "-3 dB");
}

TEST (SliderBase, DisplayProportionWithoutAnAnswerIsZero)
{
    my::SliderBase slider;
    slider.setValue (0.5);
    slider.displayMin = -1.0f;
    slider.isLogDisplay = true; // a logarithm below zero
    EXPECT_EQ (slider.displayProportion(), 0.0f);

    slider.isLogDisplay = false;
    slider.displayMin = slider.displayMax; // an empty range
    EXPECT_EQ (slider.displayProportion(), 0.0f);
}
