#pragma once

#include "widgets/my_MySkin.h"
#include "widgets/ojx_Font.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// The product's plain text label, coloured from its own skin. It keeps no active flag: greying
// out only swaps the text colour.
class LabelStd : public juce::Label
{
public:
    LabelStd();
    ~LabelStd() override = default;

    void setIsActive (bool active);

    // Takes a copy of `newSkin` and shows the active text colour.
    void setSkin (const MySkin& newSkin);

    MySkin skin;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LabelStd)
};
} // namespace my
