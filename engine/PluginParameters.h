#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

namespace my
{
// String IDs of the 27 parameters. Saved states and host automation refer to them: never rename.
namespace ParamId
{
inline constexpr const char* route = "route";
inline constexpr const char* masterInput = "masterInput";
inline constexpr const char* masterMix = "masterMix";
inline constexpr const char* masterOutput = "masterOutput";
inline constexpr const char* s1Shape = "s1Shape";
inline constexpr const char* s1Morph1 = "s1Morph1";
inline constexpr const char* s1Morph2 = "s1Morph2";
inline constexpr const char* s1Morph3 = "s1Morph3";
inline constexpr const char* s1Morph4 = "s1Morph4";
inline constexpr const char* s1Input = "s1Input";
inline constexpr const char* s1Offset = "s1Offset";
inline constexpr const char* s1Mix = "s1Mix";
inline constexpr const char* s1Pan = "s1Pan";
inline constexpr const char* s1Output = "s1Output";
inline constexpr const char* s2Shape = "s2Shape";
inline constexpr const char* s2Morph1 = "s2Morph1";
inline constexpr const char* s2Morph2 = "s2Morph2";
inline constexpr const char* s2Morph3 = "s2Morph3";
inline constexpr const char* s2Morph4 = "s2Morph4";
inline constexpr const char* s2Input = "s2Input";
inline constexpr const char* s2Offset = "s2Offset";
inline constexpr const char* s2Mix = "s2Mix";
inline constexpr const char* s2Pan = "s2Pan";
inline constexpr const char* s2Output = "s2Output";
inline constexpr const char* masterOn = "masterOn";
inline constexpr const char* s1On = "s1On";
inline constexpr const char* s2On = "s2On";

// Host order.
inline constexpr std::array<const char*, 27> all { route,    masterInput, masterMix, masterOutput, s1Shape,  s1Morph1,
                                                   s1Morph2, s1Morph3,    s1Morph4,  s1Input,      s1Offset, s1Mix,
                                                   s1Pan,    s1Output,    s2Shape,   s2Morph1,     s2Morph2, s2Morph3,
                                                   s2Morph4, s2Input,     s2Offset,  s2Mix,        s2Pan,    s2Output,
                                                   masterOn, s1On,        s2On };
} // namespace ParamId

// Display names of the 21 curves; name i is choice i of both shape parameters.
inline constexpr std::array<const char*, 21> curveDisplayNames { "Soft Clip",
                                                                 "Flex Clip Sym",
                                                                 "Flex Clip Asym",
                                                                 "Tube",
                                                                 "Exponential",
                                                                 "Single Fold",
                                                                 "Quantize",
                                                                 "Sine",
                                                                 "Sine 1",
                                                                 "Sine 2",
                                                                 "Sine 4",
                                                                 "Triangle",
                                                                 "Triangle 1",
                                                                 "Triangle 2",
                                                                 "Triangle 4",
                                                                 "Triangle Spring",
                                                                 "Triangle Half",
                                                                 "Triangle Half 1",
                                                                 "Triangle Half 2",
                                                                 "Triangle Half 4",
                                                                 "Triangle Half Spring" };

// Item a route value selects: "Serial" up to 0.5, "Parallel" above.
juce::String routeText (float value);

// The number a typed text starts with; text that reads as no finite number ("nan", "inf") gives
// the default instead.
float typedValue (const juce::String& text, float defaultValue);

// Reads a typed route: the words "Serial"/"Parallel" in any letter case, otherwise the leading number.
float routeValueFromText (const juce::String& text);

class Parameters
{
public:
    enum class UnitType
    {
        none = 0,
        dB = 1,
        Hz = 2,
        ms = 3,
        percent = 4
    };

    enum class SkewType
    {
        linear = 0
    };

    juce::AudioProcessorValueTreeState::ParameterLayout makeParams();

    static std::unique_ptr<juce::AudioParameterFloat> makeAudioParameterFloat (juce::String id, juce::String name,
                                                                               float minimum, float maximum,
                                                                               float defaultValue, UnitType unit,
                                                                               SkewType skew, float skewAmount);

    static std::unique_ptr<juce::AudioParameterBool> makeAudioParameterBool (juce::String id, juce::String name,
                                                                             juce::String onText, juce::String offText,
                                                                             bool defaultValue);

    static juce::String unitSuffix (UnitType unit);

    juce::StringArray shapeNames;
};
} // namespace my
