#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "EngineTesting.h"
#include "engine/PluginProcessor.h"

#include <array>
#include <cmath>
#include <functional>
#include <memory>

namespace
{
using namespace engine_testing;

constexpr double rate = 48000.0;
constexpr int blockSize = 512;

// Counts what the processor tells its host.
struct HostListener : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        changes.push_back ({ index, value });
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        latencyChanges += details.latencyChanged ? 1 : 0;
    }

    std::vector<std::pair<int, float>> changes;
    int latencyChanges = 0;
};

// Settings away from every default, with slot 2 on Tube and no pending curve change.
void useBusySettings (WkrPlexa2AudioProcessor& processor)
{
    auto set = [&processor] (const char* id, float value) { engine_testing::set (processor, id, value); };
    set ("masterInput", 3.0f);
    set ("masterMix", 80.0f);
    set ("masterOutput", -2.0f);
    set ("s1Input", 18.0f);
    set ("s1Morph1", 0.3f);
    set ("s1Offset", 0.1f);
    set ("s1Mix", 70.0f);
    set ("s1Pan", 30.0f);
    set ("s1Output", -3.0f);
    set ("s2Shape", 3.0f);
    processor.s2ShapeLast = 3;
    set ("s2Morph1", 0.6f);
    set ("s2Input", 12.0f);
    set ("s2Offset", -0.2f);
    set ("s2Mix", 90.0f);
    set ("s2Pan", -40.0f);
    set ("s2Output", 1.5f);
}

class ProcessBlock : public ::testing::Test
{
protected:
    void set (const char* id, float plainValue) { engine_testing::set (processor, id, plainValue); }
    float get (const char* id) { return *processor.apvts.getRawParameterValue (id); }
    void process (juce::AudioBuffer<float>& buffer) { processor.processBlock (buffer, midi); }

    WkrPlexa2AudioProcessor processor;
    juce::MidiBuffer midi;
};

// The signal path's wiring, shown by what it does: each check sets the path so that one stage's
// place decides the result, and compares it with a value worked out without the chain.

using Settings = std::function<void (WkrPlexa2AudioProcessor&)>;

// Busy settings, changed as given, where the chain alone reaches the output: master gains at
// 0 dB and the master mix fully wet.
Settings chainOnlyWith (Settings changes)
{
    return [changes] (WkrPlexa2AudioProcessor& processor)
    {
        useBusySettings (processor);
        set (processor, "masterInput", 0.0f);
        set (processor, "masterOutput", 0.0f);
        set (processor, "masterMix", 100.0f);
        changes (processor);
    };
}

// One parameter of slot "s1" or "s2".
void setSlot (WkrPlexa2AudioProcessor& processor, const juce::String& slot, const char* name, float value)
{
    set (processor, (slot + name).toRawUTF8(), value);
}

// The given settings with one switch turned off.
Settings withOff (Settings settings, const char* switchId)
{
    return [settings, switchId] (WkrPlexa2AudioProcessor& processor)
    {
        settings (processor);
        set (processor, switchId, 0.0f);
    };
}

void onlySlotOn (WkrPlexa2AudioProcessor& processor, const juce::String& slot)
{
    set (processor, "s1On", slot == "s1" ? 1.0f : 0.0f);
    set (processor, "s2On", slot == "s2" ? 1.0f : 0.0f);
}

// A processor at the host rate with no oversampling whose every ramp and glide has ended (it has
// run 0.2 s of noise), with its DC blocker cleared, so that its output depends on its settings and
// the next input alone.
std::unique_ptr<WkrPlexa2AudioProcessor> settled (const Settings& settings)
{
    auto processor = std::make_unique<WkrPlexa2AudioProcessor>();
    settings (*processor);
    processor->prepareToPlay (rate, blockSize);

    juce::MidiBuffer midi;
    for (int round = 0; round < 20; ++round)
    {
        auto warmUp = noise (blockSize, 0.5f, static_cast<unsigned> (90 + round));
        processor->processBlock (warmUp, midi);
    }
    processor->dcOffset.reset();
    return processor;
}

juce::AudioBuffer<float> outputOf (WkrPlexa2AudioProcessor& processor, juce::AudioBuffer<float> input)
{
    juce::MidiBuffer midi;
    processor.processBlock (input, midi);
    return input;
}

juce::AudioBuffer<float> outputOf (const Settings& settings, const juce::AudioBuffer<float>& input)
{
    return outputOf (*settled (settings), input);
}

// The input through a DC blocker that starts from rest.
juce::AudioBuffer<float> dcBlocked (juce::AudioBuffer<float> buffer)
{
    my::DcOffsetProcessor dc;
    process (dc, buffer);
    return buffer;
}

// Each channel multiplied first by a pan position's factor, then by a gain, as a slot's last two
// stages do.
juce::AudioBuffer<float> pannedThenGained (juce::AudioBuffer<float> buffer, float pan, float decibels)
{
    my::PanProcessor panner;
    const auto factors = panner.factors ((pan + 100.0f) / 200.0f);
    const auto gain = my::GainProcessor::gainFactor (decibels);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        buffer.setSample (0, i, buffer.getSample (0, i) * factors.left * gain);
        buffer.setSample (1, i, buffer.getSample (1, i) * factors.right * gain);
    }
    return buffer;
}

