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
    explicit ShapeScope2d (ShapeProcessor* slot);
    ~ShapeScope2d() override;

    void paint (juce::Graphics& g) override;

    ShapeProcessor* shapeProcessor = nullptr; // not owned
    bool isActive = true;                     // the curve in the accent colour, else grey
    float range = 16.0f;                      // shows inputs from -range to +range
    float inputMax = 0.0f;                    // used span of the last block, copied each tick
    float inputMin = 0.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ShapeScope2d)
};
} // namespace my
