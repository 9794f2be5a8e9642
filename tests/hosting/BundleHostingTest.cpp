// Loads the built bundles the way hosts built on the framework do, with the host's default bus
// layout, and checks them against the command-line host, which runs the same processor in-process.

#include <gtest/gtest.h>

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <map>
#include <memory>

namespace
{
const juce::String lv2Uri = "https://tolvane.example/plugins/wkr-plexa-2";
constexpr int numParameters = 27;

juce::File bundleFile (const char* path) { return juce::File (juce::File (path).getFullPathName()); }

// A render of the built-in signal: 220 Hz on the left, 330 Hz on the right, at half scale.
void fillBuiltInSignal (juce::AudioBuffer<float>& buffer, double rate, juce::int64 start, int numSamples)
{
    for (int i = 0; i < numSamples; ++i)
    {
        const double t = static_cast<double> (start + i) / rate;
        buffer.setSample (0, i, static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 220.0 * t)));
        buffer.setSample (1, i, static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 330.0 * t)));
    }
}

// The command-line host: makes state blocks and the in-process renders to compare with.
struct CommandLineRun
{
    juce::String output;
    int latency = -1;
};

CommandLineRun runCommandLineHost (const juce::StringArray& arguments)
{
    juce::StringArray command { WKR_HOST_PROGRAM };
    command.addArray (arguments);
    juce::ChildProcess process;
    CommandLineRun run;
    if (! process.start (command))
        return run;
    run.output = process.readAllProcessOutput();
    if (process.getExitCode() != 0)
        return run;
    for (const auto& line : juce::StringArray::fromLines (run.output))
        if (line.startsWith ("latency: "))
            run.latency = line.fromFirstOccurrenceOf ("latency: ", false, false).getIntValue();
    return run;
}

juce::AudioBuffer<float> readWav (const juce::File& file)
{
    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (file), true));
    juce::AudioBuffer<float> buffer;
    if (reader == nullptr)
        return buffer;
    buffer.setSize (static_cast<int> (reader->numChannels), static_cast<int> (reader->lengthInSamples));
    reader->read (&buffer, 0, buffer.getNumSamples(), 0, true, true);
    return buffer;
}

// The largest difference of two stereo renders from the sample `from` on.
float largestDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int from = 0)
{
    if (a.getNumSamples() != b.getNumSamples() || a.getNumChannels() < 2 || b.getNumChannels() < 2)
        return INFINITY;
    float largest = 0.0f;
    for (int channel = 0; channel < 2; ++channel)
        for (int i = from; i < a.getNumSamples(); ++i)
            largest = std::max (largest, std::abs (a.getSample (channel, i) - b.getSample (channel, i)));
    return largest;
}

class BundleHosting : public ::testing::TestWithParam<const char*>
{
protected:
    bool isVst3() const { return juce::String (GetParam()) == "VST3"; }

    void SetUp() override
    {
        ASSERT_TRUE (folder.createDirectory());
        if (isVst3())
        {
            format = std::make_unique<juce::VST3PluginFormat>();
            format->findAllTypesForFile (descriptions, bundleFile (WKR_VST3_BUNDLE).getFullPathName());
        }
        else
        {
            format = std::make_unique<juce::LV2PluginFormat>();
            const juce::FileSearchPath lv2Folder (bundleFile (WKR_LV2_BUNDLE).getParentDirectory().getFullPathName());
            EXPECT_TRUE (format->searchPathsForPlugins (lv2Folder, false, false).contains (lv2Uri));
            format->findAllTypesForFile (descriptions, lv2Uri);
        }
        ASSERT_EQ (descriptions.size(), 1) << "the built " << GetParam() << " bundle is not found";
    }

