#include <gtest/gtest.h>

#include "host/PluginHost.h"
#include "HostFiles.h"
#include "WavBuilder.h"

#include <juce_data_structures/juce_data_structures.h>

#include <cmath>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
using testing_support::readWav;
using testing_support::writeWav;

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
    juce::String path (const char* name) const { return (folder / name).getFullPathName(); }

    void writeConstantWav (const char* name, int channels, double rate, int samples, float value)
    {
        writeWav (folder / name, channels, rate, samples,
                  [value] (int c, int) { return value * static_cast<float> (c + 1); });
    }

    // Expects a failure with exit code `code` and one line on stderr containing `expected`.
    static void expectRefusal (const HostRun& run, int code, const std::string& expected)
    {
        EXPECT_EQ (run.exitCode, code) << run.err;
        EXPECT_EQ (std::count (run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ (run.err.rfind ("wkr-plexa2-host: ", 0), 0u) << run.err;
        EXPECT_NE (run.err.find (expected), std::string::npos) << run.err;
    }

    // A parameter's value in a saved state file.
    float savedValue (const char* name, const juce::String& id) const
    {
        juce::MemoryBlock block;
        (folder / name).loadFileAsData (block);
        const auto tree = juce::ValueTree::readFromData (block.getData(), block.getSize());
        return static_cast<float> (tree.getChildWithProperty ("id", id).getProperty ("value"));
    }

    testing_support::ScopedFolder folder;
};

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
    const auto run = runHost ({ "--seconds", "0.5", "--set", "s1Input=24", "--set-text", "s1Shape=Sine", "--set",
                                "masterOutput=-6", "--oversampling", "3", "-o", path ("folded.wav") });
    ASSERT_EQ (run.exitCode, 0) << run.err;

    const auto output = readWav (folder / "folded.wav");
    ASSERT_EQ (output.getNumSamples(), 24000);

    // Skip the ramps of the first 100 ms.
    const int settled = 4800;
    const float peak = output.getMagnitude (settled, output.getNumSamples() - settled);
    const float gain = juce::Decibels::decibelsToGain (-6.0f);
    EXPECT_GT (peak, 0.8f * gain);
    EXPECT_LT (peak, 1.1f * gain);
    EXPECT_NE (run.out.find ("latency: 5 samples, compensated"), std::string::npos) << run.out;

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
    EXPECT_NE (run.out.find ("route                  108704329   Route              Serial"), std::string::npos)
        << run.out;
    EXPECT_NE (run.out.find ("s2On"), std::string::npos);
}

TEST_F (CommandLineHost, RendersAWavFileIntoAStereoWavFileOfTheSameLength)
{
    writeConstantWav ("mono.wav", 1, 22050.0, 1000, 0.25f);
    const auto run = runHost ({ path ("mono.wav"), path ("out.wav"), "--block", "64", "--oversampling", "2" });
    ASSERT_EQ (run.exitCode, 0) << run.err;

    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (folder / "out.wav"), true));
    ASSERT_NE (reader, nullptr);
    EXPECT_EQ (reader->numChannels, 2u);
    EXPECT_EQ (reader->sampleRate, 22050.0);
    EXPECT_EQ (reader->lengthInSamples, 1000);
    EXPECT_EQ (folder.names(), juce::StringArray ({ "mono.wav", "out.wav" })) << "no temporary file is left";
}

