#pragma once

#include <ladspa.h>

#include <string>
#include <vector>

// The leanest peer we measure ourselves against: the "Saturate" plug-in of the caps LADSPA
// collection (8x oversampled static curves), one mono instance per channel, loaded at run time.
class PeerSaturate
{
public:
    static constexpr const char* defaultLibrary = "/usr/lib/ladspa/caps.so";
    static constexpr float atanMode = 1.0f;

    // Loads the library and instantiates one instance per channel in the given mode and gain;
    // isLoaded() tells whether that worked, error() why not.
    PeerSaturate (const std::string& libraryPath, double sampleRate, int numChannels, int maxBlockSize, float mode,
                  float gainDecibels);
    ~PeerSaturate();

    bool isLoaded() const noexcept { return descriptor != nullptr && ! instances.empty(); }
    const std::string& error() const noexcept { return problem; }

    // Processes numSamples samples (at most maxBlockSize) of each channel in place.
    void process (float* const* channels, int numSamples);

    PeerSaturate (const PeerSaturate&) = delete;
    PeerSaturate& operator= (const PeerSaturate&) = delete;

private:
    struct Instance
    {
        LADSPA_Handle handle = nullptr;
        std::vector<LADSPA_Data> controls; // one per port; audio ports leave theirs unused
        std::vector<LADSPA_Data> input, output;
    };

    void* library = nullptr;
    const LADSPA_Descriptor* descriptor = nullptr;
    std::vector<Instance> instances;
    std::string problem;
};
