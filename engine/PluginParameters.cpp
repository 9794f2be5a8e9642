#include "engine/PluginParameters.h"

#include "engine/my_Utility.h"

#include <cmath>
#include <limits>

namespace my
{
namespace
{
// Every parameter has version hint 1, so hosts that order parameters by version see one set.
juce::ParameterID idOf (const juce::String& id) { return { id, 1 }; }

// The same mapping, except that NaN stands for the default. NaN fails every comparison, so the
// framework's clamping would pass it on: from a host, a state or a text it would become the
// parameter's value and reach the audio path. Finite values map exactly as before.
juce::NormalisableRange<float> withNaNAsDefault (const juce::NormalisableRange<float>& range, float defaultValue)
{
    const float defaultPosition = range.convertTo0to1 (defaultValue);
    auto orDefault = [defaultValue] (float v) { return std::isnan (v) ? defaultValue : v; };
    juce::NormalisableRange<float> result (
        range.start, range.end,
        [range, defaultPosition] (float, float, float p)
        { return range.convertFrom0to1 (std::isnan (p) ? defaultPosition : p); },
        [range, orDefault] (float, float, float v) { return range.convertTo0to1 (orDefault (v)); },
        [range, orDefault] (float, float, float v) { return range.snapToLegalValue (orDefault (v)); });
    result.interval = range.interval;
    return result;
}

// The curve choice. The framework rounds a NaN position to an arbitrary index; here it gives the
// default, as for every other parameter.
class CurveChoiceParameter final : public juce::AudioParameterChoice
{
public:
    CurveChoiceParameter (const juce::ParameterID& id, const juce::String& parameterName,
                          const juce::StringArray& curveNames)
        : AudioParameterChoice (id, parameterName, curveNames, 0),
          finiteRange (withNaNAsDefault (AudioParameterChoice::getNormalisableRange(), 0.0f))
    {
    }

    const juce::NormalisableRange<float>& getNormalisableRange() const override { return finiteRange; }

private:
    juce::NormalisableRange<float> finiteRange;
};

// A switch. The framework's switch stores whatever position a host sends, NaN included, so this
// one keeps its own: NaN gives the default, any other position is limited to 0..1 like those of
// the other parameters. The framework's get() and assignment never see it: hosts, the parameter
// state and the attachments go through getValue() and setValue(), and so does this code.
class SwitchParameter final : public juce::AudioParameterBool
{
public:
    SwitchParameter (const juce::ParameterID& id, const juce::String& parameterName, bool defaultOn,
                     const juce::AudioParameterBoolAttributes& attributes)
        : AudioParameterBool (id, parameterName, defaultOn, attributes),
          defaultPosition (defaultOn ? 1.0f : 0.0f),
          position (defaultPosition)
    {
    }

private:
    float getValue() const override { return position.load (std::memory_order_relaxed); }

    void setValue (float newValue) override
    {
        position.store (std::isnan (newValue) ? defaultPosition : juce::jlimit (0.0f, 1.0f, newValue),
                        std::memory_order_relaxed);
    }

