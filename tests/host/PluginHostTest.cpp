#include <gtest/gtest.h>

#include "host/PluginHost.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <sstream>

namespace
{
struct HostRun
{
    int exitCode;
    std::string out, err;
};

HostRun runHost (const juce::StringArray& args)
{
    std::ostringstream out, err;
    const int code = host::run (args, out, err);
    return { code, out.str(), err.str() };
}

class CommandLineHost : public ::testing::Test
{
protected:
    juce::String path (const char* name) const { return folder.getChildFile (name).getFullPathName(); }

    void writeWav (const char* name, int channels, double rate, int samples, float value)
    {
        auto stream = std::make_unique<juce::FileOutputStream> (folder.getChildFile (name));
        std::unique_ptr<juce::AudioFormatWriter> writer (
            juce::WavAudioFormat().createWriterFor (stream.release(), rate, static_cast<unsigned> (channels), 32, {}, 0));
        juce::AudioBuffer<float> buffer (channels, samples);
        for (int c = 0; c < channels; ++c)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (c), value * static_cast<float> (c + 1), samples);
        writer->writeFromAudioSampleBuffer (buffer, 0, samples);
    }

    juce::File folder = juce::File::createTempFile ("wkr-host");

    void SetUp() override { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }
};

TEST (HostParameterId, HashesTheStringIdWithTheTopBitCleared)
{
    EXPECT_EQ (host::hostParameterId ("route"), 108704329u);
    EXPECT_EQ (host::hostParameterId (""), 0u);
    for (const char* id : { "masterInput", "s1Morph1", "s2Output", "masterOn" })
        EXPECT_EQ (host::hostParameterId (id) & 0x80000000u, 0u) << id;
    EXPECT_EQ (host::hostParameterId ("a"), 97u);
    EXPECT_EQ (host::hostParameterId ("ab"), 31u * 97u + 98u);
}

TEST_F (CommandLineHost, RendersTheBuiltInSignalAndReportsLevels)
{
    const auto run = runHost ({ "--seconds", "0.1", "--rate", "44100" });
    ASSERT_EQ (run.exitCode, 0) << run.err;
    EXPECT_NE (run.out.find ("4410 samples at 44100 Hz"), std::string::npos) << run.out;
    EXPECT_NE (run.out.find ("latency: 0 samples"), std::string::npos);
    EXPECT_NE (run.out.find ("input:  peak 0.5"), std::string::npos) << run.out;
    EXPECT_NE (run.out.find ("output: peak"), std::string::npos);
}

TEST_F (CommandLineHost, FoldsTheBuiltInSignalWithOversampling)
{
    // +24 dB into Sine folds the half-scale sines many times; the output stays near the curve's
    // range of +-1 (plus the filters' ripple) and is lowered by the output gain.
    const auto run = runHost ({ "--seconds", "0.5", "--set", "s1Input=24", "--set-text", "s1Shape=Sine",
                                "--set", "masterOutput=-6", "--oversampling", "3", "-o", path ("folded.wav") });
    ASSERT_EQ (run.exitCode, 0) << run.err;

    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (folder.getChildFile ("folded.wav")), true));
    ASSERT_NE (reader, nullptr);
    juce::AudioBuffer<float> output (2, static_cast<int> (reader->lengthInSamples));
    reader->read (&output, 0, output.getNumSamples(), 0, true, true);

    // Skip the ramps of the first 100 ms.
    const int settled = 4800;
    const float peak = output.getMagnitude (settled, output.getNumSamples() - settled);
    const float gain = juce::Decibels::decibelsToGain (-6.0f);
    EXPECT_GT (peak, 0.8f * gain);
    EXPECT_LT (peak, 1.1f * gain);
    EXPECT_NE (run.out.find ("latency: 5 samples"), std::string::npos) << run.out;

    // Folding turns the 220 Hz sine into a busier wave: far more zero crossings.
    int crossings = 0;
    for (int i = settled + 1; i < output.getNumSamples(); ++i)
        crossings += (output.getSample (0, i - 1) < 0.0f) != (output.getSample (0, i) < 0.0f);
    EXPECT_GT (crossings, 4 * 2 * 220 / 2);
}

