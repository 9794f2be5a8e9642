#include <gtest/gtest.h>

#include "engine/PluginProcessor.h"

#include <map>
#include <vector>

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

TEST (ProcessorBuses, AreStereoAndEnabledByDefault)
{
    // Hosts may leave a bus that is not enabled by default unconnected, or run it with no channels.
    WkrPlexa2AudioProcessor bare;
    ASSERT_EQ (bare.getBusCount (true), 1);
    ASSERT_EQ (bare.getBusCount (false), 1);
    EXPECT_TRUE (bare.getBus (true, 0)->isEnabledByDefault());
    EXPECT_TRUE (bare.getBus (false, 0)->isEnabledByDefault());
    EXPECT_EQ (bare.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (bare.getBus (false, 0)->getName(), "Output");

    std::unique_ptr<juce::AudioProcessor> created (createPluginFilter());
    EXPECT_EQ (created->getMainBusNumInputChannels(), 2);
    EXPECT_EQ (created->getMainBusNumOutputChannels(), 2);
    EXPECT_EQ (created->getTotalNumInputChannels(), 2);
    EXPECT_EQ (created->getTotalNumOutputChannels(), 2);
}

// Records every parameter value the processor announces to its listeners, by parameter index.
class AnnouncedValues : public juce::AudioProcessorListener
{
public:
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        values[index].push_back (value);
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    // Every parameter was announced, the last time at its current value.
    void expectEachAnnounced (juce::AudioProcessor& processor) const
    {
        const auto& parameters = processor.getParameters();
        EXPECT_EQ (values.size(), static_cast<size_t> (parameters.size()));
        for (auto* parameter : parameters)
        {
            const auto found = values.find (parameter->getParameterIndex());
            ASSERT_NE (found, values.end()) << parameter->getName (64);
            EXPECT_EQ (found->second.back(), parameter->getValue()) << parameter->getName (64);
        }
    }

    std::map<int, std::vector<float>> values;
};

std::unique_ptr<WkrPlexa2AudioProcessor> makeProcessorFor (juce::AudioProcessor::WrapperType wrapper)
{
    juce::AudioProcessor::setTypeOfNextNewPlugin (wrapper);
    auto processor = std::make_unique<WkrPlexa2AudioProcessor>();
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
    return processor;
}

juce::MemoryBlock stateWithMainJobSettings()
{
    auto source = makeProcessorFor (juce::AudioProcessor::wrapperType_Undefined);
    auto* input = source->apvts.getParameter (my::ParamId::s1Input);
    auto* shape = source->apvts.getParameter (my::ParamId::s1Shape);
    input->setValueNotifyingHost (input->convertTo0to1 (18.0f));
    shape->setValueNotifyingHost (shape->convertTo0to1 (7.0f));
    juce::MemoryBlock state;
    source->getStateInformation (state);
    return state;
}

TEST (ProcessorLv2Values, EveryValueIsAnnouncedAtActivationAndAfterARestore)
{
    const auto state = stateWithMainJobSettings();
    auto processor = makeProcessorFor (juce::AudioProcessor::wrapperType_LV2);
    AnnouncedValues announced;
    processor->addListener (&announced);

    processor->prepareToPlay (48000.0, 512);
    announced.expectEachAnnounced (*processor);
    EXPECT_EQ (announced.values[2].back(), 1.0f) << "master mix at 100 %";

    announced.values.clear();
    processor->setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    announced.expectEachAnnounced (*processor);
    EXPECT_FLOAT_EQ (announced.values[9].back(), 90.0f / 144.0f) << "s1Input at +18 dB";
    EXPECT_FLOAT_EQ (announced.values[4].back(), 7.0f / 20.0f) << "s1Shape at Sine";

    // A block that does not decode changes nothing, and the host still learns where things stand.
    announced.values.clear();
    processor->setStateInformation ("junk", 4);
    announced.expectEachAnnounced (*processor);
    processor->removeListener (&announced);
}

TEST (ProcessorLv2Values, OtherWrappersHearOnlyOfValuesThatChange)
{
    // Their hosts read the values themselves and would record extra messages as automation.
    const auto state = stateWithMainJobSettings();
    for (auto wrapper : { juce::AudioProcessor::wrapperType_Undefined, juce::AudioProcessor::wrapperType_VST3,
                          juce::AudioProcessor::wrapperType_Standalone })
    {
        auto processor = makeProcessorFor (wrapper);
        AnnouncedValues announced;
        processor->addListener (&announced);
        processor->prepareToPlay (44100.0, 64);
        processor->setStateInformation (state.getData(), static_cast<int> (state.getSize()));
        EXPECT_EQ (announced.values.size(), 2u) << wrapper;
        EXPECT_EQ (announced.values.count (4), 1u) << "s1Shape, restored to Sine";
        EXPECT_EQ (announced.values.count (9), 1u) << "s1Input, restored to +18 dB";
        processor->removeListener (&announced);
    }
}
} // namespace