    std::unique_ptr<juce::AudioPluginInstance> load (double rate, int blockSize)
    {
        juce::String error;
        auto instance = format->createInstanceFromDescription (*descriptions[0], rate, blockSize, error);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    // A state block of the processor, put where this format's host keeps it in its own state.
    juce::MemoryBlock hostStateHolding (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& processorState)
    {
        juce::MemoryBlock hostState;
        plugin.getStateInformation (hostState);

        if (isVst3())
        {
            auto xml =
                juce::AudioProcessor::getXmlFromBinary (hostState.getData(), static_cast<int> (hostState.getSize()));
            auto* component = xml != nullptr ? xml->getChildByName ("IComponent") : nullptr;
            if (component == nullptr)
                return {};
            component->deleteAllTextElements();
            component->addTextElement (processorState.toBase64Encoding());
            if (auto* controller = xml->getChildByName ("IEditController"))
                xml->removeChildElement (controller, true);
            juce::MemoryBlock result;
            juce::AudioProcessor::copyXmlToBinary (*xml, result);
            return result;
        }

        // The LV2 wrapper stores the block base64-encoded as a string property of the state.
        const auto text = hostState.toString();
        const int key = text.indexOf (":StateString>");
        const int open = text.indexOf (key, "\"");
        const int close = text.indexOf (open + 1, "\"");
        if (key < 0 || open < 0 || close < 0)
            return {};
        const auto replaced = text.replaceSection (open + 1, close - open - 1, processorState.toBase64Encoding());
        return { replaced.toRawUTF8(), replaced.getNumBytesAsUTF8() };
    }

    // A state block with the main job's settings (s1Input +18 dB, Sine, the given oversampling).
    juce::MemoryBlock mainJobState (int oversampling, int* inProcessLatency = nullptr)
    {
        const auto file = folder.getChildFile ("state-" + juce::String (oversampling) + ".bin");
        const auto run =
            runCommandLineHost ({ "--set", "s1Input=18", "--set-text", "s1Shape=Sine", "--oversampling",
                                  juce::String (oversampling), "--seconds", "0.01", "--save", file.getFullPathName() });
        EXPECT_GE (run.latency, 0) << run.output;
        if (inProcessLatency != nullptr)
            *inProcessLatency = run.latency;
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        return block;
    }

    void restore (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& processorState)
    {
        const auto state = hostStateHolding (plugin, processorState);
        ASSERT_GT (state.getSize(), 0u) << "no place for the processor's state in the host's state";
        plugin.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    }

    static juce::AudioBuffer<float> render (juce::AudioPluginInstance& plugin, double rate, int blockSize,
                                            int numSamples)
    {
        plugin.prepareToPlay (rate, blockSize);
        juce::AudioBuffer<float> result (2, numSamples);
        processBuiltInSignal (plugin, rate, blockSize, result, 0, numSamples);
        // The VST3 host learns a new latency through a message, as hosts do in their message loop.
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        plugin.releaseResources();
        return result;
    }

    // Streams the built-in signal's samples from start to end through a prepared plug-in, into
    // the same place of result.
    static void processBuiltInSignal (juce::AudioPluginInstance& plugin, double rate, int blockSize,
                                      juce::AudioBuffer<float>& result, int start, int end)
    {
        const int channels = std::max (plugin.getTotalNumInputChannels(), plugin.getTotalNumOutputChannels());
        juce::AudioBuffer<float> buffer (std::max (2, channels), blockSize);
        juce::MidiBuffer midi;
        for (int position = start; position < end; position += blockSize)
        {
            const int length = std::min (blockSize, end - position);
            buffer.setSize (buffer.getNumChannels(), length, false, false, true);
            buffer.clear();
            fillBuiltInSignal (buffer, rate, position, length);
            plugin.processBlock (buffer, midi);
            for (int channel = 0; channel < 2; ++channel)
                result.copyFrom (channel, position, buffer, channel, 0, length);
        }
    }

    // Normalised values by parameter name, without the parameters the wrapper adds (bypass).
    // The latency a hosted plug-in reports once its change has arrived: the VST3 one announces it
    // from its own message thread and the host takes it on its message loop, so that loop gets up
    // to two seconds to run.
    static int latencyOf (juce::AudioPluginInstance& plugin, int expected)
    {
        for (int wait = 0; wait < 200 && plugin.getLatencySamples() != expected; ++wait)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
        return plugin.getLatencySamples();
    }

    static std::map<juce::String, float> valuesOf (juce::AudioPluginInstance& plugin)
    {
        std::map<juce::String, float> values;
        for (auto* parameter : plugin.getParameters())
            if (parameter != plugin.getBypassParameter())
                values[parameter->getName (64)] = parameter->getValue();
        return values;
    }

    static juce::AudioProcessorParameter* parameterNamed (juce::AudioPluginInstance& plugin, const juce::String& name)
    {
        for (auto* parameter : plugin.getParameters())
            if (parameter->getName (64) == name)
                return parameter;
        return nullptr;
    }

    void TearDown() override { folder.deleteRecursively(); }

    // Scratch files of this test alone: tests run in parallel, each in a process of its own.
    juce::File folder = juce::File::createTempFile ("wkr-hosting");
    std::unique_ptr<juce::AudioPluginFormat> format;
    juce::OwnedArray<juce::PluginDescription> descriptions;
};

TEST_P (BundleHosting, DefaultLayoutHasTwoActiveInputsAndTwoActiveOutputs)
{
    EXPECT_EQ (descriptions[0]->numInputChannels, 2);
    EXPECT_EQ (descriptions[0]->numOutputChannels, 2);

    auto plugin = load (48000.0, 512);
    ASSERT_NE (plugin, nullptr);
    ASSERT_GE (plugin->getBusCount (true), 1);
    ASSERT_GE (plugin->getBusCount (false), 1);
    EXPECT_TRUE (plugin->getBus (true, 0)->isEnabled());
    EXPECT_TRUE (plugin->getBus (false, 0)->isEnabled());
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 2);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 2);
}

