// Rewrites the LV2 bundle description that the framework generates, right after it is generated.
// Usage: wkr-plexa2-lv2-metadata <bundle folder>

#include "host/Lv2Metadata.h"

#include <iostream>
#include <memory>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: wkr-plexa2-lv2-metadata <bundle folder>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto dspTtl = juce::File::getCurrentWorkingDirectory()
                            .getChildFile (juce::String::fromUTF8 (argv[1]))
                            .getChildFile ("dsp.ttl");
    if (! dspTtl.existsAsFile())
    {
        std::cerr << "wkr-plexa2-lv2-metadata: no " << dspTtl.getFullPathName() << "\n";
        return 1;
    }

    const std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    const auto generated = dspTtl.loadFileAsString();
    const auto fixed = host::lv2::fixDspTtl (generated, host::lv2::factsOf (*processor));
    if (fixed != generated && ! dspTtl.replaceWithText (fixed, false, false, "\n"))
    {
        std::cerr << "wkr-plexa2-lv2-metadata: cannot write " << dspTtl.getFullPathName() << "\n";
        return 1;
    }
    return 0;
}