// With the master mix at 0 the output is the input through the oversampler and back: an impulse
// comes out where it went in, give or take the filters' own shape, as long as the reported
// latency is compensated; the raw stream is the same audio, later by exactly that latency.
TEST_F (CommandLineHost, OutputLinesUpWithTheInputUnlessAskedForTheRawStream)
{
    const int length = 4000, early = 1000, late = length - 2;
    writeWav (folder / "in.wav", 2, 48000.0, length, [] (int, int i) { return i == early || i == late ? 0.5f : 0.0f; });

    auto peakNear = [] (const juce::AudioBuffer<float>& buffer, int from, int to)
    {
        int peak = from;
        for (int i = from; i < std::min (to, buffer.getNumSamples()); ++i)
            if (std::abs (buffer.getSample (0, i)) > std::abs (buffer.getSample (0, peak)))
                peak = i;
        return peak;
    };

    for (const int choice : { 0, 1, 2, 3, 4 })
    {
        const juce::String choiceText (choice);
        const auto aligned =
            runHost ({ path ("in.wav"), path ("aligned.wav"), "--set", "masterMix=0", "--oversampling", choiceText });
        const auto raw = runHost ({ path ("in.wav"), path ("raw.wav"), "--set", "masterMix=0", "--oversampling",
                                    choiceText, "--uncompensated" });
        ASSERT_EQ (aligned.exitCode, 0) << aligned.err;
        ASSERT_EQ (raw.exitCode, 0) << raw.err;

        const auto latencyAt = aligned.out.find ("latency: ");
        ASSERT_NE (latencyAt, std::string::npos);
        const int latency = std::stoi (aligned.out.substr (latencyAt + 9));
        EXPECT_EQ (latency > 0, choice > 0);

        const auto alignedOutput = readWav (folder / "aligned.wav");
        const auto rawOutput = readWav (folder / "raw.wav");
        ASSERT_EQ (alignedOutput.getNumSamples(), length);
        ASSERT_EQ (rawOutput.getNumSamples(), length);

        EXPECT_NEAR (peakNear (alignedOutput, early - 20, early + 20), early, 1) << "choice " << choice;
        EXPECT_NEAR (peakNear (alignedOutput, late - 20, length), late, 1) << "the end is kept, choice " << choice;
        for (int i = 0; i + latency < length; ++i)
            ASSERT_EQ (rawOutput.getSample (1, i + latency), alignedOutput.getSample (1, i)) << "choice " << choice;
    }
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
    ASSERT_TRUE ((folder / "a.state").loadFileAsData (a));
    ASSERT_TRUE ((folder / "b.state").loadFileAsData (b));
    const auto tree = juce::ValueTree::readFromData (b.getData(), b.getSize());
    ASSERT_TRUE (tree.isValid());

    auto valueOf = [&tree] (const char* id)
    { return static_cast<float> (tree.getChildWithProperty ("id", id).getProperty ("value")); };
    EXPECT_FLOAT_EQ (valueOf ("masterInput"), -6.5f);
    EXPECT_FLOAT_EQ (valueOf ("route"), 1.0f);
    EXPECT_FLOAT_EQ (valueOf ("s1Shape"), 7.0f);
    EXPECT_FLOAT_EQ (valueOf ("s2Morph2"), 0.25f);
    EXPECT_FLOAT_EQ (valueOf ("s1Morph2"), 0.5f) << "the curve change set Sine's defaults";
    EXPECT_EQ (static_cast<int> (tree.getProperty ("oversamplingIndexPass")), 3);
}

// The first block would reset a new curve's morphs; what the command line sets after the curve
// must still be what renders and what is saved.
TEST_F (CommandLineHost, MorphValuesGivenAfterTheirCurveAreKept)
{
    ASSERT_EQ (runHost ({ "--seconds", "0.01", "--save", path ("default.state") }).exitCode, 0);
    const std::pair<juce::String, juce::StringArray> slotsAndSettings[] = {
        { "s1", { "--set-text", "s1Shape=Sine", "--set", "s1Morph1=0.9" } },
        { "s2", { "--load", path ("default.state"), "--set", "s2Shape=7", "--set", "s2Morph1=0.9" } },
    };
    for (const auto& [slot, settings] : slotsAndSettings)
    {
        auto args = settings;
        args.addArray ({ "--seconds", "0.01", "--save", path ("out.state") });
        ASSERT_EQ (runHost (args).exitCode, 0);
        EXPECT_FLOAT_EQ (savedValue ("out.state", slot + "Morph1"), 0.9f) << settings.joinIntoString (" ");
        EXPECT_FLOAT_EQ (savedValue ("out.state", slot + "Morph2"), 0.5f) << "Sine's default";
    }
}

