#include "host/ParameterSettings.h"

#include <cmath>
#include <ostream>

namespace host
{
namespace
{
// Parameters with at most this many steps whose texts are words are set by those words.
constexpr int mostNamedSteps = 64;

juce::RangedAudioParameter* findParameter (juce::AudioProcessor& processor, const juce::String& id)
{
    for (auto* parameter : processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
            ranged != nullptr && ranged->getParameterID() == id)
            return ranged;
    return nullptr;
}

bool startsWithNumber (const juce::String& text)
{
    const auto first = text.trimStart()[0];
    return juce::CharacterFunctions::isDigit (first) || first == '-' || first == '+' || first == '.';
}

// The value text of every step, or nothing when the parameter is continuous or its steps are numbers.
juce::StringArray namedStepTexts (const juce::RangedAudioParameter& parameter)
{
    // A float parameter's own step count ignores its range's interval; the range knows it.
    const auto& range = parameter.getNormalisableRange();
    const int steps = range.interval > 0.0f ? static_cast<int> ((range.end - range.start) / range.interval) + 1
                                            : parameter.getNumSteps();
    if (steps < 2 || steps > mostNamedSteps)
        return {};

    juce::StringArray texts;
    for (int step = 0; step < steps; ++step)
    {
        const auto text = parameter.getText (static_cast<float> (step) / static_cast<float> (steps - 1), 128);
        if (startsWithNumber (text))
            return {};
        texts.add (text);
    }
    return texts;
}

// Choices, switches and the route move in whole steps; a value between two of them is none of theirs.
bool isStepped (const juce::RangedAudioParameter& parameter)
{
    return parameter.getNormalisableRange().interval > 0.0f;
}

// The unit a continuous parameter writes after its number ("dB", "%"), or empty.
juce::String unitOf (const juce::RangedAudioParameter& parameter)
{
    if (isStepped (parameter))
        return {};
    const auto text = parameter.getText (parameter.getDefaultValue(), 128).trim();
    return text.containsChar (' ') ? text.fromLastOccurrenceOf (" ", false, false) : juce::String();
}

juce::String expectedNumber (const juce::RangedAudioParameter& parameter, const juce::String& unit)
{
    const auto& range = parameter.getNormalisableRange();
    return parameter.getParameterID() +
           (isStepped (parameter) ? " takes a whole number from " : " takes a number from ") +
           juce::String (range.start) + " to " + juce::String (range.end) +
           (unit.isNotEmpty() ? ", " + unit + " optional" : "");
}

// A plain value outside the parameter's range, or between its steps, is refused rather than
// silently clamped or rounded.
float normalisedFromPlain (const juce::RangedAudioParameter& parameter, double value, const juce::String& text)
{
    const auto& range = parameter.getNormalisableRange();
    if (value < range.start || value > range.end || (isStepped (parameter) && value != std::floor (value)))
        throw UsageError { expectedNumber (parameter, unitOf (parameter)) + ", got \"" + text + "\"" };
    return parameter.convertTo0to1 (static_cast<float> (value));
}

juce::String numberWithoutUnit (const juce::String& text, const juce::String& unit)
{
    const auto trimmed = text.trim();
    if (unit.isNotEmpty() && trimmed.endsWithIgnoreCase (unit))
        return trimmed.dropLastCharacters (unit.length());
    return trimmed;
}
} // namespace

juce::uint32 hostParameterId (const juce::String& parameterId)
{
    juce::uint32 h = 0;
    for (auto p = parameterId.getCharPointer(); ! p.isEmpty();)
        h = 31u * h + static_cast<juce::uint32> (p.getAndAdvance());
    return h & 0x7fffffffu;
}

float normalisedValueForText (const juce::RangedAudioParameter& parameter, const juce::String& text)
{
    const auto id = parameter.getParameterID();

    if (const auto names = namedStepTexts (parameter); ! names.isEmpty())
    {
        const int step = names.indexOf (text.trim(), true);
        if (step < 0)
            throw UsageError { id + " takes one of " + names.joinIntoString (", ") + " (any letter case), got \"" +
                               text + "\"" };
        return static_cast<float> (step) / static_cast<float> (names.size() - 1);
    }

    const auto unit = unitOf (parameter);
    const auto number = finiteNumber (numberWithoutUnit (text, unit));
    if (! number)
        throw UsageError { expectedNumber (parameter, unit) + ", got \"" + text + "\"" };
    return normalisedFromPlain (parameter, *number, text);
}

void CheckedSetting::apply() const { parameter->setValueNotifyingHost (normalised); }

CheckedSetting checkSetting (juce::AudioProcessor& processor, const ParameterSetting& setting)
{
    auto* parameter = findParameter (processor, setting.id);
    if (parameter == nullptr)
        throw UsageError { "no parameter with ID \"" + setting.id + "\" (see --list)" };

    float normalised = 0.0f;
    switch (setting.kind)
    {
        case ParameterSetting::Kind::plain:
            normalised = normalisedFromPlain (*parameter, parseNumber (setting.value, setting.id), setting.value);
            break;
        case ParameterSetting::Kind::normalised:
        {
            const double value = parseNumber (setting.value, setting.id);
            if (value < 0.0 || value > 1.0)
                throw UsageError { "a normalised value lies between 0 and 1, got " + setting.value };
            normalised = static_cast<float> (value);
            break;
        }
        case ParameterSetting::Kind::text:
            normalised = normalisedValueForText (*parameter, setting.value);
            break;
    }
    return { parameter, juce::jlimit (0.0f, 1.0f, normalised) };
}

void listParameters (juce::AudioProcessor& processor, std::ostream& out)
{
    out << "#   ID                     host ID     name               value\n";
    int index = 0;
    for (auto* parameter : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        if (ranged == nullptr)
            continue;
        const auto id = ranged->getParameterID();
        out << juce::String (index++).paddedRight (' ', 4) << id.paddedRight (' ', 23)
            << juce::String (hostParameterId (id)).paddedRight (' ', 12) << ranged->getName (64).paddedRight (' ', 19)
            << ranged->getCurrentValueAsText() << "\n";
    }
}
} // namespace host
