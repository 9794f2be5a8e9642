#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "engine/ojx_AudioBufferScope.h"
#include "widgets/my_Mouse.h"

namespace my
{
// Transparent layer over the waveform view: shows the view's hint while hovered and turns
// vertical drags into the store's zoom. Paints nothing.
class MouseOverlay : public Mouse
{
public:
    // Vertical drag that takes the zoom from one end to the other.
    static constexpr float pixelsForWholeZoom = 100.0f;

    explicit MouseOverlay (ojx::AudioBufferScopeProcessor* store);
    ~MouseOverlay() override;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    // Steps down zoom out, towards the store's longest window; horizontal steps are ignored.
    void mouseDragDoSomething (int stepX, int stepY) override;

    ojx::AudioBufferScopeProcessor* scopeProcessor = nullptr; // not owned
    juce::String* hintKeyTarget = nullptr;                    // the editor's shared hint key

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MouseOverlay)
};
} // namespace my