TEST_F (CommandLineHost, BadArgumentsAreUsageErrorsAndBadFilesFailures)
{
    writeConstantWav ("ok.wav", 2, 48000.0, 10, 0.1f);
    (folder / "text.wav").replaceWithText ("this is no audio");
    (folder / "empty.wav").create();

    const juce::StringArray usage[] = {
        { "--frobnicate" },
        { "--block" },
        { "--block", "0" },
        { "--block", "12.5" },
        { "--rate", "fast" },
        { "--set", "nonsense" },
        { "--set", "noSuchParameter=1" },
        { "--set", "masterInput=loud" },
        { "--set", "masterInput=25" },
        { "--set-normalised", "masterMix=1.5" },
        { "--set-text", "s1Mix=nan" },
        { "--oversampling", "5" },
        { "a.wav", "b.wav", "c.wav" },
        { path ("missing.wav"), path ("out.wav"), "--set", "noSuchParameter=1" },
    };
    for (const auto& args : usage)
        expectRefusal (runHost (args), 2, "(try --help)");

    const juce::StringArray failing[] = {
        { path ("missing.wav") },
        { path ("text.wav") },
        { path ("empty.wav") },
        { folder.get().getFullPathName() },
        { "--load", path ("missing.state") },
        { path ("ok.wav"), path ("no/such/folder/out.wav") },
    };
    for (const auto& args : failing)
        expectRefusal (runHost (args), 1, "");
}

TEST_F (CommandLineHost, SetTextRefusesTextsThatAreNotValuesAndNamesTheValidOnes)
{
    expectRefusal (runHost ({ "--set-text", "route=Bogus" }), 2, "route takes one of Serial, Parallel");
    expectRefusal (runHost ({ "--set-text", "masterOn=maybe" }), 2, "masterOn takes one of Off, On");
    expectRefusal (runHost ({ "--set-text", "s1Shape=Nope" }), 2, "s1Shape takes one of Soft Clip, Flex Clip Sym");
    expectRefusal (runHost ({ "--set-text", "s1Input=abc" }), 2, "s1Input takes a number from -72 to 72, dB optional");
    EXPECT_EQ (
        runHost ({ "--seconds", "0.01", "--set-text", "s1Shape=triangle", "--set-text", "s1Input=12 dB" }).exitCode, 0);
}

TEST_F (CommandLineHost, StateFilesThePluginWouldNotDecodeAreRefusedAndChangeNothing)
{
    ASSERT_EQ (runHost ({ "--seconds", "0.01", "--set-text", "s1Shape=Sine", "--save", path ("good.state") }).exitCode,
               0);
    juce::MemoryBlock good;
    ASSERT_TRUE ((folder / "good.state").loadFileAsData (good));

    (folder / "empty.state").create();
    (folder / "cut.state").replaceWithData (good.getData(), good.getSize() / 2);
    juce::MemoryBlock noise (good.getSize());
    juce::Random random (11);
    random.fillBitsRandomly (noise.getData(), noise.getSize());
    (folder / "noise.state").replaceWithData (noise.getData(), noise.getSize());
    (folder / "a.state").replaceWithText ("kept");

    for (const char* name : { "empty.state", "cut.state", "noise.state" })
    {
        const auto run = runHost (
            { "--seconds", "0.01", "--load", path (name), "-o", path ("out.wav"), "--save", path ("a.state") });
        expectRefusal (run, 1, path (name).toStdString() + " is not a saved state of wkr Plexa 2; nothing was loaded");
        EXPECT_FALSE ((folder / "out.wav").exists()) << "nothing is rendered";
        EXPECT_EQ ((folder / "a.state").loadFileAsString(), "kept");
    }
    expectRefusal (runHost ({ "--load", folder.get().getFullPathName() }), 1, "not a regular file");
    expectRefusal (runHost ({ "--load", "/dev/zero" }), 1, "not a regular file");
}

