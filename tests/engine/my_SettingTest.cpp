#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "engine/PluginProcessor.h"
#include "engine/my_Setting.h"

namespace
{
class SettingFile : public ::testing::Test
{
protected:
    juce::File file() const { return juce::File (setting.getFilePath()); }

    juce::String contentAfter (const char* before, const juce::String& name, const juce::var& value)
    {
        file().getParentDirectory().createDirectory();
        file().replaceWithData (before, std::strlen (before));
        setting.setProperty (name, value);
        return file().loadFileAsString();
    }

    testing_support::ScopedUserFolders folders;
    my::Setting setting { "Tolvane", "wkr Plexa 2" };
};

TEST_F (SettingFile, LivesInTheConfigFolderOfTheUser)
{
    EXPECT_EQ (setting.getFilePath(), folders.config().getFullPathName() + "/Tolvane/wkr Plexa 2/settings.txt");

    setenv ("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ (setting.getFilePath(), folders.home().getFullPathName() + "/.config/Tolvane/wkr Plexa 2/settings.txt");

    // A relative XDG_CONFIG_HOME is not a valid folder and is ignored.
    setenv ("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ (setting.getFilePath(), folders.home().getFullPathName() + "/.config/Tolvane/wkr Plexa 2/settings.txt");
}

TEST_F (SettingFile, WithoutAnyUserFolderThePathIsEmptyAndNothingIsWritten)
{
    setenv ("XDG_CONFIG_HOME", "", 1);
    setenv ("HOME", "", 1);
    EXPECT_EQ (setting.getFilePath(), "");

    const auto before =
        juce::File::getCurrentWorkingDirectory().findChildFiles (juce::File::findFilesAndDirectories, false).size();
    setting.createFileIfMissing();
    setting.setProperty ("uiScale", 2.0);
    EXPECT_EQ (
        juce::File::getCurrentWorkingDirectory().findChildFiles (juce::File::findFilesAndDirectories, false).size(),
        before);
    EXPECT_FALSE (juce::File ("/settings.txt").exists());
}

TEST_F (SettingFile, ConstructingAProcessorCreatesTheFileOnceAndNeverResetsIt)
{
    ASSERT_FALSE (file().exists());
    {
        WkrPlexa2AudioProcessor processor;
        EXPECT_EQ (processor.setting.getFilePath(), setting.getFilePath());
    }
    EXPECT_EQ (file().loadFileAsString(), R"({"uiScale":1.0})");

    file().replaceWithText (R"({"uiScale":1.5, "theirs": [1, 2]})");
    {
        WkrPlexa2AudioProcessor second;
    }
    EXPECT_EQ (file().loadFileAsString(), R"({"uiScale":1.5, "theirs": [1, 2]})");

    file().replaceWithText ("");
    {
        WkrPlexa2AudioProcessor third;
    }
    EXPECT_EQ (file().loadFileAsString(), "") << "an existing file, even an empty one, stays as it is";
}

TEST_F (SettingFile, WritesEachValueKindAsItsJsonType)
{
    EXPECT_EQ (contentAfter (R"({"uiScale":1.0})", "uiScale", 1.25), R"({"uiScale":1.25})");
    EXPECT_EQ (contentAfter ("{}", "n", -3), R"({"n":-3})");
    EXPECT_EQ (contentAfter ("{}", "b", true), R"({"b":true})");
    EXPECT_EQ (contentAfter ("{}", "b", false), R"({"b":false})");
    const auto text = juce::String::fromUTF8 ("Gr\xc3\xbcn \"1\"");
    EXPECT_EQ (contentAfter ("{}", "s", text), juce::String::fromUTF8 ("{\"s\":\"Gr\xc3\xbcn \\\"1\\\"\"}"));
    EXPECT_EQ (contentAfter ("{}", "uiScale", 1.0), R"({"uiScale":1.0})");
    EXPECT_EQ (contentAfter ("{}", "f", static_cast<double> (1.1f)), R"({"f":1.100000023841858})");
    EXPECT_EQ (contentAfter (R"({"x":"text"})", "x", 2), R"({"x":2})") << "a member changes its type";
    EXPECT_EQ (contentAfter ("null", "uiScale", 2.0), R"({"uiScale":2.0})");
}

TEST_F (SettingFile, KeepsOtherMembersAndSortsThemCompactly)
{
    const char* messy = "{\n  \"zeta\": [1, 2],\n  \"alpha\": {\"k\": null}\n}";
    EXPECT_EQ (contentAfter (messy, "uiScale", 0.5), R"({"alpha":{"k":null},"uiScale":0.5,"zeta":[1,2]})");
}

TEST_F (SettingFile, KindsWithoutAJsonTypeChangeNothingButStillCompact)
{
    const char* pretty = "{ \"uiScale\" : 1.0 ,\n \"a\" : 1 }";
    EXPECT_EQ (contentAfter (pretty, "uiScale", juce::var (static_cast<juce::int64> (5))), R"({"a":1,"uiScale":1.0})");
    EXPECT_EQ (contentAfter (pretty, "uiScale", juce::var()), R"({"a":1,"uiScale":1.0})");
    EXPECT_EQ (contentAfter (pretty, "uiScale", juce::var (juce::Array<juce::var> { 1, 2 })),
               R"({"a":1,"uiScale":1.0})");
    EXPECT_EQ (contentAfter ("null", "uiScale", juce::var()), "null");
}

TEST_F (SettingFile, BrokenFilesAreRebuiltFromAnEmptyObject)
{
    for (const char* broken :
         { "", "not json", "{\"uiScale\":", "{} trailing", "[1,2,3]", "42", "\"text\"", "\xff\xfe{}" })
        EXPECT_EQ (contentAfter (broken, "uiScale", 1.5), R"({"uiScale":1.5})") << "content: " << broken;
}

TEST_F (SettingFile, AMissingFileIsCreatedByAWriteAndAFolderInItsPlaceIsLeftAlone)
{
    setting.setProperty ("uiScale", 2.0);
    EXPECT_EQ (file().loadFileAsString(), R"({"uiScale":2.0})");

    file().deleteFile();
    file().createDirectory();
    setting.setProperty ("uiScale", 3.0);
    setting.createFileIfMissing();
    EXPECT_TRUE (file().isDirectory());
}
} // namespace
