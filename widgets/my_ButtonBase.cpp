#include "widgets/my_ButtonBase.h"

#include "widgets/my_HintKey.h"
#include "widgets/my_HoverTint.h"

#include <array>

namespace my
{
namespace
{
// The icon's frame inside the rectangle it is fitted into.
struct IconFrame
{
    IconFrame (float x, float y, float w, float h)
        : left (x + 0.1f * w + 1.0f),
          right (x + 0.9f * w - 1.0f),
          span (0.8f * w - 2.0f),
          top (y + 0.2f * h + 1.0f),
          bottom (y + 0.8f * h - 1.0f),
          height (0.6f * h - 2.0f),
          middle (y + 0.5f * h),
          centreX (x + 0.5f * w)
    {
    }

    float left, right, span, top, bottom, height, middle, centreX;
};

void addPolyline (juce::Path& path, std::initializer_list<juce::Point<float>> points)
{
    auto point = points.begin();
    path.startNewSubPath (*point);

    while (++point != points.end())
        path.lineTo (*point);
}

void addSine (juce::Path& path, const IconFrame& f)
{
    path.startNewSubPath (f.left, f.middle);

    for (int i = 1; i <= 20; ++i)
        path.lineTo (f.left + f.span * (float) i / 20.0f,
                     f.middle + (f.height / 2.0f) * std::sin (-0.1f * juce::MathConstants<float>::pi * (float) i));
}

void addNoise (juce::Path& path, const IconFrame& f)
{
    static constexpr std::array<float, 21> levels { 0.7f,  0.75f, 0.72f, 0.6f, 0.3f, 0.1f, 0.0f,
                                                    0.15f, 0.35f, 0.55f, 0.6f, 0.5f, 0.3f, 0.2f,
                                                    0.25f, 0.55f, 0.92f, 1.0f, 0.9f, 0.3f, 0.35f };

    for (size_t i = 0; i < levels.size(); ++i)
    {
        const juce::Point<float> point (f.left + f.span * (float) i / 20.0f, f.top + levels[i] * f.height);

        if (i == 0)
            path.startNewSubPath (point);
        else
            path.lineTo (point);
    }
}
} // namespace

void ButtonPath::makePath (float x, float y, float w, float h, int type, juce::Path& path)
{
    const IconFrame f (x, y, w, h);

    switch (type)
    {
        case sine:
            addSine (path, f);
            break;
        case triangle:
            addPolyline (path, { { f.left, f.middle },
                                 { f.left + 0.25f * f.span, f.top },
                                 { f.left + 0.75f * f.span, f.bottom },
                                 { f.right, f.middle } });
            break;
        case square:
            addPolyline (path, { { f.left, f.bottom },
                                 { f.left, f.top },
                                 { f.centreX, f.top },
                                 { f.centreX, f.bottom },
                                 { f.right, f.bottom },
                                 { f.right, f.top } });
            break;
        case sawFalling:
            addPolyline (path, { { f.left, f.bottom }, { f.left, f.top }, { f.right, f.bottom }, { f.right, f.top } });
            break;
        case sawRising:
            addPolyline (path, { { f.left, f.top }, { f.left, f.bottom }, { f.right, f.top }, { f.right, f.bottom } });
            break;
        case noise:
            addNoise (path, f);
            break;
        default:
            break;
    }
}

ButtonBase::ButtonBase() { setClickingTogglesState (true); }

void ButtonBase::mouseEnter (const juce::MouseEvent&)
{
    isHover = true;
    HintKey::mouseEntered (hintKeyTarget, *this);
}

void ButtonBase::mouseExit (const juce::MouseEvent&)
{
    isHover = false;
    HintKey::mouseExited (hintKeyTarget);
}

void ButtonBase::refreshToggleState() { setToggleState (getToggleState(), juce::dontSendNotification); }

void ButtonBase::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();

    refreshToggleState();
    const bool on = getToggleState();
    const auto caption = showOnOffText ? (on ? onText : offText) : getButtonText();

    auto fill = skin[on ? SkinIndex::buttonOn : SkinIndex::buttonOff];
    const auto outline = skin[on ? SkinIndex::buttonOutlineOn : SkinIndex::buttonOutlineOff];
    auto textColour = skin[on ? SkinIndex::buttonTextOn : SkinIndex::buttonTextOff];

    if (isHover && hoverTint)
    {
        fill = my::hoverTint (fill);
        textColour = my::hoverTint (textColour);
    }

    const CorneredBox box { w, h, cornerRadius, outlineThickness, cornerStyle };
    box.paintOutline (g, outline);

    if (drawBody)
        box.paintBody (g, fill, outline);

    g.setColour (textColour);

    if (iconType != ButtonPath::none)
    {
        juce::Path icon;
        ButtonPath::makePath (0.0f, 0.0f, w, h, iconType, icon);
        g.strokePath (icon, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
        return;
    }

    g.setFont (font);
    g.drawText (caption, juce::Rectangle<float> (0.0f, (float) (int) textOffsetY, w, h), juce::Justification::centred,
                true);
}
} // namespace my
