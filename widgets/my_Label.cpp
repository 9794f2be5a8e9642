#include "widgets/my_Label.h"

namespace my
{
LabelStd::LabelStd()
{
    setColour (textColourId, skin[SkinIndex::labelText]);
    setFont (juce::Font ("Arial", 11.0f, juce::Font::plain));
    setJustificationType (juce::Justification::centredLeft);
    setMinimumHorizontalScale (1.0f);
}

void LabelStd::setIsActive (bool active)
{
    setColour (textColourId, skin[active ? SkinIndex::labelText : SkinIndex::labelTextInactive]);
}

void LabelStd::setSkin (const MySkin& newSkin)
{
    skin = newSkin;
    setIsActive (true);
}
} // namespace my
