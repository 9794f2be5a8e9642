#include "host/PluginHost.h"
#include "host/ReplacementFile.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juce;
    host::removeTemporaryFilesOnSignals();

    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    return host::run (args, std::cout, std::cerr);
}
