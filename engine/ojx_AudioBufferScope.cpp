#include "engine/ojx_AudioBufferScope.h"

namespace ojx
{
AudioBufferScopeProcessor::AudioBufferScopeProcessor()
{
    samples.reserve ((size_t) maxLength);
    samples.assign ((size_t) maxLength, 0.0f);

    for (auto& buffer : snapshot.buffers)
        buffer.setSize (1, maxLength);
}

AudioBufferScopeProcessor::~AudioBufferScopeProcessor() = default;

int AudioBufferScopeProcessor::windowLength (float zoomValue) const noexcept
{
    const auto z = juce::jlimit (0.0f, 1.0f, zoomValue);
    return (int) ((float) minLength + (float) (maxLength - minLength) * z);
}

void AudioBufferScopeProcessor::feed (const float* left, const float* right, int numSamples) noexcept
{
    length = windowLength (zoom.load (std::memory_order_relaxed));

    const auto n = (left != nullptr && right != nullptr) ? juce::jmax (0, numSamples) : 0;
    jassert (n == juce::jmax (0, numSamples));

    const auto held = (int) samples.size();
    const auto kept = n < length ? juce::jmin (held, length - n) : 0;
    const auto appended = juce::jmin (n, length);

    samples.erase (samples.begin(), samples.begin() + (held - kept));
    samples.resize ((size_t) (kept + appended)); // within the capacity reserved at construction

    auto* mono = samples.data() + kept;
    juce::FloatVectorOperations::add (mono, left, right, appended);
    juce::FloatVectorOperations::multiply (mono, 0.5f, appended);

    publishSnapshot();
}

void AudioBufferScopeProcessor::publishSnapshot() noexcept
{
    isWriting.store (true, std::memory_order_relaxed);

    const auto index = snapshot.writerIndex;
    const auto size = (int) samples.size();
    juce::FloatVectorOperations::copy (snapshot.buffers[(size_t) index].getWritePointer (0), samples.data(), size);
    snapshot.sizes[(size_t) index] = size;

    const auto previous = snapshot.middle.exchange (index | SnapshotExchange::freshBit, std::memory_order_acq_rel);
    snapshot.writerIndex = previous & SnapshotExchange::indexMask;

    isWriting.store (false, std::memory_order_relaxed);
}

bool AudioBufferScopeProcessor::copyLatestSnapshot (juce::AudioBuffer<float>& destination)
{
    if ((snapshot.middle.load (std::memory_order_relaxed) & SnapshotExchange::freshBit) != 0)
    {
        const auto previous = snapshot.middle.exchange (snapshot.readerIndex, std::memory_order_acq_rel);
        snapshot.readerIndex = previous & SnapshotExchange::indexMask;
        snapshot.readerHasSnapshot = true;
    }

    if (! snapshot.readerHasSnapshot)
        return false;

    const auto index = (size_t) snapshot.readerIndex;
    const auto size = snapshot.sizes[index];
    destination.setSize (1, size, false, false, true);

    if (size > 0)
        destination.copyFrom (0, 0, snapshot.buffers[index], 0, 0, size);

    return true;
}
} // namespace ojx
