#include "host/PluginHost.h"

#include "engine/PluginProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace host
{
namespace
{
constexpr int exitUsage = 2;
constexpr int exitFailure = 1;

struct ParameterSetting
{
    enum class Kind
    {
        plain,
        normalised,
        text
    };

    Kind kind;
    juce::String id;
    juce::String value;
};

struct Options
{
    juce::String inputPath, outputPath, loadPath, savePath;
    double sampleRate = 48000.0;
    int blockSize = 512;
    double seconds = 1.0;
    std::optional<int> oversampling;
    std::vector<ParameterSetting> settings;
    bool list = false;
    bool help = false;
};

struct UsageError
{
    juce::String message;
};

const char* usage =
    "usage: wkr-plexa2-host [options] [input.wav [output.wav]]\n"
    "Renders input.wav (or a built-in test signal) through wkr Plexa 2.\n"
    "  -o, --output FILE          write the processed audio to FILE (WAV, 32-bit float)\n"
    "  --rate HZ                  sample rate of the built-in signal (default 48000)\n"
    "  --seconds S                length of the built-in signal (default 1)\n"
    "  --block N                  host block size in samples (default 512)\n"
    "  --set ID=VALUE             set a parameter to a plain value (dB, %, index, ...)\n"
    "  --set-normalised ID=VALUE  set a parameter to a normalised value 0..1\n"
    "  --set-text ID=TEXT         set a parameter from its value text (\"Parallel\", \"Sine\", \"On\")\n"
    "  --oversampling N           oversampling choice 0 off, 1 x2, 2 x4, 3 x8, 4 x16\n"
    "  --load FILE                restore a saved state block before rendering\n"
    "  --save FILE                save the state block after rendering\n"
    "  --list                     list the parameters with their host identifiers and exit\n"
    "  -h, --help                 show this text\n";

double parseNumber (const juce::String& text, const juce::String& what)
{
    const auto utf8 = text.trim().toStdString();
    char* end = nullptr;
    const double value = std::strtod (utf8.c_str(), &end);
    if (utf8.empty() || end != utf8.c_str() + utf8.size() || ! std::isfinite (value))
        throw UsageError { what + " needs a number, got \"" + text + "\"" };
    return value;
}

int parseInt (const juce::String& text, const juce::String& what, int minimum, int maximum)
{
    const double value = parseNumber (text, what);
    if (value != std::floor (value) || value < minimum || value > maximum)
        throw UsageError { what + " must be a whole number from " + juce::String (minimum) + " to " + juce::String (maximum) };
    return static_cast<int> (value);
}

ParameterSetting parseSetting (ParameterSetting::Kind kind, const juce::String& option, const juce::String& text)
{
    const int equals = text.indexOfChar ('=');
    if (equals <= 0)
        throw UsageError { option + " takes ID=VALUE, got \"" + text + "\"" };
    return { kind, text.substring (0, equals), text.substring (equals + 1) };
}

Options parse (const juce::StringArray& args)
{
    Options options;
    juce::StringArray positional;

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        auto next = [&]() -> juce::String {
            if (i + 1 >= args.size())
                throw UsageError { arg + " needs a value" };
            return args[++i];
        };

        if (arg == "-h" || arg == "--help")
            options.help = true;
        else if (arg == "--list")
            options.list = true;
        else if (arg == "-o" || arg == "--output")
            options.outputPath = next();
        else if (arg == "--rate")
        {
            options.sampleRate = parseNumber (next(), "--rate");
            if (options.sampleRate < 8000.0 || options.sampleRate > 768000.0)
                throw UsageError { "--rate must lie between 8000 and 768000 Hz" };
        }
        else if (arg == "--seconds")
        {
            options.seconds = parseNumber (next(), "--seconds");
            if (options.seconds <= 0.0 || options.seconds > 3600.0)
                throw UsageError { "--seconds must lie between 0 and 3600" };
        }
        else if (arg == "--block")
            options.blockSize = parseInt (next(), "--block", 1, 65536);
        else if (arg == "--set")
            options.settings.push_back (parseSetting (ParameterSetting::Kind::plain, arg, next()));
        else if (arg == "--set-normalised")
            options.settings.push_back (parseSetting (ParameterSetting::Kind::normalised, arg, next()));
        else if (arg == "--set-text")
            options.settings.push_back (parseSetting (ParameterSetting::Kind::text, arg, next()));
        else if (arg == "--oversampling")
            options.oversampling = parseInt (next(), "--oversampling", 0, 4);
        else if (arg == "--load")
            options.loadPath = next();
        else if (arg == "--save")
            options.savePath = next();
        else if (arg.startsWith ("-") && arg.length() > 1)
            throw UsageError { "unknown option " + arg };
        else
            positional.add (arg);
    }

    if (positional.size() > 2)
        throw UsageError { "too many files: " + positional.joinIntoString (" ") };
    if (positional.size() > 0)
        options.inputPath = positional[0];
    if (positional.size() > 1)
    {
        if (options.outputPath.isNotEmpty())
            throw UsageError { "two output files given" };
        options.outputPath = positional[1];
    }
    return options;
}

juce::File fileFromArgument (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

juce::RangedAudioParameter* findParameter (juce::AudioProcessor& processor, const juce::String& id)
{
    for (auto* parameter : processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter); ranged != nullptr && ranged->getParameterID() == id)
            return ranged;
    return nullptr;
}

void apply (juce::AudioProcessor& processor, const ParameterSetting& setting)
{
    auto* parameter = findParameter (processor, setting.id);
    if (parameter == nullptr)
        throw UsageError { "no parameter with ID \"" + setting.id + "\" (see --list)" };

    float normalised = 0.0f;
    switch (setting.kind)
    {
        case ParameterSetting::Kind::plain:
            normalised = parameter->convertTo0to1 (static_cast<float> (parseNumber (setting.value, setting.id)));
            break;
        case ParameterSetting::Kind::normalised:
        {
            const double value = parseNumber (setting.value, setting.id);
            if (value < 0.0 || value > 1.0)
                throw UsageError { "a normalised value lies between 0 and 1, got " + setting.value };
            normalised = static_cast<float> (value);
            break;
        }
        case ParameterSetting::Kind::text:
            normalised = parameter->getValueForText (setting.value);
            break;
    }
    parameter->setValueNotifyingHost (juce::jlimit (0.0f, 1.0f, normalised));
}

void listParameters (juce::AudioProcessor& processor, std::ostream& out)
{
    out << "#   ID                     host ID     name               value\n";
    int index = 0;
    for (auto* parameter : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        if (ranged == nullptr)
            continue;
        const auto id = ranged->getParameterID();
        out << juce::String (index++).paddedRight (' ', 4) << id.paddedRight (' ', 23)
            << juce::String (hostParameterId (id)).paddedRight (' ', 12) << ranged->getName (64).paddedRight (' ', 19)
            << ranged->getCurrentValueAsText() << "\n";
    }
}

// Peak and RMS over both channels of everything that went through.
struct LevelMeter
{
    double peak = 0.0, sumOfSquares = 0.0;
    juce::int64 values = 0;

    void add (const juce::AudioBuffer<float>& buffer, int numSamples)
    {
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < numSamples; ++i)
            {
                const double x = buffer.getSample (channel, i);
                peak = std::max (peak, std::abs (x));
                sumOfSquares += x * x;
            }
        values += 2 * numSamples;
    }

    void print (std::ostream& out, const char* label) const
    {
        const double rms = values > 0 ? std::sqrt (sumOfSquares / static_cast<double> (values)) : 0.0;
        auto db = [] (double x) { return juce::String (juce::Decibels::gainToDecibels (x, -200.0), 2) + " dBFS"; };
        out << label << " peak " << juce::String (peak, 4) << " (" << db (peak) << "), rms " << juce::String (rms, 4)
            << " (" << db (rms) << ")\n";
    }
};

