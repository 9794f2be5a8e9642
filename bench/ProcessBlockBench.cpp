#include "engine/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr float slotDrive = 24.0f; // dB into each slot: enough to keep the folding curves folding

struct Curve
{
    const char* name;
    int index;
};

// The saturation and folding curves that stand for the rest.
const Curve curves[] = { { "SoftClip", 0 }, { "FlexClipSym", 1 }, { "Sine", 7 }, { "TriangleSpring", 15 } };
const char* const choiceNames[] = { "Off", "x2", "x4", "x8", "x16" };

juce::AudioBuffer<float> fullScaleNoise()
{
    std::mt19937 random (7);
    std::uniform_real_distribution<float> uniform (-1.0f, 1.0f);
    juce::AudioBuffer<float> buffer (2, blockSize);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < blockSize; ++i)
            buffer.setSample (c, i, uniform (random));
    return buffer;
}

void setPlain (WkrPlexa2AudioProcessor& processor, const juce::String& id, float value)
{
    auto* parameter = processor.apvts.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

void reportRealtime (benchmark::State& state)
{
    state.counters["realtime"] = benchmark::Counter (static_cast<double> (state.iterations()) * blockSize / sampleRate,
                                                     benchmark::Counter::kIsRate);
}

// The whole processBlock: both slots on in the serial route, the same curve in each.
void chain (benchmark::State& state, int curve, int choice)
{
    WkrPlexa2AudioProcessor processor;
    processor.enableAllBuses();
    setPlain (processor, "s2On", 1.0f);
    setPlain (processor, "s1Shape", static_cast<float> (curve));
    setPlain (processor, "s2Shape", static_cast<float> (curve));
    setPlain (processor, "s1Input", slotDrive);
    setPlain (processor, "s2Input", slotDrive);
    processor.oversamplingIndexPass = choice;
    processor.prepareToPlay (sampleRate, blockSize);

    const auto input = fullScaleNoise();
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;

    // Settle the curve change (morph defaults) and every ramp.
    for (int i = 0; i < 40; ++i)
    {
        buffer.makeCopyOf (input, true);
        processor.processBlock (buffer, midi);
    }

    for (auto _ : state)
    {
        buffer.makeCopyOf (input, true);
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtime (state);
}

// What the chain cannot beat: up-sampling, the curve once for each slot, down-sampling. The curves'
// cost depends on their input, so each pass sees what its slot sees in the chain: the driven
// stream, then the first pass's result driven again. Only the three steps are timed, not the
// copies and gains that prepare each pass's input.
void limit (benchmark::State& state, int curve, int choice)
{
    using Clock = std::chrono::steady_clock;
    const juce::ScopedNoDenormals noDenormals;
    WkrPlexa2AudioProcessor processor; // owns the oversamplers and the curves, unprepared
    auto& shaper = *processor.shapeProcessor1.shapers[static_cast<size_t> (curve)];
    shaper.setMorph (shaper.defaultMorph);

    auto* oversampler = processor.oversamplerFor (choice);
    if (oversampler != nullptr)
    {
        oversampler->initProcessing (blockSize);
        oversampler->reset();
    }

    auto input = fullScaleNoise();
    input.applyGain (juce::Decibels::decibelsToGain (slotDrive));
    juce::AudioBuffer<float> buffer (2, blockSize), curveInput (2, blockSize * 16);

    for (auto _ : state)
    {
        buffer.makeCopyOf (input, true);
        juce::dsp::AudioBlock<float> host (buffer);

        const auto start = Clock::now();
        auto stream = oversampler != nullptr ? oversampler->processSamplesUp (host) : host;
        const auto n = static_cast<int> (stream.getNumSamples());
        auto elapsed = Clock::now() - start;

        for (int channel = 0; channel < 2; ++channel)
            curveInput.copyFrom (channel, 0, stream.getChannelPointer (static_cast<size_t> (channel)), n);

        for (int slot = 0; slot < 2; ++slot)
        {
            if (slot == 1)
                curveInput.applyGain (0, n, juce::Decibels::decibelsToGain (slotDrive));

            const auto curveStart = Clock::now();
            for (int channel = 0; channel < 2; ++channel)
                shaper.processSamples (curveInput.getWritePointer (channel), n);
            elapsed += Clock::now() - curveStart;
        }

        const auto downStart = Clock::now();
        if (oversampler != nullptr)
            oversampler->processSamplesDown (host);
        elapsed += Clock::now() - downStart;

        benchmark::DoNotOptimize (curveInput.getReadPointer (0));
        state.SetIterationTime (std::chrono::duration<double> (elapsed).count());
    }
    reportRealtime (state);
}

juce::String nameOf (const char* kind, const Curve& curve, int choice)
{
    return juce::String (kind) + "/" + curve.name + "/" + choiceNames[choice];
}

// Prints every run as usual and keeps the times, so the overhead of each chain over its limit can
// be reported from this one run.
class OverheadReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    // Returns false when a chain misses its target.
    bool printOverheads() const
    {
        bool allMet = true;
        std::printf ("\noverhead = chain / (oversampler round trip + 2 x curve); target 2.0 Off, 1.3 x16\n");
        for (const auto& curve : curves)
            for (int choice = 0; choice < 5; ++choice)
            {
                const auto chainTime = find (nameOf ("chain", curve, choice));
                const auto limitTime = find (nameOf ("limit", curve, choice));
                if (chainTime <= 0.0 || limitTime <= 0.0)
                    continue;
                const double overhead = chainTime / limitTime;
                const double target = choice == 0 ? 2.0 : (choice == 4 ? 1.3 : 0.0);
                const bool met = target == 0.0 || overhead <= target;
                allMet = allMet && met;
                std::printf ("%-16s %-4s overhead %.2f%s\n", curve.name, choiceNames[choice], overhead,
                             target == 0.0 ? "" : (met ? "  (met)" : "  (MISSED)"));
            }
        return allMet;
    }

private:
    double find (const juce::String& name) const
    {
        const auto it = times.find (name.toStdString());
        return it == times.end() ? 0.0 : it->second;
    }

    std::map<std::string, double> times; // real time per iteration, by benchmark name
};
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    for (const auto& curve : curves)
        for (int choice = 0; choice < 5; ++choice)
        {
            benchmark::RegisterBenchmark (nameOf ("chain", curve, choice).toRawUTF8(), chain, curve.index, choice);
            benchmark::RegisterBenchmark (nameOf ("limit", curve, choice).toRawUTF8(), limit, curve.index, choice)->UseManualTime();
        }

    benchmark::Initialize (&argc, argv);
    OverheadReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    const bool met = reporter.printOverheads();
    benchmark::Shutdown();
    return met ? 0 : 1;
}