TEST_F (CommandLineHost, ListsEveryParameterWithItsHostIdAndText)
{
    const auto run = runHost ({ "--list" });
    ASSERT_EQ (run.exitCode, 0);
    std::istringstream lines (run.out);
    std::string line;
    int rows = 0;
    while (std::getline (lines, line))
        ++rows;
    EXPECT_EQ (rows, 28);
    EXPECT_NE (run.out.find ("route                  108704329   Route              Serial"), std::string::npos) << run.out;
    EXPECT_NE (run.out.find ("s2On"), std::string::npos);
}

TEST_F (CommandLineHost, RendersAWavFileIntoAStereoWavFile)
{
    writeWav ("mono.wav", 1, 22050.0, 1000, 0.25f);
    const auto run = runHost ({ path ("mono.wav"), path ("out.wav"), "--block", "64" });
    ASSERT_EQ (run.exitCode, 0) << run.err;

    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (folder.getChildFile ("out.wav")), true));
    ASSERT_NE (reader, nullptr);
    EXPECT_EQ (reader->numChannels, 2u);
    EXPECT_EQ (reader->sampleRate, 22050.0);
    EXPECT_EQ (reader->lengthInSamples, 1000);
}

TEST_F (CommandLineHost, SavedStateRestoresParametersAndSettings)
{
    ASSERT_EQ (runHost ({ "--seconds", "0.01", "--set", "masterInput=-6.5", "--set-text", "route=Parallel",
                          "--set-text", "s1Shape=Sine", "--set-normalised", "s2Morph2=0.25", "--oversampling", "3",
                          "--save", path ("a.state") })
                   .exitCode,
               0);

    const auto restored = runHost ({ "--seconds", "0.01", "--load", path ("a.state"), "--save", path ("b.state") });
    ASSERT_EQ (restored.exitCode, 0) << restored.err;

    juce::MemoryBlock a, b;
    ASSERT_TRUE (folder.getChildFile ("a.state").loadFileAsData (a));
    ASSERT_TRUE (folder.getChildFile ("b.state").loadFileAsData (b));
    const auto tree = juce::ValueTree::readFromData (b.getData(), b.getSize());
    ASSERT_TRUE (tree.isValid());

    auto valueOf = [&tree] (const char* id) { return static_cast<float> (tree.getChildWithProperty ("id", id).getProperty ("value")); };
    EXPECT_FLOAT_EQ (valueOf ("masterInput"), -6.5f);
    EXPECT_FLOAT_EQ (valueOf ("route"), 1.0f);
    EXPECT_FLOAT_EQ (valueOf ("s1Shape"), 7.0f);
    EXPECT_FLOAT_EQ (valueOf ("s2Morph2"), 0.25f);
    EXPECT_FLOAT_EQ (valueOf ("s1Morph2"), 0.5f) << "the curve change set Sine's defaults";
    EXPECT_EQ (static_cast<int> (tree.getProperty ("oversamplingIndexPass")), 3);
}

TEST_F (CommandLineHost, BadArgumentsAndFilesGiveOneLineAndANonZeroExit)
{
    writeWav ("ok.wav", 2, 48000.0, 10, 0.1f);
    folder.getChildFile ("text.wav").replaceWithText ("this is no audio");
    folder.getChildFile ("empty.wav").create();

    const juce::StringArray failing[] = {
        { "--frobnicate" },
        { "--block" },
        { "--block", "0" },
        { "--block", "12.5" },
        { "--rate", "fast" },
        { "--set", "nonsense" },
        { "--set", "noSuchParameter=1" },
        { "--set", "masterInput=loud" },
        { "--set-normalised", "masterMix=1.5" },
        { "--oversampling", "5" },
        { "a.wav", "b.wav", "c.wav" },
        { path ("missing.wav") },
        { path ("text.wav") },
        { path ("empty.wav") },
        { folder.getFullPathName() },
        { "--load", path ("missing.state") },
        { path ("ok.wav"), path ("no/such/folder/out.wav") },
    };

    for (const auto& args : failing)
    {
        const auto run = runHost (args);
        EXPECT_NE (run.exitCode, 0) << args.joinIntoString (" ").toStdString();
        EXPECT_EQ (std::count (run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ (run.err.rfind ("wkr-plexa2-host: ", 0), 0u) << run.err;
    }
}

TEST_F (CommandLineHost, UndecodableStateBlocksAreIgnoredAsByAHost)
{
    folder.getChildFile ("garbage.state").replaceWithText ("garbage");
    const auto run = runHost ({ "--seconds", "0.01", "--load", path ("garbage.state") });
    EXPECT_EQ (run.exitCode, 0) << "a block that does not decode is ignored, as a host would";
}
} // namespace
