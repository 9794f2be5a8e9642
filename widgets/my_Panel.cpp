#include "widgets/my_Panel.h"

namespace my
{
void Panel::paint (juce::Graphics& g)
{
    const CorneredBox box { (float) getWidth(), (float) getHeight(), cornerRadius, outlineThickness, cornerStyle };
    box.paintOutline (g, outlineColour);
    box.paintBody (g, fillColour, outlineColour);
}
} // namespace my
