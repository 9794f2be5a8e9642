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

} // namespace
