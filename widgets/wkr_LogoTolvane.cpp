#include "widgets/wkr_LogoTolvane.h"

namespace
{
// From left to right: a dot with two open rings around it, a leaning bar, a quarter disc rising
// to the right, and a slab with three paper slits of growing height.
struct LogoArtwork
{
    float u;
    float sweepStart;
    float sweepEnd;

    juce::Rectangle<float> box (float x, float y, float w, float h) const { return { x * u, y * u, w * u, h * u }; }

    juce::Path ring (float radius) const
    {
        juce::Path path;
        path.addCentredArc (0.66f * u, 0.65f * u, radius * u, radius * u, 0.0f, sweepStart, sweepEnd, true);
        return path;
    }

    juce::Path leaningBar() const
    {
        juce::Path path;
        const auto bar = box (1.5f, 0.15f, 0.26f, 1.0f);
        path.addRectangle (bar);
        path.applyTransform (juce::AffineTransform::rotation (0.35f, bar.getCentreX(), bar.getCentreY()));
        return path;
    }

    // The upper-left quarter of a disc whose centre is the slab's bottom-left neighbour.
    juce::Path quarterDisc() const
    {
        juce::Path path;
        path.addPieSegment (box (2.0f, 0.05f, 2.4f, 2.4f), -0.5f * juce::MathConstants<float>::pi, 0.0f, 0.0f);
        return path;
    }
};
} // namespace

void LogoTolvane::paint (juce::Graphics& g)
{
    const LogoArtwork art { (float) getHeight() / 1.3f, angle * 2.0f / 3.0f, angle * 7.0f / 3.0f };
    const juce::PathStrokeType ringStroke (0.2f * art.u);

    g.setColour (inkColour);
    g.fillEllipse (art.box (0.54f, 0.53f, 0.24f, 0.24f));
    g.strokePath (art.ring (0.31f), ringStroke);
    g.strokePath (art.ring (0.55f), ringStroke);
    g.fillPath (art.leaningBar());
    g.fillPath (art.quarterDisc());
    g.fillRect (art.box (3.35f, 0.05f, 1.7f, 1.2f));

    g.setColour (paperColour);
    g.fillRect (art.box (3.52f, 0.75f, 0.33f, 0.35f));
    g.fillRect (art.box (4.02f, 0.5f, 0.33f, 0.6f));
    g.fillRect (art.box (4.52f, 0.25f, 0.33f, 0.85f));
}
