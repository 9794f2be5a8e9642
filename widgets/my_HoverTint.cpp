#include "widgets/my_HoverTint.h"

namespace my
{
namespace
{
// Division by 256 rounding towards minus infinity, for negative products too.
int floorDiv256 (int value) { return value >= 0 ? value / 256 : -((-value + 255) / 256); }
} // namespace

juce::Colour hoverTint (juce::Colour colour)
{
    const juce::Colour overlay (hoverOverlay);
    const int alpha = colour.getAlpha();

    if (alpha == 0)
        return overlay;

    const int overlayInverse = 255 - overlay.getAlpha();
    const int resultAlpha = 255 - floorDiv256 ((255 - alpha) * overlayInverse);
    const int weight = (overlayInverse * alpha) / resultAlpha;

    auto blend = [weight] (juce::uint8 channel, juce::uint8 overlayChannel)
    { return (juce::uint8) (overlayChannel + floorDiv256 (((int) channel - (int) overlayChannel) * weight)); };

    return juce::Colour (blend (colour.getRed(), overlay.getRed()), blend (colour.getGreen(), overlay.getGreen()),
                         blend (colour.getBlue(), overlay.getBlue()), (juce::uint8) resultAlpha);
}
} // namespace my
