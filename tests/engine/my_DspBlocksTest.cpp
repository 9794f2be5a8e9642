#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "EngineTesting.h"
#include "engine/my_DcBlockProcessor.h"
#include "engine/my_GainProcessor.h"
#include "engine/my_MixProcessor.h"
#include "engine/my_OffsetProcessor.h"
#include "engine/my_PanProcessor.h"

#include <vector>

namespace
{
using namespace engine_testing;
using my::smoothed::LinearSmoother;

void mix (my::MixProcessor& block, juce::AudioBuffer<float>& dry, juce::AudioBuffer<float>& wet)
{
    juce::dsp::AudioBlock<float> dryBlock (dry), wetBlock (wet);
    block.processAudioBlocks (dryBlock, wetBlock);
}

// What the tests over every smoothed block need of each: a range of targets that reaches past its
// limits, how to run it on a buffer (the mix block also crossfades a wet one in) and its
// per-frame formula, applied to one frame.
template <typename Block> struct BlockTraits;

// Gain, offset and pan work on one buffer in place; they have no use for a wet one.
struct InPlaceBlock
{
    static void run (my::DspProcessorBase& block, juce::AudioBuffer<float>& buffer, juce::AudioBuffer<float>&)
    {
        process (block, buffer);
    }
};

template <> struct BlockTraits<my::GainProcessor> : InPlaceBlock
{
    static constexpr float low = -210.0f, high = 24.0f;

    static void frame (const my::GainProcessor&, float value, float& left, float& right, float, float)
    {
        const auto factor = my::GainProcessor::gainFactor (value);
        left *= factor;
        right *= factor;
    }
};

template <> struct BlockTraits<my::OffsetProcesoor> : InPlaceBlock
{
    static constexpr float low = -1.5f, high = 1.5f;

    static void frame (const my::OffsetProcesoor&, float value, float& left, float& right, float, float)
    {
        const auto offset = my::OffsetProcesoor::offsetAmount (value);
        left += offset;
        right += offset;
    }
};

template <> struct BlockTraits<my::PanProcessor> : InPlaceBlock
{
    static constexpr float low = -0.2f, high = 1.2f;

    static void frame (const my::PanProcessor& block, float value, float& left, float& right, float, float)
    {
        const auto factors = block.factors (value);
        left *= factors.left;
        right *= factors.right;
    }
};

template <> struct BlockTraits<my::MixProcessor>
{
    static constexpr float low = -0.3f, high = 1.3f;

    static void run (my::MixProcessor& block, juce::AudioBuffer<float>& buffer, juce::AudioBuffer<float>& wet)
    {
        mix (block, buffer, wet);
    }

    static void frame (const my::MixProcessor&, float value, float& left, float& right, float wetLeft, float wetRight)
    {
        const auto m = my::MixProcessor::wetProportion (value);
        left = my::MixProcessor::crossfade (left, wetLeft, 1.0f - m, m);
        right = my::MixProcessor::crossfade (right, wetRight, 1.0f - m, m);
    }
};

struct Step
{
    float target;
    int numSamples;
};

// Random sequences of targets and block lengths, some of them repeating the target, some shorter
// than the ramp and some spanning its end.
std::vector<Step> randomSteps (juce::Random& random, float low, float high)
{
    std::vector<Step> steps;
    auto target = 0.0f;

    for (int i = 0; i < 40; ++i)
    {
        if (random.nextInt (3) != 0)
            target = low + random.nextFloat() * (high - low);

        steps.push_back ({ target, random.nextInt (3000) });
    }

    return steps;
}

template <typename Block> class EverySmoothedBlock : public ::testing::Test
{
};

using SmoothedBlockTypes = ::testing::Types<my::GainProcessor, my::OffsetProcesoor, my::PanProcessor, my::MixProcessor>;
TYPED_TEST_SUITE (EverySmoothedBlock, SmoothedBlockTypes);
} // namespace

