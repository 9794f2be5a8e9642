#include "widgets/ojx_ButtonComboPreNextArrow.h"

namespace ojx
{
void ButtonComboPreNextArrow::paint (juce::Graphics& g)
{
    const int w = getWidth();
    const auto h = (float) getHeight();

    // One half's width in whole pixels; an odd width leaves its spare pixel at the left.
    const int half = (int) ((float) w * 0.5f - 1.0f);
    const auto halfWidth = (float) half;

    const float depth = 0.35f * h;
    const float height = 0.5f * halfWidth;
    const float inset = 0.275f * halfWidth;
    const float top = (h - height) / 2.0f;
    const float middle = top + height / 2.0f;

    const float previousTip = (float) (w - 2 * half - 1) + inset;
    const float nextBase = (float) (w - half) + halfWidth - inset - depth;

    juce::Path triangles;
    triangles.addTriangle (previousTip, middle, previousTip + depth, top, previousTip + depth, top + height);
    triangles.addTriangle (nextBase, top, nextBase + depth, middle, nextBase, top + height);

    g.setColour (isActive ? colourActive : colourInactive);
    g.fillPath (triangles);
}
} // namespace ojx
