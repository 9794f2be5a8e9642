#pragma once

#include "widgets/my_SliderBase.h"

namespace wkr
{
// The product's rotary control: title on top, a track arc, a value arc from `arcOrigin`, a
// pointer and, on demand, the value in a box below. It sizes its own height when it paints and
// grows by `dragExtraHeight` while dragged, so the value box has room below the dial.
class DialTolvaneD : public my::SliderBase
{
public:
    DialTolvaneD();
    ~DialTolvaneD() override = default;

    void paint (juce::Graphics& g) override;

    float radius = 15.0f;
    int baseHeight = 70;
    int dragExtraHeight = 16;

private:
    void paintValueBox (juce::Graphics& g, float centreX) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DialTolvaneD)
};
} // namespace wkr
