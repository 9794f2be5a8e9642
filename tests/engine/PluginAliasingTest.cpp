#include <gtest/gtest.h>

#include "engine/PluginProcessor.h"

#include <cmath>
#include <complex>
#include <vector>

namespace
{
constexpr double rate = 48000.0;
constexpr int blockSize = 512;
constexpr int fftOrder = 14;
constexpr int fftSize = 1 << fftOrder;
// A whole number of cycles in the analysis window, so every harmonic and every alias of one lands
// on a bin of its own: bin 1707 is 5000.98 Hz.
constexpr int toneBin = 1707;
constexpr int nearBins = 3; // a Hann-windowed component spreads over its bin and the next two

void set (WkrPlexa2AudioProcessor& processor, const char* id, float plainValue)
{
    auto* parameter = processor.apvts.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
}

// Power of each bin of the Hann-windowed last fftSize samples of the left channel.
std::vector<double> powerSpectrum (const std::vector<float>& signal)
{
    juce::dsp::FFT fft (fftOrder);
    std::vector<std::complex<float>> in ((size_t) fftSize), out ((size_t) fftSize);
    const size_t start = signal.size() - (size_t) fftSize;
    for (size_t i = 0; i < (size_t) fftSize; ++i)
    {
        const double hann = 0.5 - 0.5 * std::cos (juce::MathConstants<double>::twoPi * (double) i / fftSize);
        in[i] = { (float) (signal[start + i] * hann), 0.0f };
    }
    fft.perform (in.data(), out.data(), false);

    std::vector<double> power ((size_t) fftSize / 2);
    for (size_t k = 0; k < power.size(); ++k)
        power[k] = std::norm (out[k]);
    return power;
}

double sumAround (const std::vector<double>& power, int bin)
{
    double sum = 0.0;
    for (int k = bin - nearBins; k <= bin + nearBins; ++k)
        if (k >= 0 && k < (int) power.size())
            sum += power[(size_t) k];
    return sum;
}

double decibels (double powerRatio) { return 10.0 * std::log10 (powerRatio); }
} // namespace

// A 5 kHz tone at -6 dBFS through Soft Clip at x8, driven to a THD near -36 dB: the harmonics the
// curve makes above half the host rate must not fold back into the audible band.
TEST (Aliasing, SoftClipAtX8KeepsFoldedHarmonicsBelowMinus80dBc)
{
    WkrPlexa2AudioProcessor processor;
    processor.enableAllBuses();
    set (processor, "s1Input", -1.0f);
    processor.oversamplingIndexPass = 3;
    processor.prepareToPlay (rate, blockSize);

    const double frequency = toneBin * rate / fftSize;
    const int total = fftSize + 8 * blockSize; // the first blocks let the ramps and filters settle
    std::vector<float> output;
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    for (int start = 0; start < total; start += blockSize)
    {
        for (int i = 0; i < blockSize; ++i)
        {
            const auto x =
                (float) (0.5 * std::sin (juce::MathConstants<double>::twoPi * frequency * (start + i) / rate));
            buffer.setSample (0, i, x);
            buffer.setSample (1, i, x);
        }
        processor.processBlock (buffer, midi);
        output.insert (output.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + blockSize);
    }

    const auto power = powerSpectrum (output);
    const double fundamental = sumAround (power, toneBin);

    // Harmonics below half the host rate are distortion; everything else away from DC is aliasing.
    double harmonics = 0.0, everything = 0.0;
    for (int n = 2; n * toneBin + nearBins < fftSize / 2; ++n)
        harmonics += sumAround (power, n * toneBin);
    for (int k = nearBins + 1; k < fftSize / 2; ++k)
        everything += power[(size_t) k];
    const double aliasing = everything - fundamental - harmonics;

    const double thd = decibels (harmonics / fundamental);
    RecordProperty ("thd_dB", juce::String (thd, 1).toStdString());
    RecordProperty ("aliasing_dBc", juce::String (decibels (aliasing / fundamental), 1).toStdString());
    EXPECT_GT (thd, -40.0);
    EXPECT_LT (thd, -32.0);
    EXPECT_LT (decibels (aliasing / fundamental), -80.0) << "THD " << thd << " dB";
}
