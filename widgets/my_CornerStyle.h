#pragma once

#include <juce_graphics/juce_graphics.h>

namespace my
{
// Which corners of a button or panel stay rounded; the others are drawn square. Values outside
// 1 to 10 keep all four rounded, like `allRounded`.
namespace CornerStyle
{
constexpr int allSquare = 1;
constexpr int topRounded = 2;
constexpr int rightRounded = 3;
constexpr int bottomRounded = 4;
constexpr int leftRounded = 5;
constexpr int allRounded = 6;
constexpr int topRightRounded = 7;
constexpr int bottomRightRounded = 8;
constexpr int bottomLeftRounded = 9;
constexpr int topLeftRounded = 10;

// In the order squared corners are painted.
enum class Corner
{
    topRight,
    bottomRight,
    bottomLeft,
    topLeft
};

bool isSquare (int cornerStyle, Corner corner);
} // namespace CornerStyle

// A rounded box with an optional outline ring whose corners are squared off by a corner style;
// buttons and panels draw their bodies with it. Geometry is in the owner's local pixels.
struct CorneredBox
{
    float width = 0.0f;
    float height = 0.0f;
    float cornerRadius = 0.0f;
    float outlineThickness = 0.0f;
    int cornerStyle = CornerStyle::allRounded;

    // The whole bounds as a rounded rectangle in the outline colour; nothing without a thickness.
    void paintOutline (juce::Graphics& g, juce::Colour outlineColour) const;

    // The rounded body inside the outline, then the square corners of the style: each in its
    // outline band first, then in the fill colour. The inner quarters overlap by two pixels
    // across the middle so two squared corners on one side leave no seam.
    void paintBody (juce::Graphics& g, juce::Colour fillColour, juce::Colour outlineColour) const;

private:
    juce::Rectangle<float> outerQuarter (CornerStyle::Corner corner) const;
    juce::Rectangle<float> innerQuarter (CornerStyle::Corner corner) const;
};
} // namespace my
