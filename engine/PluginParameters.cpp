#include "engine/PluginParameters.h"

#include "engine/my_Utility.h"

namespace my
{
namespace
{
// Every parameter has version hint 1, so hosts that order parameters by version see one set.
juce::ParameterID idOf (const juce::String& id) { return { id, 1 }; }
} // namespace

juce::String routeText (float value) { return selectedItem (value, 2) == 1 ? "Serial" : "Parallel"; }

float routeValueFromText (const juce::String& text)
{
    const auto word = text.trim();
    if (word.equalsIgnoreCase ("Serial"))
        return 0.0f;
    if (word.equalsIgnoreCase ("Parallel"))
        return 1.0f;
    return word.getFloatValue();
}

juce::String Parameters::unitSuffix (UnitType unit)
{
    switch (unit)
    {
        case UnitType::dB:
            return " dB";
        case UnitType::Hz:
            return " Hz";
        case UnitType::ms:
            return " ms";
        case UnitType::percent:
            return " %";
        case UnitType::none:
            break;
    }
    return {};
}

std::unique_ptr<juce::AudioParameterFloat> Parameters::makeAudioParameterFloat (juce::String id,
                                                                                 juce::String name,
                                                                                 float minimum,
                                                                                 float maximum,
                                                                                 float defaultValue,
                                                                                 UnitType unit,
                                                                                 SkewType,
                                                                                 float)
{
    const auto suffix = unitSuffix (unit);

    juce::NormalisableRange<float> range (
        minimum,
        maximum,
        [] (float start, float end, float p) { return start + (end - start) * p; },
        [] (float start, float end, float v) { return (v - start) / (end - start); });

    return std::make_unique<juce::AudioParameterFloat> (
        idOf (id),
        name,
        range,
        defaultValue,
        juce::AudioParameterFloatAttributes().withStringFromValueFunction (
            [suffix] (float value, int) { return digit3 (value) + suffix; }));
}

std::unique_ptr<juce::AudioParameterBool> Parameters::makeAudioParameterBool (juce::String id,
                                                                               juce::String name,
                                                                               juce::String onText,
                                                                               juce::String offText,
                                                                               bool defaultValue)
{
    return std::make_unique<juce::AudioParameterBool> (
        idOf (id),
        name,
        defaultValue,
        juce::AudioParameterBoolAttributes().withStringFromValueFunction (
            [onText, offText] (bool on, int) { return on ? onText : offText; }));
}

juce::AudioProcessorValueTreeState::ParameterLayout Parameters::makeParams()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    layout.add (std::make_unique<juce::AudioParameterFloat> (
        idOf (ParamId::route),
        "Route",
        juce::NormalisableRange<float> (0.0f, 1.0f, 1.0f, 1.0f),
        0.0f,
        juce::AudioParameterFloatAttributes()
            .withStringFromValueFunction ([] (float value, int) { return routeText (value); })
            .withValueFromStringFunction ([] (const juce::String& text) { return routeValueFromText (text); })));

    layout.add (makeAudioParameterFloat (ParamId::masterInput, "Master Input", -24.0f, 24.0f, 0.0f, UnitType::dB, SkewType::linear, 0.0f));
    layout.add (makeAudioParameterFloat (ParamId::masterMix, "Master Mix", 0.0f, 100.0f, 100.0f, UnitType::percent, SkewType::linear, 0.0f));
    layout.add (makeAudioParameterFloat (ParamId::masterOutput, "Master Output", -12.0f, 12.0f, 0.0f, UnitType::dB, SkewType::linear, 0.0f));

    for (const juce::String slot : { "1", "2" })
    {
        const auto idPrefix = "s" + slot;
        const auto namePrefix = "S" + slot + " ";

        layout.add (std::make_unique<juce::AudioParameterChoice> (idOf (idPrefix + "Shape"), namePrefix + "Shape", shapeNames, 0));

        for (const juce::String morph : { "1", "2", "3", "4" })
            layout.add (makeAudioParameterFloat (idPrefix + "Morph" + morph, namePrefix + "Morph " + morph, 0.0f, 1.0f, 0.0f, UnitType::none, SkewType::linear, 0.0f));

        layout.add (makeAudioParameterFloat (idPrefix + "Input", namePrefix + "Input", -72.0f, 72.0f, 0.0f, UnitType::dB, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Offset", namePrefix + "Offset", -1.0f, 1.0f, 0.0f, UnitType::none, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Mix", namePrefix + "Mix", 0.0f, 100.0f, 100.0f, UnitType::percent, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Pan", namePrefix + "Pan", -100.0f, 100.0f, 0.0f, UnitType::percent, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Output", namePrefix + "Output", -24.0f, 24.0f, 0.0f, UnitType::dB, SkewType::linear, 0.0f));
    }

    layout.add (makeAudioParameterBool (ParamId::masterOn, "Master On/Off", "On", "Off", true));
    layout.add (makeAudioParameterBool (ParamId::s1On, "S1 On/Off", "On", "Off", true));
    layout.add (makeAudioParameterBool (ParamId::s2On, "S2 On/Off", "On", "Off", false));

    return layout;
}
} // namespace my
