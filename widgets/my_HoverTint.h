#pragma once

#include <juce_graphics/juce_graphics.h>

namespace my
{
// White at alpha 13, composited over a hovered control's colours.
constexpr juce::uint32 hoverOverlay = 0x0DFFFFFF;

// `colour` lightened by the hover overlay, with the integer compositing the controls have always
// used (a fully transparent colour becomes the overlay itself).
juce::Colour hoverTint (juce::Colour colour);
} // namespace my