// Beside the block, the per-frame formula driven by a copy of the block's own smoother; the two
// must agree bit for bit whichever route (per frame while ramping, whole channels once settled)
// the block takes, at two rates and unprepared.
TYPED_TEST (EverySmoothedBlock, VectorAndPerFrameRoutesAgreeBitExactly)
{
    using Traits = BlockTraits<TypeParam>;
    juce::Random random (11);
    unsigned seed = 100;

    for (auto rate : { 0.0, 44100.0, 8000.0 })
    {
        TypeParam block;
        if (rate > 0.0)
            prepareAt (block, rate);

        LinearSmoother reference = block.smoother;

        for (const auto& step : randomSteps (random, Traits::low, Traits::high))
        {
            auto buffer = noise (step.numSamples, 1.5f, seed++);
            auto wet = noise (step.numSamples, 1.5f, seed++);
            auto expected = buffer;

            reference.setTargetValue (step.target);
            for (int i = 0; i < step.numSamples; ++i)
                Traits::frame (block, reference.getNextValue(), expected.getWritePointer (0)[i],
                               expected.getWritePointer (1)[i], wet.getSample (0, i), wet.getSample (1, i));

            block.targetValue = step.target;
            Traits::run (block, buffer, wet);
            expectSameBits (buffer, expected);
            ASSERT_EQ (bitsOf (block.smoother.getCurrentValue()), bitsOf (reference.getCurrentValue()));
        }
    }
}

// Gains rise from 0 dB, mixes from fully dry, offsets and pans from 0.
TYPED_TEST (EverySmoothedBlock, ANewBlockRampsFromZeroOnceItIsPrepared)
{
    TypeParam block;
    EXPECT_EQ (block.targetValue, 0.0f);
    EXPECT_FALSE (block.smoother.isSmoothing());
    prepareAt (block, 44100.0);

    block.targetValue = 0.5f;
    auto buffer = noise (1, 1.5f, 1);
    auto wet = noise (1, 1.5f, 2);
    BlockTraits<TypeParam>::run (block, buffer, wet);
    EXPECT_EQ (block.smoother.getCurrentValue(), 0.5f / 4410.0f);
}

TYPED_TEST (EverySmoothedBlock, ABlockWithFewerThanTwoChannelsIsLeftAlone)
{
    TypeParam block;
    block.targetValue = 1.0f;
    auto mono = noise (32, 1.5f, 3, 1);
    const auto original = mono;
    auto wet = noise (32, 1.5f, 4);
    BlockTraits<TypeParam>::run (block, mono, wet);
    expectSameBits (mono, original);
}

// Even a ramp that started from NaN is left behind.
TYPED_TEST (EverySmoothedBlock, ResetEndsARunningRampAtItsTarget)
{
    TypeParam block;
    prepareAt (block, 44100.0);
    block.smoother.setCurrentAndTargetValue (std::numeric_limits<float>::quiet_NaN());
    block.targetValue = 0.5f;
    block.setSmoothTargetValues();
    ASSERT_TRUE (block.smoother.isSmoothing());

    block.reset();
    EXPECT_FALSE (block.smoother.isSmoothing());
    EXPECT_EQ (block.smoother.getNextValue(), 0.5f);
}

// ---------------------------------------------------------------------------------------------------
// Gain

TEST (GainProcessor, MinusTwoHundredDecibelsIsExactSilence)
{
    for (auto decibels : { -200.0f, -250.0f, -1.0e9f })
    {
        my::GainProcessor gain;
        gain.targetValue = decibels;
        auto buffer = noise (64, 1.5f, 1);
        process (gain, buffer);

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ (buffer.getSample (channel, i), 0.0f) << decibels;
    }
}

TEST (GainProcessor, MinusOneNinetyNinePointNineDecibelsIsNotSilence)
{
    EXPECT_GT (my::GainProcessor::gainFactor (-199.9f), 0.0f);
    EXPECT_EQ (my::GainProcessor::gainFactor (-200.0f), 0.0f);

    my::GainProcessor gain;
    gain.targetValue = -199.9f;
    auto buffer = constant (8, 1.0f);
    process (gain, buffer);
    EXPECT_GT (buffer.getSample (0, 7), 0.0f);
    EXPECT_GT (buffer.getSample (1, 7), 0.0f);
}

