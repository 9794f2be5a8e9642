#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace host
{
// Exit codes: a usage error (the command line itself is wrong) and any other failure.
constexpr int exitUsage = 2;
constexpr int exitFailure = 1;

// Sample rates the host renders at, for the built-in signal and for WAV files alike.
constexpr double lowestSampleRate = 8000.0;
constexpr double highestSampleRate = 768000.0;

// A command line that cannot be carried out as written; reported with exit code 2.
struct UsageError
{
    juce::String message;
};

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
    bool uncompensated = false;
    bool list = false;
    bool help = false;
};

// Reads the arguments into options; throws UsageError.
Options parseCommandLine (const juce::StringArray& args);

// The --help text, made from the same table the parser reads.
juce::String usageText();

// The finite number that is the whole text (surrounding spaces allowed), if it is one.
std::optional<double> finiteNumber (const juce::String& text);

// The same, or a UsageError naming `what`.
double parseNumber (const juce::String& text, const juce::String& what);
} // namespace host
