#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "engine/PluginProcessor.h"

#include <cmath>
#include <random>

namespace
{
using Block = juce::dsp::AudioBlock<float>;

constexpr double rate = 48000.0;
constexpr int blockSize = 512;

juce::AudioBuffer<float> noise (int numSamples, float amplitude, unsigned seed, int channels = 2)
{
    std::mt19937 random (seed);
    std::uniform_real_distribution<float> uniform (-amplitude, amplitude);
    juce::AudioBuffer<float> buffer (channels, numSamples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (c, i, uniform (random));
    return buffer;
}

void expectIdentical (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, const char* what)
{
    ASSERT_EQ (a.getNumSamples(), b.getNumSamples());
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < a.getNumSamples(); ++i)
            ASSERT_EQ (a.getSample (c, i), b.getSample (c, i)) << what << ": channel " << c << ", sample " << i;
}

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

void set (WkrPlexa2AudioProcessor& processor, const char* id, float plainValue)
{
    auto* parameter = processor.apvts.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
}

// Settings away from every default, with slot 2 on Tube and no pending curve change.
void useBusySettings (WkrPlexa2AudioProcessor& processor)
{
    auto set = [&processor] (const char* id, float value) { ::set (processor, id, value); };
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
    void set (const char* id, float plainValue) { ::set (processor, id, plainValue); }
    float get (const char* id) { return *processor.apvts.getRawParameterValue (id); }
    void process (juce::AudioBuffer<float>& buffer) { processor.processBlock (buffer, midi); }

    WkrPlexa2AudioProcessor processor;
    juce::MidiBuffer midi;
};

// The chain rebuilt from the blocks, route by route, to check the processor's wiring.
struct ReferenceChain
{
    struct Slot
    {
        my::GainProcessor input, output;
        my::OffsetProcesoor offset;
        my::ShapeProcessor shaper;
        my::MixProcessor mix;
        my::PanProcessor pan;

        void set (WkrPlexa2AudioProcessor& p, const juce::String& prefix)
        {
            auto value = [&p, &prefix] (const char* name) { return p.apvts.getRawParameterValue (prefix + name)->load(); };
            input.targetValue = value ("Input");
            offset.targetValue = value ("Offset");
            shaper.shapeIndex = static_cast<int> (value ("Shape"));
            shaper.morphTarget = { value ("Morph1"), value ("Morph2"), value ("Morph3"), value ("Morph4") };
            mix.targetValue = value ("Mix") * 0.01f;
            pan.targetValue = (value ("Pan") + 100.0f) / 200.0f;
            output.targetValue = value ("Output");
        }

        // The slot applied to x, with x also as its dry signal; the result replaces x.
        void run (juce::AudioBuffer<float>& x)
        {
            juce::AudioBuffer<float> wet (x);
            Block dry (x), wetBlock (wet);
            input.processAudioBlock (wetBlock);
            offset.processAudioBlock (wetBlock);
            shaper.processAudioBlock (wetBlock);
            mix.processAudioBlocks (dry, wetBlock);
            pan.processAudioBlock (dry);
            output.processAudioBlock (dry);
        }
    };

    explicit ReferenceChain (double sampleRate)
    {
        juce::dsp::ProcessSpec processSpec { sampleRate, blockSize, 2 };
        for (my::DspProcessorBase* block : std::initializer_list<my::DspProcessorBase*> {
                 &s1.shaper, &s2.shaper, &s1.input, &s1.offset, &s1.mix, &s1.output, &s2.input, &s2.offset, &s2.mix,
                 &s2.output, &parallelMix, &masterInput, &masterMix, &masterOutput, &dc })
            block->prepare (processSpec);
        parallelMix.targetValue = 0.5f;
    }

    void process (WkrPlexa2AudioProcessor& p, juce::AudioBuffer<float>& buffer, bool parallel, bool s1On, bool s2On)
    {
        masterInput.targetValue = p.apvts.getRawParameterValue ("masterInput")->load();
        masterMix.targetValue = p.apvts.getRawParameterValue ("masterMix")->load() * 0.01f;
        masterOutput.targetValue = p.apvts.getRawParameterValue ("masterOutput")->load();
        s1.set (p, "s1");
        s2.set (p, "s2");

        Block host (buffer);
        masterInput.processAudioBlock (host);

        const juce::AudioBuffer<float> u (buffer);
        juce::AudioBuffer<float> chain (u);
        if (s1On)
            s1.run (chain);

        if (s2On && ! parallel)
            s2.run (chain);
        if (s2On && parallel)
        {
            juce::AudioBuffer<float> second (u);
            s2.run (second);
            Block chainBlock (chain), secondBlock (second);
            parallelMix.processAudioBlocks (chainBlock, secondBlock);
        }

        Block chainBlock (chain);
        masterMix.processAudioBlocks (host, chainBlock);
        masterOutput.processAudioBlock (host);
        dc.processAudioBlock (host);
    }

