#include "widgets/my_Mouse.h"

namespace my
{
namespace
{
DesktopMouse::Source& currentSource()
{
    static DesktopMouse::Source source;
    return source;
}
} // namespace

juce::Point<float> DesktopMouse::getPosition()
{
    if (const auto& source = currentSource())
        return source();

    return juce::Desktop::getInstance().getMainMouseSource().getScreenPosition();
}

juce::Point<int> DesktopMouse::getPositionIn (const juce::Component& component)
{
    return component.getLocalPoint (nullptr, getPosition().roundToInt());
}

void DesktopMouse::setSource (Source newSource) { currentSource() = std::move (newSource); }

void Mouse::mouseDown (const juce::MouseEvent&)
{
    mouseDownPosition = DesktopMouse::getPositionIn (*this);
    lastPosition = mouseDownPosition;
    mouseDownDoSomething();
}

void Mouse::mouseDrag (const juce::MouseEvent&)
{
    currentPosition = DesktopMouse::getPositionIn (*this);
    dx = currentPosition.x - lastPosition.x;
    dy = currentPosition.y - lastPosition.y;
    mouseDragDoSomething (dx, dy);
    lastPosition = currentPosition;
}
} // namespace my