TEST (Wiring, AllMixesAtZeroGiveTheDcBlockedInput)
{
    for (const bool parallel : { false, true })
    {
        SCOPED_TRACE (parallel ? "parallel" : "serial");
        WkrPlexa2AudioProcessor processor;
        useBusySettings (processor);
        for (const char* id : { "masterMix", "s1Mix", "s2Mix", "masterInput", "masterOutput" })
            set (processor, id, 0.0f);
        set (processor, "s2On", 1.0f);
        set (processor, "route", parallel ? 1.0f : 0.0f);
        processor.prepareToPlay (rate, blockSize);

        my::DcOffsetProcessor dc;
        for (int round = 0; round < 3; ++round)
        {
            auto input = noise (blockSize, 0.7f, static_cast<unsigned> (round + 1));
            const auto output = outputOf (processor, input);
            process (dc, input);
            expectSameBits (output, input, "round " + std::to_string (round));
        }
    }
}

// The master input gain comes first, for the dry signal and the slots alike; the master output
// gain comes after the master mix, and the DC blocker last.
TEST (Wiring, TheMasterGainsEncloseThePathAndTheDcBlockerEndsIt)
{
    const auto input = noise (blockSize, 0.7f, 40);
    const auto busyWith = [] (float masterMix, float masterInput)
    {
        return [=] (WkrPlexa2AudioProcessor& processor)
        {
            useBusySettings (processor);
            set (processor, "s2On", 1.0f);
            set (processor, "masterMix", masterMix);
            set (processor, "masterInput", masterInput);
            set (processor, "masterOutput", -2.0f);
        };
    };

    auto dryExpected = input;
    dryExpected.applyGain (my::GainProcessor::gainFactor (3.0f));
    dryExpected.applyGain (my::GainProcessor::gainFactor (-2.0f));
    expectSameBits (outputOf (busyWith (0.0f, 3.0f), input), dcBlocked (dryExpected), "dry");

    auto louder = input;
    louder.applyGain (my::GainProcessor::gainFactor (3.0f));
    expectSameBits (outputOf (busyWith (100.0f, 3.0f), input), outputOf (busyWith (100.0f, 0.0f), louder), "wet");
}

// Mix 0 leaves a slot's dry signal, which then passes its pan and its output gain, in that order.
TEST (Wiring, ADrySlotIsItsPanThenItsOutputGain)
{
    const auto input = noise (blockSize, 0.7f, 41);
    const auto expected = dcBlocked (pannedThenGained (input, 30.0f, -3.0f));

    for (const juce::String slot : { "s1", "s2" })
        for (const bool parallel : { false, true })
        {
            if (slot == "s2" && parallel)
                continue; // in parallel, slot 2's result is averaged with the stream: see below
            SCOPED_TRACE ((slot + (parallel ? ", parallel" : ", serial")).toStdString());
            const auto drySlot = chainOnlyWith (
                [&] (WkrPlexa2AudioProcessor& processor)
                {
                    set (processor, "route", parallel ? 1.0f : 0.0f);
                    onlySlotOn (processor, slot);
                    setSlot (processor, slot, "Mix", 0.0f);
                    setSlot (processor, slot, "Pan", 30.0f);
                    setSlot (processor, slot, "Output", -3.0f);
                });
            expectSameBits (outputOf (drySlot, input), expected);
        }
}

// Fully wet, a slot shapes (input x gain) + offset: the same as a slot without gain and offset
// given that sum as its input. 9 dB and 0.5 pass the parameters' ranges without rounding.
TEST (Wiring, ASlotsWetPathIsItsInputGainThenItsOffsetThenItsCurve)
{
    const auto input = noise (blockSize, 0.7f, 42);
    auto sum = input;
    sum.applyGain (my::GainProcessor::gainFactor (9.0f));
    for (int channel = 0; channel < 2; ++channel)
        juce::FloatVectorOperations::add (sum.getWritePointer (channel), 0.5f, blockSize);

    for (const juce::String slot : { "s1", "s2" })
    {
        SCOPED_TRACE (slot.toStdString());
        const auto slotWith = [slot] (float inputGain, float offset)
        {
            return chainOnlyWith (
                [=] (WkrPlexa2AudioProcessor& processor)
                {
                    onlySlotOn (processor, slot);
                    setSlot (processor, slot, "Mix", 100.0f);
                    setSlot (processor, slot, "Input", inputGain);
                    setSlot (processor, slot, "Offset", offset);
                });
        };
        expectSameBits (outputOf (slotWith (9.0f, 0.5f), input), outputOf (slotWith (0.0f, 0.0f), sum));
    }
}

// In series slot 2 hears slot 1's result, as its dry signal and as its wet one: with slot 1 dry,
// the path gives what slot 2 alone gives for slot 1's panned and gained input.
TEST (Wiring, InSeriesSlot2TakesSlot1sResult)
{
    const auto input = noise (blockSize, 0.7f, 43);
    const auto drySlot1ThenSlot2 = chainOnlyWith (
        [] (WkrPlexa2AudioProcessor& processor)
        {
            set (processor, "s1Mix", 0.0f);
            set (processor, "s1Pan", 30.0f);
            set (processor, "s1Output", -3.0f);
            set (processor, "s2On", 1.0f);
        });
    const auto slot2Alone = withOff (drySlot1ThenSlot2, "s1On");
    expectSameBits (outputOf (drySlot1ThenSlot2, input), outputOf (slot2Alone, pannedThenGained (input, 30.0f, -3.0f)));
}

