#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "engine/PluginParameters.h"
#include "engine/ojx_ShapeProcessor.h"

#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <typeinfo>
#include <vector>

namespace
{
using my::MorphValues;

constexpr int softClip = 0;
constexpr int triangle = 11;

void prepareSlot (my::ShapeProcessor& slot, double sampleRate)
{
    juce::dsp::ProcessSpec processSpec { sampleRate, 512, 2 };
    slot.prepare (processSpec);
}

void process (my::ShapeProcessor& slot, juce::AudioBuffer<float>& buffer)
{
    juce::dsp::AudioBlock<float> block (buffer);
    slot.processAudioBlock (block);
}

juce::AudioBuffer<float> constantBuffer (int numFrames, float value, int numChannels = 2)
{
    juce::AudioBuffer<float> buffer (numChannels, numFrames);
    for (int channel = 0; channel < numChannels; ++channel)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), value, numFrames);
    return buffer;
}

// A stereo signal that sweeps well past +-1, different on each side.
juce::AudioBuffer<float> sweepBuffer (int numFrames)
{
    juce::AudioBuffer<float> buffer (2, numFrames);
    for (int t = 0; t < numFrames; ++t)
    {
        buffer.setSample (0, t, 3.0f * std::sin (0.013f * (float) t));
        buffer.setSample (1, t, -2.0f * std::cos (0.021f * (float) t));
    }
    return buffer;
}

float shapedBy (int index, const MorphValues& m, float x)
{
    static const my::ShapeProcessor reference;
    reference.shapers[(size_t) index]->setMorph (m);
    return reference.shapers[(size_t) index]->getProcessed (x);
}

// Processes one block of n frames of a constant input and returns the left channel.
std::vector<float> processConstant (my::ShapeProcessor& slot, int numFrames, float value)
{
    auto buffer = constantBuffer (numFrames, value);
    process (slot, buffer);
    return { buffer.getReadPointer (0), buffer.getReadPointer (0) + numFrames };
}

// Selects a curve with settled morph values: a detour through another curve makes the
// selection a curve change, whose next block takes the targets at once.
void selectSettled (my::ShapeProcessor& slot, int index, const MorphValues& morph)
{
    slot.morphTarget = morph;
    slot.shapeIndex = (index + 1) % my::ShapeProcessor::numShapes;
    processConstant (slot, 1, 0.0f);
    slot.shapeIndex = index;
    processConstant (slot, 1, 0.0f);
    processConstant (slot, 1, 0.0f);
}

class ShapeProcessorAt44k : public ::testing::Test
{
protected:
    ShapeProcessorAt44k() { prepareSlot (slot, 44100.0); }

    void select (int index, const MorphValues& morph) { selectSettled (slot, index, morph); }

    my::ShapeProcessor slot;
};
} // namespace

//==============================================================================
TEST (ShapeProcessor, HoldsEveryCurveWithItsDialNamesAndDefaults)
{
    struct Expected
    {
        const std::type_info& type;
        const char* names;
        MorphValues defaults;
    };
    const Expected registry[] {
        { typeid (my::ShaperClip), "Hardness,,,", { 0, 0, 0, 0 } },
        { typeid (my::ShaperDriveSym), "Curve,Liner,,", { 0, 0, 0, 0 } },
        { typeid (my::ShaperDriveAsym), "N Curve,N Liner,P Liner,P Curve", { 0, 0, 0.4f, 0.2f } },
        { typeid (my::ShaperTube), "Shape,,,", { 0.4f, 0, 0, 0 } },
        { typeid (my::ShaperExponential), "Exponent,,,", { 0.6f, 0, 0, 0 } },
        { typeid (my::ShaperTmlSingleFold), ",,,", { 0, 0, 0, 0 } },
        { typeid (my::ShaperQuantizeExpo), "Quantum,Exponent,,", { 0.1f, 0.5f, 0, 0 } },
        { typeid (my::ShaperSineExpo), "Phase,Spring,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperSine1), "Phase,Clip,Hardness,", { 0.5f, 0, 1, 0 } },
        { typeid (my::ShaperSine2), "Phase,Clip,Hardness,", { 0.5f, 0, 1, 0 } },
        { typeid (my::ShaperSine4), "Phase,Clip,Hardness,", { 0.5f, 0, 1, 0 } },
        { typeid (my::ShaperTriangleA), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleA1), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleA2), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleA4), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleASpring), "Phase,Exponent,Spring,", { 0.5f, 0.5f, 0.5f, 0 } },
        { typeid (my::ShaperTriangleHalf), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleHalf1), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleHalf2), "Phase,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleHalf4), "Shape,Exponent,Clip,Hardness", { 0.5f, 0.5f, 0, 1 } },
        { typeid (my::ShaperTriangleHalfSpring), "Phase,Exponent,Spring,", { 0.5f, 0.5f, 0.5f, 0 } },
    };

    const my::ShapeProcessor slot;
    ASSERT_EQ (slot.shapers.size(), my::curveDisplayNames.size());
    const auto* slotStart = reinterpret_cast<const char*> (&slot);
    for (size_t i = 0; i < slot.shapers.size(); ++i)
    {
        const auto& curve = *slot.shapers[i];
        EXPECT_EQ (typeid (curve), registry[i].type) << i;
        const auto* address = reinterpret_cast<const char*> (&curve);
        EXPECT_TRUE (address >= slotStart && address < slotStart + sizeof (slot)) << "curve " << i << " lives outside";

        const auto names = juce::StringArray::fromTokens (registry[i].names, ",", "");
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ (curve.morphNames[(size_t) k], names[k]) << "curve " << i << " dial " << k;
        EXPECT_EQ (curve.defaultMorph, registry[i].defaults) << "curve " << i;
        EXPECT_EQ (curve.getMorph(), (MorphValues {})) << "curves start at 0, not at their defaults";
    }
}

