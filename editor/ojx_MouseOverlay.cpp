#include "editor/ojx_MouseOverlay.h"

namespace my
{
MouseOverlay::MouseOverlay (ojx::AudioBufferScopeProcessor* store) : scopeProcessor (store) {}

MouseOverlay::~MouseOverlay() = default;

void MouseOverlay::mouseEnter (const juce::MouseEvent&) {}

void MouseOverlay::mouseExit (const juce::MouseEvent&) {}

void MouseOverlay::mouseDragDoSomething (int, int) {}
} // namespace my
