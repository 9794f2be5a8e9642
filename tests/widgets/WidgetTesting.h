#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "TestSupport.h"
#include "widgets/my_CornerStyle.h"

#include <functional>

// Painting controls into images and feeding them mouse events, without a display.
namespace widget_testing
{
// The component's own paint at its current size, on a transparent software image.
inline juce::Image paintToImage (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()), juce::jmax (1, component.getHeight()),
                       true, juce::SoftwareImageType());
    juce::Graphics g (image);
    component.paint (g);
    return image;
}

// Leaves the image in the build tree for a person to look at, magnified so single pixels show.
inline void savePng (const juce::Image& image, const juce::String& name, int magnification = 4)
{
    auto file = testing_support::outputFolder().getChildFile (name + ".png");
    file.deleteFile();
    auto large = image.rescaled (image.getWidth() * magnification, image.getHeight() * magnification,
                                 juce::Graphics::lowResamplingQuality);
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat().writeImageToStream (large, stream);
}

inline juce::uint32 argbAt (const juce::Image& image, int x, int y) { return image.getPixelAt (x, y).getARGB(); }

// Equal up to the rounding of anti-aliased edges.
inline bool nearlyEqual (juce::Colour a, juce::Colour b, int tolerance = 3)
{
    return std::abs (a.getAlpha() - b.getAlpha()) <= tolerance && std::abs (a.getRed() - b.getRed()) <= tolerance &&
           std::abs (a.getGreen() - b.getGreen()) <= tolerance && std::abs (a.getBlue() - b.getBlue()) <= tolerance;
}

inline int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& matches)
{
    int count = 0;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (matches (image.getPixelAt (x, y)))
                ++count;

    return count;
}

inline bool sameImage (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

constexpr my::CornerStyle::Corner allCorners[] { my::CornerStyle::Corner::topRight,
                                                 my::CornerStyle::Corner::bottomRight,
                                                 my::CornerStyle::Corner::bottomLeft,
                                                 my::CornerStyle::Corner::topLeft };

inline juce::Colour cornerPixel (const juce::Image& image, my::CornerStyle::Corner corner)
{
    using Corner = my::CornerStyle::Corner;
    const bool left = corner == Corner::topLeft || corner == Corner::bottomLeft;
    const bool top = corner == Corner::topLeft || corner == Corner::topRight;
    return image.getPixelAt (left ? 0 : image.getWidth() - 1, top ? 0 : image.getHeight() - 1);
}

// The outermost pixel of each corner: solid `squareColour` where `cornerStyle` squares it, left
// (nearly) clear by the rounding where it keeps it round.
inline void expectCornersOfStyle (const juce::Image& image, int cornerStyle, juce::uint32 squareColour)
{
    for (auto corner : allCorners)
    {
        const auto pixel = cornerPixel (image, corner);

        if (my::CornerStyle::isSquare (cornerStyle, corner))
            EXPECT_EQ (pixel.getARGB(), squareColour) << "style " << cornerStyle;
        else
            EXPECT_LT (pixel.getAlpha(), 0x80) << "style " << cornerStyle;
    }
}

inline juce::MouseEvent mouseEventFor (juce::Component& component, juce::Point<float> position = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, juce::ModifierKeys(),
                             juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &component, &component,
                             now, position, now, 1, false);
}
// A press and release inside the component, through the handlers the framework would call.
inline void click (juce::Component& component, juce::Point<float> position)
{
    const auto event = mouseEventFor (component, position);
    component.mouseDown (event);
    component.mouseUp (event);
}
} // namespace widget_testing