TEST (ShapeProcessor, SpanIsZeroUntilABlockAndAfterReset)
{
    my::ShapeProcessor slot;
    EXPECT_EQ (slot.inputMax.load(), 0.0f);
    EXPECT_EQ (slot.inputMin.load(), 0.0f);

    processConstant (slot, 16, 0.5f);
    EXPECT_EQ (slot.inputMax.load(), 0.5f);
    slot.reset();
    EXPECT_EQ (slot.inputMax.load(), 0.0f);
    EXPECT_EQ (slot.inputMin.load(), 0.0f);

    slot.shapeIndex = 7;
    processConstant (slot, 0, 0.0f);
    EXPECT_EQ (slot.inputMax.load(), -100.0f);
    EXPECT_EQ (slot.inputMin.load(), 100.0f);
    EXPECT_EQ (slot.lastShapeIndex, 7);
}

TEST (ShapeProcessor, SpanCoversBothChannelsFromTheSentinels)
{
    my::ShapeProcessor slot;
    auto buffer = constantBuffer (4, 0.0f);
    const float left[] { 0.2f, std::nanf (""), -0.7f, 0.1f };
    const float right[] { 1.5f, -0.1f, std::nanf (""), 0.0f };
    buffer.copyFrom (0, 0, left, 4);
    buffer.copyFrom (1, 0, right, 4);
    process (slot, buffer);
    EXPECT_EQ (slot.inputMax.load(), 1.5f);
    EXPECT_EQ (slot.inputMin.load(), -0.7f);
    EXPECT_TRUE (std::isnan (buffer.getSample (0, 1))) << "NaN reaches the curve unchanged";

    processConstant (slot, 8, 250.0f);
    EXPECT_EQ (slot.inputMax.load(), 250.0f);
    EXPECT_EQ (slot.inputMin.load(), 100.0f);
    processConstant (slot, 8, -250.0f);
    EXPECT_EQ (slot.inputMax.load(), -100.0f);
    EXPECT_EQ (slot.inputMin.load(), -250.0f);
}

TEST (ShapeProcessor, PrepareSetsTheRampLengthAndEndsRunningGlides)
{
    EXPECT_EQ (my::ShapeProcessor::rampLengthFor (44100.0f), 4410);
    EXPECT_EQ (my::ShapeProcessor::rampLengthFor (96000.0f), 9600);
    EXPECT_EQ (my::ShapeProcessor::rampLengthFor (std::nanf ("")), 0);

    my::ShapeProcessor slot;
    prepareSlot (slot, 44100.0);
    slot.morphTarget = { 0.8f, 0.6f, 0.4f, 0.2f };
    processConstant (slot, 100, 0.1f);
    ASSERT_GT (slot.morphSmoothers[0].getFramesLeft(), 0);

    prepareSlot (slot, 48000.0);
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ (slot.morphSmoothers[i].getRampLength(), 4800);
        EXPECT_EQ (slot.morphSmoothers[i].getFramesLeft(), 0);
        EXPECT_EQ (slot.morphSmoothers[i].getCurrentValue(), slot.morphTarget[i]);
    }
}

