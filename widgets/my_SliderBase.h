#pragma once

#include "widgets/my_MySkin.h"
#include "widgets/ojx_Font.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// The framework slider with the toolkit's skin, greying out, hint key and drag distances. The
// owner sets the public fields directly; the value itself comes from a parameter attachment.
class SliderBase : public juce::Slider
{
public:
    SliderBase();
    ~SliderBase() override = default;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void startedDragging() override;
    void stoppedDragging() override;

    // Where the value lies along the drawn sweep: 0 at `displayMin`, 1 at `displayMax`, not
    // clamped. A mapping that has no answer (an empty range, a logarithm of a range that does not
    // lie above zero) draws as 0 rather than as a broken arc.
    float displayProportion() const;

    // The value as the value box shows it, suffix included.
    juce::String valueText() const;

    bool isActive = true;
    MySkin skin;
    float arcOrigin = 0.0f;
    float displayMin = 0.0f;
    float displayMax = 1.0f;
    float displaySkew = 1.0f;
    bool isSkewDisplay = false;
    bool isLogDisplay = false;
    bool isIntegerText = false;
    // 1 shows the value box always; any other value only while dragging.
    int valueDisplayMode = 1;
    bool isDragging = false;
    // Set between mouse enter and exit.
    bool isHover = false;
    juce::Font titleFont { "Arial", 12.0f, juce::Font::plain };
    juce::Font valueFont { "Arial", 12.0f, juce::Font::plain };
    juce::String valueSuffix;
    juce::String* hintKeyTarget = nullptr;
    // Mouse travel for the whole range; the fine distance applies when Shift is down as a drag
    // starts, and stays for that whole drag.
    int dragPixels = 90;
    int fineDragPixels = 900;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SliderBase)
};
} // namespace my