TEST (GainProcessor, SettledGainMultipliesByTenToTheDecibelsOverTwenty)
{
    for (auto decibels : { -24.0f, -6.0f, 0.0f, 6.0f, 12.5f })
    {
        my::GainProcessor gain;
        gain.targetValue = decibels;
        auto buffer = constant (16, 0.5f);
        process (gain, buffer);
        const auto expected = 0.5f * std::pow (10.0f, decibels / 20.0f);

        for (int i = 0; i < 16; ++i)
        {
            EXPECT_EQ (buffer.getSample (0, i), expected);
            EXPECT_EQ (buffer.getSample (1, i), expected);
        }
    }
}

TEST (GainProcessor, UnpreparedBlockAppliesANewTargetFromTheFirstFrame)
{
    my::GainProcessor gain;
    gain.targetValue = -6.0f;
    auto buffer = constant (4, 1.0f);
    process (gain, buffer);
    EXPECT_EQ (buffer.getSample (0, 0), my::GainProcessor::gainFactor (-6.0f));
    EXPECT_EQ (buffer.getSample (1, 0), my::GainProcessor::gainFactor (-6.0f));
}

TEST (GainProcessor, FirstPreparedBlockRampsFromZeroDecibelsOverAFullRamp)
{
    my::GainProcessor gain;
    prepareAt (gain, 44100.0);
    EXPECT_EQ (gain.sampleRate, 44100.0f);

    gain.targetValue = -20.0f;
    auto buffer = constant (5000, 1.0f);
    process (gain, buffer);

    EXPECT_EQ (buffer.getSample (0, 0), my::GainProcessor::gainFactor (-20.0f / 4410.0f));
    EXPECT_GT (buffer.getSample (0, 4408), my::GainProcessor::gainFactor (-20.0f));
    EXPECT_EQ (buffer.getSample (0, 4409), my::GainProcessor::gainFactor (-20.0f)); // frame 4410
    EXPECT_EQ (buffer.getSample (1, 4999), my::GainProcessor::gainFactor (-20.0f));
}

// ---------------------------------------------------------------------------------------------------
// Smoother behaviour shared by every smoothed block, shown on the offset block, whose output over a
// silent input is the smoothed value itself.

namespace
{
std::vector<float> offsetsOverSilence (my::OffsetProcesoor& offset, int numSamples)
{
    auto buffer = constant (numSamples, 0.0f);
    process (offset, buffer);
    EXPECT_EQ (
        0, std::memcmp (buffer.getReadPointer (0), buffer.getReadPointer (1), sizeof (float) * (size_t) numSamples));
    return { buffer.getReadPointer (0), buffer.getReadPointer (0) + numSamples };
}
} // namespace

TEST (SmoothedBlocks, PrepareSetsARampOfOneTenthOfASecondInSamples)
{
    for (auto [rate, expectedLength] :
         { std::pair { 44100.0, 4410 }, std::pair { 48000.0, 4800 }, std::pair { 96000.0, 9600 } })
    {
        my::OffsetProcesoor offset;
        prepareAt (offset, rate);
        EXPECT_EQ (offset.sampleRate, (float) rate);

        offset.targetValue = 0.5f;
        const auto values = offsetsOverSilence (offset, expectedLength + 10);
        EXPECT_LT (values[(size_t) expectedLength - 2], 0.5f) << rate;
        EXPECT_EQ (values[(size_t) expectedLength - 1], 0.5f) << rate;
        EXPECT_FALSE (offset.smoother.isSmoothing());
    }
}

TEST (SmoothedBlocks, EachRampFrameAddsTheIncrementAndTheLastLandsExactlyOnTarget)
{
    my::OffsetProcesoor offset;
    prepareAt (offset, 44100.0);
    offset.targetValue = 0.25f;
    offsetsOverSilence (offset, 5000); // settle at V = 0.25

    offset.targetValue = -0.6f;
    const auto values = offsetsOverSilence (offset, 5000);
    const auto increment = (-0.6f - 0.25f) / 4410.0f;
    auto expected = 0.25f;

    for (size_t frame = 0; frame < 4409; ++frame) // frames 1 to L - 1
    {
        expected += increment;
        ASSERT_EQ (values[frame], expected) << "frame " << frame + 1;
    }

    for (size_t frame = 4409; frame < values.size(); ++frame) // frame L and later
        ASSERT_EQ (values[frame], -0.6f) << "frame " << frame + 1;
}

