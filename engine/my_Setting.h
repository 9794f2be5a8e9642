#pragma once

#include <juce_core/juce_core.h>

namespace my
{
// The per-user settings file "settings.txt": one compact JSON object shared by every instance.
// No operation here throws or reports a failure; a file that cannot be read is rebuilt from an
// empty object, one that cannot be written stays as it was.
struct Setting
{
    juce::String makerFolder;
    juce::String productFolder;

    // Full path of the file, or empty where no per-user folder can be found.
    juce::String getFilePath() const;

    // Stores an int, double, bool or string under `name`, keeping every other member, and rewrites
    // the whole file compactly. Other value kinds change no member but still rewrite the file.
    void setProperty (juce::String name, juce::var value) const;

    // First run: creates the file as {"uiScale":1.0}; an existing file is never touched.
    void createFileIfMissing() const;
};
} // namespace my