TEST_F (CommandLineHost, WavFilesThatCannotBeRenderedFaithfullyAreRefusedBeforeRendering)
{
    testing_support::WavBuilder truncated;
    for (int i = 0; i < 100; ++i)
        truncated.addSample (i, 2);
    truncated.claimedDataBytes = 40000000;
    truncated.writeTo (folder / "cut.wav");
    expectRefusal (runHost ({ path ("cut.wav"), path ("out.wav") }), 1,
                   "cut.wav is cut short: its header announces 40000000 bytes of audio (10000000 frames) but only 200 "
                   "bytes follow");
    EXPECT_FALSE ((folder / "out.wav").exists());

    writeConstantWav ("surround.wav", 3, 48000.0, 10, 0.1f);
    expectRefusal (runHost ({ path ("surround.wav"), path ("out.wav") }), 1, "has 3 channels");

    testing_support::WavBuilder doubles;
    doubles.formatTag = 3;
    doubles.bitsPerSample = 64;
    for (int i = 0; i < 200; ++i)
        doubles.addDouble (0.25);
    doubles.writeTo (folder / "doubles.wav");
    const auto run = runHost ({ path ("doubles.wav"), path ("out.wav"), "--set-text", "masterOn=Off" });
    ASSERT_EQ (run.exitCode, 0) << run.err;
    const auto output = readWav (folder / "out.wav");
    ASSERT_EQ (output.getNumSamples(), 100);
    EXPECT_EQ (output.getSample (1, 99), 0.25f) << "64-bit float input is read; the switched-off plug-in passes it";
}

TEST_F (CommandLineHost, NeverWritesOverAFileItReads)
{
    writeConstantWav ("in.wav", 2, 48000.0, 100, 0.1f);
    (folder / "sub").createDirectory();
    (folder / "in.wav").createSymbolicLink (folder / "link.wav", true);
    ASSERT_EQ (::link (path ("in.wav").toRawUTF8(), path ("hard.wav").toRawUTF8()), 0);
    ASSERT_EQ (runHost ({ "--seconds", "0.01", "--save", path ("s.state") }).exitCode, 0);
    juce::MemoryBlock before;
    ASSERT_TRUE ((folder / "in.wav").loadFileAsData (before));

    const juce::String in = path ("in.wav");
    const juce::StringArray sameFile[] = {
        { in, in },
        { in, path ("sub") + "/../in.wav" },
        { in, path ("link.wav") },
        { in, path ("hard.wav") },
        { in, "-o", path ("hard.wav") },
        { in, "--save", path ("link.wav") },
        { "--load", path ("s.state"), "-o", path ("s.state") },
        { "-o", path ("new.wav"), "--save", path ("sub") + "/../new.wav" },
    };
    for (const auto& args : sameFile)
    {
        const auto run = runHost (args);
        expectRefusal (run, 1, "refusing to write");
        juce::MemoryBlock after;
        ASSERT_TRUE ((folder / "in.wav").loadFileAsData (after));
        EXPECT_EQ (after, before) << args.joinIntoString (" ");
    }
    EXPECT_FALSE ((folder / "new.wav").exists());
    expectRefusal (runHost ({ "--load", path ("s.state"), "--save", path ("s.state") + "/" }), 2, "ends in /");
}

// "link/.." is the folder above where the link points, as for any other program, not the folder
// that holds the link.
TEST_F (CommandLineHost, PathsThroughALinkAndDotDotMeanWhatTheSystemMakesOfThem)
{
    (folder / "real/sub").createDirectory();
    (folder / "work").createDirectory();
    ASSERT_EQ (::symlink ("../real/sub", path ("work/link").toRawUTF8()), 0);
    (folder / "work/out.wav").replaceWithText ("unrelated");
    writeConstantWav ("real/in.wav", 2, 48000.0, 100, 0.1f);

    const auto run = runHost ({ path ("work/link") + "/../in.wav", "-o", path ("work/link") + "/../out.wav" });
    ASSERT_EQ (run.exitCode, 0) << run.err;
    EXPECT_EQ (readWav (folder / "real/out.wav").getNumSamples(), 100);
    EXPECT_EQ ((folder / "work/out.wav").loadFileAsString(), "unrelated");
    EXPECT_EQ ((folder / "real").findChildFiles (juce::File::findFiles, false, "*").size(), 2) << "no temporary file";
}