TEST_P (BundleHosting, RendersTheBuiltInSignalAsTheProcessorDoesInProcess)
{
    const auto state = mainJobState (3);
    for (double rate : { 44100.0, 48000.0 })
        for (int blockSize : { 64, 512 })
        {
            SCOPED_TRACE (juce::String (rate) + " Hz, blocks of " + juce::String (blockSize));
            const auto stateFile = folder.getChildFile ("state-3.bin");
            const auto reference = folder.getChildFile ("in-process.wav");
            const auto run = runCommandLineHost ({ "--load", stateFile.getFullPathName(), "--rate", juce::String (rate),
                                                   "--block", juce::String (blockSize), "--seconds", "0.25",
                                                   "--uncompensated", "--output", reference.getFullPathName() });
            ASSERT_GT (run.latency, 0) << run.output;
            const auto expected = readWav (reference);
            ASSERT_EQ (expected.getNumSamples(), static_cast<int> (std::llround (0.25 * rate)));

            auto plugin = load (rate, blockSize);
            ASSERT_NE (plugin, nullptr);
            restore (*plugin, state);
            const auto hosted = render (*plugin, rate, blockSize, expected.getNumSamples());

            // Both renders are the plug-in's raw stream with the same latency, so they line up sample
            // for sample.
            EXPECT_EQ (latencyOf (*plugin, run.latency), run.latency);
            EXPECT_LT (largestDifference (hosted, expected), 1.0e-6f);
            EXPECT_GT (hosted.getMagnitude (run.latency, expected.getNumSamples() - run.latency), 0.1f) << "no sound";
        }
}

TEST_P (BundleHosting, ReportsTheLatencyOfEachOversamplingChoice)
{
    for (int choice = 0; choice <= 4; ++choice)
    {
        SCOPED_TRACE ("oversampling choice " + juce::String (choice));
        int inProcess = -1;
        const auto state = mainJobState (choice, &inProcess);
        auto plugin = load (48000.0, 512);
        ASSERT_NE (plugin, nullptr);
        restore (*plugin, state);
        render (*plugin, 48000.0, 512, 512);
        EXPECT_EQ (latencyOf (*plugin, inProcess), inProcess);
        EXPECT_EQ (inProcess > 0, choice > 0);

        // Bypassed by the host, it passes the input delayed by that latency.
        ASSERT_NE (plugin->getBypassParameter(), nullptr);
        plugin->prepareToPlay (48000.0, 512);
        plugin->getBypassParameter()->setValue (1.0f);
        juce::AudioBuffer<float> bypassed (2, 1024), input (2, 1024), delayed (2, 1024);
        processBuiltInSignal (*plugin, 48000.0, 512, bypassed, 0, 1024);
        fillBuiltInSignal (input, 48000.0, 0, 1024);
        delayed.clear();
        for (int channel = 0; channel < 2; ++channel)
            delayed.copyFrom (channel, inProcess, input, channel, 0, 1024 - inProcess);
        EXPECT_EQ (largestDifference (bypassed, delayed), 0.0f);
    }
}

