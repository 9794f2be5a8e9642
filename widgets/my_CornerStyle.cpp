#include "widgets/my_CornerStyle.h"

#include <array>

namespace my
{
namespace CornerStyle
{
bool isSquare (int cornerStyle, Corner corner)
{
    const bool topLeft = corner == Corner::topLeft;
    const bool topRight = corner == Corner::topRight;
    const bool bottomLeft = corner == Corner::bottomLeft;
    const bool bottomRight = corner == Corner::bottomRight;

    switch (cornerStyle)
    {
        case allSquare:
            return true;
        case topRounded:
            return bottomLeft || bottomRight;
        case rightRounded:
            return topLeft || bottomLeft;
        case bottomRounded:
            return topLeft || topRight;
        case leftRounded:
            return topRight || bottomRight;
        case topRightRounded:
            return ! topRight;
        case bottomRightRounded:
            return ! bottomRight;
        case bottomLeftRounded:
            return ! bottomLeft;
        case topLeftRounded:
            return ! topLeft;
        default:
            return false;
    }
}
} // namespace CornerStyle

namespace
{
constexpr std::array<CornerStyle::Corner, 4> paintOrder { CornerStyle::Corner::topRight,
                                                          CornerStyle::Corner::bottomRight,
                                                          CornerStyle::Corner::bottomLeft,
                                                          CornerStyle::Corner::topLeft };

bool isLeft (CornerStyle::Corner corner)
{
    return corner == CornerStyle::Corner::topLeft || corner == CornerStyle::Corner::bottomLeft;
}

bool isTop (CornerStyle::Corner corner)
{
    return corner == CornerStyle::Corner::topLeft || corner == CornerStyle::Corner::topRight;
}
} // namespace

void CorneredBox::paintOutline (juce::Graphics& g, juce::Colour outlineColour) const
{
    if (outlineThickness <= 0.0f)
        return;

    g.setColour (outlineColour);
    g.fillRoundedRectangle (0.0f, 0.0f, width, height, cornerRadius);
}

void CorneredBox::paintBody (juce::Graphics& g, juce::Colour fillColour, juce::Colour outlineColour) const
{
    const float t = outlineThickness;

    g.setColour (fillColour);
    g.fillRoundedRectangle (t, t, width - 2.0f * t, height - 2.0f * t, cornerRadius);

    // Quarters of one colour are filled as one region, so where two meet inside a pixel (odd
    // sizes, the overlap across the middle) the pixel is covered once instead of blended twice.
    juce::RectangleList<float> outerSquares, innerSquares;

    for (auto corner : paintOrder)
    {
        if (CornerStyle::isSquare (cornerStyle, corner))
        {
            outerSquares.add (outerQuarter (corner));
            innerSquares.add (innerQuarter (corner));
        }
    }

    if (t > 0.0f)
    {
        g.setColour (outlineColour);
        g.fillRectList (outerSquares);
    }

    g.setColour (fillColour);
    g.fillRectList (innerSquares);
}

juce::Rectangle<float> CorneredBox::outerQuarter (CornerStyle::Corner corner) const
{
    const float halfWidth = width / 2.0f;
    const float halfHeight = height / 2.0f;

    return { isLeft (corner) ? 0.0f : halfWidth, isTop (corner) ? 0.0f : halfHeight, halfWidth, halfHeight };
}

juce::Rectangle<float> CorneredBox::innerQuarter (CornerStyle::Corner corner) const
{
    const float t = outlineThickness;
    const float quarterWidth = (width - 2.0f * t) / 2.0f;
    const float quarterHeight = (height - 2.0f * t) / 2.0f + 1.0f;

    return { isLeft (corner) ? t : width / 2.0f, isTop (corner) ? t : height / 2.0f - 1.0f, quarterWidth,
             quarterHeight };
}
} // namespace my
