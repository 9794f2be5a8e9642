#include "host/PluginHost.h"

#include "engine/PluginProcessor.h"
#include "engine/my_StateBlock.h"
#include "host/CommandLine.h"
#include "host/ParameterSettings.h"
#include "host/Render.h"
#include "host/ReplacementFile.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace host
{
namespace
{
// A saved state of this plug-in is a few kilobytes; anything near this size is some other file.
constexpr juce::int64 largestStateFile = 16 * 1024 * 1024;

// The path as given, made absolute but not cleaned: "link/.." is for the system to resolve, and it
// need not be the folder that holds the link.
juce::File fileFromArgument (const juce::String& path)
{
    if (path.isEmpty())
        return {};
    return juce::File::createFileWithoutCheckingPath (
        path.startsWithChar ('/') ? path : juce::File::getCurrentWorkingDirectory().getFullPathName() + "/" + path);
}

[[noreturn]] void fail (const juce::String& message) { throw std::runtime_error (message.toStdString()); }

// No file the host writes may be one it reads, and the two it writes must differ: the rename at
// the end would otherwise replace a file that is still needed, or one output with the other.
void refuseOverlappingFiles (const Options& options)
{
    const std::pair<const char*, juce::File> reads[] = { { "input", fileFromArgument (options.inputPath) },
                                                         { "state to load", fileFromArgument (options.loadPath) } };
    const std::pair<const char*, juce::File> writes[] = { { "output", fileFromArgument (options.outputPath) },
                                                          { "state to save", fileFromArgument (options.savePath) } };
    for (const auto& [writeRole, written] : writes)
    {
        if (written == juce::File())
            continue;
        for (const auto& [readRole, read] : reads)
            if (read != juce::File() && isSameFile (written, read))
                fail ("refusing to write the " + juce::String (writeRole) + " " + written.getFullPathName() +
                      ": it is the " + readRole + " " + read.getFullPathName());
    }
    if (writes[0].second != juce::File() && writes[1].second != juce::File() &&
        isSameFile (writes[0].second, writes[1].second))
        fail ("refusing to write the output and the saved state both to " + writes[0].second.getFullPathName());
}

SignalSource openSource (const Options& options)
{
    if (options.inputPath.isEmpty())
        return SignalSource (options.sampleRate,
                             static_cast<juce::int64> (std::llround (options.seconds * options.sampleRate)));
    return SignalSource (std::make_unique<WavInput> (fileFromArgument (options.inputPath)));
}

bool isRegularFile (const juce::File& file)
{
    struct stat info;
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode);
}

// Restores a state block only when the plug-in would decode it, so a wrong file changes nothing.
void loadState (juce::AudioProcessor& processor, const juce::File& file)
{
    juce::MemoryBlock block;
    if (! isRegularFile (file))
        fail ("cannot read " + file.getFullPathName() + ": not a regular file");
    if (file.getSize() > largestStateFile)
        fail (file.getFullPathName() + " is too large to be a saved state of " + processor.getName());
    if (! file.loadFileAsData (block))
        fail ("cannot read " + file.getFullPathName());

    const bool decodes = my::isWellFormedStateBlock (block.getData(), block.getSize()) &&
                         juce::ValueTree::readFromData (block.getData(), block.getSize()).isValid();
    if (! decodes)
        fail (file.getFullPathName() + " is not a saved state of " + processor.getName() + "; nothing was loaded");
    processor.setStateInformation (block.getData(), static_cast<int> (block.getSize()));
}

void writeState (juce::AudioProcessor& processor, ReplacementFile& file)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    file.createStream()->write (block.getData(), block.getSize());
    file.throwIfWriteFailed();
}

std::unique_ptr<juce::AudioFormatWriter> openWavWriter (ReplacementFile& file, double sampleRate)
{
    auto stream = file.createStream();
    std::unique_ptr<juce::AudioFormatWriter> writer (
        juce::WavAudioFormat().createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));
    if (writer == nullptr)
        fail ("cannot write a WAV file at " + juce::String (sampleRate) + " Hz");
    stream.release();
    file.throwIfWriteFailed();
    return writer;
}

