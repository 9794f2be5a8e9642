#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "engine/ojx_AudioBufferScope.h"
#include "widgets/my_Mouse.h"

namespace my
{
// Transparent layer over the waveform view: shows the view's hint while hovered and turns
// vertical drags into the store's zoom, 100 pixels for the whole range (down zooms out).
class MouseOverlay : public Mouse
{
public:
    explicit MouseOverlay (ojx::AudioBufferScopeProcessor* store);
    ~MouseOverlay() override;

    void mouseEnter (const juce::MouseEvent& event) override;
    void mouseExit (const juce::MouseEvent& event) override;
    void mouseDragDoSomething (int stepX, int stepY) override;

    ojx::AudioBufferScopeProcessor* scopeProcessor = nullptr; // not owned
    juce::String* hintKeyTarget = nullptr;                     // the editor's shared hint key

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MouseOverlay)
};
} // namespace my
