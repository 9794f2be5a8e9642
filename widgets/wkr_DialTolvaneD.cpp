#include "widgets/wkr_DialTolvaneD.h"

#include "widgets/wkr_SkinTolvaneD.h"

namespace wkr
{
namespace
{
constexpr juce::uint32 valueBoxFill = 0xFF1E1E1E;

// The arcs' top edge: the title's 12 pixels and a gap.
constexpr float arcTop = 16.5f;
} // namespace

DialTolvaneD::DialTolvaneD()
{
    const float pi = juce::MathConstants<float>::pi;
    setSliderStyle (juce::Slider::RotaryVerticalDrag);
    setRotaryParameters (7.0f * pi / 6.0f, 17.0f * pi / 6.0f, true);
    skin = SkinTolvaneD();
}

void DialTolvaneD::paint (juce::Graphics& g)
{
    using namespace my::SkinIndex;

    setBounds (getX(), getY(), getWidth(), baseHeight + (isDragging ? dragExtraHeight : 0));

    const auto w = (float) getWidth();
    const float r = radius;
    const float cx = w * 0.5f;
    const float cy = arcTop + r;
    const auto rotary = getRotaryParameters();
    const float start = rotary.startAngleRadians;
    const float end = rotary.endAngleRadians;

    g.setFont (titleFont);
    g.setColour (skin[isActive ? dialTitle : dialTitleInactive]);
    g.drawText (getName(), juce::Rectangle<float> (0.0f, 0.0f, w, 12.0f), juce::Justification::centred, true);

    if (valueDisplayMode == 1 || isDragging)
        paintValueBox (g, cx);

    const juce::PathStrokeType stroke (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt);

    juce::Path track;
    track.addCentredArc (cx, cy, r, r, 0.0f, start, end, true);
    g.setColour (skin[isActive ? dialTrack : dialTrackInactive]);
    g.strokePath (track, stroke);

    // Drawn from the origin towards the value, backwards when the value lies before it.
    const float originAngle = start + arcOrigin * (end - start);
    const float valueAngle = start + displayProportion() * (end - start);
    juce::Path valueArc;
    valueArc.addCentredArc (cx, cy, r, r, 0.0f, originAngle, valueAngle, true);
    g.setColour (skin[isActive ? dialValueArc : dialValueArcInactive]);
    g.strokePath (valueArc, stroke);

    // Points from just below the centre out towards the arc.
    juce::Path pointer;
    pointer.addRoundedRectangle (-1.5f, 1.5f - (r - 0.5f), 3.0f, r - 0.5f, 1.5f);
    pointer.applyTransform (juce::AffineTransform::rotation (valueAngle).translated (cx, cy));
    g.setColour (skin[isActive ? dialPointer : dialPointerInactive]);
    g.fillPath (pointer);
}

void DialTolvaneD::paintValueBox (juce::Graphics& g, float centreX) const
{
    const auto text = valueText();
    const float textWidth = titleFont.getStringWidthFloat (text);
    const float boxWidth = textWidth + 10.0f;

    g.setColour (juce::Colour (valueBoxFill));
    g.fillRect ((int) (centreX - boxWidth / 2.0f), (int) (2.0f * radius + 17.0f), (int) boxWidth,
                (int) (titleFont.getHeight() + 4.0f));

    g.setFont (valueFont);
    g.setColour (skin[isActive ? my::SkinIndex::dialValueText : my::SkinIndex::dialValueTextInactive]);
    g.drawText (text, 0, (int) (2.0f * radius + 20.0f), getWidth(), 12, juce::Justification::centred, true);
}
} // namespace wkr
