#pragma once

#include "engine/my_SmoothedProcessor.h"

#include <cmath>

namespace my
{
// Equal-power pan of a stereo block: position (targetValue) 0 hard left, 0.5 centre (unity gain),
// 1 hard right. The position is not limited. The processor never prepares its pan blocks, so they
// take every new position at once.
class PanProcessor : public SmoothedProcessor
{
public:
    // Per-channel factors for one pan position.
    struct Factors
    {
        float left, right;
    };

    PanProcessor() = default;

    void processAudioBlock (juce::dsp::AudioBlock<float>& block) override;

    // The per-frame formula: the two channel factors for a pan position.
    inline Factors factors (float position) const noexcept
    {
        const auto angle = position * angleScale;
        return { norm * std::cos (angle), norm * std::sin (angle) };
    }

    float angleScale = 1.5707964f; // pi / 2
    float norm = 1.4142135f;       // sqrt 2

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PanProcessor)
};
} // namespace my
