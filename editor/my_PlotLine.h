#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cmath>

namespace my
{
// The line of a plot, point by point, in a view's pixels. A point that is not a finite number
// leaves a gap (the next good point starts a new stretch), and points far outside any view are
// pulled in to a bound the renderer can still hold in fixed point. Within the bound the line is
// exactly the one through the given points.
class PlotLine
{
public:
    static constexpr float farLimit = 1.0e6f;

    void add (float x, float y)
    {
        if (! (std::isfinite (x) && std::isfinite (y)))
        {
            started = false;
            return;
        }

        x = juce::jlimit (-farLimit, farLimit, x);
        y = juce::jlimit (-farLimit, farLimit, y);

        if (started)
            path.lineTo (x, y);
        else
            path.startNewSubPath (x, y);

        started = true;
    }

    juce::Path path;

private:
    bool started = false;
};
} // namespace my