TEST (SmoothedBlocks, TheSameTargetDuringARampLeavesTheRampRunning)
{
    my::OffsetProcesoor continued, uninterrupted;
    prepareAt (continued, 44100.0);
    prepareAt (uninterrupted, 44100.0);
    continued.targetValue = uninterrupted.targetValue = 0.8f;

    auto first = offsetsOverSilence (continued, 1000);
    const auto second = offsetsOverSilence (continued, 4000);
    first.insert (first.end(), second.begin(), second.end());

    EXPECT_EQ (first, offsetsOverSilence (uninterrupted, 5000));
}

TEST (SmoothedBlocks, ADifferentTargetRestartsAFullRampFromTheValueReached)
{
    my::OffsetProcesoor offset;
    prepareAt (offset, 44100.0);
    offset.targetValue = 0.8f;
    const auto reached = offsetsOverSilence (offset, 1000).back();

    offset.targetValue = 0.2f;
    const auto values = offsetsOverSilence (offset, 4410);
    EXPECT_EQ (values[0], reached + (0.2f - reached) / 4410.0f);
    EXPECT_NE (values[4408], 0.2f);
    EXPECT_EQ (values[4409], 0.2f);
}

TEST (SmoothedBlocks, PrepareInTheMiddleOfARampJumpsToItsTarget)
{
    my::OffsetProcesoor offset;
    prepareAt (offset, 44100.0);
    offset.targetValue = 0.7f;
    offsetsOverSilence (offset, 100);
    ASSERT_TRUE (offset.smoother.isSmoothing());

    prepareAt (offset, 48000.0);
    EXPECT_FALSE (offset.smoother.isSmoothing());
    EXPECT_EQ (offset.smoother.getCurrentValue(), 0.7f);
    EXPECT_EQ (offsetsOverSilence (offset, 3), (std::vector<float> { 0.7f, 0.7f, 0.7f }));
}

TEST (SmoothedBlocks, AnEmptyBlockOnlySetsTheTarget)
{
    my::GainProcessor gain;
    prepareAt (gain, 44100.0);
    gain.targetValue = 6.0f;
    juce::AudioBuffer<float> empty (2, 0);
    process (gain, empty);

    EXPECT_EQ (gain.smoother.getTargetValue(), 6.0f);
    EXPECT_EQ (gain.smoother.getCurrentValue(), 0.0f);
    EXPECT_TRUE (gain.smoother.isSmoothing());

    auto buffer = constant (1, 1.0f);
    process (gain, buffer);
    EXPECT_EQ (buffer.getSample (0, 0), my::GainProcessor::gainFactor (6.0f / 4410.0f)); // the ramp's first frame
}

TEST (SmoothedBlocks, OnlyChannelsZeroAndOneAreProcessed)
{
    my::GainProcessor gain;
    gain.targetValue = -6.0f;
    auto buffer = noise (64, 1.5f, 6, 3);
    const auto original = buffer;
    process (gain, buffer);

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_EQ (buffer.getSample (2, i), original.getSample (2, i));
        EXPECT_EQ (buffer.getSample (0, i), original.getSample (0, i) * my::GainProcessor::gainFactor (-6.0f));
    }
}

TEST (SmoothedBlocks, ASubBlockIsProcessedFromItsOwnStartSample)
{
    my::OffsetProcesoor offset;
    offset.targetValue = 0.25f;
    auto buffer = constant (100, 0.0f);
    juce::dsp::AudioBlock<float> whole (buffer);
    auto middle = whole.getSubBlock (40, 20);
    offset.processAudioBlock (middle);

    for (int i = 0; i < 100; ++i)
    {
        const auto expected = (i >= 40 && i < 60) ? 0.25f : 0.0f;
        ASSERT_EQ (buffer.getSample (0, i), expected) << i;
        ASSERT_EQ (buffer.getSample (1, i), expected) << i;
    }
}