TEST_F (CommandLineHost, RefusesFoldersAndFilesThatAreNotRegularAsTargets)
{
    (folder / "out").createDirectory();
    ASSERT_EQ (::mkfifo (path ("pipe").toRawUTF8(), 0600), 0);

    expectRefusal (runHost ({ "--seconds", "0.01", "-o", path ("out") }), 1,
                   path ("out").toStdString() + " is a folder");
    EXPECT_TRUE ((folder / "out").isDirectory());
    expectRefusal (runHost ({ "--seconds", "0.01", "--save", path ("out") }), 1, "is a folder");
    expectRefusal (runHost ({ "--seconds", "0.01", "-o", path ("pipe") }), 1, "is not a regular file");
    expectRefusal (runHost ({ "--seconds", "0.01", "-o", "/dev/null" }), 1, "/dev/null is not a regular file");
    expectRefusal (runHost ({ "--seconds", "0.01", "--save", "/dev/full" }), 1, "/dev/full is not a regular file");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out", "pipe" }));
}

TEST_F (CommandLineHost, ReplacesAnExistingTargetOnlyWhenEverythingWasWritten)
{
    (folder / "out.wav").replaceWithText ("old audio");
    (folder / "out.state").replaceWithText ("old state");

    {
        // A disk that fills up while the output is written, and one too full for the state.
        const testing_support::ScopedFileSizeLimit fullDisk (64 * 1024);
        expectRefusal (runHost ({ "--seconds", "1", "-o", path ("out.wav"), "--save", path ("out.state") }), 1,
                       "cannot write " + path ("out.wav").toStdString() + ": File too large");
    }
    {
        const testing_support::ScopedFileSizeLimit fullDisk (100);
        expectRefusal (runHost ({ "--seconds", "0.01", "--save", path ("out.state") }), 1,
                       "cannot write " + path ("out.state").toStdString());
    }
    EXPECT_EQ ((folder / "out.wav").loadFileAsString(), "old audio");
    EXPECT_EQ ((folder / "out.state").loadFileAsString(), "old state");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.state", "out.wav" })) << "no temporary file is left";

    const auto run = runHost ({ "--seconds", "0.1", "-o", path ("out.wav"), "--save", path ("out.state") });
    ASSERT_EQ (run.exitCode, 0) << run.err;
    EXPECT_EQ (readWav (folder / "out.wav").getNumSamples(), 4800);
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.state", "out.wav" }));
}

// In a sticky folder the system lets only root and the folder's owner rename over another user's
// file: such a state file is refused before the output, which could be replaced, is touched.
TEST_F (CommandLineHost, ATargetTheSystemWouldNotLetItReplaceIsRefusedBeforeAnyTargetChanges)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to act as another user";
    (folder / "shared").createDirectory();
    ASSERT_EQ (::chmod (path ("shared").toRawUTF8(), 01777), 0);
    (folder / "shared/out.wav").replaceWithText ("old audio");
    (folder / "shared/out.state").replaceWithText ("root's state");
    ASSERT_EQ (::chmod (path ("shared/out.state").toRawUTF8(), 0666), 0);
    {
        const testing_support::PlainUser user ({ folder / "shared/out.wav" });
        expectRefusal (
            runHost ({ "--seconds", "0.01", "-o", path ("shared/out.wav"), "--save", path ("shared/out.state") }), 1,
            "cannot write " + path ("shared/out.state").toStdString());
    }
    EXPECT_EQ ((folder / "shared/out.wav").loadFileAsString(), "old audio");
    EXPECT_EQ ((folder / "shared/out.state").loadFileAsString(), "root's state");
}
} // namespace