TEST (Wiring, ParallelWithSlot2OffEqualsSerial)
{
    WkrPlexa2AudioProcessor serial, parallel;
    for (auto* p : { &serial, &parallel })
    {
        useBusySettings (*p);
        set (*p, "route", p == &parallel ? 1.0f : 0.0f);
        p->prepareToPlay (rate, blockSize);
    }

    for (int round = 0; round < 3; ++round)
    {
        const auto input = noise (blockSize, 0.7f, static_cast<unsigned> (50 + round));
        expectSameBits (outputOf (parallel, input), outputOf (serial, input), "round " + std::to_string (round));
    }
}

// Both slots work on the stream and their results are averaged: two equal slots give what one
// gives alone, and a slot 2 that silences the right channel halves that channel of the stream.
TEST (Wiring, InParallelTheTwoSlotsAreAveraged)
{
    const auto input = noise (blockSize, 0.7f, 44);
    const auto twins = chainOnlyWith (
        [] (WkrPlexa2AudioProcessor& processor)
        {
            set (processor, "route", 1.0f);
            set (processor, "s2On", 1.0f);
            processor.s2ShapeLast = 0;
            for (const char* name :
                 { "Shape", "Morph1", "Morph2", "Morph3", "Morph4", "Input", "Offset", "Mix", "Pan", "Output" })
                setSlot (processor, "s2", name, *processor.apvts.getRawParameterValue (juce::String ("s1") + name));
        });
    expectSameBits (outputOf (twins, input), outputOf (withOff (twins, "s2On"), input), "twins");

    const auto drySlot2HardLeft = chainOnlyWith (
        [] (WkrPlexa2AudioProcessor& processor)
        {
            set (processor, "route", 1.0f);
            onlySlotOn (processor, "s2");
            set (processor, "s2Mix", 0.0f);
            set (processor, "s2Pan", -100.0f); // the right channel times exactly 0
        });
    const auto output = outputOf (drySlot2HardLeft, input);
    auto halved = input;
    halved.applyGain (0.5f);
    halved = dcBlocked (halved);
    for (int i = 0; i < blockSize; ++i)
        ASSERT_EQ (bitsOf (output.getSample (1, i)), bitsOf (halved.getSample (1, i))) << "frame " << i;
}

// A prepare starts every gain, offset and mix of the path at 0 and ramps it to its target over
// 0.1 s at the host rate; the pans take their position at once.
TEST (Wiring, FromAPrepareGainsOffsetsAndMixesRampForATenthOfASecondAndPansJump)
{
    WkrPlexa2AudioProcessor p;
    useBusySettings (p);
    set (p, "s2On", 1.0f);
    set (p, "route", 1.0f);
    p.prepareToPlay (rate, blockSize);

    const std::pair<my::SmoothedProcessor*, float> ramps[] {
        { &p.gainMasterInput, 3.0f }, { &p.mixMaster, 0.8f },     { &p.gainMasterOutput, -2.0f },
        { &p.mixParallel, 0.5f },     { &p.gainS1Input, 18.0f },  { &p.offsetS1, 0.1f },
        { &p.mixS1, 0.7f },           { &p.gainS1Output, -3.0f }, { &p.gainS2Input, 12.0f },
        { &p.offsetS2, -0.2f },       { &p.mixS2, 0.9f },         { &p.gainS2Output, 1.5f },
    };
    const std::pair<my::SmoothedProcessor*, float> jumps[] { { &p.panS1, 0.65f }, { &p.panS2, 0.3f } };
    const int rampLength = static_cast<int> (0.1 * rate);

    auto first = noise (blockSize, 0.5f, 60);
    outputOf (p, first);
    for (const auto& [block, target] : ramps)
        EXPECT_NEAR (block->smoother.getCurrentValue(), target * blockSize / rampLength, 1.0e-4f * std::abs (target))
            << target;
    for (const auto& [block, target] : jumps)
        EXPECT_NEAR (block->smoother.getCurrentValue(), target, 1.0e-6f);

    outputOf (p, noise (rampLength - blockSize - 1, 0.5f, 61));
    for (const auto& [block, target] : ramps)
        EXPECT_TRUE (block->smoother.isSmoothing()) << target;
    outputOf (p, noise (1, 0.5f, 62));
    for (const auto& [block, target] : ramps)
        EXPECT_NEAR (block->smoother.getCurrentValue(), target, 1.0e-6f);
}

