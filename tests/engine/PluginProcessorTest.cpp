#include <gtest/gtest.h>

#include "engine/PluginProcessor.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace
{
using Layout = juce::AudioProcessor::BusesLayout;

Layout layoutOf (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out)
{
    Layout layout;
    layout.inputBuses.add (in);
    layout.outputBuses.add (out);
    return layout;
}

TEST (ProcessorIdentity, PresentsItselfAsOneStereoEffectWithOneProgram)
{
    WkrPlexa2AudioProcessor processor;

    EXPECT_EQ (processor.getName(), "wkr Plexa 2");
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_TRUE (processor.hasEditor());

    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    processor.setCurrentProgram (3);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    processor.changeProgramName (0, "renamed");
    for (int index : { 0, 1, -1, 99 })
        EXPECT_EQ (processor.getProgramName (index), "") << index;
}

TEST (ProcessorIdentity, VersionCodeIsFourPart)
{
    EXPECT_EQ (JucePlugin_VersionCode, 0x02000200);
    EXPECT_STREQ (JucePlugin_VersionString, "2.0.2.0");
    EXPECT_STREQ (JucePlugin_Manufacturer, "Tolvane");
    EXPECT_STREQ (JucePlugin_Name, "wkr Plexa 2");
}

TEST (ProcessorLifecycle, StartsWithTheInitialNonParameterState)
{
    WkrPlexa2AudioProcessor processor;

    EXPECT_EQ (processor.s1Range, 2);
    EXPECT_EQ (processor.s2Range, 2);
    EXPECT_EQ (processor.oversamplingIndexPass, 0);
    EXPECT_EQ (processor.oversamplingIndexLast, 0);
    EXPECT_EQ (processor.s1ShapeLast, 0);
    EXPECT_EQ (processor.s2ShapeLast, 0);
    EXPECT_EQ (processor.lastBlockSize, 0);

    EXPECT_FALSE (processor.isEditorOpen);
    EXPECT_TRUE (processor.isMasterOn);
    EXPECT_TRUE (processor.isShaper1On);
    EXPECT_TRUE (processor.isShaper2On);

    EXPECT_FALSE (processor.undoManager.canUndo());
    EXPECT_EQ (processor.apvts.state.getType().toString(), "Parameters");
    EXPECT_EQ (processor.parameters.shapeNames.size(), 21);
    EXPECT_EQ (processor.setting.makerFolder, "Tolvane");
    EXPECT_TRUE (processor.setting.productFolder.isNotEmpty());
}

TEST (ProcessorLifecycle, UndoHistoryKeepsThirtyTransactionsWithinTwoHundredUnits)
{
    WkrPlexa2AudioProcessor processor;
    auto tree = processor.apvts.state;

    // Each property change is ten units, so forty of them overflow the 200-unit budget.
    for (int i = 0; i < 40; ++i)
    {
        processor.undoManager.beginNewTransaction();
        tree.setProperty ("probe", i, &processor.undoManager);
    }

    int undone = 0;
    while (processor.undoManager.undo())
        ++undone;
    EXPECT_GE (undone, 30);
    EXPECT_LT (undone, 40);
}

TEST (ProcessorBuses, AcceptsOnlyStereoInAndStereoOut)
{
    WkrPlexa2AudioProcessor processor;
    const auto stereo = juce::AudioChannelSet::stereo();
    const auto mono = juce::AudioChannelSet::mono();

    EXPECT_TRUE (processor.checkBusesLayoutSupported (layoutOf (stereo, stereo)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (mono, stereo)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (stereo, mono)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (mono, mono)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (juce::AudioChannelSet::disabled(), stereo)));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (stereo, juce::AudioChannelSet::create5point1())));
}

TEST (ProcessorBuses, AreDeclaredOffAndTheFactoryEnablesBoth)
{
    WkrPlexa2AudioProcessor bare;
    ASSERT_EQ (bare.getBusCount (true), 1);
    ASSERT_EQ (bare.getBusCount (false), 1);
    EXPECT_FALSE (bare.getBus (true, 0)->isEnabledByDefault());
    EXPECT_FALSE (bare.getBus (false, 0)->isEnabledByDefault());
    EXPECT_EQ (bare.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (bare.getBus (false, 0)->getName(), "Output");

    std::unique_ptr<juce::AudioProcessor> created (createPluginFilter());
    EXPECT_EQ (created->getMainBusNumInputChannels(), 2);
    EXPECT_EQ (created->getMainBusNumOutputChannels(), 2);
    EXPECT_EQ (created->getTotalNumInputChannels(), 2);
    EXPECT_EQ (created->getTotalNumOutputChannels(), 2);
}
} // namespace