TEST (ShapeProcessor, MonoBlocksAndStrayCurveIndexesAreHandledSafely)
{
    my::ShapeProcessor slot;
    auto mono = constantBuffer (8, 3.0f, 1);
    process (slot, mono);
    EXPECT_EQ (mono.getSample (0, 5), 3.0f);
    EXPECT_EQ (slot.inputMax.load(), -100.0f);

    slot.shapeIndex = 99;
    EXPECT_EQ (&slot.getSelectedShaper(), slot.shapers[20]);
    processConstant (slot, 8, 0.3f);
    EXPECT_EQ (slot.lastShapeIndex, 20);
    slot.shapeIndex = -4;
    EXPECT_FLOAT_EQ (processConstant (slot, 8, 0.3f)[7], std::tanh (0.3f));
}

//==============================================================================
TEST_F (ShapeProcessorAt44k, MorphGlideReachesItsTargetOnFrame4410Exactly)
{
    const float from = 0.2f, to = 0.9f, input = 0.95f;
    select (softClip, { from, 0, 0, 0 });

    slot.morphTarget = { to, 0, 0, 0 };
    std::vector<float> out;
    for (int block = 0; block < 12; ++block)
    {
        const auto part = processConstant (slot, 400, input);
        out.insert (out.end(), part.begin(), part.end());
    }

    const float step = (to - from) / 4410.0f;
    float expectedMorph = from;
    for (int frame = 1; frame <= 4800; ++frame)
    {
        expectedMorph = frame < 4410 ? expectedMorph + step : to;
        ASSERT_EQ (out[(size_t) frame - 1], shapedBy (softClip, { expectedMorph, 0, 0, 0 }, input))
            << "frame " << frame;
    }
    EXPECT_EQ (slot.shapers[softClip]->getMorph()[0], to);
}

TEST_F (ShapeProcessorAt44k, RepeatedTargetKeepsTheGlideAndANewOneRestartsIt)
{
    select (softClip, { 0.0f, 0, 0, 0 });
    slot.morphTarget = { 1.0f, 0, 0, 0 };
    processConstant (slot, 1000, 0.5f);
    processConstant (slot, 1000, 0.5f);
    EXPECT_EQ (slot.morphSmoothers[0].getFramesLeft(), 2410);

    const float reached = slot.morphSmoothers[0].getCurrentValue();
    slot.morphTarget = { 0.5f, 0, 0, 0 };
    processConstant (slot, 1, 0.5f);
    EXPECT_EQ (slot.morphSmoothers[0].getFramesLeft(), 4409);
    EXPECT_EQ (slot.morphSmoothers[0].getCurrentValue(), reached + (0.5f - reached) / 4410.0f);
}

TEST_F (ShapeProcessorAt44k, CurveChangeShapesWithHeldMorphsThenTakesTargetsAtOnce)
{
    select (softClip, { 0.3f, 0.3f, 0.3f, 0.3f });

    // The block of the change: the triangle has never been selected and shapes with 0, 0, 0, 0.
    const MorphValues triangleDefaults { 0.5f, 0.5f, 0.0f, 1.0f };
    slot.shapeIndex = triangle;
    auto out = processConstant (slot, 64, 0.7f);
    for (float y : out)
        ASSERT_EQ (y, shapedBy (triangle, { 0, 0, 0, 0 }, 0.7f));
    EXPECT_EQ (slot.shapers[triangle]->getMorph(), (MorphValues { 0, 0, 0, 0 }));

    // The next block takes the new targets from its first frame.
    slot.morphTarget = triangleDefaults;
    out = processConstant (slot, 64, 0.7f);
    for (float y : out)
        ASSERT_EQ (y, shapedBy (triangle, triangleDefaults, 0.7f));

    // From then on changes glide again.
    slot.morphTarget = { 0.5f, 0.5f, 1.0f, 1.0f };
    processConstant (slot, 64, 0.7f);
    EXPECT_EQ (slot.morphSmoothers[2].getFramesLeft(), 4410 - 64);

    // Coming back, the first curve resumes with the values it held.
    slot.shapeIndex = softClip;
    processConstant (slot, 8, 0.7f);
    EXPECT_EQ (slot.shapers[softClip]->getMorph(), (MorphValues { 0.3f, 0.3f, 0.3f, 0.3f }));
}