// A mix at 30 % gives 70 % of the result at 0 and 30 % of the one at 100, for the master mix and
// the mix of each slot: the stages after a mix are linear, so the result is a crossfade.
TEST (Wiring, EveryMixCrossfadesItsDryAndItsWetSignal)
{
    const auto input = noise (blockSize, 0.7f, 45);

    for (const char* id : { "masterMix", "s1Mix", "s2Mix" })
    {
        SCOPED_TRACE (id);
        const auto mixAt = [id] (float value)
        {
            return [=] (WkrPlexa2AudioProcessor& processor)
            {
                useBusySettings (processor);
                set (processor, "s2On", std::string (id) == "s1Mix" ? 0.0f : 1.0f); // nothing shapes after the mix
                set (processor, id, value);
            };
        };
        const auto dry = outputOf (mixAt (0.0f), input);
        const auto wet = outputOf (mixAt (100.0f), input);
        const auto mixed = outputOf (mixAt (30.0f), input);
        float difference = 0.0f;
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < blockSize; ++i)
            {
                const auto expected = 0.7f * dry.getSample (c, i) + 0.3f * wet.getSample (c, i);
                ASSERT_NEAR (mixed.getSample (c, i), expected, 1.0e-5f * (1.0f + std::abs (expected)))
                    << "sample " << i;
                difference = std::max (difference, std::abs (dry.getSample (c, i) - wet.getSample (c, i)));
            }
        EXPECT_GT (difference, 0.1f) << "dry and wet differ";
    }
}
} // namespace

namespace
{
TEST_F (ProcessBlock, MasterOffIsASampleExactBypassThatStillFollowsTheSwitches)
{
    useBusySettings (processor);
    processor.prepareToPlay (rate, blockSize);
    auto warmUp = noise (blockSize, 0.5f, 1);
    processor.isEditorOpen = true;
    process (warmUp);
    const int latency = processor.getLatencySamples();

    set ("masterOn", 0.0f);
    set ("s2On", 1.0f);
    processor.oversamplingIndexPass = 2;
    auto input = noise (blockSize, 0.9f, 2);
    input.setSample (0, 10, std::numeric_limits<float>::quiet_NaN());
    auto fadeOut = input, output = input;
    process (fadeOut);
    process (output);

    for (int c = 0; c < 2; ++c)
        EXPECT_EQ (std::memcmp (output.getReadPointer (c), input.getReadPointer (c), sizeof (float) * blockSize), 0);
    EXPECT_FALSE (processor.isMasterOn);
    EXPECT_TRUE (processor.isShaper2On);
    EXPECT_EQ (processor.shapeProcessor1.inputMax.load(), 0.0f);
    EXPECT_EQ (processor.shapeProcessor2.inputMin.load(), 0.0f);
    EXPECT_FALSE (processor.scopeProcessor.isActive);
    EXPECT_EQ (processor.getLatencySamples(), latency);
    EXPECT_EQ (processor.oversamplingIndexLast, 0) << "a request waits for the master switch";
}

// Bypassed by the master switch or by the host, the output is the input delayed by the latency the
// host compensates, to the bit: from the first sample when bypassed from the start, and from the
// end of the fade when switched while playing.
TEST (Bypass, PassesTheInputDelayedByTheReportedLatency)
{
    for (bool byHost : { false, true })
        for (int choice = 0; choice <= 4; ++choice)
            for (bool whilePlaying : { false, true })
            {
                SCOPED_TRACE (testing::Message()
                              << "by host " << byHost << ", choice " << choice << ", playing " << whilePlaying);
                WkrPlexa2AudioProcessor processor;
                useBusySettings (processor);
                processor.oversamplingIndexPass = choice;
                processor.prepareToPlay (rate, blockSize);
                if (whilePlaying)
                    outputOf (processor, noise (blockSize, 0.5f, 1));
                set (processor, "masterOn", byHost ? 1.0f : 0.0f);
                const auto input = noise (4 * blockSize, 0.9f, 2);
                auto output = input;
                processInBlocks (processor, output, blockSize, byHost);

                const int latency = processor.getLatencySamples();
                for (int c = 0; c < 2; ++c)
                    for (int i = whilePlaying ? blockSize : 0; i < output.getNumSamples(); ++i)
                        ASSERT_EQ (bitsOf (output.getSample (c, i)),
                                   bitsOf (i < latency ? 0.0f : input.getSample (c, i - latency)))
                            << "frame " << i;
            }
}

// Where the processed sound is four times the input, switching either way, by the master switch or
// by the host, steps the output by no more than a few times the processed sound's own steps.
TEST (Bypass, SwitchingEitherWayFades)
{
    for (bool byHost : { false, true })
    {
        WkrPlexa2AudioProcessor processor;
        set (processor, "s1Output", 12.0f);
        processor.oversamplingIndexPass = 3;
        processor.prepareToPlay (rate, blockSize);
        juce::AudioBuffer<float> output (2, 40 * blockSize);
        for (int i = 0; i < output.getNumSamples(); ++i)
            for (int c = 0; c < 2; ++c)
                output.setSample (c, i, 0.5f * std::sin (6.2831853f * 50.0f * static_cast<float> (i / rate)));

        std::array<float, 40> steps {}; // the largest of each block
        for (int b = 0; b < 40; ++b)
        {
            const bool bypassed = b >= 20 && b < 30;
            set (processor, "masterOn", bypassed && ! byHost ? 0.0f : 1.0f);
            juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, b * blockSize, blockSize);
            processInBlocks (processor, block, blockSize, bypassed && byHost);
            for (int i = std::max (1, b * blockSize); i < (b + 1) * blockSize; ++i)
                steps[static_cast<size_t> (b)] = std::max (
                    steps[static_cast<size_t> (b)], std::abs (output.getSample (0, i) - output.getSample (0, i - 1)));
        }
        const auto own = *std::max_element (steps.begin() + 10, steps.begin() + 20); // the ramps have ended
        EXPECT_LT (*std::max_element (steps.begin() + 10, steps.end()), 3.0f * own) << "by host " << byHost;
    }
}

