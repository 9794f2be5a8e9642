#include "widgets/wkr_SkinTolvaneD.h"

namespace wkr
{
namespace
{
constexpr juce::uint32 nearBlack = 0xFF141414;
constexpr juce::uint32 darkest = 0xFF1E1E1E;
constexpr juce::uint32 darkLine = 0xFF282828;
constexpr juce::uint32 panelGrey = 0xFF323232;
constexpr juce::uint32 powerOffGrey = 0xFF3C3C3C;
constexpr juce::uint32 lineGrey = 0xFF505050;
constexpr juce::uint32 buttonGrey = 0xFF555555;
constexpr juce::uint32 hoverGrey = 0xFF646464;
constexpr juce::uint32 highlightGrey = 0xFF6E6E6E;
// The light grey with its HSL lightness set to 0.5.
constexpr juce::uint32 midGrey = 0xFF808080;
constexpr juce::uint32 softGrey = 0xFF8C8C8C;
constexpr juce::uint32 dimGrey = 0xFFA0A0A0;
constexpr juce::uint32 lightGrey = 0xFFCDCDCD;
constexpr juce::uint32 lightGreyHalf = 0x80CDCDCD;
constexpr juce::uint32 orange = 0xFFE67300;
constexpr juce::uint32 darkOrange = 0xFF733900;
} // namespace

SkinTolvaneD::SkinTolvaneD()
{
    using namespace my::SkinIndex;
    auto& skin = *this;
    auto set = [&skin] (int index, juce::uint32 argb) { skin[index] = juce::Colour (argb); };

    set (background, panelGrey);
    set (backgroundDark, darkest);
    set (backgroundDarkest, nearBlack);
    set (backgroundAlt, darkest);
    set (titleText, lightGrey);
    set (logoInk, lightGrey);
    set (textDim, dimGrey);
    set (accentCyan, 0xFF00E6E6);
    set (accentGreen, 0xFF73E600);
    set (accent, orange);
    set (accentAmber, 0xFFFFBF00);
    set (accentAlt, orange);
    set (line, lineGrey);
    set (lineDark, darkLine);

    set (buttonOn, orange);
    set (buttonOff, buttonGrey);
    set (buttonOffHover, hoverGrey);
    set (buttonTextOn, darkest);
    set (buttonTextOff, lightGrey);
    set (buttonOnInactive, midGrey);
    set (buttonOffInactive, buttonGrey);
    set (buttonTextOnInactive, darkest);
    set (buttonTextOffInactive, midGrey);

    set (powerOn, orange);
    set (powerOff, powerOffGrey);
    set (powerSymbolOn, darkest);
    set (powerSymbolOff, dimGrey);
    set (spare39, softGrey);
    set (spare40, panelGrey);
    set (spare43, darkest);
    set (spare44, dimGrey);

    set (comboFill, buttonGrey);
    set (popupBackground, buttonGrey);
    set (popupHighlight, highlightGrey);
    set (comboText, lightGrey);
    set (comboFillInactive, buttonGrey);
    set (popupBackgroundInactive, buttonGrey);
    set (popupHighlightInactive, highlightGrey);
    set (comboTextInactive, lightGreyHalf);
    set (spare73, darkest);
    set (spare74, darkest);
    set (comboFrame, lineGrey);
    set (spare76, lineGrey);
    set (spare77, dimGrey);
    set (spare78, dimGrey);
    set (spare79, dimGrey);
    set (spare80, darkest);
    set (spare81, darkest);
    set (comboFrameInactive, lineGrey);
    set (spare83, lineGrey);
    set (spare84, dimGrey);
    set (spare85, dimGrey);
    set (spare86, dimGrey);

    set (dialPointer, lightGrey);
    set (dialTrack, buttonGrey);
    set (dialValueArc, orange);
    set (dialValueArcDark, darkOrange);
    set (dialTitle, lightGrey);
    set (dialValueText, lightGrey);
    // Hue 0, saturation 0, brightness 0.5: the same mid grey.
    set (dialPointerInactive, midGrey);
    set (dialTrackInactive, buttonGrey);
    set (dialValueArcInactive, midGrey);
    set (dialValueArcDarkInactive, midGrey);
    set (dialTitleInactive, midGrey);
    set (dialValueTextInactive, midGrey);

    // The label background follows the panel background.
    skin[labelBackground] = skin[background];
    set (labelText, lightGrey);
    set (labelTextInactive, midGrey);
    set (spare106, darkest);
    set (spare107, buttonGrey);
    set (spare108, lightGrey);
    set (spare109, dimGrey);
    set (hintText, dimGrey);
    set (hintBorder, lineGrey);
    set (hintBackground, darkest);
}
} // namespace wkr
