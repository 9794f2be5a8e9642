#include <gtest/gtest.h>

#include "host/CommandLine.h"

#include <regex>

namespace
{
// --help and the parser are made from one table; every option the help names must parse.
TEST (CommandLine, EveryOptionInTheHelpIsUnderstood)
{
    const auto help = host::usageText().toStdString();
    const std::regex option (R"(  (-\w, )?(--[\w-]+)( (\S+))?)");
    int options = 0;
    for (std::sregex_iterator match (help.begin(), help.end(), option), end; match != end; ++match, ++options)
    {
        juce::StringArray args { juce::String ((*match)[2].str()) };
        const auto argument = (*match)[4].str();
        if (! argument.empty())
            args.add (argument.find ('=') != std::string::npos ? "masterMix=50"
                      : argument == "FILE"                     ? "x.wav"
                      : argument == "HZ"                       ? "48000"
                                                               : "1");
        EXPECT_NO_THROW (host::parseCommandLine (args)) << args.joinIntoString (" ");
    }
    EXPECT_EQ (options, 13);
}

TEST (CommandLine, ReadsFilesAndOptionsInAnyOrder)
{
    const auto options = host::parseCommandLine (
        { "in.wav", "--set", "s1Input=6", "--uncompensated", "out.wav", "--set-text", "route=Parallel" });
    EXPECT_EQ (options.inputPath, "in.wav");
    EXPECT_EQ (options.outputPath, "out.wav");
    EXPECT_TRUE (options.uncompensated);
    ASSERT_EQ (options.settings.size(), 2u);
    EXPECT_EQ (options.settings[0].kind, host::ParameterSetting::Kind::plain);
    EXPECT_EQ (options.settings[0].value, "6");
    EXPECT_EQ (options.settings[1].kind, host::ParameterSetting::Kind::text);
    EXPECT_EQ (options.settings[1].id, "route");

    EXPECT_FALSE (host::parseCommandLine ({}).uncompensated);
    EXPECT_THROW (host::parseCommandLine ({ "in.wav", "out.wav", "-o", "x.wav" }), host::UsageError);
}

// A script's unset variable, or a folder's name, must not quietly become some other file.
TEST (CommandLine, EmptyPathsAndPathsEndingInASlashAreUsageErrors)
{
    const juce::StringArray wrong[] = {
        { "", "out.wav" }, { "in.wav", "" },     { "-o", "" },        { "--save", "" },  { "--load", "" },
        { "in.wav/" },     { "in.wav", "out/" }, { "-o", "newdir/" }, { "--save", "/" }, { "--load", "s/" },
    };
    for (const auto& args : wrong)
        EXPECT_THROW (host::parseCommandLine (args), host::UsageError) << args.joinIntoString (" ");
}

TEST (CommandLine, DoubleDashEndsTheOptions)
{
    const auto options = host::parseCommandLine ({ "--uncompensated", "--", "-x.wav", "--help" });
    EXPECT_EQ (options.inputPath, "-x.wav");
    EXPECT_EQ (options.outputPath, "--help");
    EXPECT_FALSE (options.help);
}

TEST (CommandLine, SampleRateIsAWholeNumberOfHertz)
{
    EXPECT_EQ (host::parseCommandLine ({ "--rate", "44100" }).sampleRate, 44100.0);
    EXPECT_THROW (host::parseCommandLine ({ "--rate", "44100.5" }), host::UsageError);
}

} // namespace
