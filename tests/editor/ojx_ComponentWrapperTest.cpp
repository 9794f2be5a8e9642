#include <gtest/gtest.h>

#include "editor/ojx_ComponentWrapper.h"
#include "widgets/WidgetTesting.h"

#include <limits>
#include <vector>

namespace
{
class ComponentWrapperTest : public ::testing::Test
{
protected:
    ComponentWrapperTest() { content.setBounds (0, 0, 602, 444); }

    float shapeValue (const char* id) { return processor.apvts.getParameter (id)->getValue(); }
    int shapeIndex (const char* id) { return juce::roundToInt (shapeValue (id) * 20.0f); }
    void setShapeIndex (const char* id, int index)
    {
        processor.apvts.getParameter (id)->setValueNotifyingHost ((float) index / 20.0f);
    }

    testing_support::ScopedUserFolders folders;
    WkrPlexa2AudioProcessor processor;
    my::ComponentWrapper content { processor };
};

TEST_F (ComponentWrapperTest, KeyControlsSitWhereTheLayoutPutsThem)
{
    const std::pair<juce::Component*, juce::Rectangle<int>> expected[] {
        { &content.header, { 0, 0, 578, 30 } },
        { &content.buttonMasterPower, { 577, 5, 20, 20 } },
        { &content.multiButtonRoute, { 18, 41, 60, 37 } },
        { &content.sliderRangeS2, { 495, 94, 100, 18 } },
        { &content.comboS1, { 76, 260, 140, 16 } },
        { &content.buttonS2Next, { 536, 260, 16, 16 } },
        { &content.arrowsS2, { 519, 260, 32, 16 } },
        { &content.dialS2Morph4, { 524, 284, 60, 50 } },
        { &content.dialS2Output, { 537, 340, 42, 59 } },
        { &content.separatorS1, { 126, 334, 1, 56 } },
        { &content.panelBottom, { 0, 396, 602, 49 } },
        { &content.comboOversampling, { 84, 400, 40, 17 } },
        { &content.hintBox, { 2, 423, 598, 19 } },
    };

    for (int pass = 0; pass < 2; ++pass)
    {
        for (const auto& [component, bounds] : expected)
            EXPECT_EQ (component->getBounds(), bounds) << component->getComponentID() << " pass " << pass;
        content.resized();
    }
}

TEST_F (ComponentWrapperTest, SlotSeparatorsShowBetweenOffsetAndMix)
{
    const auto image = content.createComponentSnapshot (content.getLocalBounds(), true, 1.0f);
    widget_testing::savePng (image, "ComponentWrapper", 2);

    EXPECT_EQ (widget_testing::argbAt (image, 126, 360), 0xFF1E1E1Eu);
    EXPECT_EQ (widget_testing::argbAt (image, 428, 360), 0xFF1E1E1Eu);
    EXPECT_EQ (widget_testing::argbAt (image, 125, 360), 0xFF323232u);
}

TEST_F (ComponentWrapperTest, HintLineExplainsTheHoveredControlAtTheNextTick)
{
    EXPECT_EQ (content.hintBox.hintKeys.size(), 33);

    content.dialS1Offset.mouseEnter (widget_testing::mouseEventFor (content.dialS1Offset));
    EXPECT_EQ (content.hintBox.currentKey, "");
    content.doInTimerCallback();
    EXPECT_EQ (content.hintBox.hintFor (content.hintBox.currentKey),
               "Sets the amount of the offset applied to the input signal.");

    content.dialS1Offset.mouseExit (widget_testing::mouseEventFor (content.dialS1Offset));
    content.doInTimerCallback();
    EXPECT_EQ (content.hintBox.hintFor (content.hintBox.currentKey), "");

    EXPECT_EQ (content.hintBox.hintFor ("buttonMasterPower"), "Enable/disable this device.");
    EXPECT_EQ (content.hintBox.hintFor ("s2Power"), "Enable/Disable the Shaper 2.");
    EXPECT_EQ (content.buttonS1Next.hintKeyTarget, nullptr);
}

TEST_F (ComponentWrapperTest, PreviousAndNextStepTheCurveOneEntryAndStopAtTheEnds)
{
    setShapeIndex (my::ParamId::s1Shape, 2);
    content.buttonS1Next.onClick();
    EXPECT_EQ (shapeIndex (my::ParamId::s1Shape), 3);

    setShapeIndex (my::ParamId::s1Shape, 20);
    content.buttonS1Next.onClick();
    EXPECT_EQ (shapeIndex (my::ParamId::s1Shape), 20);

    setShapeIndex (my::ParamId::s2Shape, 0);
    content.buttonS2Previous.onClick();
    EXPECT_EQ (shapeIndex (my::ParamId::s2Shape), 0);
    content.buttonS2Next.onClick();
    EXPECT_EQ (shapeIndex (my::ParamId::s2Shape), 1);
    EXPECT_EQ (shapeIndex (my::ParamId::s1Shape), 20);

    my::ButtonBase stranger;
    content.buttonShapePreviousNextOnClick (&stranger);
    EXPECT_EQ (shapeIndex (my::ParamId::s2Shape), 1);
}

TEST_F (ComponentWrapperTest, OversamplingAndRangeChoicesReachTheProcessor)
{
    content.comboOversampling.setSelectedId (5, juce::sendNotificationSync);
    EXPECT_EQ (processor.oversamplingIndexPass.load(), 4);
    content.comboOversampling.setSelectedId (1, juce::sendNotificationSync);
    EXPECT_EQ (processor.oversamplingIndexPass.load(), 0);

    content.sliderRangeS2.setValue (1.0, juce::sendNotificationSync);
    EXPECT_EQ (processor.s2Range.load(), 5);
    content.sliderRangeS1.setValue (0.5, juce::sendNotificationSync);
    EXPECT_EQ (processor.s1Range.load(), 3);

    EXPECT_EQ (my::ComponentWrapper::rangeIndexFor (0.2f), 1);
    EXPECT_EQ (my::ComponentWrapper::rangeIndexFor (0.2000001f), 2);
    EXPECT_EQ (my::ComponentWrapper::rangeIndexFor (1.0f), 5);
    EXPECT_EQ (my::ComponentWrapper::rangeIndexFor (std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ (my::ComponentWrapper::rangeIndexFor (1.5f), 1);
}

TEST (ComponentWrapperOpening, OversamplingBoxShowsTheAppliedChoiceWithoutWritingIt)
{
    testing_support::ScopedUserFolders folders;
    WkrPlexa2AudioProcessor processor;

    processor.oversamplingIndexLast = 3;
    {
        my::ComponentWrapper content (processor);
        EXPECT_EQ (content.comboOversampling.getText(), "x8");
        EXPECT_EQ (processor.oversamplingIndexPass.load(), 0);
    }

    processor.oversamplingIndexLast = 7;
    my::ComponentWrapper content (processor);
    EXPECT_EQ (content.comboOversampling.getSelectedId(), 0);
}

TEST_F (ComponentWrapperTest, PowerStatesGreyOutTheirGroups)
{
    content.setIsActive (false, true, true);
    EXPECT_FALSE (content.dialMasterMix.isActive);
    EXPECT_FALSE (content.multiButtonRoute.isActive);
    EXPECT_FALSE (content.dialS1Morph2.isActive);
    EXPECT_FALSE (content.dialS2Pan.isActive);
    EXPECT_TRUE (content.buttonMasterPower.isActive);

    content.setIsActive (true, false, true);
    EXPECT_TRUE (content.dialMasterMix.isActive);
    EXPECT_FALSE (content.dialS1Input.isActive);
    EXPECT_FALSE (content.buttonS1Power.isActive);
    EXPECT_FALSE (content.sliderRangeS1.isActive);
    EXPECT_FALSE (content.arrowsS1.isActive);
    EXPECT_FALSE (content.shapeScope1.isActive);
    EXPECT_FALSE (content.comboLookAndFeelS1.isActive);
    EXPECT_EQ (content.comboS1.findColour (juce::ComboBox::textColourId).getARGB(), 0xFF808080u);
    EXPECT_TRUE (content.dialS2Input.isActive);
    EXPECT_EQ (content.comboS2.findColour (juce::ComboBox::textColourId).getARGB(), 0xFFE67300u);
}

TEST_F (ComponentWrapperTest, MorphDialsFollowTheSelectedCurve)
{
    constexpr int singleFold = 5, sine = 7, flexClipSym = 1;

    processor.shapeProcessor1.shapeIndex = singleFold;
    content.doInTimerCallback();
    for (auto* dial : { &content.dialS1Morph1, &content.dialS1Morph4 })
        EXPECT_EQ (dial->getParentComponent(), nullptr);
    EXPECT_EQ (content.dialS2Morph1.getParentComponent(), &content);

    processor.shapeProcessor1.shapeIndex = sine;
    content.doInTimerCallback();
    EXPECT_EQ (content.dialS1Morph1.getName(), "Phase");
    EXPECT_EQ (content.dialS1Morph4.getName(), "Hardness");
    EXPECT_EQ (content.dialS1Morph4.getParentComponent(), &content);
    EXPECT_EQ (content.getChildComponent (content.getNumChildComponents() - 1), &content.dialS1Morph4);

    processor.shapeProcessor2.shapeIndex = flexClipSym;
    content.doInTimerCallback();
    EXPECT_EQ (content.dialS2Morph2.getName(), "Liner");
    EXPECT_EQ (content.dialS2Morph3.getParentComponent(), nullptr);

    // Every dial that shares the morph look gets the faint track from the first tick on.
    EXPECT_EQ (content.dialS2Input.skin[my::SkinIndex::dialTrack].getARGB(), 0x40CDCDCDu);
    EXPECT_NE (content.dialS1Input.skin[my::SkinIndex::dialTrack].getARGB(), 0x40CDCDCDu);
}
TEST_F (ComponentWrapperTest, ChildrenAreTheStackedControlsAndTheDialsAllVisible)
{
    EXPECT_EQ (content.getNumChildComponents(), 39 + 21);
    for (auto* child : content.getChildren())
        EXPECT_TRUE (child->isVisible());
    EXPECT_EQ (content.getIndexOfChildComponent (&content.mouseOverlay),
               content.getIndexOfChildComponent (&content.waveformView) + 1);
}

TEST_F (ComponentWrapperTest, TickHandsTheViewsSpanRangeAndCompleteSnapshots)
{
    processor.s1Range = 3;
    processor.s2Range = 0; // restored from a damaged state: shown as the first range, not blank
    processor.shapeProcessor1.inputMax = 0.8f;
    processor.shapeProcessor1.inputMin = -0.5f;

    content.doInTimerCallback();
    EXPECT_FLOAT_EQ (content.shapeScope1.range, 8.0f);
    EXPECT_FLOAT_EQ (content.shapeScope2.range, 2.0f);
    EXPECT_FLOAT_EQ (content.shapeScope1.inputMax, 0.8f);
    EXPECT_FLOAT_EQ (content.shapeScope1.inputMin, -0.5f);
    EXPECT_EQ (content.waveformView.buffer.getNumSamples(), 10); // nothing published yet

    std::vector<float> left (64, 0.5f), right (64, 0.5f);
    processor.scopeProcessor.feed (left.data(), right.data(), (int) left.size());
    content.doInTimerCallback();
    EXPECT_EQ (content.waveformView.buffer.getNumSamples(), processor.scopeProcessor.windowLength (0.5f));
    EXPECT_EQ (content.waveformView.buffer.getNumChannels(), 1);

    content.doInTimerCallback(); // no new snapshot: the view keeps the last one
    EXPECT_EQ (content.waveformView.buffer.getNumSamples(), processor.scopeProcessor.windowLength (0.5f));
}
} // namespace
