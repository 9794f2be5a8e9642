#include <gtest/gtest.h>

#include "widgets/my_HoverTint.h"

namespace
{
juce::uint32 tinted (juce::uint32 argb) { return my::hoverTint (juce::Colour (argb)).getARGB(); }
} // namespace

TEST (HoverTint, LightensOpaqueColoursByTheIntegerBlend)
{
    EXPECT_EQ (tinted (0xFF555555), 0xFF5E5E5Eu);
    EXPECT_EQ (tinted (0xFF000000), 0xFF0D0D0Du);
    EXPECT_EQ (tinted (0xFFE67300), 0xFFE77A0Du);
    EXPECT_EQ (tinted (0xFFFFFFFF), 0xFFFFFFFFu);
}

TEST (HoverTint, RaisesTheAlphaOfTranslucentColours)
{
    // A = 255 - ((127 * 242) >> 8) = 135, d = (242 * 128) / 135 = 229,
    // 255 + floor((205 - 255) * 229 / 256) = 210.
    EXPECT_EQ (tinted (0x80CDCDCD), 0x87D2D2D2u);
    EXPECT_EQ (tinted (0x01000000), 0x0FEFEFEFu);
}

TEST (HoverTint, FullyTransparentColourBecomesTheOverlay)
{
    EXPECT_EQ (tinted (0x00000000), 0x0DFFFFFFu);
    EXPECT_EQ (tinted (0x00123456), 0x0DFFFFFFu);
}

TEST (HoverTint, MatchesTheFrameworksColourCompositingAtEveryAlpha)
{
    for (juce::uint32 alpha = 0; alpha < 256; ++alpha)
        for (juce::uint32 rgb : { 0x000000u, 0x1E1E1Eu, 0x555555u, 0xE67300u, 0xCDCDCDu, 0xFFFFFFu })
        {
            const juce::Colour colour ((alpha << 24) | rgb);
            EXPECT_EQ (my::hoverTint (colour).getARGB(),
                       colour.overlaidWith (juce::Colour (my::hoverOverlay)).getARGB())
                << std::hex << colour.getARGB();
        }
}
