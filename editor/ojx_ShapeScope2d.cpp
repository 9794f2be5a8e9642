#include "editor/ojx_ShapeScope2d.h"

#include "editor/my_PlotLine.h"

#include <cmath>

namespace my
{
namespace
{
constexpr float inset = 6.5f;
constexpr juce::uint32 gridColour = 0xFF323232;
constexpr juce::uint32 curveColour = 0x80E67300; // the accent at half opacity
constexpr juce::uint32 inactiveColour = 0xFF555555;
constexpr juce::uint32 usedSpanColour = 0xFFE67300;

void strokeThin (juce::Graphics& g, const juce::Path& path) { g.strokePath (path, juce::PathStrokeType (1.0f)); }

void strokeCurve (juce::Graphics& g, const juce::Path& path, juce::uint32 colour)
{
    g.setColour (juce::Colour (colour));
    g.strokePath (path, juce::PathStrokeType (2.0f));
}
} // namespace

ShapeScope2d::ShapeScope2d (ShapeProcessor* slot) : shapeProcessor (slot) {}

ShapeScope2d::~ShapeScope2d() = default;

bool ShapeScope2d::canDrawRange() const noexcept { return range > 0.0f && range <= largestRange; }

void ShapeScope2d::paint (juce::Graphics& g)
{
    const float innerWidth = (float) getWidth() - 2.0f * inset;
    const float innerHeight = (float) getHeight() - 2.0f * inset;
    const bool drawable = canDrawRange();
    const float step = drawable ? innerWidth / (2.0f * range) : 0.0f; // pixels per unit of input
    const float frameWidth = drawable ? step * 2.0f * range : innerWidth;

    g.setColour (juce::Colour (gridColour));
    g.drawRect (juce::Rectangle<float> (inset, inset, frameWidth, innerHeight), 1.0f);

    juce::Path centreLine;
    centreLine.startNewSubPath (inset, innerHeight / 2.0f + inset);
    centreLine.lineTo (frameWidth + inset, innerHeight / 2.0f + inset);
    strokeThin (g, centreLine);

    if (! drawable)
        return;

    const int lines = (int) (2.0f * range);
    juce::Path grid;

    for (int i = 1; i < lines; ++i)
    {
        grid.startNewSubPath ((float) i * step + inset, inset);
        grid.lineTo ((float) i * step + inset, innerHeight + inset);
    }

    strokeThin (g, grid);

    if (shapeProcessor == nullptr)
        return;

    // One curve for the whole paint, so a curve change on the audio side cannot split the drawing.
    const auto& curve = shapeProcessor->getSelectedShaper();
    strokeCurve (g, curvePath (curve, -range, range), isActive ? curveColour : inactiveColour);

    // A span that is not a number (a block that carried one) shows nothing rather than everything.
    if (std::isnan (inputMin) || std::isnan (inputMax))
        return;

    const float low = juce::jmax (-range, inputMin);
    const float high = juce::jmin (range, inputMax);

    if (high >= low)
        strokeCurve (g, curvePath (curve, low, high), usedSpanColour);
}

juce::Path ShapeScope2d::curvePath (const ShaperBase& curve, float from, float to) const
{
    if (! canDrawRange())
        return {};

    const float innerWidth = (float) getWidth() - 2.0f * inset;
    const float innerHeight = (float) getHeight() - 2.0f * inset;
    PlotLine line;
    from = juce::jmax (from, -range);
    to = juce::jmin (to, range);

    for (float x = from; x <= to; x += inputStep)
    {
        const float px = ((x + range) / (2.0f * range)) * innerWidth + inset;
        const float py = (-(curve.getProcessed (x) - 1.0f) * 0.5f) * innerHeight + inset;
        line.add (px, py);
    }

    return line.path;
}
} // namespace my
