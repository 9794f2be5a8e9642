#pragma once

#include <juce_core/juce_core.h>

#include <iosfwd>

namespace host
{
// The command-line host: loads the processor through the plug-in factory, renders a WAV file (or a
// built-in test signal) through it and reports what it did. Returns the process exit code; errors
// are one line on `err`.
int run (const juce::StringArray& args, std::ostream& out, std::ostream& err);
} // namespace host
