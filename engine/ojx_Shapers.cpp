#include "engine/ojx_Shapers.h"

namespace my
{
void ShaperBase::processSamples (float* samples, int numSamples) const
{
    for (int i = 0; i < numSamples; ++i)
        samples[i] = getProcessed (samples[i]);
}

void ShaperBase::processFramesWithMorphs (float* left, float* right, const MorphValues*, int numFrames) const
{
    processSamples (left, numFrames);
    if (right != nullptr)
        processSamples (right, numFrames);
}

MorphValues ShaperBase::getMorph() const noexcept
{
    MorphValues values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = morph[i].load (std::memory_order_relaxed);
    return values;
}

void ShaperBase::setMorph (const MorphValues& values) noexcept
{
    for (size_t i = 0; i < values.size(); ++i)
        morph[i].store (values[i], std::memory_order_relaxed);
}
} // namespace my
