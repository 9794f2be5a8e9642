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

    void fillWith (float sample, int numSamples = 100)
    {
        view.buffer.setSize (1, numSamples);
        juce::FloatVectorOperations::fill (view.buffer.getWritePointer (0), sample, numSamples);
    }

    int linePixels() { return countPixels (paintToImage (view), [] (juce::Colour c) { return c.getARGB() != background; }); }

    ojx::AudioBufferScopeProcessor store;
    ojx::AudioBufferScopeGui view;
};
} // namespace

TEST_F (AudioBufferScopeGuiTest, FullScaleAndSilenceLieOnTheMarginsAndTheMiddle)
{
    // A 1-pixel line at y = 1, 25 and 49 covers the two rows around it and leaves the next ones.
    const struct { float sample; int rowAbove, clearRow; } cases[] { { 1.0f, 0, 3 }, { 0.0f, 24, 22 }, { -1.0f, 48, 46 } };

    for (const auto& c : cases)
    {
        fillWith (c.sample);
        const auto image = paintToImage (view);
        savePng (image, "AudioBufferScopeGui_" + juce::String (c.sample), 2);

        for (int x : { 1, 146, 290 })
        {
            EXPECT_NE (argbAt (image, x, c.rowAbove), background) << c.sample << " at x " << x;
            EXPECT_NE (argbAt (image, x, c.rowAbove + 1), background) << c.sample << " at x " << x;
            EXPECT_EQ (argbAt (image, x, c.clearRow), background) << c.sample << " at x " << x;
        }
    }
}

TEST_F (AudioBufferScopeGuiTest, MasterSwitchOffOrTooFewSamplesShowOnlyTheBackground)
{
    fillWith (0.5f);
    EXPECT_GT (linePixels(), 0);

    store.isActive = false;
    EXPECT_EQ (linePixels(), 0);

    store.isActive = true;
    fillWith (0.5f, 1);
    EXPECT_EQ (linePixels(), 0);
    fillWith (0.5f, 0);
    EXPECT_EQ (linePixels(), 0);
}