TEST (SmoothedBlocks, ProcessingNeverAllocates)
{
    my::GainProcessor gain;
    my::MixProcessor mix;
    my::OffsetProcesoor offset;
    my::PanProcessor pan;
    my::DcOffsetProcessor dc;

    for (my::DspProcessorBase* block : std::initializer_list<my::DspProcessorBase*> { &gain, &mix, &offset, &pan, &dc })
        prepareAt (*block, 48000.0);

    auto buffer = noise (4096, 1.5f, 7);
    auto wet = noise (4096, 1.5f, 8);
    juce::dsp::AudioBlock<float> audio (buffer), wetAudio (wet);

    const auto before = testing_support::allocationsOnThisThread();

    for (int pass = 0; pass < 4; ++pass)
    {
        gain.targetValue = -3.0f * (float) pass;
        mix.targetValue = 0.25f * (float) pass;
        offset.targetValue = 0.1f * (float) pass;
        pan.targetValue = 0.2f * (float) pass;
        gain.processAudioBlock (audio);
        mix.processAudioBlocks (audio, wetAudio);
        offset.processAudioBlock (audio);
        pan.processAudioBlock (audio);
        dc.processAudioBlock (audio);
    }

    EXPECT_EQ (testing_support::allocationsOnThisThread(), before);
}

// ---------------------------------------------------------------------------------------------------
// Mix

TEST (MixProcessor, ZeroLeavesTheDrySignalAndOneGivesTheWet)
{
    my::MixProcessor block;
    auto dry = noise (64, 1.5f, 20);
    auto wet = noise (64, 1.5f, 21);
    const auto originalDry = dry;
    const auto originalWet = wet;

    mix (block, dry, wet);
    expectSameBits (dry, originalDry);

    block.targetValue = 1.0f;
    mix (block, dry, wet);
    expectSameBits (dry, originalWet);
    expectSameBits (wet, originalWet);
}

TEST (MixProcessor, ValuesBeyondTheRangeActAsItsEnds)
{
    auto wet = noise (32, 1.5f, 22);
    const auto originalWet = wet;
    const auto originalDry = noise (32, 1.5f, 23);

    my::MixProcessor above;
    above.targetValue = 1.3f;
    auto dry = originalDry;
    mix (above, dry, wet);
    expectSameBits (dry, originalWet);

    my::MixProcessor below;
    below.targetValue = -0.2f;
    dry = originalDry;
    mix (below, dry, wet);
    expectSameBits (dry, originalDry);
}

TEST (MixProcessor, HalfAveragesDryAndWet)
{
    my::MixProcessor block;
    block.targetValue = 0.5f;
    auto dry = constant (8, 1.0f);
    auto wet = constant (8, -0.5f);
    mix (block, dry, wet);
    EXPECT_EQ (dry.getSample (0, 7), 0.25f);
    EXPECT_EQ (dry.getSample (1, 7), 0.25f);
}

// ---------------------------------------------------------------------------------------------------
// Offset

TEST (OffsetProcesoor, OffsetsBeyondPlusOrMinusOneAddExactlyOne)
{
    for (auto [target, added] : { std::pair { 1.5f, 1.0f }, std::pair { -3.0f, -1.0f }, std::pair { 0.375f, 0.375f } })
    {
        my::OffsetProcesoor block;
        block.targetValue = target;
        auto buffer = constant (8, 0.25f);
        process (block, buffer);
        EXPECT_EQ (buffer.getSample (0, 7), 0.25f + added);
        EXPECT_EQ (buffer.getSample (1, 0), 0.25f + added);
    }
}

// ---------------------------------------------------------------------------------------------------
// Pan

TEST (PanProcessor, CentrePassesBothChannelsWithinOneUnitInTheLastPlace)
{
    my::PanProcessor block;
    block.targetValue = 0.5f;
    auto buffer = noise (256, 1.5f, 30);
    const auto original = buffer;
    process (block, buffer);

    const auto factors = block.factors (0.5f);
    EXPECT_EQ (factors.left, 0.99999994f);
    EXPECT_EQ (factors.right, 0.99999994f);

    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < 256; ++i)
        {
            const auto x = original.getSample (channel, i);
            const auto y = buffer.getSample (channel, i);
            ASSERT_LE (std::abs (y - x), std::nextafter (std::abs (x), 2.0f) - std::abs (x)) << i;
        }
}