// Where the audio comes from: a WAV file, or the built-in signal (a sine on each side, 220 Hz on
// the left and 330 Hz on the right, at half scale).
class Source
{
public:
    explicit Source (const Options& options)
    {
        if (options.inputPath.isEmpty())
        {
            sampleRate = options.sampleRate;
            length = static_cast<juce::int64> (std::llround (options.seconds * sampleRate));
            return;
        }

        const auto file = fileFromArgument (options.inputPath);
        auto stream = std::make_unique<juce::FileInputStream> (file);
        if (! stream->openedOk())
            throw std::runtime_error (("cannot read " + file.getFullPathName()).toStdString());

        reader.reset (juce::WavAudioFormat().createReaderFor (stream.release(), true));
        if (reader == nullptr || reader->numChannels < 1 || reader->sampleRate <= 0.0)
            throw std::runtime_error ((file.getFullPathName() + " is not a WAV file").toStdString());

        sampleRate = reader->sampleRate;
        length = reader->lengthInSamples;
    }

    void read (juce::AudioBuffer<float>& buffer, juce::int64 start, int numSamples)
    {
        if (reader != nullptr)
        {
            reader->read (&buffer, 0, numSamples, start, true, true);
            if (reader->numChannels == 1)
                buffer.copyFrom (1, 0, buffer, 0, 0, numSamples);
            return;
        }

        for (int i = 0; i < numSamples; ++i)
        {
            const double t = static_cast<double> (start + i) / sampleRate;
            buffer.setSample (0, i, static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 220.0 * t)));
            buffer.setSample (1, i, static_cast<float> (0.5 * std::sin (juce::MathConstants<double>::twoPi * 330.0 * t)));
        }
    }

    double sampleRate = 48000.0;
    juce::int64 length = 0;

