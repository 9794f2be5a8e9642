#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>

namespace testing_support
{
// Points HOME and XDG_CONFIG_HOME at a fresh temporary folder for the lifetime of the object, so
// no test ever reads or writes the real user's settings.
class ScopedUserFolders
{
public:
    ScopedUserFolders()
        : root (juce::File::createTempFile ("wkr-home")),
          oldHome (juce::SystemStats::getEnvironmentVariable ("HOME", {})),
          oldConfig (juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {}))
    {
        root.createDirectory();
        setenv ("HOME", root.getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_CONFIG_HOME", root.getChildFile ("config").getFullPathName().toRawUTF8(), 1);
    }

    ~ScopedUserFolders()
    {
        setenv ("HOME", oldHome.toRawUTF8(), 1);
        setenv ("XDG_CONFIG_HOME", oldConfig.toRawUTF8(), 1);
        root.deleteRecursively();
    }

    juce::File home() const { return root; }
    juce::File config() const { return root.getChildFile ("config"); }

    ScopedUserFolders (const ScopedUserFolders&) = delete;
    ScopedUserFolders& operator= (const ScopedUserFolders&) = delete;

private:
    juce::File root;
    juce::String oldHome, oldConfig;
};

// Folder in the build tree where tests leave files for a person to look at (rendered controls).
inline juce::File outputFolder()
{
    juce::File folder (WKR_TEST_OUTPUT_DIR);
    folder.createDirectory();
    return folder;
}
} // namespace testing_support