// Every target was checked before rendering, so the state's rename should not fail; should it fail
// all the same once the output is in place, the error says the output was written.
void commitOutputThenState (std::optional<ReplacementFile>& outputFile, std::optional<ReplacementFile>& stateFile)
{
    if (outputFile)
        outputFile->commit();
    if (! stateFile)
        return;
    try
    {
        stateFile->commit();
    }
    catch (const std::runtime_error& e)
    {
        if (! outputFile)
            throw;
        fail ("wrote " + outputFile->getTarget().getFullPathName() + ", but " + e.what());
    }
}

// In the order given, so a later setting wins, and a morph value set after its curve is kept.
void applySettings (WkrPlexa2AudioProcessor& processor, const std::vector<CheckedSetting>& settings)
{
    // A curve set takes its default morph values at once; a loaded state may have one pending.
    processor.takeDefaultMorphsOfNewCurves();
    for (const auto& setting : settings)
    {
        setting.apply();
        processor.takeDefaultMorphsOfNewCurves();
    }
}

int renderToFiles (const Options& options, std::ostream& out)
{
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    auto& plexa = dynamic_cast<WkrPlexa2AudioProcessor&> (*processor);

    if (options.list)
    {
        listParameters (*processor, out);
        return 0;
    }

    // The whole command line is checked before any file is opened.
    std::vector<CheckedSetting> settings;
    for (const auto& setting : options.settings)
        settings.push_back (checkSetting (*processor, setting));

    refuseOverlappingFiles (options);
    auto source = openSource (options);

    processor->setRateAndBufferSizeDetails (source.getSampleRate(), options.blockSize);

    if (options.loadPath.isNotEmpty())
        loadState (*processor, fileFromArgument (options.loadPath));
    applySettings (plexa, settings);
    // The choice is not a parameter: the editor's choice box writes it into the processor.
    if (options.oversampling)
        plexa.oversamplingIndexPass = *options.oversampling;

    // Both targets are checked, and their temporary files made, before anything is rendered.
    std::optional<ReplacementFile> outputFile, stateFile;
    if (options.outputPath.isNotEmpty())
        outputFile.emplace (fileFromArgument (options.outputPath));
    if (options.savePath.isNotEmpty())
        stateFile.emplace (fileFromArgument (options.savePath));

    std::unique_ptr<juce::AudioFormatWriter> writer;
    if (outputFile)
        writer = openWavWriter (*outputFile, source.getSampleRate());

    processor->prepareToPlay (source.getSampleRate(), options.blockSize);
    const auto result = render (*processor, source, options.blockSize, ! options.uncompensated,
                                [&] (const juce::AudioBuffer<float>& buffer, int start, int numSamples)
                                {
                                    if (writer != nullptr)
                                    {
                                        writer->writeFromAudioSampleBuffer (buffer, start, numSamples);
                                        outputFile->throwIfWriteFailed();
                                    }
                                });
    processor->releaseResources();

    writer.reset(); // completes the WAV header
    if (stateFile)
        writeState (*processor, *stateFile);
    commitOutputThenState (outputFile, stateFile);

    out << processor->getName() << " " << JucePlugin_VersionString << ": " << source.getLength() << " samples at "
        << source.getSampleRate() << " Hz in blocks of " << options.blockSize << "\n";
    out << "latency: " << result.latency << " samples"
        << (result.latency == 0     ? ""
            : options.uncompensated ? ", left in the output (--uncompensated)"
                                    : ", compensated: output aligned with the input")
        << "\n";
    result.input.print (out, "input: ");
    result.output.print (out, "output:");
    if (outputFile)
        out << "wrote " << outputFile->getTarget().getFullPathName() << "\n";
    if (stateFile)
        out << "saved state to " << stateFile->getTarget().getFullPathName() << "\n";
    return 0;
}
} // namespace

int run (const juce::StringArray& args, std::ostream& out, std::ostream& err)
{
    try
    {
        const auto options = parseCommandLine (args);
        int code = 0;
        if (options.help)
            out << usageText();
        else
            code = renderToFiles (options, out);
        if (! out.flush())
        {
            err << "wkr-plexa2-host: cannot write to standard output\n";
            return exitFailure;
        }
        return code;
    }
    catch (const UsageError& e)
    {
        err << "wkr-plexa2-host: " << e.message << " (try --help)\n";
        return exitUsage;
    }
    catch (const std::exception& e)
    {
        err << "wkr-plexa2-host: " << e.what() << "\n";
        return exitFailure;
    }
}
} // namespace host
