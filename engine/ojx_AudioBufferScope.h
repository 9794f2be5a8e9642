#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <atomic>
#include <vector>

namespace ojx
{
// Audio-side store of the editor's waveform view. While an editor is open the processor feeds it
// the final output of every processed block; it keeps the latest mono samples in a window whose
// length follows `zoom` and republishes them after each feed as a one-channel snapshot.
//
// Handoff: the snapshot lives in three buffers, each sized for the longest window at construction.
// The feed writes its own buffer and swaps it into a shared middle slot with one atomic exchange;
// copyLatestSnapshot swaps a fresher middle buffer, if there is one, for its own and copies from
// that. Neither side ever waits or sees a buffer the other is writing, and the feed never
// allocates. copyLatestSnapshot must be called from one thread at a time (the message thread).
//
// It derives from juce::Component only as a holder: it is never shown, sized or added anywhere.
class AudioBufferScopeProcessor : public juce::Component
{
public:
    AudioBufferScopeProcessor();
    ~AudioBufferScopeProcessor() override;

    // Audio thread. Feeds one block of the final output: left and right are channels 0 and 1,
    // numSamples frames each (0 is allowed: nothing is appended, the window may shrink, and a
    // snapshot is still published). Never allocates, locks or waits.
    void feed (const float* left, const float* right, int numSamples) noexcept;

    // Message thread. Copies the latest complete snapshot into destination, resized to one channel
    // of the snapshot's sample count, and returns true. Returns false, leaving destination as it
    // was, while no feed has published a snapshot yet. Never waits for the audio thread.
    bool copyLatestSnapshot (juce::AudioBuffer<float>& destination);

    // Window length for a zoom value: minLength at 0, maxLength at 1 (zoom is limited to 0..1).
    int windowLength (float zoomValue) const noexcept;

    std::atomic<float> zoom { 0.5f };      // message thread (zoom overlay); read by the feed
    const int minLength = 44;              // shortest window, in samples
    const int maxLength = 4410;            // longest window, in samples; sizes every buffer
    std::atomic<bool> isActive { true };   // audio thread (copy of the master switch); read by the view
    std::atomic<bool> isWriting { false }; // audio thread; true while a feed publishes its snapshot
    int length = 100;                      // audio thread only: window of the last feed
    std::vector<float> samples;            // audio thread only: latest mono samples, oldest first

private:
    // Three one-channel snapshot buffers that change hands through `middle`: the feed owns one,
    // the reader one, and the third waits in the middle slot.
    struct SnapshotExchange
    {
        static constexpr int indexMask = 3;
        static constexpr int freshBit = 4; // set in `middle` when it holds a snapshot not yet taken

        std::array<juce::AudioBuffer<float>, 3> buffers;
        std::array<int, 3> sizes {};    // valid samples of each buffer; travels with the buffer
        std::atomic<int> middle { 1 };  // index of the waiting buffer, plus freshBit
        int writerIndex = 0;            // audio thread only
        int readerIndex = 2;            // reader only
        bool readerHasSnapshot = false; // reader only
    };

    void publishSnapshot() noexcept;

    SnapshotExchange snapshot;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioBufferScopeProcessor)
};
} // namespace ojx
