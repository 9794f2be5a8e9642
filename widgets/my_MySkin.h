#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

namespace my
{
// Role of every entry of a skin, by index. Greyed-out twins: the dial's are its active entries
// plus 6, the choice box's plus 7.
namespace SkinIndex
{
// General palette
constexpr int background = 0;
constexpr int backgroundDark = 1;
constexpr int backgroundDarkest = 2;
constexpr int spare3 = 3;
constexpr int backgroundAlt = 4;
constexpr int titleText = 5;
constexpr int logoInk = 6;
constexpr int spare7 = 7;
constexpr int textDim = 8;
constexpr int accentCyan = 9;
constexpr int accentGreen = 10;
constexpr int accent = 11;
constexpr int accentAmber = 12;
constexpr int accentAlt = 13;
constexpr int spare14 = 14;
constexpr int spare15 = 15;
constexpr int spare16 = 16;
constexpr int line = 17;
constexpr int lineDark = 18;
constexpr int spare19 = 19;

// Buttons and selectors
constexpr int buttonOn = 20;
constexpr int buttonOff = 21;
constexpr int buttonOffHover = 22;
constexpr int buttonOutlineOn = 23;
constexpr int buttonOutlineOff = 24;
constexpr int buttonTextOn = 25;
constexpr int buttonTextOff = 26;
constexpr int buttonOnInactive = 27;
constexpr int buttonOffInactive = 28;
constexpr int spare29 = 29;
constexpr int spare30 = 30;
constexpr int buttonTextOnInactive = 31;
constexpr int buttonTextOffInactive = 32;

// Master power button
constexpr int powerOn = 33;
constexpr int powerOff = 34;
constexpr int spare35 = 35;
constexpr int spare36 = 36;
constexpr int powerSymbolOn = 37;
constexpr int powerSymbolOff = 38;
constexpr int spare39 = 39;
constexpr int spare40 = 40;
constexpr int spare41 = 41;
constexpr int spare42 = 42;
constexpr int spare43 = 43;
constexpr int spare44 = 44;

// Choice box and its popup
constexpr int comboFill = 45;
constexpr int popupBackground = 46;
constexpr int comboOutline = 47;
constexpr int popupBorder = 48;
constexpr int popupHighlight = 49;
constexpr int comboText = 50;
constexpr int spare51 = 51;
constexpr int comboFillInactive = 52;
constexpr int popupBackgroundInactive = 53;
constexpr int comboOutlineInactive = 54;
constexpr int popupBorderInactive = 55;
constexpr int popupHighlightInactive = 56;
constexpr int comboTextInactive = 57;
constexpr int spare58 = 58;
constexpr int spare59 = 59;
constexpr int spare60 = 60;
constexpr int spare61 = 61;
constexpr int spare62 = 62;
constexpr int spare63 = 63;
constexpr int spare64 = 64;
constexpr int spare65 = 65;
constexpr int spare66 = 66;
constexpr int spare67 = 67;
constexpr int spare68 = 68;
constexpr int spare69 = 69;
constexpr int spare70 = 70;
constexpr int spare71 = 71;
constexpr int spare72 = 72;
constexpr int spare73 = 73;
constexpr int spare74 = 74;
constexpr int comboFrame = 75;
constexpr int spare76 = 76;
constexpr int spare77 = 77;
constexpr int spare78 = 78;
constexpr int spare79 = 79;
constexpr int spare80 = 80;
constexpr int spare81 = 81;
constexpr int comboFrameInactive = 82;
constexpr int spare83 = 83;
constexpr int spare84 = 84;
constexpr int spare85 = 85;
constexpr int spare86 = 86;
constexpr int spare87 = 87;

// Dial
constexpr int dialPointer = 88;
constexpr int dialTrack = 89;
constexpr int dialValueArc = 90;
constexpr int dialValueArcDark = 91;
constexpr int dialTitle = 92;
constexpr int dialValueText = 93;
constexpr int dialPointerInactive = 94;
constexpr int dialTrackInactive = 95;
constexpr int dialValueArcInactive = 96;
constexpr int dialValueArcDarkInactive = 97;
constexpr int dialTitleInactive = 98;
constexpr int dialValueTextInactive = 99;
constexpr int spare100 = 100;
constexpr int spare101 = 101;
constexpr int spare102 = 102;

// Label and hint box
constexpr int labelBackground = 103;
constexpr int labelText = 104;
constexpr int labelTextInactive = 105;
constexpr int spare106 = 106;
constexpr int spare107 = 107;
constexpr int spare108 = 108;
constexpr int spare109 = 109;
constexpr int hintText = 110;
constexpr int hintBorder = 111;
constexpr int hintBackground = 112;

constexpr int count = 113;
} // namespace SkinIndex

// A control's own colour record: 113 ARGB colours by index and nothing else, so it copies as one
// block. An entry no skin has set stays opaque red, which makes a missing palette entry visible.
struct MySkin
{
    static constexpr juce::uint32 unsetColour = 0xFFC80000;

    MySkin() { colours.fill (juce::Colour (unsetColour)); }

    juce::Colour& operator[] (int index)
    {
        jassert (juce::isPositiveAndBelow (index, SkinIndex::count));
        return colours[(size_t) index];
    }

    const juce::Colour& operator[] (int index) const
    {
        jassert (juce::isPositiveAndBelow (index, SkinIndex::count));
        return colours[(size_t) index];
    }

    std::array<juce::Colour, SkinIndex::count> colours;
};

static_assert (sizeof (MySkin) == SkinIndex::count * sizeof (juce::uint32), "a skin is its colours, back to back");
} // namespace my