    Slot s1, s2;
    my::GainProcessor masterInput, masterOutput;
    my::MixProcessor masterMix, parallelMix;
    my::DcOffsetProcessor dc;
};

TEST_F (ProcessBlock, EveryRouteAndSwitchCombinationMatchesTheChainBuiltFromItsBlocks)
{
    for (int combination = 0; combination < 8; ++combination)
    {
        const bool parallel = (combination & 4) != 0, s1On = (combination & 2) != 0, s2On = (combination & 1) != 0;
        SCOPED_TRACE (testing::Message() << (parallel ? "parallel" : "serial") << ", slot 1 " << s1On << ", slot 2 " << s2On);

        WkrPlexa2AudioProcessor p;
        useBusySettings (p);
        ::set (p, "route", parallel ? 1.0f : 0.0f);
        ::set (p, "s1On", s1On ? 1.0f : 0.0f);
        ::set (p, "s2On", s2On ? 1.0f : 0.0f);
        p.prepareToPlay (rate, blockSize);

        ReferenceChain reference (rate);
        for (int round = 0; round < 3; ++round)
        {
            auto input = noise (blockSize, 0.7f, static_cast<unsigned> (round + 1));
            auto expected = input;
            p.processBlock (input, midi);
            reference.process (p, expected, parallel, s1On, s2On);
            expectIdentical (input, expected, ("round " + std::to_string (round)).c_str());
        }
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
    auto output = input;
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
    ::set (source, "s1Shape", 11.0f);
    ::set (source, "s1Morph1", 0.9f);
    ::set (source, "s2Shape", 15.0f);
    ::set (source, "s2Morph3", 0.1f);
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

TEST_F (ProcessBlock, SelectingAnOversamplingChoiceReportsItsRoundedLatencyOnce)
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
    EXPECT_EQ (processor.getLatencySamples(), static_cast<int> (std::nearbyint (processor.oversampling4.getLatencyInSamples())));
    EXPECT_GT (processor.getLatencySamples(), 0);
    EXPECT_EQ (host.latencyChanges, 1);

    process (buffer);
    processor.oversamplingIndexPass = 2;
    process (buffer);
    EXPECT_EQ (host.latencyChanges, 1);

    // Every factor reports its own latency.
    for (int choice = 1; choice <= 4; ++choice)
    {
        processor.oversamplingIndexPass = choice;
        process (buffer);
        EXPECT_EQ (processor.getLatencySamples(),
                   static_cast<int> (std::nearbyint (processor.oversamplerFor (choice)->getLatencyInSamples())))
            << choice;
    }
    processor.removeListener (&host);
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
    expectIdentical (whole, expected, "pieces");
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
    expectIdentical (buffer, before, "unprepared");
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
    EXPECT_FLOAT_EQ (snapshot.getSample (0, last), (buffer.getSample (0, blockSize - 1) + buffer.getSample (1, blockSize - 1)) * 0.5f);
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
            EXPECT_EQ (testing_support::allocationsOnThisThread(), before) << "route " << route << ", choice " << choice;
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

    juce::MidiBuffer midi;
    for (int start = 0; start < length; start += blockSize)
    {
        juce::AudioBuffer<float> piece (output.getArrayOfWritePointers(), 2, start, std::min (blockSize, length - start));
        processor.processBlock (piece, midi);
    }
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
    const auto loud = render (false, 0, burstStart, burstLength,
                              [loudest] (int i) { return i % 2 == 0 ? loudest : -loudest; });
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
                            ASSERT_TRUE (std::isfinite (buffer.getSample (c, i))) << "round " << round << ", sample " << i;
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
            expectIdentical (a, b, ("round " + std::to_string (round)).c_str());
        }
    }
}
} // namespace
