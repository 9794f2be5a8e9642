#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include "engine/ojx_ShapeProcessor.h"

namespace my
{
// Transfer curve of one shaper slot: the selected curve's output for inputs from -range to +range
// over a grid of one vertical line per unit of input, with the stretch the last block's signal
// used drawn opaque on top. It evaluates the slot's live curve, so curve and morph changes show
// without any message from the audio side. Draws no background. Message thread only.
class ShapeScope2d : public juce::Component
{
public:
    // Inputs between two points of the curve.
    static constexpr float inputStep = 0.01f;
    // Beyond this range (and at 0, or anything not a positive number) only the frame and the
    // centre line are drawn: the grid and the curve would need too many points to be of use.
    static constexpr float largestRange = 1000.0f;

    explicit ShapeScope2d (ShapeProcessor* slot);
    ~ShapeScope2d() override;

    void paint (juce::Graphics& g) override;

    // The curve over the inputs from `from` while not above `to` (both held within the range), in
    // steps of inputStep, in this view's pixels at its present size. Empty while the range cannot
    // be drawn.
    juce::Path curvePath (const ShaperBase& curve, float from, float to) const;

    ShapeProcessor* shapeProcessor = nullptr; // not owned
    bool isActive = true;                     // the curve in the accent colour, else grey
    float range = 16.0f;                      // shows inputs from -range to +range
    float inputMax = 0.0f;                    // used span of the last block, copied each tick
    float inputMin = 0.0f;

private:
    bool canDrawRange() const noexcept;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShapeScope2d)
};
} // namespace my