    const float defaultPosition;
    std::atomic<float> position; // host, message or audio thread: whoever sets the parameter
};
} // namespace

juce::String routeText (float value) { return selectedItem (value, 2) == 1 ? "Serial" : "Parallel"; }

float typedValue (const juce::String& text, float defaultValue)
{
    const double value = text.getDoubleValue();
    if (! std::isfinite (value))
        return defaultValue;
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float> (juce::jlimit (-largest, largest, value));
}

float routeValueFromText (const juce::String& text)
{
    const auto word = text.trim();
    if (word.equalsIgnoreCase ("Serial"))
        return 0.0f;
    if (word.equalsIgnoreCase ("Parallel"))
        return 1.0f;
    return typedValue (word, 0.0f);
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

std::unique_ptr<juce::AudioParameterFloat> Parameters::makeAudioParameterFloat (juce::String id, juce::String name,
                                                                                float minimum, float maximum,
                                                                                float defaultValue, UnitType unit,
                                                                                SkewType, float)
{
    const auto suffix = unitSuffix (unit);

    juce::NormalisableRange<float> range (
        minimum, maximum, [] (float start, float end, float p) { return start + (end - start) * p; },
        [] (float start, float end, float v) { return (v - start) / (end - start); });

    return std::make_unique<juce::AudioParameterFloat> (
        idOf (id), name, withNaNAsDefault (range, defaultValue), defaultValue,
        juce::AudioParameterFloatAttributes()
            .withStringFromValueFunction ([suffix] (float value, int) { return digit3 (value) + suffix; })
            .withValueFromStringFunction ([defaultValue] (const juce::String& text)
                                          { return typedValue (text, defaultValue); }));
}

std::unique_ptr<juce::AudioParameterBool> Parameters::makeAudioParameterBool (juce::String id, juce::String name,
                                                                              juce::String onText, juce::String offText,
                                                                              bool defaultValue)
{
    return std::make_unique<SwitchParameter> (idOf (id), name, defaultValue,
                                              juce::AudioParameterBoolAttributes().withStringFromValueFunction (
                                                  [onText, offText] (bool on, int) { return on ? onText : offText; }));
}

juce::AudioProcessorValueTreeState::ParameterLayout Parameters::makeParams()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    layout.add (std::make_unique<juce::AudioParameterFloat> (
        idOf (ParamId::route), "Route",
        withNaNAsDefault (juce::NormalisableRange<float> (0.0f, 1.0f, 1.0f, 1.0f), 0.0f), 0.0f,
        juce::AudioParameterFloatAttributes()
            .withStringFromValueFunction ([] (float value, int) { return routeText (value); })
            .withValueFromStringFunction ([] (const juce::String& text) { return routeValueFromText (text); })));

    layout.add (makeAudioParameterFloat (ParamId::masterInput, "Master Input", -24.0f, 24.0f, 0.0f, UnitType::dB,
                                         SkewType::linear, 0.0f));
    layout.add (makeAudioParameterFloat (ParamId::masterMix, "Master Mix", 0.0f, 100.0f, 100.0f, UnitType::percent,
                                         SkewType::linear, 0.0f));
    layout.add (makeAudioParameterFloat (ParamId::masterOutput, "Master Output", -12.0f, 12.0f, 0.0f, UnitType::dB,
                                         SkewType::linear, 0.0f));

    for (const juce::String slot : { "1", "2" })
    {
        const auto idPrefix = "s" + slot;
        const auto namePrefix = "S" + slot + " ";

        layout.add (
            std::make_unique<CurveChoiceParameter> (idOf (idPrefix + "Shape"), namePrefix + "Shape", shapeNames));

        for (const juce::String morph : { "1", "2", "3", "4" })
            layout.add (makeAudioParameterFloat (idPrefix + "Morph" + morph, namePrefix + "Morph " + morph, 0.0f, 1.0f,
                                                 0.0f, UnitType::none, SkewType::linear, 0.0f));

        layout.add (makeAudioParameterFloat (idPrefix + "Input", namePrefix + "Input", -72.0f, 72.0f, 0.0f,
                                             UnitType::dB, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Offset", namePrefix + "Offset", -1.0f, 1.0f, 0.0f,
                                             UnitType::none, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Mix", namePrefix + "Mix", 0.0f, 100.0f, 100.0f,
                                             UnitType::percent, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Pan", namePrefix + "Pan", -100.0f, 100.0f, 0.0f,
                                             UnitType::percent, SkewType::linear, 0.0f));
        layout.add (makeAudioParameterFloat (idPrefix + "Output", namePrefix + "Output", -24.0f, 24.0f, 0.0f,
                                             UnitType::dB, SkewType::linear, 0.0f));
    }

    layout.add (makeAudioParameterBool (ParamId::masterOn, "Master On/Off", "On", "Off", true));
    layout.add (makeAudioParameterBool (ParamId::s1On, "S1 On/Off", "On", "Off", true));
    layout.add (makeAudioParameterBool (ParamId::s2On, "S2 On/Off", "On", "Off", false));

    return layout;
}
} // namespace my
