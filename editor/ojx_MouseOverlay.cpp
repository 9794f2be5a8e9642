#include "editor/ojx_MouseOverlay.h"

#include "widgets/my_HintKey.h"

namespace my
{
MouseOverlay::MouseOverlay (ojx::AudioBufferScopeProcessor* store) : scopeProcessor (store) {}

MouseOverlay::~MouseOverlay() = default;

void MouseOverlay::mouseEnter (const juce::MouseEvent&) { HintKey::mouseEntered (hintKeyTarget, *this); }

void MouseOverlay::mouseExit (const juce::MouseEvent&) { HintKey::mouseExited (hintKeyTarget); }

void MouseOverlay::mouseDragDoSomething (int, int stepY)
{
    if (scopeProcessor == nullptr)
        return;

    // Only this overlay writes the zoom, so a load and a store cannot lose a change.
    const float zoom = scopeProcessor->zoom.load (std::memory_order_relaxed) + (float) stepY / pixelsForWholeZoom;
    scopeProcessor->zoom.store (juce::jlimit (0.0f, 1.0f, zoom), std::memory_order_relaxed);
}
} // namespace my
