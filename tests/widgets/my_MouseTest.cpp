#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_Mouse.h"

#include <vector>

using namespace widget_testing;

namespace
{
class RecordingMouse : public my::Mouse
{
public:
    void mouseDownDoSomething() override { ++presses; }
    void mouseDragDoSomething (int stepX, int stepY) override { steps.emplace_back (stepX, stepY); }

    int presses = 0;
    std::vector<juce::Point<int>> steps;
};

// A mouse area inside a parent, driven by a fake desktop pointer.
class MouseTest : public ::testing::Test
{
protected:
    MouseTest()
    {
        parent.setBounds (0, 0, 602, 444);
        parent.addAndMakeVisible (area);
        area.setBounds (306, 34, 292, 50);
    }

    void pressAt (juce::Point<float> desktop)
    {
        pointer = desktop;
        area.mouseDown (mouseEventFor (area));
    }

    void dragTo (juce::Point<float> desktop)
    {
        pointer = desktop;
        // The event's own position is deliberately wrong: the desktop position counts.
        area.mouseDrag (mouseEventFor (area, { -1000.0f, -1000.0f }));
    }

    juce::Point<int> sumOfSteps() const
    {
        juce::Point<int> sum;
        for (auto step : area.steps)
            sum += step;
        return sum;
    }

    juce::Point<float> pointer;
    my::DesktopMouse::ScopedSource fakeDesktop { [this] { return pointer; } };
    juce::Component parent;
    RecordingMouse area;
};
} // namespace

TEST_F (MouseTest, PressRecordsTheLocalPositionAndCallsOnlyTheDownHook)
{
    pressAt ({ 316.4f, 44.6f });

    EXPECT_EQ (area.mouseDownPosition, juce::Point<int> (10, 11));
    EXPECT_EQ (area.lastPosition, juce::Point<int> (10, 11));
    EXPECT_EQ (area.presses, 1);
    EXPECT_TRUE (area.steps.empty());
}

TEST_F (MouseTest, DragDeliversStepsBetweenConsecutiveEvents)
{
    pressAt ({ 316.0f, 44.0f });
    dragTo ({ 319.0f, 46.0f });
    dragTo ({ 319.0f, 40.0f });

    const std::vector<juce::Point<int>> expected { { 3, 2 }, { 0, -6 } };
    EXPECT_EQ (area.steps, expected);
    EXPECT_EQ (area.currentPosition, juce::Point<int> (13, 6));
    EXPECT_EQ (area.lastPosition, juce::Point<int> (13, 6));
    EXPECT_EQ (area.dx, 0);
    EXPECT_EQ (area.dy, -6);
    EXPECT_EQ (area.mouseDownPosition, juce::Point<int> (10, 10));
}

TEST_F (MouseTest, DragThatReturnsToItsStartAddsUpToZero)
{
    pressAt ({ 400.0f, 60.0f });

    for (float y : { 63.0f, 70.0f, 52.0f, 41.0f, 60.0f })
        dragTo ({ 400.0f, y });

    EXPECT_EQ (sumOfSteps(), juce::Point<int>());
}

TEST_F (MouseTest, StepsAreInDesignPixelsUnderTheEditorsScale)
{
    parent.setTransform (juce::AffineTransform::scale (2.0f));
    pressAt ({ 800.0f, 100.0f });

    for (int i = 1; i <= 10; ++i)
        dragTo ({ 800.0f, 100.0f + (float) i });

    EXPECT_NEAR (sumOfSteps().y, 5, 1);
    EXPECT_EQ (sumOfSteps().x, 0);
}

TEST (DesktopMouse, ScopedSourceReplacesAndRestoresThePointer)
{
    {
        const my::DesktopMouse::ScopedSource fake ([] { return juce::Point<float> (12.0f, 34.0f); });
        EXPECT_EQ (my::DesktopMouse::getPosition(), juce::Point<float> (12.0f, 34.0f));

        juce::Component component;
        component.setBounds (10, 30, 50, 50);
        EXPECT_EQ (my::DesktopMouse::getPositionIn (component), juce::Point<int> (2, 4));
    }
}
