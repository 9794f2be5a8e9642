#include <gtest/gtest.h>

#include "widgets/wkr_SkinTolvaneD.h"

#include <array>

namespace
{
constexpr juce::uint32 unset = my::MySkin::unsetColour;

// The brand palette, entry by entry; `unset` marks the 38 entries the product never reads.
constexpr std::array<juce::uint32, 113> brandValues {
    0xFF323232, // 0 background
    0xFF1E1E1E, // 1 backgroundDark
    0xFF141414, // 2 backgroundDarkest
    unset,      // 3 spare3
    0xFF1E1E1E, // 4 backgroundAlt
    0xFFCDCDCD, // 5 titleText
    0xFFCDCDCD, // 6 logoInk
    unset,      // 7 spare7
    0xFFA0A0A0, // 8 textDim
    0xFF00E6E6, // 9 accentCyan
    0xFF73E600, // 10 accentGreen
    0xFFE67300, // 11 accent
    0xFFFFBF00, // 12 accentAmber
    0xFFE67300, // 13 accentAlt
    unset,      // 14 spare14
    unset,      // 15 spare15
    unset,      // 16 spare16
    0xFF505050, // 17 line
    0xFF282828, // 18 lineDark
    unset,      // 19 spare19
    0xFFE67300, // 20 buttonOn
    0xFF555555, // 21 buttonOff
    0xFF646464, // 22 buttonOffHover
    unset,      // 23 buttonOutlineOn
    unset,      // 24 buttonOutlineOff
    0xFF1E1E1E, // 25 buttonTextOn
    0xFFCDCDCD, // 26 buttonTextOff
    0xFF808080, // 27 buttonOnInactive
    0xFF555555, // 28 buttonOffInactive
    unset,      // 29 spare29
    unset,      // 30 spare30
    0xFF1E1E1E, // 31 buttonTextOnInactive
    0xFF808080, // 32 buttonTextOffInactive
    0xFFE67300, // 33 powerOn
    0xFF3C3C3C, // 34 powerOff
    unset,      // 35 spare35
    unset,      // 36 spare36
    0xFF1E1E1E, // 37 powerSymbolOn
    0xFFA0A0A0, // 38 powerSymbolOff
    0xFF8C8C8C, // 39 spare39
    0xFF323232, // 40 spare40
    unset,      // 41 spare41
    unset,      // 42 spare42
    0xFF1E1E1E, // 43 spare43
    0xFFA0A0A0, // 44 spare44
    0xFF555555, // 45 comboFill
    0xFF555555, // 46 popupBackground
    unset,      // 47 comboOutline
    unset,      // 48 popupBorder
    0xFF6E6E6E, // 49 popupHighlight
    0xFFCDCDCD, // 50 comboText
    unset,      // 51 spare51
    0xFF555555, // 52 comboFillInactive
    0xFF555555, // 53 popupBackgroundInactive
    unset,      // 54 comboOutlineInactive
    unset,      // 55 popupBorderInactive
    0xFF6E6E6E, // 56 popupHighlightInactive
    0x80CDCDCD, // 57 comboTextInactive
    unset,      // 58 spare58
    unset,      // 59 spare59
    unset,      // 60 spare60
    unset,      // 61 spare61
    unset,      // 62 spare62
    unset,      // 63 spare63
    unset,      // 64 spare64
    unset,      // 65 spare65
    unset,      // 66 spare66
    unset,      // 67 spare67
    unset,      // 68 spare68
    unset,      // 69 spare69
    unset,      // 70 spare70
    unset,      // 71 spare71
    unset,      // 72 spare72
    0xFF1E1E1E, // 73 spare73
    0xFF1E1E1E, // 74 spare74
    0xFF505050, // 75 comboFrame
    0xFF505050, // 76 spare76
    0xFFA0A0A0, // 77 spare77
    0xFFA0A0A0, // 78 spare78
    0xFFA0A0A0, // 79 spare79
    0xFF1E1E1E, // 80 spare80
    0xFF1E1E1E, // 81 spare81
    0xFF505050, // 82 comboFrameInactive
    0xFF505050, // 83 spare83
    0xFFA0A0A0, // 84 spare84
    0xFFA0A0A0, // 85 spare85
    0xFFA0A0A0, // 86 spare86
    unset,      // 87 spare87
    0xFFCDCDCD, // 88 dialPointer
    0xFF555555, // 89 dialTrack
    0xFFE67300, // 90 dialValueArc
    0xFF733900, // 91 dialValueArcDark
    0xFFCDCDCD, // 92 dialTitle
    0xFFCDCDCD, // 93 dialValueText
    0xFF808080, // 94 dialPointerInactive
    0xFF555555, // 95 dialTrackInactive
    0xFF808080, // 96 dialValueArcInactive
    0xFF808080, // 97 dialValueArcDarkInactive
    0xFF808080, // 98 dialTitleInactive
    0xFF808080, // 99 dialValueTextInactive
    unset,      // 100 spare100
    unset,      // 101 spare101
    unset,      // 102 spare102
    0xFF323232, // 103 labelBackground
    0xFFCDCDCD, // 104 labelText
    0xFF808080, // 105 labelTextInactive
    0xFF1E1E1E, // 106 spare106
    0xFF555555, // 107 spare107
    0xFFCDCDCD, // 108 spare108
    0xFFA0A0A0, // 109 spare109
    0xFFA0A0A0, // 110 hintText
    0xFF505050, // 111 hintBorder
    0xFF1E1E1E, // 112 hintBackground
};

juce::uint32 argb (const my::MySkin& skin, int index) { return skin[index].getARGB(); }
} // namespace

TEST (MySkin, DefaultHoldsUnsetRedAtEveryIndex)
{
    const my::MySkin skin;

    for (int i = 0; i < my::SkinIndex::count; ++i)
        EXPECT_EQ (argb (skin, i), 0xFFC80000u) << "index " << i;
}

TEST (MySkin, CopyKeepsItsColoursWhenTheSourceChanges)
{
    wkr::SkinTolvaneD source;
    const my::MySkin copy = source;

    source[my::SkinIndex::buttonOn] = juce::Colour (0xFF123456);
    source[my::SkinIndex::hintBackground] = juce::Colour (0xFF654321);

    EXPECT_EQ (argb (copy, my::SkinIndex::buttonOn), 0xFFE67300u);
    EXPECT_EQ (argb (copy, my::SkinIndex::hintBackground), 0xFF1E1E1Eu);
}

TEST (SkinTolvaneD, HoldsTheBrandValueAtEveryIndex)
{
    const wkr::SkinTolvaneD skin;

    for (int i = 0; i < my::SkinIndex::count; ++i)
        EXPECT_EQ (argb (skin, i), brandValues[(size_t) i]) << "index " << i;
}

TEST (SkinTolvaneD, MidGreyIsTheLightGreyAtHalfLightness)
{
    const wkr::SkinTolvaneD skin;
    const auto lightGrey = skin[my::SkinIndex::labelText];

    EXPECT_EQ (lightGrey.withLightness (0.5f).getARGB(), argb (skin, my::SkinIndex::buttonOnInactive));
    EXPECT_EQ (juce::Colour::fromHSV (0.0f, 0.0f, 0.5f, 1.0f).getARGB(),
               argb (skin, my::SkinIndex::dialPointerInactive));
}
