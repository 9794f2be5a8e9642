#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace my
{
// Where the pointer is on the desktop. Tests, which have no desktop, replace the source.
class DesktopMouse
{
public:
    using Source = std::function<juce::Point<float>()>;

    static juce::Point<float> getPosition();

    // The position rounded to whole pixels and brought into `component`'s own coordinates,
    // through its parents and their transforms (so the editor's scale is divided out).
    static juce::Point<int> getPositionIn (const juce::Component& component);

    // An empty source asks the real desktop again.
    static void setSource (Source newSource);

    class ScopedSource
    {
    public:
        explicit ScopedSource (Source source) { setSource (std::move (source)); }
        ~ScopedSource() { setSource ({}); }

        ScopedSource (const ScopedSource&) = delete;
        ScopedSource& operator= (const ScopedSource&) = delete;
    };
};

// Component base that turns a drag into whole-pixel steps between consecutive events. Positions
// come from the desktop, not from the event, so they stay in the component's design pixels.
class Mouse : public juce::Component
{
public:
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;

    virtual void mouseDownDoSomething() {}
    virtual void mouseDragDoSomething (int stepX, int stepY) = 0;

    juce::Point<int> mouseDownPosition;
    juce::Point<int> currentPosition;
    juce::Point<int> lastPosition;
    int dx = 0;
    int dy = 0;
};
} // namespace my
