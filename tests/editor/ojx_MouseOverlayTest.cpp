#include <gtest/gtest.h>

#include "editor/ojx_MouseOverlay.h"
#include "widgets/WidgetTesting.h"

using namespace widget_testing;

TEST (MouseOverlay, VerticalDragsMoveTheZoomAndStopAtItsEnds)
{
    juce::Point<float> pointer { 100.0f, 20.0f };
    const my::DesktopMouse::ScopedSource fakeDesktop { [&] { return pointer; } };
    ojx::AudioBufferScopeProcessor store;
    my::MouseOverlay overlay { &store };
    overlay.setBounds (0, 0, 292, 50);

    overlay.mouseDown (mouseEventFor (overlay));
    const auto dragTo = [&] (float x, float y)
    {
        pointer = { x, y };
        overlay.mouseDrag (mouseEventFor (overlay));
    };

    dragTo (100.0f, 50.0f);
    EXPECT_FLOAT_EQ (store.zoom, 0.8f);
    dragTo (100.0f, -40.0f);
    EXPECT_EQ (store.zoom, 0.0f);
    dragTo (100.0f, -30.0f);
    EXPECT_FLOAT_EQ (store.zoom, 0.1f);
    dragTo (250.0f, -30.0f);
    EXPECT_FLOAT_EQ (store.zoom, 0.1f);
}

TEST (MouseOverlay, HoverWritesAndClearsTheHintKey)
{
    ojx::AudioBufferScopeProcessor store;
    my::MouseOverlay overlay { &store };
    overlay.setComponentID ("mouseOverlay");
    juce::String hintKey;
    overlay.hintKeyTarget = &hintKey;

    overlay.mouseEnter (mouseEventFor (overlay));
    EXPECT_EQ (hintKey, "mouseOverlay");
    overlay.mouseExit (mouseEventFor (overlay));
    EXPECT_TRUE (hintKey.isEmpty());
}
