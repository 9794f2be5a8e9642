#include <gtest/gtest.h>

#include "EngineTesting.h"
#include "engine/PluginProcessor.h"
#include "engine/my_StateBlock.h"

#include <cstring>
#include <limits>
#include <random>
#include <thread>

namespace
{
juce::MemoryBlock saved (WkrPlexa2AudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    return block;
}

void restore (WkrPlexa2AudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation (block.getData(), static_cast<int> (block.getSize()));
}

float plain (WkrPlexa2AudioProcessor& processor, const char* id) { return *processor.apvts.getRawParameterValue (id); }

std::array<int, 6> sixInts (const WkrPlexa2AudioProcessor& p)
{
    return { p.s1Range, p.s2Range, p.oversamplingIndexPass, p.oversamplingIndexLast, p.s1ShapeLast, p.s2ShapeLast };
}

// A processor moved away from every default: odd parameter values and non-default ints.
void changeEverything (WkrPlexa2AudioProcessor& processor)
{
    int i = 0;
    for (const auto* id : my::ParamId::all)
    {
        auto* parameter = processor.apvts.getParameter (id);
        parameter->setValueNotifyingHost (std::fmod (0.37f * static_cast<float> (++i), 1.0f));
    }
    processor.s1Range = 4;
    processor.s2Range = 5;
    processor.oversamplingIndexPass = 3;
    processor.oversamplingIndexLast = 2;
    processor.s1ShapeLast = 7;
    processor.s2ShapeLast = 20;
}

TEST (SavedState, RoundTripsEveryParameterAndTheSixIntsIntoAFreshInstance)
{
    WkrPlexa2AudioProcessor source;
    changeEverything (source);
    const auto block = saved (source);

    WkrPlexa2AudioProcessor target;
    restore (target, block);

    for (const auto* id : my::ParamId::all)
        EXPECT_EQ (plain (target, id), plain (source, id)) << id;
    EXPECT_EQ (sixInts (target), (std::array<int, 6> { 4, 5, 3, 2, 7, 20 }));
}

TEST (SavedState, IsTheParameterTreeWithTheSixIntsInOrder)
{
    WkrPlexa2AudioProcessor processor;
    changeEverything (processor);
    const auto block = saved (processor);
    const auto tree = juce::ValueTree::readFromData (block.getData(), block.getSize());

    ASSERT_EQ (tree.getType().toString(), "Parameters");
    const char* expected[] = { "s1Range",     "s2Range",    "oversamplingIndexPass", "oversamplingIndexLast",
                               "s1ShapeLast", "s2ShapeLast" };
    ASSERT_EQ (tree.getNumProperties(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (tree.getPropertyName (i).toString(), expected[i]);
    EXPECT_EQ (tree.getNumChildren(), 27);
    EXPECT_FLOAT_EQ (static_cast<float> (tree.getChildWithProperty ("id", "s1Input").getProperty ("value")),
                     plain (processor, "s1Input"));
}

TEST (SavedState, SavingTwiceGivesIdenticalBytesAndAppends)
{
    WkrPlexa2AudioProcessor processor;
    changeEverything (processor);
    const auto first = saved (processor);
    EXPECT_EQ (saved (processor), first);

    juce::MemoryBlock block ("prefix", 6);
    processor.getStateInformation (block);
    ASSERT_EQ (block.getSize(), first.getSize() + 6);
    EXPECT_EQ (std::memcmp (block.getData(), "prefix", 6), 0);
    EXPECT_EQ (std::memcmp (static_cast<const char*> (block.getData()) + 6, first.getData(), first.getSize()), 0);
}

TEST (SavedState, ASaveRightAfterAParameterChangeStoresTheNewValue)
{
    WkrPlexa2AudioProcessor processor;
    saved (processor);
    engine_testing::set (processor, "s2Output", -7.25f);

    WkrPlexa2AudioProcessor target;
    restore (target, saved (processor));
    EXPECT_EQ (plain (target, "s2Output"), -7.25f);
}

TEST (SavedState, ATreeWithoutTheSixIntsRestoresParametersAndZeroes)
{
    WkrPlexa2AudioProcessor source;
    changeEverything (source);
    auto tree = source.apvts.copyState();
    for (const char* id :
         { "s1Range", "s2Range", "oversamplingIndexPass", "oversamplingIndexLast", "s1ShapeLast", "s2ShapeLast" })
        tree.removeProperty (id, nullptr);
    juce::MemoryOutputStream stream;
    tree.writeToStream (stream);

    WkrPlexa2AudioProcessor target;
    restore (target, stream.getMemoryBlock());
    EXPECT_EQ (plain (target, "masterMix"), plain (source, "masterMix"));
    EXPECT_EQ (sixInts (target), (std::array<int, 6> {}));
}

TEST (SavedState, UndecodableBlocksKeepParametersAndUndoButZeroTheInts)
{
    WkrPlexa2AudioProcessor processor;
    processor.undoManager.beginNewTransaction();
    processor.apvts.state.setProperty ("probe", 1, &processor.undoManager);
    engine_testing::set (processor, "masterInput", 12.0f);
    processor.s1Range = 3;

    for (const auto& junk : { juce::MemoryBlock(), juce::MemoryBlock ("junk", 4), juce::MemoryBlock (1000, true) })
    {
        restore (processor, junk);
        EXPECT_EQ (plain (processor, "masterInput"), 12.0f);
        EXPECT_TRUE (processor.undoManager.canUndo());
        EXPECT_EQ (sixInts (processor), (std::array<int, 6> {}));
    }
    processor.setStateInformation (nullptr, 100);
    processor.setStateInformation ("x", -5);
    EXPECT_EQ (plain (processor, "masterInput"), 12.0f);
}

TEST (SavedState, ABlockFarBeyondAnyRealStateIsRefusedAsUndecodable)
{
    WkrPlexa2AudioProcessor processor;
    changeEverything (processor);
    const auto real = saved (processor);
    EXPECT_LT (real.getSize() * 10, my::maximumStateBytes) << "a real state stays far below the bound";

    // The real state with 100,000 more distinct property names on its root.
    auto tree = juce::ValueTree::readFromData (real.getData(), real.getSize());
    juce::MemoryOutputStream stream;
    stream.writeString ("Parameters");
    stream.writeCompressedInt (tree.getNumProperties() + 100000);
    for (int i = 0; i < tree.getNumProperties(); ++i)
    {
        stream.writeString (tree.getPropertyName (i).toString());
        tree.getProperty (tree.getPropertyName (i)).writeToStream (stream);
    }
    for (int i = 0; i < 100000; ++i)
    {
        stream.writeString ("name" + juce::String (i));
        stream.writeCompressedInt (0);
    }
    stream.writeCompressedInt (tree.getNumChildren());
    for (const auto& child : tree)
        child.writeToStream (stream);

    WkrPlexa2AudioProcessor target;
    engine_testing::set (target, "s1Input", 30.0f);
    restore (target, stream.getMemoryBlock());
    EXPECT_EQ (plain (target, "s1Input"), 30.0f);
    EXPECT_EQ (sixInts (target), (std::array<int, 6> {}));

    restore (target, real);
    EXPECT_EQ (plain (target, "s1Input"), plain (processor, "s1Input"));
}

TEST (SavedState, AValidRestoreClearsTheUndoHistory)
{
    WkrPlexa2AudioProcessor processor;
    const auto block = saved (processor);
    processor.undoManager.beginNewTransaction();
    processor.apvts.state.setProperty ("probe", 1, &processor.undoManager);
    ASSERT_TRUE (processor.undoManager.canUndo());

    restore (processor, block);
    EXPECT_FALSE (processor.undoManager.canUndo());
}

// A crafted state may hold anything where the six ints belong. Each comes back as a value it can
// take, or as 0, what a missing one gives, and the next save stores that.
TEST (SavedState, StoredIntsOutsideTheirRangesComeBackAsZero)
{
    WkrPlexa2AudioProcessor source;
    changeEverything (source);
    const auto good = saved (source);
    const char* names[] = { "s1Range",     "s2Range",    "oversamplingIndexPass", "oversamplingIndexLast",
                            "s1ShapeLast", "s2ShapeLast" };
    const int largest[] = { 5, 5, 4, 4, 20, 20 };
    const double inf = std::numeric_limits<double>::infinity();

    for (size_t i = 0; i < 6; ++i)
        for (const juce::var& bad :
             { juce::var (-1), juce::var (largest[i] + 1), juce::var (1.5), juce::var (std::nan ("")), juce::var (1e30),
               juce::var (-1e30), juce::var (inf), juce::var (juce::int64 { 1 } << 40), juce::var ("many") })
        {
            SCOPED_TRACE (juce::String (names[i]) + " = " + bad.toString());
            auto tree = juce::ValueTree::readFromData (good.getData(), good.getSize());
            tree.setProperty (names[i], bad, nullptr);
            juce::MemoryOutputStream crafted;
            tree.writeToStream (crafted);

            WkrPlexa2AudioProcessor target;
            restore (target, crafted.getMemoryBlock());
            auto expected = sixInts (source);
            expected[i] = 0;
            EXPECT_EQ (sixInts (target), expected);

            const auto resaved = saved (target);
            EXPECT_EQ (static_cast<int> (
                           juce::ValueTree::readFromData (resaved.getData(), resaved.getSize()).getProperty (names[i])),
                       0);
        }
}

// Thousands of damaged states: none may crash, hang or leak (CI runs this under the address and
// undefined-behaviour sanitizers), and every parameter stays a finite value inside its range.
TEST (SavedStateFuzz, DamagedBlocksNeverBreakTheProcessor)
{
    WkrPlexa2AudioProcessor source;
    changeEverything (source);
    const auto valid = saved (source);

    WkrPlexa2AudioProcessor processor;
    std::mt19937 random (20261208);
    auto below = [&random] (size_t n) { return static_cast<size_t> (random() % std::max<size_t> (n, 1)); };

    for (int round = 0; round < 4000; ++round)
    {
        juce::MemoryBlock block (valid);
        auto* bytes = static_cast<juce::uint8*> (block.getData());
        switch (round % 5)
        {
            case 0: // flip bits
                for (int i = 0, n = 1 + static_cast<int> (below (8)); i < n; ++i)
                    bytes[below (block.getSize())] ^= static_cast<juce::uint8> (1u << below (8));
                break;
            case 1: // truncate
                block.setSize (below (block.getSize()));
                break;
            case 2: // overwrite a run with random bytes
            {
                const auto start = below (block.getSize());
                for (size_t i = start; i < std::min (block.getSize(), start + 1 + below (16)); ++i)
                    bytes[i] = static_cast<juce::uint8> (random());
                break;
            }
            case 3: // duplicate a slice into the middle
            {
                const auto start = below (block.getSize());
                const auto length = std::min (block.getSize() - start, below (64));
                juce::MemoryBlock slice (bytes + start, length);
                block.insert (slice.getData(), slice.getSize(), below (block.getSize()));
                break;
            }
            default: // pure noise
            {
                block.setSize (below (512));
                auto* noise = static_cast<juce::uint8*> (block.getData());
                for (size_t i = 0; i < block.getSize(); ++i)
                    noise[i] = static_cast<juce::uint8> (random());
                break;
            }
        }

        restore (processor, block);

        for (auto* parameter : processor.getParameters())
        {
            const float value = parameter->getValue();
            ASSERT_TRUE (std::isfinite (value) && value >= 0.0f && value <= 1.0f) << "round " << round;
        }
    }

    // The processor still saves and restores cleanly afterwards.
    restore (processor, valid);
    EXPECT_EQ (plain (processor, "s1Input"), plain (source, "s1Input"));
}

// A preset loaded while the audio runs: the wrappers run each block under the callback lock, and
// no block may take part of a restore for a change of curve and overwrite the restored morphs.
TEST (SavedStateThreads, RestoresWhileAnotherThreadProcessesComeBackAsSaved)
{
    std::array<WkrPlexa2AudioProcessor, 2> presets;
    std::array<juce::MemoryBlock, 2> blocks;
    for (size_t i = 0; i < 2; ++i)
    {
        engine_testing::set (presets[i], "s1Shape", i == 0 ? 7.0f : 3.0f);
        presets[i].takeDefaultMorphsOfNewCurves();
        engine_testing::set (presets[i], "s1Morph1", i == 0 ? 0.9f : 0.1f);
        presets[i].oversamplingIndexPass = i == 0 ? 3 : 1;
        blocks[i] = saved (presets[i]);
    }

    WkrPlexa2AudioProcessor processor;
    processor.prepareToPlay (48000.0, 16);
    std::atomic<bool> done { false };
    std::thread audio (
        [&]
        {
            auto buffer = engine_testing::noise (16, 0.5f, 1);
            juce::MidiBuffer midi;
            while (! done)
            {
                const juce::ScopedLock lock (processor.getCallbackLock());
                processor.processBlock (buffer, midi);
            }
        });

    for (size_t round = 0; round < 400 && ! HasFailure(); ++round)
    {
        restore (processor, blocks[round % 2]);
        for (const auto* id : my::ParamId::all)
            EXPECT_EQ (plain (processor, id), plain (presets[round % 2], id)) << id << ", restore " << round;
    }
    done = true;
    audio.join();
}
} // namespace

namespace
{
constexpr double rate = 48000.0;
constexpr int blockSize = 512;
constexpr int x8 = 3, x8Latency = 5;

// A state at x8 with the master mix fully dry: the output is the input, late by the latency. It
// was saved when x8 had been chosen but no block had applied it yet.
juce::MemoryBlock dryStateAtX8()
{
    WkrPlexa2AudioProcessor source;
    engine_testing::set (source, "masterMix", 0.0f);
    source.oversamplingIndexPass = x8;
    return saved (source);
}

juce::AudioBuffer<float> sine (int numSamples)
{
    juce::AudioBuffer<float> buffer (2, numSamples);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (
                channel, i,
                0.5f * std::sin (juce::MathConstants<float>::twoPi * 1000.0f * static_cast<float> (i / rate)));
    return buffer;
}

// The delay, in whole samples up to 16, at which the output matches the input best, once the
// ramps of the restored settings have ended.
int delayOf (const juce::AudioBuffer<float>& input, const juce::AudioBuffer<float>& output)
{
    int best = -1;
    double smallest = INFINITY;
    for (int delay = 0; delay <= 16; ++delay)
    {
        double squares = 0.0;
        for (int i = static_cast<int> (0.15 * rate); i + delay < output.getNumSamples(); ++i)
            squares += std::pow (output.getSample (0, i + delay) - input.getSample (0, i), 2.0f);
        if (squares < smallest)
            std::tie (smallest, best) = std::make_pair (squares, delay);
    }
    return best;
}

enum class History
{
    nothing,            // restored before the first prepare, as at instantiation
    oneBlock,           // an LV2 host's latency probe, then the restore without preparing again
    running,            // a preset loaded while the stream runs
    runningThenReleased // a session reopened: stopped, restored, prepared again
};

class RestoredLatency : public ::testing::TestWithParam<History>
{
};

// Whatever ran before, the host hears the restored choice's latency at the restore, and the
// stream lines up with it.
TEST_P (RestoredLatency, IsReportedAtTheRestoreAndTheOutputLinesUpWithIt)
{
    WkrPlexa2AudioProcessor processor;
    const auto history = GetParam();
    if (history != History::nothing)
    {
        processor.prepareToPlay (rate, blockSize);
        auto before = engine_testing::noise (history == History::oneBlock ? blockSize : 20 * blockSize, 0.5f, 3);
        engine_testing::processInBlocks (processor, before, blockSize);
    }
    if (history == History::runningThenReleased)
        processor.releaseResources();

    restore (processor, dryStateAtX8());
    EXPECT_EQ (processor.getLatencySamples(), x8Latency) << "at the restore";
    if (history == History::nothing || history == History::runningThenReleased)
        processor.prepareToPlay (rate, blockSize);

    const auto input = sine (static_cast<int> (0.3 * rate));
    auto output = input;
    engine_testing::processInBlocks (processor, output, blockSize);
    EXPECT_EQ (processor.getLatencySamples(), x8Latency) << "after the blocks";
    EXPECT_EQ (delayOf (input, output), x8Latency);
}

std::string nameOf (const ::testing::TestParamInfo<History>& history)
{
    const char* names[] = { "Nothing", "OneBlock", "Running", "RunningThenReleased" };
    return names[static_cast<int> (history.param)];
}

INSTANTIATE_TEST_SUITE_P (AfterEveryHistory, RestoredLatency,
                          ::testing::Values (History::nothing, History::oneBlock, History::running,
                                             History::runningThenReleased),
                          nameOf);

// Two instances that ran different audio at the same settings sound the same once the same state
// is restored into both: the restored choice's oversampler forgets what it ran before.
TEST (RestoredLatency, TheRestoredChoicesOversamplerStartsFromRest)
{
    const auto state = dryStateAtX8();
    std::array<juce::AudioBuffer<float>, 2> outputs;
    for (unsigned i = 0; i < 2; ++i)
    {
        WkrPlexa2AudioProcessor processor;
        restore (processor, state);
        processor.prepareToPlay (rate, blockSize);
        auto history = engine_testing::noise (20 * blockSize, 0.5f, 10 + i);
        engine_testing::processInBlocks (processor, history, blockSize);
        processor.oversamplingIndexPass = 0; // so the restore changes the running choice
        engine_testing::processInBlocks (processor, history, blockSize);

        restore (processor, state);
        processor.dcOffset.reset();
        outputs[i] = sine (blockSize);
        engine_testing::processInBlocks (processor, outputs[i], blockSize);
    }
    engine_testing::expectSameBits (outputs[0], outputs[1]);
}

// A restore of the choice that runs keeps its oversampler going: the stream does not click.
TEST (RestoredLatency, RestoringTheRunningStateLeavesTheStreamUntouched)
{
    std::array<juce::AudioBuffer<float>, 2> outputs { sine (blockSize), sine (blockSize) };
    for (size_t restoreMidway = 0; restoreMidway < 2; ++restoreMidway)
    {
        WkrPlexa2AudioProcessor processor;
        restore (processor, dryStateAtX8());
        processor.prepareToPlay (rate, blockSize);
        auto before = sine (10 * blockSize);
        engine_testing::processInBlocks (processor, before, blockSize);
        if (restoreMidway == 1)
            restore (processor, saved (processor));
        engine_testing::processInBlocks (processor, outputs[restoreMidway], blockSize);
    }
    engine_testing::expectSameBits (outputs[1], outputs[0]);
}
} // namespace