TEST_F (ProcessBlock, ASlotThatIsOffHasNoSpanAndStandsStill)
{
    processor.prepareToPlay (rate, blockSize);
    set ("s1On", 0.0f);
    set ("s1Input", 12.0f);
    auto buffer = noise (blockSize, 0.5f, 3);
    process (buffer);

    EXPECT_EQ (processor.shapeProcessor1.inputMax.load(), 0.0f);
    EXPECT_EQ (processor.gainS1Input.smoother.getCurrentValue(), 0.0f) << "its gain did not start ramping";
    EXPECT_FALSE (processor.isShaper1On);
}

TEST_F (ProcessBlock, ACurveChangeSetsAndAnnouncesTheNewDefaultsOnce)
{
    HostListener host;
    processor.addListener (&host);
    processor.prepareToPlay (rate, blockSize);
    auto buffer = noise (blockSize, 0.5f, 4);
    process (buffer);
    host.changes.clear();

    set ("s1Shape", 7.0f); // Sine: 0.5, 0.5, 0, 1
    host.changes.clear();
    process (buffer);

    EXPECT_FLOAT_EQ (get ("s1Morph1"), 0.5f);
    EXPECT_FLOAT_EQ (get ("s1Morph2"), 0.5f);
    EXPECT_FLOAT_EQ (get ("s1Morph3"), 0.0f);
    EXPECT_FLOAT_EQ (get ("s1Morph4"), 1.0f);
    ASSERT_EQ (host.changes.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ (host.changes[static_cast<size_t> (k)].first, 5 + k) << "s1Morph1..4 are parameters 5..8";
    EXPECT_EQ (processor.s1ShapeLast, 7);

    // The slot runs the new curve with the defaults from the next block on, and nothing is reset again.
    host.changes.clear();
    process (buffer);
    EXPECT_TRUE (host.changes.empty());
    EXPECT_EQ (processor.shapeProcessor1.shapers[7]->getMorph(), (my::MorphValues { 0.5f, 0.5f, 0.0f, 1.0f }));
    processor.removeListener (&host);
}

TEST_F (ProcessBlock, ARestoredPresetKeepsItsMorphValues)
{
    WkrPlexa2AudioProcessor source;
    engine_testing::set (source, "s1Shape", 11.0f);
    engine_testing::set (source, "s1Morph1", 0.9f);
    engine_testing::set (source, "s2Shape", 15.0f);
    engine_testing::set (source, "s2Morph3", 0.1f);
    source.s1ShapeLast = 11;
    source.s2ShapeLast = 15;
    juce::MemoryBlock state;
    source.getStateInformation (state);

    processor.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    processor.prepareToPlay (rate, blockSize);
    auto buffer = noise (blockSize, 0.5f, 5);
    process (buffer);
    EXPECT_FLOAT_EQ (get ("s1Morph1"), 0.9f);
    EXPECT_FLOAT_EQ (get ("s2Morph3"), 0.1f);
}

TEST_F (ProcessBlock, SelectingAnOversamplingChoiceReportsItsLatencyOnce)
{
    HostListener host;
    processor.addListener (&host);
    processor.prepareToPlay (rate, blockSize);
    auto buffer = noise (blockSize, 0.5f, 6);
    process (buffer);
    EXPECT_EQ (processor.getLatencySamples(), 0);
    host.latencyChanges = 0;

    processor.oversamplingIndexPass = 2;
    process (buffer);
    EXPECT_EQ (processor.oversamplingIndexLast, 2);
    EXPECT_EQ (processor.getLatencySamples(), 4);
    EXPECT_EQ (host.latencyChanges, 1);

    process (buffer);
    processor.oversamplingIndexPass = 2;
    process (buffer);
    EXPECT_EQ (host.latencyChanges, 1);
    processor.removeListener (&host);
}

// What hosts compensate: the filters' delay in whole samples, the same at every rate.
TEST (Oversampling, EachChoiceReportsItsLatencyInWholeSamples)
{
    const std::array<int, 5> expected { 0, 3, 4, 5, 5 };
    for (double sampleRate : { 44100.0, 48000.0 })
        for (int choice = 0; choice <= 4; ++choice)
        {
            WkrPlexa2AudioProcessor processor;
            processor.oversamplingIndexPass = choice;
            processor.prepareToPlay (sampleRate, blockSize);
            outputOf (processor, noise (blockSize, 0.5f, 6));
            EXPECT_EQ (processor.getLatencySamples(), expected[static_cast<size_t> (choice)])
                << sampleRate << " Hz, choice " << choice;
        }
}

// A slot's gain ramps over 4800 steps at 48 kHz, one step per sample of the stream it runs in:
// one host block of 64 samples takes it 64 x factor steps of the way from 0 to +12 dB.
TEST (Oversampling, EachChoiceRunsTheShaperSectionAtItsFactor)
{
    constexpr int hostBlock = 64;
    const std::array<int, 5> factors { 1, 2, 4, 8, 16 };
    for (int choice = 0; choice <= 4; ++choice)
    {
        WkrPlexa2AudioProcessor processor;
        processor.oversamplingIndexPass = choice;
        processor.prepareToPlay (rate, hostBlock);
        set (processor, "s1Input", 12.0f);
        outputOf (processor, noise (hostBlock, 0.5f, 6));

        const auto steps = static_cast<float> (hostBlock * factors[static_cast<size_t> (choice)]);
        EXPECT_NEAR (processor.gainS1Input.smoother.getCurrentValue(), 12.0f * steps / 4800.0f, 1.0e-3f)
            << "choice " << choice;
    }
}

TEST_F (ProcessBlock, AnUnknownChoiceSkipsTheShaperSection)
{
    processor.prepareToPlay (rate, blockSize);
    auto buffer = noise (blockSize, 0.5f, 7);
    process (buffer);
    const int latency = processor.getLatencySamples();

    processor.oversamplingIndexPass = 9;
    set ("s1Input", 40.0f);
    auto input = noise (blockSize, 0.5f, 8);
    auto output = input;
    process (output);

    // Only the master gains (both 0 dB, settled) and the DC blocker act on the block.
    my::DcOffsetProcessor dc;
    dc.left = processor.dcOffset.left;
    dc.right = processor.dcOffset.right;
    EXPECT_EQ (processor.getLatencySamples(), latency);
    EXPECT_EQ (processor.shapeProcessor1.inputMax.load(), -100.0f) << "the slot saw a block without samples";
    EXPECT_LT (std::abs (output.getSample (0, 100) - input.getSample (0, 100)), 0.05f);
}

TEST_F (ProcessBlock, OddBlocksAndSampleRatesWork)
{
    useBusySettings (processor);
    set ("s2On", 1.0f);
    set ("s1Shape", 15.0f);
    for (double sampleRate : { 22050.0, 44100.0, 88200.0, 96000.0, 192000.0 })
        for (int choice = 0; choice <= 4; ++choice)
        {
            processor.prepareToPlay (sampleRate, 256);
            processor.oversamplingIndexPass = choice;
            for (int size : { 0, 1, 7, 256, 1000 })
            {
                auto buffer = noise (size, 1.0f, static_cast<unsigned> (size + choice));
                process (buffer);
                for (int i = 0; i < size; ++i)
                    ASSERT_TRUE (std::isfinite (buffer.getSample (0, i)) && std::isfinite (buffer.getSample (1, i)))
                        << sampleRate << " Hz, choice " << choice << ", block " << size;
            }
        }

    auto empty = noise (0, 1.0f, 1);
    process (empty);
    EXPECT_EQ (processor.lastBlockSize, 0) << "so the next block applies the choice again";
}

TEST_F (ProcessBlock, ABlockLongerThanPreparedIsProcessedAsItsPieces)
{
    WkrPlexa2AudioProcessor pieces;
    for (auto* p : { &processor, &pieces })
    {
        useBusySettings (*p);
        p->oversamplingIndexPass = 3;
        p->prepareToPlay (rate, 256);
    }

    auto whole = noise (1000, 0.8f, 9);
    auto expected = whole;
    process (whole);
    for (int start = 0; start < 1000; start += 256)
    {
        const int length = std::min (256, 1000 - start);
        juce::AudioBuffer<float> piece (expected.getArrayOfWritePointers(), 2, start, length);
        pieces.processBlock (piece, midi);
    }
    expectSameBits (whole, expected, "pieces");
}

TEST_F (ProcessBlock, NonFiniteInputIsSilencedAndDoesNotPoisonTheFilters)
{
    processor.prepareToPlay (rate, blockSize);
    processor.oversamplingIndexPass = 4;
    auto bad = noise (blockSize, 0.5f, 10);
    bad.setSample (0, 3, std::numeric_limits<float>::quiet_NaN());
    bad.setSample (1, 9, std::numeric_limits<float>::infinity());
    bad.setSample (1, 20, -std::numeric_limits<float>::infinity());
    process (bad);

    for (int round = 0; round < 4; ++round)
    {
        auto buffer = noise (blockSize, 0.5f, static_cast<unsigned> (11 + round));
        process (buffer);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < blockSize; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (c, i)));
    }
}

