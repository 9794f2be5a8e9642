#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "engine/my_Utility.h"
#include "widgets/my_SliderBase.h"

using namespace widget_testing;

namespace
{
// Modifier keys as the framework sees them when a drag starts; restored afterwards.
class ScopedModifiers
{
public:
    explicit ScopedModifiers (juce::ModifierKeys keys) : saved (juce::ModifierKeys::currentModifiers)
    {
        juce::ModifierKeys::currentModifiers = keys;
    }

    ~ScopedModifiers() { juce::ModifierKeys::currentModifiers = saved; }

    ScopedModifiers (const ScopedModifiers&) = delete;
    ScopedModifiers& operator= (const ScopedModifiers&) = delete;

private:
    juce::ModifierKeys saved;
};

const juce::ModifierKeys shift (juce::ModifierKeys::shiftModifier);

// A vertical-drag rotary control, the way the dial uses the base.
class SliderBaseDragTest : public ::testing::Test
{
protected:
    SliderBaseDragTest()
    {
        slider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        slider.setBounds (0, 0, 48, 47);
    }

    void press() { slider.mouseDown (mouseEventFor (slider, { 24.0f, 300.0f })); }
    void dragUpBy (float pixels) { slider.mouseDrag (mouseEventFor (slider, { 24.0f, 300.0f - pixels })); }
    void release() { slider.mouseUp (mouseEventFor (slider, { 24.0f, 300.0f })); }

    my::SliderBase slider;
};
} // namespace

TEST_F (SliderBaseDragTest, NinetyPixelsUpwardsCoverTheWholeRange)
{
    press();
    dragUpBy (45.0f);
    EXPECT_NEAR (slider.getValue(), 0.5, 1.0e-9);

    dragUpBy (90.0f);
    EXPECT_DOUBLE_EQ (slider.getValue(), 1.0);
    release();
}

TEST_F (SliderBaseDragTest, ShiftHeldAtTheStartMakesTheWholeRangeNineHundredPixels)
{
    {
        const ScopedModifiers held (shift);
        press();
    }

    dragUpBy (90.0f);
    EXPECT_NEAR (slider.getValue(), 0.1, 1.0e-9);
    dragUpBy (900.0f);
    EXPECT_DOUBLE_EQ (slider.getValue(), 1.0);
    release();

    // The next drag without Shift is back to the normal distance.
    slider.setValue (0.0);
    press();
    dragUpBy (45.0f);
    EXPECT_NEAR (slider.getValue(), 0.5, 1.0e-9);
    release();
}

TEST_F (SliderBaseDragTest, ShiftPressedDuringTheDragChangesNothingUntilTheNextDrag)
{
    press();
    const ScopedModifiers pressedLater (shift);
    dragUpBy (45.0f);

    EXPECT_NEAR (slider.getValue(), 0.5, 1.0e-9);
}

TEST (SliderBase, EnterAndExitWriteAndClearTheHintKeyOnlyWithATarget)
{
    my::SliderBase slider;
    slider.setComponentID ("s1Offset");
    const auto event = mouseEventFor (slider);

    slider.mouseEnter (event); // no target: nothing to write, nothing breaks
    slider.mouseExit (event);

    juce::String hintKey ("stale");
    slider.hintKeyTarget = &hintKey;
    slider.mouseEnter (event);
    EXPECT_EQ (hintKey, "s1Offset");
    EXPECT_TRUE (slider.isHover);

    slider.mouseExit (event);
    EXPECT_TRUE (hintKey.isEmpty());
    EXPECT_FALSE (slider.isHover);
}

TEST (SliderBase, ValueTextIsTheValueItselfWithItsSuffix)
{
    my::SliderBase slider;
    slider.setRange (-10.0, 10.0, 0.0);
    slider.setValue (-3.7);
    slider.valueSuffix = " dB";
    slider.displayMin = 0.0f; // the display mapping does not reach the text
    slider.displayMax = 100.0f;

    EXPECT_EQ (slider.valueText(), my::digit3 (-3.7f) + " dB");

    slider.isIntegerText = true;
    EXPECT_EQ (slider.valueText(), "-3 dB");

    slider.setValue (0.9);
    EXPECT_EQ (slider.valueText(), "0 dB");
}

TEST (SliderBase, DisplayProportionMapsLinearSkewedAndLogarithmic)
{
    my::SliderBase slider;
    slider.setRange (-24.0, 100.0, 0.0);
    slider.displayMin = -24.0f;
    slider.displayMax = 24.0f;

    slider.setValue (12.0);
    EXPECT_FLOAT_EQ (slider.displayProportion(), 0.75f);
    slider.setValue (48.0); // not clamped: the arc may run past the sweep
    EXPECT_FLOAT_EQ (slider.displayProportion(), 1.5f);

    slider.displayMin = 0.0f;
    slider.displayMax = 100.0f;
    slider.setValue (25.0);
    slider.displaySkew = 0.5f;
    slider.isSkewDisplay = true;
    EXPECT_FLOAT_EQ (slider.displayProportion(), 0.0625f);

    slider.isSkewDisplay = false;
    slider.isLogDisplay = true;
    slider.displayMin = 1.0f;
    slider.setValue (10.0);
    EXPECT_FLOAT_EQ (slider.displayProportion(), 0.5f);
}

TEST (SliderBase, DisplayRangesWithoutAnAnswerDrawAtTheStartOfTheSweep)
{
    my::SliderBase slider;
    slider.setValue (0.5);
    slider.displayMin = slider.displayMax = 1.0f;
    EXPECT_EQ (slider.displayProportion(), 0.0f);

    slider.displayMin = -1.0f;
    slider.displayMax = 1.0f;
    slider.isLogDisplay = true;
    EXPECT_EQ (slider.displayProportion(), 0.0f);
}
