#include <gtest/gtest.h>

#include "editor/ojx_AudioBufferScopeView.h"
#include "widgets/WidgetTesting.h"

using namespace widget_testing;

namespace
{
constexpr juce::uint32 background = 0xFF141414;

class AudioBufferScopeGuiTest : public ::testing::Test
{
protected:
    AudioBufferScopeGuiTest()
    {
        view.scopeProcessor = &store;
        view.setBounds (0, 0, 292, 50);
    }

    juce::Image paintSamples (float sample, int numSamples = 100)
    {
        view.buffer.setSize (1, numSamples);
        juce::FloatVectorOperations::fill (view.buffer.getWritePointer (0), sample, numSamples);
        return paintToImage (view);
    }

    ojx::AudioBufferScopeProcessor store;
    ojx::AudioBufferScopeGui view;
};

int linePixels (const juce::Image& image)
{
    return countPixels (image, [] (juce::Colour c) { return c.getARGB() != background; });
}
} // namespace

TEST_F (AudioBufferScopeGuiTest, FullScaleAndSilenceLieOnTheMarginsAndTheMiddle)
{
    // A 1-pixel line at y = 1, 25 or 49 covers the two rows around it and leaves the next ones.
    for (auto [sample, rowAbove, clearRow] : { std::tuple { 1.0f, 0, 3 }, { 0.0f, 24, 22 }, { -1.0f, 48, 46 } })
    {
        const auto image = paintSamples (sample);

        for (int x : { 1, 146, 290 })
        {
            EXPECT_NE (argbAt (image, x, rowAbove), background) << sample << " at x " << x;
            EXPECT_NE (argbAt (image, x, rowAbove + 1), background) << sample << " at x " << x;
            EXPECT_EQ (argbAt (image, x, clearRow), background) << sample << " at x " << x;
        }
    }
}

TEST_F (AudioBufferScopeGuiTest, MasterSwitchOffOrTooFewSamplesShowOnlyTheBackground)
{
    EXPECT_GT (linePixels (paintSamples (0.5f)), 0);
    store.isActive = false;
    EXPECT_EQ (linePixels (paintSamples (0.5f)), 0);

    store.isActive = true;
    EXPECT_EQ (linePixels (paintSamples (0.5f, 1)), 0);
    EXPECT_EQ (linePixels (paintSamples (0.5f, 0)), 0);
}