TEST (PanProcessor, HardLeftAndHardRight)
{
    my::PanProcessor block;
    auto buffer = constant (4, 1.0f);
    process (block, buffer); // target 0: hard left
    EXPECT_EQ (buffer.getSample (0, 3), 1.4142135f);
    EXPECT_EQ (buffer.getSample (1, 3), 0.0f);

    block.targetValue = 1.0f;
    buffer = constant (4, 1.0f);
    process (block, buffer);
    EXPECT_EQ (buffer.getSample (1, 0), 1.4142135f);
    EXPECT_NEAR (buffer.getSample (0, 0), -6.2e-8f, 0.1e-8f);
    EXPECT_LT (buffer.getSample (0, 0), 0.0f);
}

TEST (PanProcessor, AnUnpreparedPanTakesEveryNewPositionAtOnce)
{
    my::PanProcessor block;
    block.targetValue = 0.25f;
    auto buffer = constant (3, 1.0f);
    process (block, buffer);
    const auto factors = block.factors (0.25f);

    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (buffer.getSample (0, i), factors.left);
        EXPECT_EQ (buffer.getSample (1, i), factors.right);
    }
}

// ---------------------------------------------------------------------------------------------------
// DC blocker

TEST (DcOffsetProcessor, AConstantInputDecaysByThePoleEverySample)
{
    my::DcOffsetProcessor block;
    auto buffer = constant (2000, 0.5f);
    process (block, buffer);

    for (int channel = 0; channel < 2; ++channel)
    {
        EXPECT_EQ (buffer.getSample (channel, 0), 0.5f);
        auto expected = 0.5f;

        for (int i = 1; i < 2000; ++i)
        {
            expected = 0.999f * expected;
            ASSERT_EQ (buffer.getSample (channel, i), expected) << i;
        }
    }

    EXPECT_NEAR (buffer.getSample (0, 1999), 0.5f * std::pow (0.999f, 1999.0f), 1.0e-5f);
}

TEST (DcOffsetProcessor, ChannelsAreFilteredSeparatelyAndStatesCarryOverBlocksAndPrepares)
{
    const auto input = noise (3000, 1.5f, 40);

    my::DcOffsetProcessor whole;
    auto expected = input;
    process (whole, expected);

    my::DcOffsetProcessor split;
    auto actual = input;
    juce::dsp::AudioBlock<float> audio (actual);
    auto first = audio.getSubBlock (0, 1000);
    auto second = audio.getSubBlock (1000);
    split.processAudioBlock (first);
    prepareAt (split, 96000.0);
    EXPECT_EQ (split.sampleRate, 96000.0f);
    EXPECT_EQ (split.left.pole, 0.999f);
    split.processAudioBlock (second);

    expectSameBits (actual, expected);

    juce::AudioBuffer<float> leftOnly (2, 3000);
    leftOnly.copyFrom (0, 0, input, 0, 0, 3000);
    leftOnly.clear (1, 0, 3000);
    my::DcOffsetProcessor single;
    process (single, leftOnly);

    for (int i = 0; i < 3000; ++i)
    {
        ASSERT_EQ (leftOnly.getSample (0, i), expected.getSample (0, i));
        ASSERT_EQ (leftOnly.getSample (1, i), 0.0f);
    }
}

TEST (DcOffsetProcessor, ResetStartsTheFilterAfresh)
{
    // A constant passes its first sample unchanged from a cleared state.
    my::DcOffsetProcessor dc;
    auto buffer = constant (10, 1.0f);
    process (dc, buffer);
    dc.left.lastOutput = std::numeric_limits<float>::quiet_NaN();
    dc.reset();
    auto after = constant (10, 0.25f);
    process (dc, after);
    EXPECT_EQ (after.getSample (0, 0), 0.25f);
    EXPECT_EQ (after.getSample (1, 0), 0.25f);
    EXPECT_EQ (after.getSample (0, 1), 0.25f * 0.999f);
}

TEST (DcOffsetProcessor, ABlockWithFewerThanTwoChannelsIsLeftAlone)
{
    my::DcOffsetProcessor dc;
    auto mono = noise (32, 1.5f, 3, 1);
    const auto original = mono;
    process (dc, mono);
    expectSameBits (mono, original);
}
