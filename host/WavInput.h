#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <memory>
#include <vector>

namespace host
{
// How the samples of a WAV file are stored: every encoding the host decodes exactly.
enum class SampleEncoding
{
    unsigned8,
    int16,
    int24,
    int32,
    float32,
    float64
};

// What the header of a WAV file says, after every check the host needs to trust it.
struct WavLayout
{
    int numChannels = 0;
    double sampleRate = 0.0;
    SampleEncoding encoding = SampleEncoding::int16;
    int bytesPerFrame = 0;
    juce::int64 dataStart = 0;
    juce::int64 numFrames = 0;
};

// Reads the RIFF or RF64 header from the stream and checks it against the stream's length.
// Throws std::runtime_error, naming the file as `name`, for anything that is not mono or stereo
// audio in an encoding above, and for audio data shorter than the header announces (with both
// sizes), so nothing is rendered from a file the host would have to guess about.
WavLayout readWavLayout (juce::InputStream& stream, const juce::String& name);

// A checked WAV file, read from its start in blocks of frames.
class WavInput
{
public:
    explicit WavInput (const juce::File& file);

    const WavLayout& getLayout() const { return layout; }

    // Reads the next numFrames frames into channels 0 and 1 (a mono file into both); throws
    // std::runtime_error when the file no longer holds them.
    void readNext (juce::AudioBuffer<float>& buffer, int numFrames);

private:
    juce::String name;
    std::unique_ptr<juce::FileInputStream> stream;
    WavLayout layout;
    std::vector<char> bytes;
};
} // namespace host