TEST_F (ProcessBlock, HugeInputStaysFinite)
{
    processor.prepareToPlay (rate, blockSize);
    set ("masterInput", 24.0f);
    set ("s1Input", 72.0f);
    auto buffer = noise (blockSize, std::numeric_limits<float>::max(), 12);
    for (int round = 0; round < 30; ++round)
        process (buffer);
    for (int i = 0; i < blockSize; ++i)
        ASSERT_TRUE (std::isfinite (buffer.getSample (0, i)));
}

TEST_F (ProcessBlock, AMonoBufferIsLeftAsItIs)
{
    processor.prepareToPlay (rate, blockSize);
    auto mono = noise (blockSize, 0.5f, 13, 1);
    const auto before = mono;
    process (mono);
    EXPECT_EQ (std::memcmp (mono.getReadPointer (0), before.getReadPointer (0), sizeof (float) * blockSize), 0);
}

TEST_F (ProcessBlock, BeforePrepareTheBlockPassesUntouched)
{
    auto buffer = noise (blockSize, 0.5f, 14);
    const auto before = buffer;
    process (buffer);
    expectSameBits (buffer, before, "unprepared");
}

TEST_F (ProcessBlock, TheWaveformStoreIsFedOnlyWhileAnEditorIsOpen)
{
    processor.prepareToPlay (rate, blockSize);
    auto buffer = noise (blockSize, 0.5f, 15);
    process (buffer);
    juce::AudioBuffer<float> snapshot;
    EXPECT_FALSE (processor.scopeProcessor.copyLatestSnapshot (snapshot));

    processor.isEditorOpen = true;
    process (buffer);
    ASSERT_TRUE (processor.scopeProcessor.copyLatestSnapshot (snapshot));
    const int last = snapshot.getNumSamples() - 1;
    EXPECT_FLOAT_EQ (snapshot.getSample (0, last),
                     (buffer.getSample (0, blockSize - 1) + buffer.getSample (1, blockSize - 1)) * 0.5f);
}

