#include "widgets/my_SliderBase.h"

#include "engine/my_Utility.h"
#include "widgets/my_HintKey.h"

#include <cmath>

namespace my
{
SliderBase::SliderBase()
{
    setRange (0.0, 1.0, 0.0);
    setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
    setMouseDragSensitivity (dragPixels);
}

void SliderBase::mouseEnter (const juce::MouseEvent&)
{
    isHover = true;
    HintKey::mouseEntered (hintKeyTarget, *this);
}

void SliderBase::mouseExit (const juce::MouseEvent&)
{
    isHover = false;
    HintKey::mouseExited (hintKeyTarget);
}

void SliderBase::startedDragging()
{
    // Read once here: pressing or releasing Shift mid-drag must not make the value jump.
    const bool fine = juce::ModifierKeys::currentModifiers.isShiftDown();
    setMouseDragSensitivity (fine ? fineDragPixels : dragPixels);
    isDragging = true;
}

void SliderBase::stoppedDragging() { isDragging = false; }

float SliderBase::displayProportion() const
{
    const auto v = (float) getValue();
    float e = 0.0f;

    if (isSkewDisplay)
        e = std::pow ((v - displayMin) / (displayMax - displayMin), 1.0f / displaySkew);
    else if (isLogDisplay)
        e = (float) (std::log10 ((double) v / displayMin) / std::log10 ((double) displayMax / displayMin));
    else
        e = (v - displayMin) / (displayMax - displayMin);

    return std::isfinite (e) ? e : 0.0f;
}

juce::String SliderBase::valueText() const
{
    const auto v = (float) getValue();
    const auto number = isIntegerText ? juce::String ((juce::int64) std::trunc (v)) : digit3 (v);
    return number + valueSuffix;
}
} // namespace my
