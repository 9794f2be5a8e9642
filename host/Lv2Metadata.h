#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace host::lv2
{
// What the LV2 description of one parameter must say that the framework's bundle generator gets
// wrong or leaves out.
struct ParameterFacts
{
    juce::String iri;               // the parameter's name in the bundle, after "plug:"
    std::vector<float> scalePoints; // plain values of its scale points, in the generator's order
    juce::String unit;              // an LV2 unit such as "units:db", or empty
};

// The facts of each parameter: the plain value a host sends for each listed choice (the generator
// lists the normalised positions instead), and the unit its value text ends with.
std::vector<ParameterFacts> factsOf (const juce::AudioProcessor& processor);

// The generated dsp.ttl with the parameters' scale points and units put right, the plug-in
// classed as a distortion and the maintainer's mail address written as a mailto: IRI. Anything
// else stays as generated; fixing a text twice gives the same text.
juce::String fixDspTtl (const juce::String& dspTtl, const std::vector<ParameterFacts>& facts);
} // namespace host::lv2
