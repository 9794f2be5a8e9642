#include <gtest/gtest.h>

#include "engine/PluginParameters.h"
#include "engine/PluginProcessor.h"

#include <cmath>
#include <limits>

namespace
{
struct Expected
{
    const char* id;
    const char* name;
    float minimum, maximum, defaultValue;
    const char* defaultText;
};

// Host order, ranges, defaults and default texts of all parameters.
const Expected expectedLayout[] = {
    { "route", "Route", 0, 1, 0, "Serial" },
    { "masterInput", "Master Input", -24, 24, 0, "0.00 dB" },
    { "masterMix", "Master Mix", 0, 100, 100, "100 %" },
    { "masterOutput", "Master Output", -12, 12, 0, "0.00 dB" },
    { "s1Shape", "S1 Shape", 0, 20, 0, "Soft Clip" },
    { "s1Morph1", "S1 Morph 1", 0, 1, 0, "0.00" },
    { "s1Morph2", "S1 Morph 2", 0, 1, 0, "0.00" },
    { "s1Morph3", "S1 Morph 3", 0, 1, 0, "0.00" },
    { "s1Morph4", "S1 Morph 4", 0, 1, 0, "0.00" },
    { "s1Input", "S1 Input", -72, 72, 0, "0.00 dB" },
    { "s1Offset", "S1 Offset", -1, 1, 0, "0.00" },
    { "s1Mix", "S1 Mix", 0, 100, 100, "100 %" },
    { "s1Pan", "S1 Pan", -100, 100, 0, "0.00 %" },
    { "s1Output", "S1 Output", -24, 24, 0, "0.00 dB" },
    { "s2Shape", "S2 Shape", 0, 20, 0, "Soft Clip" },
    { "s2Morph1", "S2 Morph 1", 0, 1, 0, "0.00" },
    { "s2Morph2", "S2 Morph 2", 0, 1, 0, "0.00" },
    { "s2Morph3", "S2 Morph 3", 0, 1, 0, "0.00" },
    { "s2Morph4", "S2 Morph 4", 0, 1, 0, "0.00" },
    { "s2Input", "S2 Input", -72, 72, 0, "0.00 dB" },
    { "s2Offset", "S2 Offset", -1, 1, 0, "0.00" },
    { "s2Mix", "S2 Mix", 0, 100, 100, "100 %" },
    { "s2Pan", "S2 Pan", -100, 100, 0, "0.00 %" },
    { "s2Output", "S2 Output", -24, 24, 0, "0.00 dB" },
    { "masterOn", "Master On/Off", 0, 1, 1, "On" },
    { "s1On", "S1 On/Off", 0, 1, 1, "On" },
    { "s2On", "S2 On/Off", 0, 1, 0, "Off" },
};

class ParameterLayout : public ::testing::Test
{
protected:
    juce::RangedAudioParameter& parameter (const char* id)
    {
        auto* p = processor.apvts.getParameter (id);
        EXPECT_NE (p, nullptr) << id;
        return *p;
    }

    juce::String textAt (const char* id, float plainValue, int maximumLength = 1024)
    {
        auto& p = parameter (id);
        return p.getText (p.convertTo0to1 (plainValue), maximumLength);
    }

    WkrPlexa2AudioProcessor processor;
};

TEST_F (ParameterLayout, HasTheParametersInHostOrderWithRangesDefaultsAndTexts)
{
    const auto& all = processor.getParameters();
    ASSERT_EQ (all.size(), 27);
    ASSERT_EQ (std::size (expectedLayout), my::ParamId::all.size());

    for (int i = 0; i < all.size(); ++i)
    {
        const auto& e = expectedLayout[i];
        auto* p = dynamic_cast<juce::RangedAudioParameter*> (all[i]);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getParameterID(), e.id);
        EXPECT_EQ (juce::String (my::ParamId::all[static_cast<size_t> (i)]), e.id);
        EXPECT_EQ (p->getName (100), e.name);
        EXPECT_EQ (p->getLabel(), "") << e.id;
        EXPECT_EQ (p->getNormalisableRange().start, e.minimum) << e.id;
        EXPECT_EQ (p->getNormalisableRange().end, e.maximum) << e.id;
        EXPECT_FLOAT_EQ (p->convertFrom0to1 (p->getDefaultValue()), e.defaultValue) << e.id;
        EXPECT_EQ (p->getCurrentValueAsText(), e.defaultText) << e.id;
        EXPECT_TRUE (p->isAutomatable()) << e.id;
    }
}