TEST_F (ProcessBlock, NeverAllocatesOnTheAudioThread)
{
    useBusySettings (processor);
    set ("s2On", 1.0f);
    processor.prepareToPlay (rate, blockSize);
    processor.isEditorOpen = true;
    auto buffer = noise (blockSize, 0.9f, 16);

    for (int route = 0; route <= 1; ++route)
        for (int choice = 0; choice <= 4; ++choice)
        {
            set ("route", static_cast<float> (route));
            processor.oversamplingIndexPass = choice;
            const auto before = testing_support::allocationsOnThisThread();
            process (buffer);
            process (buffer);
            EXPECT_EQ (testing_support::allocationsOnThisThread(), before)
                << "route " << route << ", choice " << choice;
        }
}
} // namespace

namespace
{
// A render of a sine pair through busy settings with both slots on, in one route at one
// oversampling choice; the input's samples from burstStart on for burstLength are replaced by
// burst (i), with i counted from the burst's start.
template <typename Burst>
juce::AudioBuffer<float> render (bool parallel, int choice, int burstStart, int burstLength, Burst&& burst)
{
    WkrPlexa2AudioProcessor processor;
    useBusySettings (processor);
    set (processor, "s2On", 1.0f);
    set (processor, "route", parallel ? 1.0f : 0.0f);
    processor.oversamplingIndexPass = choice;
    processor.prepareToPlay (rate, blockSize);

    const int length = static_cast<int> (0.3 * rate);
    juce::AudioBuffer<float> output (2, length);
    for (int i = 0; i < length; ++i)
    {
        const auto t = static_cast<float> (i) / static_cast<float> (rate);
        const bool inBurst = i >= burstStart && i < burstStart + burstLength;
        output.setSample (0, i, inBurst ? burst (i - burstStart) : 0.5f * std::sin (2.0f * 3.14159265f * 220.0f * t));
        output.setSample (1, i, inBurst ? -burst (i - burstStart) : 0.4f * std::sin (2.0f * 3.14159265f * 330.0f * t));
    }

    processInBlocks (processor, output, blockSize);
    return output;
}

// Samples no signal holds: a burst of them leaves, from 100 ms after it, the output that silence
// in their place gives (to within -60 dB of its level), and never a sample that is not finite.
TEST (UnusableInput, ABurstEndsLikeAGapOfSilenceInEveryRouteAndOversampling)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    const std::pair<const char*, float> bursts[] = {
        { "NaN", std::numeric_limits<float>::quiet_NaN() },
        { "+-Inf", inf },
        { "+-1e30", 1.0e30f },
        { "+-3e38", 3.0e38f },
        { "just beyond the loudest input", WkrPlexa2AudioProcessor::loudestInput * 1.001f },
    };
    const int burstStart = static_cast<int> (0.05 * rate), burstLength = 480;
    const int compareFrom = burstStart + burstLength + static_cast<int> (0.1 * rate);

    for (int route = 0; route <= 1; ++route)
        for (int choice = 0; choice <= 4; ++choice)
        {
            const auto silence = render (route == 1, choice, burstStart, burstLength, [] (int) { return 0.0f; });
            float level = 0.0f;
            for (int c = 0; c < 2; ++c)
                level = std::max (level, silence.getMagnitude (c, compareFrom, silence.getNumSamples() - compareFrom));
            ASSERT_GT (level, 0.1f);

            for (const auto& [name, peak] : bursts)
            {
                SCOPED_TRACE (testing::Message() << name << ", route " << route << ", choice " << choice);
                const auto output = render (route == 1, choice, burstStart, burstLength,
                                            [peak = peak] (int i) { return i % 2 == 0 ? peak : -peak; });
                for (int c = 0; c < 2; ++c)
                    for (int i = 0; i < output.getNumSamples(); ++i)
                    {
                        ASSERT_TRUE (std::isfinite (output.getSample (c, i))) << "sample " << i;
                        if (i >= compareFrom)
                        {
                            ASSERT_LE (std::abs (output.getSample (c, i) - silence.getSample (c, i)), 0.001f * level)
                                << "sample " << i;
                        }
                    }
            }
        }
}