TEST (ShapeProcessor, BlockSizesDoNotChangeTheSoundAndAThirdChannelIsUntouched)
{
    auto source = sweepBuffer (6000);
    source.setSize (3, 6000, true);
    source.copyFrom (2, 0, source, 0, 0, 6000);
    for (int index : { 0, 1, 7, 11, 15, 20 })
    {
        my::ShapeProcessor whole, pieces;
        prepareSlot (whole, 44100.0);
        prepareSlot (pieces, 44100.0);
        // A glide that runs across many block boundaries.
        for (auto* s : { &whole, &pieces })
        {
            selectSettled (*s, index, s->shapers[(size_t) index]->defaultMorph);
            s->morphTarget = { 0.9f, 0.1f, 0.8f, 0.3f };
        }

        juce::AudioBuffer<float> wholeBuffer (source), piecesBuffer (source);
        juce::dsp::AudioBlock<float> wholeBlock (wholeBuffer), piecesBlock (piecesBuffer);
        whole.processAudioBlock (wholeBlock);

        std::mt19937 random (static_cast<unsigned> (index));
        for (size_t start = 0; start < 6000;)
        {
            const size_t length = std::min<size_t> (6000 - start, 1 + random() % 700);
            auto part = piecesBlock.getSubBlock (start, length);
            pieces.processAudioBlock (part);
            start += length;
        }

        for (int t = 0; t < 6000; ++t)
        {
            for (int channel = 0; channel < 2; ++channel)
                ASSERT_EQ (wholeBuffer.getSample (channel, t), piecesBuffer.getSample (channel, t))
                    << "curve " << index;
            ASSERT_EQ (piecesBuffer.getSample (2, t), source.getSample (0, t));
        }
    }
}

TEST_F (ShapeProcessorAt44k, SettledBlockMatchesTheCurveSampleBySample)
{
    for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
    {
        const MorphValues m { 0.3f, 0.6f, 0.2f, 0.8f };
        select (index, m);
        auto buffer = sweepBuffer (500);
        const auto source = buffer;
        process (slot, buffer);
        for (int channel = 0; channel < 2; ++channel)
            for (int t = 0; t < 500; ++t)
                ASSERT_EQ (buffer.getSample (channel, t), shapedBy (index, m, source.getSample (channel, t)))
                    << "curve " << index;
    }
}

TEST_F (ShapeProcessorAt44k, ShapingAllocatesNothing)
{
    auto buffer = sweepBuffer (512);
    juce::dsp::AudioBlock<float> block (buffer);
    const auto before = testing_support::allocationsOnThisThread();
    for (int pass = 0; pass < 84; ++pass)
    {
        slot.shapeIndex = pass / 4; // each curve: a change, a jump, then glides
        slot.morphTarget = { 0.01f * (float) pass, 0.3f, 0.6f, 0.9f };
        slot.processAudioBlock (block);
    }
    EXPECT_EQ (testing_support::allocationsOnThisThread(), before);
}

//==============================================================================
// The editor evaluates the selected curve and reads the span on the message thread while the
// audio thread shapes blocks with changing curves and morph values.
TEST (ShapeProcessorThreads, ViewReadsWhileAudioProcesses)
{
    my::ShapeProcessor slot;
    prepareSlot (slot, 44100.0);
    std::atomic<bool> audioDone { false };

    std::thread audio (
        [&]
        {
            auto buffer = sweepBuffer (256);
            std::mt19937 random (7);
            std::uniform_real_distribution<float> unit (0.0f, 1.0f);
            for (int block = 0; block < 1500; ++block)
            {
                if (block % 50 == 0)
                    slot.shapeIndex.store ((int) (random() % my::ShapeProcessor::numShapes), std::memory_order_relaxed);
                slot.morphTarget = { unit (random), unit (random), unit (random), unit (random) };
                for (int channel = 0; channel < 2; ++channel)
                    for (int t = 0; t < 256; ++t)
                        buffer.setSample (channel, t,
                                          3.0f * std::sin (0.05f * (float) (t + block * 256 + channel * 40)));
                process (slot, buffer);
            }
            audioDone = true;
        });

    int evaluations = 0;
    while (! audioDone)
    {
        const auto& curve = *slot.shapers[(size_t) slot.shapeIndex.load (std::memory_order_relaxed)];
        for (float x = -4.0f; x <= 4.0f; x += 0.25f, ++evaluations)
            ASSERT_LE (std::abs (curve.getProcessed (x)), 1.0f);
        for (float m : curve.getMorph())
            ASSERT_TRUE (m >= 0.0f && m <= 1.0f) << m;

        const float high = slot.inputMax.load (std::memory_order_relaxed);
        const float low = slot.inputMin.load (std::memory_order_relaxed);
        ASSERT_TRUE (high >= -100.0f && high <= 3.0f) << high;
        ASSERT_TRUE (low >= -3.0f && low <= 100.0f) << low;
    }
    audio.join();
    EXPECT_GT (evaluations, 0);
}
