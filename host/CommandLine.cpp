#include "host/CommandLine.h"

#include <cmath>
#include <cstdlib>

namespace host
{
namespace
{
int parseInt (const juce::String& text, const juce::String& what, int minimum, int maximum)
{
    const double value = parseNumber (text, what);
    if (value != std::floor (value) || value < minimum || value > maximum)
        throw UsageError { what + " must be a whole number from " + juce::String (minimum) + " to " +
                           juce::String (maximum) };
    return static_cast<int> (value);
}

double parseInRange (const juce::String& text, const juce::String& what, double minimum, double maximum)
{
    const double value = parseNumber (text, what);
    if (value < minimum || value > maximum)
        throw UsageError { what + " must lie between " + juce::String (minimum) + " and " + juce::String (maximum) };
    return value;
}

// A path names a file only when it is not empty (an unset variable in a script) and does not end
// in a slash, which names a folder.
juce::String filePath (const juce::String& text, const juce::String& what)
{
    if (text.isEmpty())
        throw UsageError { what + " is an empty path" };
    if (text.endsWithChar ('/'))
        throw UsageError { what + " \"" + text + "\" ends in /, so it names a folder, not a file" };
    return text;
}

ParameterSetting parseSetting (ParameterSetting::Kind kind, const juce::String& option, const juce::String& text)
{
    const int equals = text.indexOfChar ('=');
    if (equals <= 0)
        throw UsageError { option + " takes ID=VALUE, got \"" + text + "\"" };
    return { kind, text.substring (0, equals), text.substring (equals + 1) };
}

// One row per option: the parser and --help both read this table, so they cannot disagree.
struct OptionRow
{
    const char* shortFlag; // or nullptr
    const char* flag;
    const char* argument; // nullptr for a switch
    const char* help;
    void (*apply) (Options&, const juce::String& value);
};

const OptionRow optionTable[] = {
    { "-o", "--output", "FILE", "write the processed audio to FILE (WAV, 32-bit float)",
      [] (Options& o, const juce::String& v) { o.outputPath = filePath (v, "--output"); } },
    { nullptr, "--rate", "HZ", "sample rate of the built-in signal (default 48000)",
      [] (Options& o, const juce::String& v) {
          o.sampleRate =
              parseInt (v, "--rate", static_cast<int> (lowestSampleRate), static_cast<int> (highestSampleRate));
      } },
    { nullptr, "--seconds", "S", "length of the built-in signal (default 1)",
      [] (Options& o, const juce::String& v)
      {
          o.seconds = parseInRange (v, "--seconds", 0.0, 3600.0);
          if (o.seconds <= 0.0)
              throw UsageError { "--seconds must lie between 0 and 3600" };
      } },
    { nullptr, "--block", "N", "host block size in samples (default 512)",
      [] (Options& o, const juce::String& v) { o.blockSize = parseInt (v, "--block", 1, 65536); } },
    { nullptr, "--set", "ID=VALUE", "set a parameter to a plain value (dB, %, index, ...)",
      [] (Options& o, const juce::String& v)
      { o.settings.push_back (parseSetting (ParameterSetting::Kind::plain, "--set", v)); } },
    { nullptr, "--set-normalised", "ID=VALUE", "set a parameter to a normalised value 0..1",
      [] (Options& o, const juce::String& v)
      { o.settings.push_back (parseSetting (ParameterSetting::Kind::normalised, "--set-normalised", v)); } },
    { nullptr, "--set-text", "ID=TEXT", "set a parameter by a value text or number (\"Sine\", \"On\", \"6 dB\")",
      [] (Options& o, const juce::String& v)
      { o.settings.push_back (parseSetting (ParameterSetting::Kind::text, "--set-text", v)); } },
    { nullptr, "--oversampling", "N", "oversampling choice 0 off, 1 x2, 2 x4, 3 x8, 4 x16",
      [] (Options& o, const juce::String& v) { o.oversampling = parseInt (v, "--oversampling", 0, 4); } },
    { nullptr, "--uncompensated", nullptr, "write the raw stream, late by the plug-in's latency",
      [] (Options& o, const juce::String&) { o.uncompensated = true; } },
    { nullptr, "--load", "FILE", "restore a saved state block before rendering",
      [] (Options& o, const juce::String& v) { o.loadPath = filePath (v, "--load"); } },
    { nullptr, "--save", "FILE", "save the state block after rendering",
      [] (Options& o, const juce::String& v) { o.savePath = filePath (v, "--save"); } },
    { nullptr, "--list", nullptr, "list the parameters, their host identifiers and values, and exit",
      [] (Options& o, const juce::String&) { o.list = true; } },
    { "-h", "--help", nullptr, "show this text", [] (Options& o, const juce::String&) { o.help = true; } },
};

const OptionRow* findOption (const juce::String& arg)
{
    for (const auto& row : optionTable)
        if (arg == row.flag || (row.shortFlag != nullptr && arg == row.shortFlag))
            return &row;
    return nullptr;
}
} // namespace

std::optional<double> finiteNumber (const juce::String& text)
{
    const auto utf8 = text.trim().toStdString();
    char* end = nullptr;
    const double value = std::strtod (utf8.c_str(), &end);
    if (utf8.empty() || end != utf8.c_str() + utf8.size() || ! std::isfinite (value))
        return std::nullopt;
    return value;
}

double parseNumber (const juce::String& text, const juce::String& what)
{
    if (const auto value = finiteNumber (text))
        return *value;
    throw UsageError { what + " needs a number, got \"" + text + "\"" };
}

Options parseCommandLine (const juce::StringArray& args)
{
    Options options;
    juce::StringArray positional;
    bool optionsEnded = false; // after "--" every argument is a file, "-x.wav" too

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        const auto* row = optionsEnded ? nullptr : findOption (arg);
        if (row != nullptr)
        {
            if (row->argument != nullptr && i + 1 >= args.size())
                throw UsageError { arg + " needs a value" };
            row->apply (options, row->argument != nullptr ? args[++i] : juce::String());
        }
        else if (! optionsEnded && arg == "--")
            optionsEnded = true;
        else if (! optionsEnded && arg.startsWith ("-") && arg.length() > 1)
            throw UsageError { "unknown option " + arg };
        else
            positional.add (arg);
    }

    if (positional.size() > 2)
        throw UsageError { "too many files: " + positional.joinIntoString (" ") };
    if (positional.size() > 0)
        options.inputPath = filePath (positional[0], "the input file");
    if (positional.size() > 1)
    {
        if (options.outputPath.isNotEmpty())
            throw UsageError { "two output files given" };
        options.outputPath = filePath (positional[1], "the output file");
    }
    return options;
}

juce::String usageText()
{
    juce::String text = "usage: wkr-plexa2-host [options] [--] [input.wav [output.wav]]\n"
                        "Renders input.wav (or a built-in test signal) through wkr Plexa 2. The output is aligned\n"
                        "with the input and as long as it; files are replaced only once everything is written.\n";
    for (const auto& row : optionTable)
    {
        juce::String flags = row.shortFlag != nullptr ? juce::String (row.shortFlag) + ", " : juce::String();
        flags << row.flag;
        if (row.argument != nullptr)
            flags << " " << row.argument;
        text << "  " << flags.paddedRight (' ', 25) << "  " << row.help << "\n";
    }
    return text;
}
} // namespace host