// A state restored into an instance that has been running, with or without being prepared again
// (an LV2 host reactivates without it): the host learns the restored choice's latency, and once
// the restored settings' ramps have ended the stream is the one of an instance restored before it
// ever ran.
TEST_P (BundleHosting, AStateRestoredAfterProcessingReportsItsLatency)
{
    constexpr double rate = 48000.0;
    constexpr int blockSize = 512, restoreAt = 10 * blockSize, numSamples = 24000;
    int latency = -1;
    const auto state = mainJobState (3, &latency);
    ASSERT_EQ (latency, 5);
    const auto reference = folder.getChildFile ("restored-before-running.wav");
    const auto run = runCommandLineHost ({ "--load", folder.getChildFile ("state-3.bin").getFullPathName(), "--rate",
                                           juce::String (rate), "--block", juce::String (blockSize), "--seconds",
                                           juce::String (numSamples / rate), "--uncompensated", "--output",
                                           reference.getFullPathName() });
    const auto expected = readWav (reference);
    ASSERT_EQ (expected.getNumSamples(), numSamples) << run.output;

    for (bool prepareAgain : { false, true })
    {
        SCOPED_TRACE (prepareAgain ? "released and prepared again" : "restored while running");
        auto plugin = load (rate, blockSize);
        ASSERT_NE (plugin, nullptr);
        juce::AudioBuffer<float> hosted (2, numSamples);
        plugin->prepareToPlay (rate, blockSize);
        processBuiltInSignal (*plugin, rate, blockSize, hosted, 0, restoreAt);
        ASSERT_EQ (latencyOf (*plugin, 0), 0);

        if (prepareAgain)
            plugin->releaseResources();
        restore (*plugin, state);
        // An LV2 plug-in tells its latency through a port that it writes in each block.
        if (isVst3())
        {
            EXPECT_EQ (latencyOf (*plugin, latency), latency) << "before the next block";
        }
        if (prepareAgain)
            plugin->prepareToPlay (rate, blockSize);

        processBuiltInSignal (*plugin, rate, blockSize, hosted, restoreAt, numSamples);
        EXPECT_EQ (latencyOf (*plugin, latency), latency) << "after the next blocks";
        EXPECT_LT (largestDifference (hosted, expected, restoreAt + static_cast<int> (0.2 * rate)), 1.0e-4f);
        plugin->releaseResources();
    }
}

TEST_P (BundleHosting, StateSavedThroughTheHostRestoresIntoASecondInstance)
{
    constexpr double rate = 48000.0;
    constexpr int blockSize = 512, numSamples = 12000;

    auto first = load (rate, blockSize);
    ASSERT_NE (first, nullptr);
    restore (*first, mainJobState (3));
    auto* output = parameterNamed (*first, "Master Output");
    ASSERT_NE (output, nullptr);
    output->setValueNotifyingHost (0.25f); // -6 dB, set the way a host's own control does
    const auto firstRender = render (*first, rate, blockSize, numSamples);

    juce::MemoryBlock saved;
    first->getStateInformation (saved);
    auto second = load (rate, blockSize);
    ASSERT_NE (second, nullptr);
    second->setStateInformation (saved.getData(), static_cast<int> (saved.getSize()));
    const auto secondRender = render (*second, rate, blockSize, numSamples);

    EXPECT_GT (firstRender.getMagnitude (0, numSamples), 0.1f) << "no sound";
    EXPECT_LT (largestDifference (firstRender, secondRender), 1.0e-6f);

    // The host reads back every value, not the defaults.
    const auto firstValues = valuesOf (*first), secondValues = valuesOf (*second);
    EXPECT_EQ (firstValues.size(), static_cast<size_t> (numParameters));
    EXPECT_EQ (secondValues, firstValues);
    auto* input = parameterNamed (*second, "S1 Input");
    auto* shape = parameterNamed (*second, "S1 Shape");
    ASSERT_NE (input, nullptr);
    ASSERT_NE (shape, nullptr);
    EXPECT_FLOAT_EQ (input->getValue(), 90.0f / 144.0f) << "+18 dB";
    EXPECT_FLOAT_EQ (parameterNamed (*second, "Master Output")->getValue(), 0.25f) << "-6 dB";
    EXPECT_EQ (shape->getCurrentValueAsText(), "Sine");
    EXPECT_FLOAT_EQ (shape->getValueForText ("Sine"), 7.0f / 20.0f);
}

TEST_P (BundleHosting, EditorOpensAndCloses)
{
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        GTEST_SKIP() << "no display to open the editor on";

    auto plugin = load (48000.0, 512);
    ASSERT_NE (plugin, nullptr);
    ASSERT_TRUE (plugin->hasEditor());
    std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);

    editor->addToDesktop (0); // no title bar: a virtual display has no window manager to draw one
    editor->setVisible (true);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (500);
    EXPECT_TRUE (editor->isOnDesktop());
    EXPECT_EQ (editor->getWidth(), 602);
    EXPECT_EQ (editor->getHeight(), 444);

    editor.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (100);
    EXPECT_EQ (plugin->getActiveEditor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P (BuiltBundles, BundleHosting, ::testing::Values ("VST3", "LV2"),
                          [] (const auto& test) { return std::string (test.param); });
} // namespace
