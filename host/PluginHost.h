#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <iosfwd>

namespace host
{
// The identifier under which a host knows a parameter: h = 31 h + code point over the ID,
// top bit cleared.
juce::uint32 hostParameterId (const juce::String& parameterId);

// The command-line host: loads the processor through the plug-in factory, renders a WAV file (or a
// built-in test signal) through it and reports what it did. Returns the process exit code; errors
// are one line on `err`.
int run (const juce::StringArray& args, std::ostream& out, std::ostream& err);
} // namespace host
