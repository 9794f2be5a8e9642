#include "host/LevelMeter.h"

#include <cmath>
#include <ostream>

namespace host
{
void LevelMeter::add (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    for (int channel = 0; channel < 2; ++channel)
        for (int i = startSample; i < startSample + numSamples; ++i)
        {
            const double x = buffer.getSample (channel, i);
            peak = std::max (peak, std::abs (x));
            sumOfSquares += x * x;
        }
    values += 2 * numSamples;
}

double LevelMeter::getRms() const { return values > 0 ? std::sqrt (sumOfSquares / static_cast<double> (values)) : 0.0; }

void LevelMeter::print (std::ostream& out, const char* label) const
{
    auto db = [] (double x) { return juce::String (juce::Decibels::gainToDecibels (x, -200.0), 2) + " dBFS"; };
    out << label << " peak " << juce::String (peak, 4) << " (" << db (peak) << "), rms " << juce::String (getRms(), 4)
        << " (" << db (getRms()) << ")\n";
}
} // namespace host
