#include "PeerSaturate.h"
#include "engine/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <map>
#include <random>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr int noiseLength = 1 << 16; // long enough that no branch predictor learns the noise
constexpr float slotDrive = 24.0f;   // dB into each slot: enough to keep the folding curves folding
constexpr int x8 = 3;
constexpr int repetitions = 5; // the fastest of these counts: other work on the machine only slows a run down
constexpr double peerTarget = 0.7;

struct Curve
{
    const char* name;
    int index;
};

// The saturation and folding curves that stand for the rest in the overhead table, and that the
// peer comparison holds to its target.
const Curve curves[] = { { "SoftClip", 0 }, { "FlexClipSym", 1 }, { "Sine", 7 }, { "TriangleSpring", 15 } };
const char* const choiceNames[] = { "Off", "x2", "x4", "x8", "x16" };

bool isRepresentative (int index)
{
    return std::any_of (std::begin (curves), std::end (curves), [index] (const Curve& c) { return c.index == index; });
}

// Full-scale stereo noise, the same for every benchmark and for the peer.
const juce::AudioBuffer<float>& fullScaleNoise()
{
    static const auto noise = []
    {
        std::mt19937 random (7);
        std::uniform_real_distribution<float> uniform (-1.0f, 1.0f);
        juce::AudioBuffer<float> buffer (2, noiseLength);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < noiseLength; ++i)
                buffer.setSample (c, i, uniform (random));
        return buffer;
    }();
    return noise;
}