// Up to the bound, input is signal: the loudest one is shaped, not silenced, and at the highest
// gains of every stage, with every curve, nothing inside the chain overflows.
TEST (UnusableInput, TheLoudestInputAtTheHighestGainsStaysFinite)
{
    const float loudest = WkrPlexa2AudioProcessor::loudestInput;
    const int burstStart = 1000, burstLength = 480;
    const auto quiet = render (false, 0, burstStart, burstLength, [] (int) { return 0.0f; });
    const auto loud =
        render (false, 0, burstStart, burstLength, [loudest] (int i) { return i % 2 == 0 ? loudest : -loudest; });
    EXPECT_GT (std::abs (loud.getSample (0, burstStart + 10) - quiet.getSample (0, burstStart + 10)), 1.0f);

    for (int curve = 0; curve < my::ShapeProcessor::numShapes; ++curve)
        for (int route = 0; route <= 1; ++route)
            for (int choice = 0; choice <= 4; ++choice)
            {
                SCOPED_TRACE (testing::Message() << "curve " << curve << ", route " << route << ", choice " << choice);
                WkrPlexa2AudioProcessor processor;
                for (const char* id : { "masterInput", "masterOutput", "s1Input", "s1Offset", "s1Pan", "s1Output",
                                        "s2Input", "s2Offset", "s2Pan", "s2Output" })
                    set (processor, id, processor.apvts.getParameter (id)->getNormalisableRange().end);
                set (processor, "s1Shape", static_cast<float> (curve));
                set (processor, "s2Shape", static_cast<float> (curve));
                set (processor, "s1Mix", curve % 2 == 0 ? 0.0f : 100.0f); // slot 1's dry path, or its wet one
                set (processor, "s2On", 1.0f);
                set (processor, "route", static_cast<float> (route));
                processor.oversamplingIndexPass = choice;
                processor.prepareToPlay (rate, blockSize);

                juce::MidiBuffer midi;
                for (int round = 0; round < 3; ++round)
                {
                    auto buffer = noise (blockSize, loudest, static_cast<unsigned> (curve + round));
                    for (int i = 0; i < blockSize; i += 7)
                        buffer.setSample (i % 2, i, i % 3 == 0 ? loudest : -loudest);
                    processor.processBlock (buffer, midi);
                    for (int c = 0; c < 2; ++c)
                        for (int i = 0; i < blockSize; ++i)
                            ASSERT_TRUE (std::isfinite (buffer.getSample (c, i)))
                                << "round " << round << ", sample " << i;
                }
            }
}

// A reset or a prepare forgets the past: afterwards the output no longer depends on what came
// before, even when something had left NaN in the path's memories.
TEST (UnusableInput, AResetOrPrepareBringsBackAPathThatWasPoisoned)
{
    for (const bool byPrepare : { false, true })
    {
        SCOPED_TRACE (byPrepare ? "prepare" : "reset");
        WkrPlexa2AudioProcessor poisoned, clean;
        for (auto* p : { &poisoned, &clean })
        {
            useBusySettings (*p);
            p->oversamplingIndexPass = 2;
            p->prepareToPlay (rate, blockSize);
        }

        juce::MidiBuffer midi;
        auto loud = noise (blockSize, 0.9f, 20);
        auto silent = noise (blockSize, 0.0f, 20);
        poisoned.processBlock (loud, midi);
        clean.processBlock (silent, midi);

        // NaN in the DC blocker's memory and two ramps that run from NaN to their targets.
        constexpr float nan = std::numeric_limits<float>::quiet_NaN();
        poisoned.dcOffset.left.lastOutput = nan;
        for (auto* smoother : { &poisoned.gainMasterOutput.smoother, &poisoned.mixS1.smoother })
        {
            const float target = smoother->getTargetValue();
            smoother->setCurrentAndTargetValue (nan);
            smoother->setTargetValue (target);
        }

        for (auto* p : { &poisoned, &clean })
        {
            if (byPrepare)
                p->prepareToPlay (rate, blockSize);
            else
                p->reset();
        }

        for (int round = 0; round < 3; ++round)
        {
            auto a = noise (blockSize, 0.5f, static_cast<unsigned> (30 + round));
            auto b = a;
            poisoned.processBlock (a, midi);
            clean.processBlock (b, midi);
            expectSameBits (a, b, "round " + std::to_string (round));
        }
    }
}
} // namespace

namespace
{
// Every oversampling choice runs the same path at its raised rate: its render is the plain one,
// later by the latency the processor reports at 48 kHz (to within what the rounding of a fractional
// latency and the filters leave, a few per cent of the level).
TEST (Wiring, EveryOversamplingChoiceLinesUpWithNoneAfterItsLatency)
{
    const std::array<int, 5> latencies { 0, 3, 4, 5, 5 };
    const auto noBurst = [] (int) { return 0.0f; };
    const int from = static_cast<int> (0.15 * rate); // the ramps have ended

    for (int route = 0; route <= 1; ++route)
    {
        const auto plain = render (route == 1, 0, 0, 0, noBurst);
        float level = 0.0f;
        for (int c = 0; c < 2; ++c)
            level = std::max (level, plain.getMagnitude (c, from, plain.getNumSamples() - from));

        for (int choice = 1; choice <= 4; ++choice)
        {
            SCOPED_TRACE (testing::Message() << "route " << route << ", choice " << choice);
            const int latency = latencies[static_cast<size_t> (choice)];
            const auto output = render (route == 1, choice, 0, 0, noBurst);
            double squares = 0.0;
            int count = 0;
            for (int c = 0; c < 2; ++c)
                for (int i = from; i + latency < output.getNumSamples(); ++i, ++count)
                    squares += std::pow (output.getSample (c, i + latency) - plain.getSample (c, i), 2.0f);
            EXPECT_LT (std::sqrt (squares / count), 0.05 * level);
        }
    }
}
} // namespace