private:
    std::unique_ptr<juce::AudioFormatReader> reader;
};

std::unique_ptr<juce::AudioFormatWriter> openWriter (const juce::String& path, double sampleRate)
{
    const auto file = fileFromArgument (path);
    file.deleteFile();
    auto stream = std::make_unique<juce::FileOutputStream> (file);
    if (! stream->openedOk())
        throw std::runtime_error (("cannot write " + file.getFullPathName()).toStdString());

    std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));
    if (writer == nullptr)
        throw std::runtime_error (("cannot write a WAV file at " + juce::String (sampleRate) + " Hz").toStdString());
    stream.release();
    return writer;
}

void loadState (juce::AudioProcessor& processor, const juce::String& path)
{
    const auto file = fileFromArgument (path);
    juce::MemoryBlock block;
    if (! file.existsAsFile() || ! file.loadFileAsData (block))
        throw std::runtime_error (("cannot read " + file.getFullPathName()).toStdString());
    processor.setStateInformation (block.getData(), static_cast<int> (block.getSize()));
}

void saveState (juce::AudioProcessor& processor, const juce::String& path)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    const auto file = fileFromArgument (path);
    if (! file.replaceWithData (block.getData(), block.getSize()))
        throw std::runtime_error (("cannot write " + file.getFullPathName()).toStdString());
}

void setOversampling (juce::AudioProcessor& processor, int choice)
{
    // The choice is not a parameter: the editor's choice box writes it into the processor.
    if (auto* plexa = dynamic_cast<WkrPlexa2AudioProcessor*> (&processor))
        plexa->oversamplingIndexPass = choice;
}

int render (const Options& options, std::ostream& out)
{
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());

    if (options.list)
    {
        listParameters (*processor, out);
        return 0;
    }

    Source source (options);

    processor->setRateAndBufferSizeDetails (source.sampleRate, options.blockSize);

    if (options.loadPath.isNotEmpty())
        loadState (*processor, options.loadPath);
    for (const auto& setting : options.settings)
        apply (*processor, setting);
    if (options.oversampling)
        setOversampling (*processor, *options.oversampling);

    std::unique_ptr<juce::AudioFormatWriter> writer;
    if (options.outputPath.isNotEmpty())
        writer = openWriter (options.outputPath, source.sampleRate);

    processor->prepareToPlay (source.sampleRate, options.blockSize);

    juce::AudioBuffer<float> buffer (2, options.blockSize);
    juce::MidiBuffer midi;
    LevelMeter inputLevel, outputLevel;

    for (juce::int64 position = 0; position < source.length; position += options.blockSize)
    {
        const int numSamples = static_cast<int> (std::min<juce::int64> (options.blockSize, source.length - position));
        buffer.setSize (2, numSamples, false, false, true);
        source.read (buffer, position, numSamples);
        inputLevel.add (buffer, numSamples);

        processor->processBlock (buffer, midi);

        outputLevel.add (buffer, numSamples);
        if (writer != nullptr)
            writer->writeFromAudioSampleBuffer (buffer, 0, numSamples);
    }

    processor->releaseResources();
    writer.reset();

    out << processor->getName() << " " << JucePlugin_VersionString << ": " << source.length << " samples at "
        << source.sampleRate << " Hz in blocks of " << options.blockSize << "\n";
    out << "latency: " << processor->getLatencySamples() << " samples\n";
    inputLevel.print (out, "input: ");
    outputLevel.print (out, "output:");

    if (options.outputPath.isNotEmpty())
        out << "wrote " << fileFromArgument (options.outputPath).getFullPathName() << "\n";
    if (options.savePath.isNotEmpty())
    {
        saveState (*processor, options.savePath);
        out << "saved state to " << fileFromArgument (options.savePath).getFullPathName() << "\n";
    }
    return 0;
}
} // namespace

juce::uint32 hostParameterId (const juce::String& parameterId)
{
    juce::uint32 h = 0;
    for (auto p = parameterId.getCharPointer(); ! p.isEmpty();)
        h = 31u * h + static_cast<juce::uint32> (p.getAndAdvance());
    return h & 0x7fffffffu;
}

int run (const juce::StringArray& args, std::ostream& out, std::ostream& err)
{
    try
    {
        const auto options = parse (args);
        if (options.help)
        {
            out << usage;
            return 0;
        }
        return render (options, out);
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