TEST_F (ParameterLayout, FloatsMapLinearlyWithoutSteps)
{
    auto& input = parameter ("s1Input");
    EXPECT_FLOAT_EQ (input.convertFrom0to1 (0.25f), -36.0f);
    EXPECT_FLOAT_EQ (input.convertTo0to1 (36.0f), 0.75f);
    EXPECT_FLOAT_EQ (input.convertFrom0to1 (0.123456f), -72.0f + 144.0f * 0.123456f);

    auto& pan = parameter ("s2Pan");
    EXPECT_FLOAT_EQ (pan.convertTo0to1 (0.0f), 0.5f);
}

TEST_F (ParameterLayout, ValueTextsUseDigit3AndTheUnitSuffix)
{
    EXPECT_EQ (textAt ("masterInput", -24.0f), "-24.0 dB");
    EXPECT_EQ (textAt ("s1Pan", -100.0f), "-100 %");
    EXPECT_EQ (textAt ("s1Morph1", 0.5f), "0.50");
    EXPECT_EQ (textAt ("s1Offset", -1.0f), "-1.00");
    EXPECT_EQ (textAt ("s2Input", 72.0f), "72.0 dB");
    EXPECT_EQ (textAt ("masterMix", 37.5f), "37.5 %");
}

TEST_F (ParameterLayout, TextsIgnoreTheMaximumLength)
{
    EXPECT_EQ (textAt ("masterInput", -24.0f, 2), "-24.0 dB");
    EXPECT_EQ (textAt ("route", 1.0f, 3), "Parallel");
    EXPECT_EQ (textAt ("s2On", 0.0f, 1), "Off");
    EXPECT_EQ (parameter ("s1Shape").getText (1.0f, 4), "Triangle Half Spring");
}

TEST_F (ParameterLayout, ShapeChoicesListTheCurveNamesInOrder)
{
    auto* shape = dynamic_cast<juce::AudioParameterChoice*> (&parameter ("s2Shape"));
    ASSERT_NE (shape, nullptr);
    ASSERT_EQ (shape->choices.size(), 21);
    EXPECT_EQ (shape->choices, processor.parameters.shapeNames);
    EXPECT_EQ (shape->choices[0], "Soft Clip");
    EXPECT_EQ (shape->choices[7], "Sine");
    EXPECT_EQ (shape->choices[20], "Triangle Half Spring");

    // Index i sits at i / 20 and reads back by name.
    const juce::AudioProcessorParameter& asParameter = *shape;
    EXPECT_EQ (asParameter.getText (7.0f / 20.0f, 100), "Sine");
    EXPECT_FLOAT_EQ (asParameter.getValueForText ("Sine"), 7.0f / 20.0f);
}

TEST_F (ParameterLayout, RouteReadsItsWordsInAnyCaseAndNumbers)
{
    auto& route = parameter ("route");
    EXPECT_EQ (textAt ("route", 0.0f), "Serial");
    EXPECT_EQ (textAt ("route", 1.0f), "Parallel");

    EXPECT_EQ (route.getValueForText ("Parallel"), 1.0f);
    EXPECT_EQ (route.getValueForText ("parallel"), 1.0f);
    EXPECT_EQ (route.getValueForText (" PARALLEL "), 1.0f);
    EXPECT_EQ (route.getValueForText ("Serial"), 0.0f);
    EXPECT_EQ (route.getValueForText ("sErIaL"), 0.0f);
    EXPECT_EQ (route.getValueForText ("1"), 1.0f);
    EXPECT_EQ (route.getValueForText ("0"), 0.0f);
}

TEST_F (ParameterLayout, SwitchesReadOnAndOff)
{
    auto& on = parameter ("masterOn");
    EXPECT_EQ (on.getText (1.0f, 10), "On");
    EXPECT_EQ (on.getText (0.0f, 10), "Off");
    EXPECT_EQ (on.getValueForText ("Off"), 0.0f);
    EXPECT_EQ (on.getValueForText ("On"), 1.0f);
}

TEST (RouteText, SerialUpToOneHalfThenParallel)
{
    EXPECT_EQ (my::routeText (0.0f), "Serial");
    EXPECT_EQ (my::routeText (0.5f), "Serial");
    EXPECT_EQ (my::routeText (0.500001f), "Parallel");
    EXPECT_EQ (my::routeText (1.0f), "Parallel");
}
} // namespace

namespace
{
constexpr float nanValue = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

// Every parameter at the value a host, a state or a typed text gives it, when that value is no
// number a parameter can hold: the parameter keeps a finite value in its range (its default for
// NaN and for texts that read as no finite number), the output stays finite and so does the next
// saved state.
class NonFiniteValues : public ::testing::Test
{
protected:
    NonFiniteValues() { processor.prepareToPlay (48000.0, 256); }