// Copies the next block of the noise into buffer, going round the noise.
void nextNoiseBlock (juce::AudioBuffer<float>& buffer, int& position)
{
    for (int c = 0; c < 2; ++c)
        buffer.copyFrom (c, 0, fullScaleNoise(), c, position, blockSize);
    position = (position + blockSize) % noiseLength;
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

// The whole processBlock with slot 1 driven; slot 2 off, or on in the serial route with the same
// curve and drive. Morph values are the curve's defaults.
void chain (benchmark::State& state, int curve, int choice, bool bothSlots)
{
    WkrPlexa2AudioProcessor processor;
    processor.enableAllBuses();
    setPlain (processor, "s1Shape", static_cast<float> (curve));
    setPlain (processor, "s1Input", slotDrive);
    if (bothSlots)
    {
        setPlain (processor, "s2On", 1.0f);
        setPlain (processor, "s2Shape", static_cast<float> (curve));
        setPlain (processor, "s2Input", slotDrive);
    }
    processor.oversamplingIndexPass = choice;
    processor.prepareToPlay (sampleRate, blockSize);

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    int position = 0;

    // Settle the curve change (morph defaults) and every ramp.
    for (int i = 0; i < 40; ++i)
    {
        nextNoiseBlock (buffer, position);
        processor.processBlock (buffer, midi);
    }

    for (auto _ : state)
    {
        nextNoiseBlock (buffer, position);
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtime (state);
}

// The peer on the same noise with the same drive.
void peer (benchmark::State& state)
{
    PeerSaturate saturate (PeerSaturate::defaultLibrary, sampleRate, 2, blockSize, PeerSaturate::atanMode, slotDrive);
    if (! saturate.isLoaded())
    {
        state.SkipWithError (saturate.error().c_str());
        return;
    }

    juce::AudioBuffer<float> buffer (2, blockSize);
    int position = 0;
    for (auto _ : state)
    {
        nextNoiseBlock (buffer, position);
        saturate.process (buffer.getArrayOfWritePointers(), blockSize);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtime (state);
}

// What no chain can beat: the oversampler's round trip alone.
void roundTrip (benchmark::State& state, int choice)
{
    const juce::ScopedNoDenormals noDenormals;
    WkrPlexa2AudioProcessor processor; // owns the oversamplers, unprepared
    auto* oversampler = processor.oversamplerFor (choice);
    oversampler->initProcessing (blockSize);
    oversampler->reset();

    juce::AudioBuffer<float> buffer (2, blockSize);
    int position = 0;
    for (auto _ : state)
    {
        nextNoiseBlock (buffer, position);
        juce::dsp::AudioBlock<float> host (buffer);
        benchmark::DoNotOptimize (oversampler->processSamplesUp (host).getChannelPointer (0));
        oversampler->processSamplesDown (host);
    }
    reportRealtime (state);
}

// The curve alone, at its default morph values, on what slot 1 sees at x8: the driven, up-sampled
// noise. Only the curve is timed; the counter is nanoseconds per sample shaped.
void curveCost (benchmark::State& state, int curve)
{
    using Clock = std::chrono::steady_clock;
    const juce::ScopedNoDenormals noDenormals;
    WkrPlexa2AudioProcessor processor;
    auto& shaper = *processor.shapeProcessor1.shapers[static_cast<size_t> (curve)];
    shaper.setMorph (shaper.defaultMorph);
    auto* oversampler = processor.oversamplerFor (x8);
    oversampler->initProcessing (blockSize);
    oversampler->reset();

    juce::AudioBuffer<float> buffer (2, blockSize), curveInput (2, blockSize * 8);
    int position = 0;
    double shaped = 0.0, seconds = 0.0;
    for (auto _ : state)
    {
        nextNoiseBlock (buffer, position);
        buffer.applyGain (juce::Decibels::decibelsToGain (slotDrive));
        juce::dsp::AudioBlock<float> host (buffer);
        const auto stream = oversampler->processSamplesUp (host);
        const auto n = static_cast<int> (stream.getNumSamples());
        for (int c = 0; c < 2; ++c)
            curveInput.copyFrom (c, 0, stream.getChannelPointer (static_cast<size_t> (c)), n);

        const auto start = Clock::now();
        for (int c = 0; c < 2; ++c)
            shaper.processSamples (curveInput.getWritePointer (c), n);
        const double elapsed = std::chrono::duration<double> (Clock::now() - start).count();
        state.SetIterationTime (elapsed);
        seconds += elapsed;
        benchmark::DoNotOptimize (curveInput.getReadPointer (0));
        shaped += 2.0 * n;
    }
    state.counters["ns/sample"] = shaped > 0.0 ? seconds / shaped * 1.0e9 : 0.0;
}

juce::String chainName (const char* kind, const char* curve, int choice)
{
    return juce::String (kind) + "/" + curve + "/" + choiceNames[choice];
}

juce::String compactName (int index)
{
    return juce::String (my::curveDisplayNames[static_cast<size_t> (index)]).removeCharacters (" ");
}

// Prints every run as usual and keeps the fastest CPU time of each benchmark, so the peer
// comparison and the overheads come from this one run.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);
        for (const auto& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const auto name = run.run_name.function_name;
            const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier (run.time_unit);
            auto it = times.find (name);
            if (it == times.end() || seconds < it->second)
                times[name] = seconds;
            const auto cost = run.counters.find ("ns/sample");
            if (cost != run.counters.end())
                nanosecondsPerSample[name] = std::min (
                    nanosecondsPerSample.count (name) ? nanosecondsPerSample[name] : 1.0e30, cost->second.value);
        }
    }

    // Returns false when a representative curve misses the peer target.
    bool printSummary() const
    {
        const double peerTime = find ("peer/CapsSaturate8x");
        const auto realtime = [] (double time) { return time > 0.0 ? blockSize / sampleRate / time : 0.0; };

        bool allMet = true;
        std::printf (
            "\nat x8, one slot, +%.0f dB, default morph values: realtime factor, and ours / CAPS Saturate 8x\n",
            slotDrive);
        if (peerTime > 0.0)
            std::printf ("%-22s %7.1f\n", "CAPS Saturate 8x", realtime (peerTime));
        else
            std::printf ("CAPS Saturate 8x did not run (install the caps package); no ratios\n");

        for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
        {
            const double time = find (chainName ("oneSlot", compactName (index).toRawUTF8(), x8));
            if (time <= 0.0)
                continue;
            std::printf ("%-22s %7.1f", my::curveDisplayNames[static_cast<size_t> (index)], realtime (time));
            if (peerTime > 0.0)
            {
                const double ratio = peerTime / time;
                const bool held = isRepresentative (index);
                const bool met = ratio >= peerTarget;
                allMet = allMet && (met || ! held);
                std::printf ("  %5.2f%s", ratio, held ? (met ? "  (met)" : "  (MISSED)") : "");
            }
            const double cost = findCost ("curve/" + compactName (index));
            if (cost > 0.0)
                std::printf ("  curve %5.2f ns/sample", cost);
            std::printf ("\n");
        }

        std::printf ("\nboth slots in serial: realtime factor, and chain / oversampler round trip\n");
        for (const auto& curve : curves)
            for (int choice = 0; choice < 5; ++choice)
            {
                const double chainTime = find (chainName ("chain", curve.name, choice));
                if (chainTime <= 0.0)
                    continue;
                std::printf ("%-16s %-4s %7.1f", curve.name, choiceNames[choice], realtime (chainTime));
                const double roundTripTime = find (juce::String ("roundTrip/") + choiceNames[choice]);
                if (roundTripTime > 0.0)
                    std::printf ("  overhead %5.2f", chainTime / roundTripTime);
                std::printf ("\n");
            }
        for (int choice = 1; choice < 5; ++choice)
            if (const double time = find (juce::String ("roundTrip/") + choiceNames[choice]); time > 0.0)
                std::printf ("round trip %-4s %7.1f\n", choiceNames[choice], realtime (time));
        return allMet;
    }

private:
    double find (const juce::String& name) const
    {
        const auto it = times.find (name.toStdString());
        return it == times.end() ? 0.0 : it->second;
    }
    double findCost (const juce::String& name) const
    {
        const auto it = nanosecondsPerSample.find (name.toStdString());
        return it == nanosecondsPerSample.end() ? 0.0 : it->second;
    }

    std::map<std::string, double> times;                // fastest CPU time per iteration, by name
    std::map<std::string, double> nanosecondsPerSample; // curve cost, by name
};
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    // The peer runs again before each curve held to the target, so a spell of load from elsewhere
    // on the machine cannot favour either side; the fastest of all its runs counts.
    const auto registerPeer = []
    { benchmark::RegisterBenchmark ("peer/CapsSaturate8x", peer)->Repetitions (repetitions); };
    for (int index = 0; index < my::ShapeProcessor::numShapes; ++index)
    {
        const auto name = compactName (index);
        if (index == 0 || isRepresentative (index))
            registerPeer();
        benchmark::RegisterBenchmark (chainName ("oneSlot", name.toRawUTF8(), x8).toRawUTF8(), chain, index, x8, false)
            ->Repetitions (repetitions);
        benchmark::RegisterBenchmark (("curve/" + name).toRawUTF8(), curveCost, index)->UseManualTime();
    }
    registerPeer();
    for (int choice = 1; choice < 5; ++choice)
        benchmark::RegisterBenchmark ((juce::String ("roundTrip/") + choiceNames[choice]).toRawUTF8(), roundTrip,
                                      choice);
    for (const auto& curve : curves)
        for (int choice = 0; choice < 5; ++choice)
            benchmark::RegisterBenchmark (chainName ("chain", curve.name, choice).toRawUTF8(), chain, curve.index,
                                          choice, true);

    benchmark::Initialize (&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    const bool met = reporter.printSummary();
    benchmark::Shutdown();
    return met ? 0 : 1;
}
