#pragma once

#include "host/CommandLine.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <iosfwd>

namespace host
{
// The identifier under which a host knows a parameter: h = 31 h + code point over the ID,
// top bit cleared.
juce::uint32 hostParameterId (const juce::String& parameterId);

// The normalised value a parameter's text stands for: one of its value texts in any letter case
// (choices, switches, the route), or for a continuous parameter a number in its range with its
// unit optional ("6", "6 dB", "6dB"). Anything else throws UsageError naming the valid texts.
float normalisedValueForText (const juce::RangedAudioParameter& parameter, const juce::String& text);

// A setting checked against the processor: the parameter it names and the value it gets.
struct CheckedSetting
{
    juce::RangedAudioParameter* parameter;
    float normalised;

    void apply() const;
};

// Throws UsageError for an unknown ID or a value the parameter cannot take. A choice, switch or
// the route takes a whole plain value only.
CheckedSetting checkSetting (juce::AudioProcessor& processor, const ParameterSetting& setting);

// One line per parameter: index, ID, host identifier, name and current value text.
void listParameters (juce::AudioProcessor& processor, std::ostream& out);
} // namespace host
