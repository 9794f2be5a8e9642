#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <iosfwd>

namespace host
{
// Peak and RMS over both channels of everything added.
class LevelMeter
{
public:
    void add (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples);

    double getPeak() const { return peak; }
    double getRms() const;

    // "<label> peak 0.5000 (-6.02 dBFS), rms 0.3536 (-9.03 dBFS)"
    void print (std::ostream& out, const char* label) const;

private:
    double peak = 0.0, sumOfSquares = 0.0;
    juce::int64 values = 0;
};
} // namespace host
