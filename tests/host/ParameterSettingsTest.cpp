#include <gtest/gtest.h>

#include "host/ParameterSettings.h"
#include "engine/PluginProcessor.h"

#include <stdexcept>
#include <tuple>

namespace
{
TEST (HostParameterId, HashesTheStringIdWithTheTopBitCleared)
{
    EXPECT_EQ (host::hostParameterId ("route"), 108704329u);
    EXPECT_EQ (host::hostParameterId (""), 0u);
    for (const char* id : { "masterInput", "s1Morph1", "s2Output", "masterOn" })
        EXPECT_EQ (host::hostParameterId (id) & 0x80000000u, 0u) << id;
    EXPECT_EQ (host::hostParameterId ("a"), 97u);
    EXPECT_EQ (host::hostParameterId ("ab"), 31u * 97u + 98u);
}

class ParameterText : public ::testing::Test
{
protected:
    juce::RangedAudioParameter& parameter (const char* id)
    {
        return *dynamic_cast<juce::RangedAudioParameter*> (processor.apvts.getParameter (id));
    }

    // The value the text sets, as the parameter shows it.
    juce::String textAfterSetting (const char* id, const juce::String& text)
    {
        auto& p = parameter (id);
        return p.getText (host::normalisedValueForText (p, text), 64);
    }

    // The message of the refusal, or "accepted".
    template <typename Attempt> static std::string refusalOf (Attempt attempt)
    {
        try
        {
            attempt();
            return "accepted";
        }
        catch (const host::UsageError& e)
        {
            return e.message.toStdString();
        }
    }

    std::string refusal (const char* id, const juce::String& text)
    {
        return refusalOf ([&] { host::normalisedValueForText (parameter (id), text); });
    }

    std::string plainRefusal (const char* id, const juce::String& value)
    {
        return refusalOf ([&] { host::checkSetting (processor, { host::ParameterSetting::Kind::plain, id, value }); });
    }

    WkrPlexa2AudioProcessor processor;
};

// Named values in any letter case; numbers with or without their unit.
TEST_F (ParameterText, ValueTextsAndNumbersSetTheValueTheyName)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        { "s1Shape", "sine", "Sine" },
        { "s1Shape", " TRIANGLE HALF SPRING ", "Triangle Half Spring" },
        { "s2Shape", "Soft Clip", "Soft Clip" },
        { "route", "parallel", "Parallel" },
        { "route", "Serial", "Serial" },
        { "masterOn", "off", "Off" },
        { "s2On", "ON", "On" },
        { "s1Input", "12", "12.0 dB" },
        { "s1Input", "-6.5 dB", "-6.50 dB" },
        { "s1Input", "3db", "3.00 dB" },
        { "masterMix", "25 %", "25.0 %" },
        { "s1Pan", "-100%", "-100 %" },
        { "s1Morph2", "0.25", "0.25" },
        { "s1Offset", "-1", "-1.00" },
    };
    for (const auto& [id, text, shown] : cases)
        EXPECT_EQ (textAfterSetting (id, text), shown) << id << "=" << text;
}

TEST_F (ParameterText, AnythingElseIsRefusedNamingWhatIsValid)
{
    EXPECT_EQ (refusal ("route", "Bogus"), "route takes one of Serial, Parallel (any letter case), got \"Bogus\"");
    EXPECT_EQ (refusal ("route", "1"), "route takes one of Serial, Parallel (any letter case), got \"1\"");
    EXPECT_EQ (refusal ("masterOn", "maybe"), "masterOn takes one of Off, On (any letter case), got \"maybe\"");

    const auto shape = refusal ("s1Shape", "Nope");
    EXPECT_EQ (shape.rfind ("s1Shape takes one of Soft Clip, Flex Clip Sym,", 0), 0u) << shape;
    EXPECT_NE (shape.find ("Triangle Half Spring (any letter case), got \"Nope\""), std::string::npos) << shape;

    const std::string input = "s1Input takes a number from -72 to 72, dB optional, got ";
    EXPECT_EQ (refusal ("s1Input", "abc"), input + "\"abc\"");
    EXPECT_EQ (refusal ("s1Input", "100"), input + "\"100\"");
    EXPECT_EQ (refusal ("s1Input", "6 %"), input + "\"6 %\"");
    EXPECT_EQ (refusal ("s1Input", "inf dB"), input + "\"inf dB\"");
    EXPECT_EQ (refusal ("s1Input", ""), input + "\"\"");
    EXPECT_EQ (refusal ("s1Mix", "nan"), "s1Mix takes a number from 0 to 100, % optional, got \"nan\"");
    EXPECT_EQ (refusal ("s1Morph1", "0.5 dB"), "s1Morph1 takes a number from 0 to 1, got \"0.5 dB\"");
}

// Between two choices there is no value; choices have no unit, whatever their names end in.
TEST_F (ParameterText, ChoicesSwitchesAndTheRouteTakeWholePlainValuesOnly)
{
    EXPECT_EQ (plainRefusal ("s1Shape", "7.5"), "s1Shape takes a whole number from 0 to 20, got \"7.5\"");
    EXPECT_EQ (plainRefusal ("s1Shape", "30"), "s1Shape takes a whole number from 0 to 20, got \"30\"");
    EXPECT_EQ (plainRefusal ("s1On", "0.3"), "s1On takes a whole number from 0 to 1, got \"0.3\"");
    EXPECT_EQ (plainRefusal ("route", "0.5"), "route takes a whole number from 0 to 1, got \"0.5\"");
    EXPECT_EQ (plainRefusal ("s1Shape", "7"), "accepted");
}

TEST_F (ParameterText, SettingsChangeOnlyWhatTheyNameAndRefuseOutOfRangePlainValues)
{
    host::checkSetting (processor, { host::ParameterSetting::Kind::text, "s1Shape", "quantize" }).apply();
    host::checkSetting (processor, { host::ParameterSetting::Kind::plain, "masterInput", "-3" }).apply();
    host::checkSetting (processor, { host::ParameterSetting::Kind::normalised, "s2Pan", "0.75" }).apply();
    EXPECT_EQ (parameter ("s1Shape").getCurrentValueAsText(), "Quantize");
    EXPECT_EQ (parameter ("masterInput").getCurrentValueAsText(), "-3.00 dB");
    EXPECT_EQ (parameter ("s2Pan").getCurrentValueAsText(), "50.0 %");
    EXPECT_EQ (parameter ("masterOutput").getCurrentValueAsText(), "0.00 dB");

    for (const host::ParameterSetting& setting : {
             host::ParameterSetting { host::ParameterSetting::Kind::plain, "masterInput", "30" },
             host::ParameterSetting { host::ParameterSetting::Kind::plain, "masterInput", "nan" },
             host::ParameterSetting { host::ParameterSetting::Kind::normalised, "masterInput", "1.5" },
             host::ParameterSetting { host::ParameterSetting::Kind::text, "noSuchParameter", "1" },
         })
        EXPECT_THROW (host::checkSetting (processor, setting).apply(), host::UsageError) << setting.value;
    EXPECT_EQ (parameter ("masterInput").getCurrentValueAsText(), "-3.00 dB");
}
} // namespace