    juce::RangedAudioParameter& parameter (const char* id) { return *processor.apvts.getParameter (id); }

    // Moves a parameter off its default, so that landing on the default is seen.
    void moveAway (const char* id)
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.getDefaultValue() < 0.5f ? 1.0f : 0.0f);
        ASSERT_NE (p.getValue(), p.getDefaultValue()) << id;
    }

    void restoreWithValue (const char* id, const juce::var& value)
    {
        auto tree = processor.apvts.copyState();
        tree.getChildWithProperty ("id", id).setProperty ("value", value, nullptr);
        juce::MemoryOutputStream stream;
        tree.writeToStream (stream);
        processor.setStateInformation (stream.getData(), static_cast<int> (stream.getDataSize()));
    }

    void expectHoldable (const char* id, const std::string& how)
    {
        SCOPED_TRACE (std::string (id) + ", " + how);
        auto& p = parameter (id);
        const float position = p.getValue();
        EXPECT_TRUE (std::isfinite (position) && position >= 0.0f && position <= 1.0f) << position;
        const float plain = *processor.apvts.getRawParameterValue (id);
        const auto& range = p.getNormalisableRange();
        EXPECT_TRUE (std::isfinite (plain) && plain >= range.start && plain <= range.end) << plain;
        EXPECT_FALSE (p.getCurrentValueAsText().containsIgnoreCase ("nan"));

        for (int round = 0; round < 2; ++round)
        {
            juce::AudioBuffer<float> buffer (2, 256);
            for (int i = 0; i < 256; ++i)
                buffer.setSample (i % 2, i, std::sin (0.05f * static_cast<float> (i)));
            processor.processBlock (buffer, midi);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 256; ++i)
                    ASSERT_TRUE (std::isfinite (buffer.getSample (c, i))) << "sample " << i;
        }

        juce::MemoryBlock state;
        processor.getStateInformation (state);
        const auto tree = juce::ValueTree::readFromData (state.getData(), state.getSize());
        for (const auto& child : tree)
            EXPECT_TRUE (std::isfinite (static_cast<double> (child.getProperty ("value"))))
                << child.getProperty ("id").toString();
    }

    void expectDefault (const char* id, const std::string& how)
    {
        auto& p = parameter (id);
        EXPECT_EQ (p.getValue(), p.getDefaultValue()) << id << ", " << how;
    }

    WkrPlexa2AudioProcessor processor;
    juce::MidiBuffer midi;
};

TEST_F (NonFiniteValues, NeverBecomeAParameterValue)
{
    for (const auto* id : my::ParamId::all)
    {
        auto& p = parameter (id);
        const bool continuous = ! p.isDiscrete(); // the 22 float parameters, the route among them

        for (const float x : { nanValue, infinity, -infinity, 1.0e30f, -1.0e30f })
        {
            const auto how = "a host's " + std::to_string (x);
            moveAway (id);
            p.setValue (x);
            p.sendValueChangedMessageToListeners (x);
            expectHoldable (id, "set to " + how);
            if (std::isnan (x))
                expectDefault (id, how);

            moveAway (id);
            p.setValueNotifyingHost (x);
            expectHoldable (id, "notified " + how);
            if (std::isnan (x))
                expectDefault (id, how);
        }

        for (const juce::var& value : { juce::var (std::numeric_limits<double>::quiet_NaN()),
                                        juce::var (std::numeric_limits<double>::infinity()),
                                        juce::var (-std::numeric_limits<double>::infinity()), juce::var ("nan"),
                                        juce::var (1.0e300), juce::var (-1.0e300) })
        {
            const auto how = "a state's " + value.toString().toStdString();
            moveAway (id);
            restoreWithValue (id, value);
            expectHoldable (id, how);
            if (! std::isfinite (static_cast<double> (value)))
                expectDefault (id, how);
        }

        // Texts that read as no finite number give the default; huge numbers the nearest end.
        const std::pair<const char*, float> texts[] = {
            { "nan", p.getDefaultValue() },
            { "inf", p.getDefaultValue() },
            { "-inf", p.getDefaultValue() },
            { "1e300", 1.0f },
            { "-1e300", 0.0f },
        };
        for (const auto& [text, expected] : texts)
        {
            const auto how = std::string ("the text ") + text;
            moveAway (id);
            const float position = p.getValueForText (text);
            if (continuous)
            {
                EXPECT_EQ (position, expected) << id << ", " << how;
            }
            p.setValueNotifyingHost (position);
            expectHoldable (id, how);
        }
    }
}
} // namespace
