#include "host/Lv2Metadata.h"

namespace host::lv2
{
namespace
{
// The generator lists scale points for discrete parameters with fewer steps than this.
constexpr int scalePointStepLimit = 1000;

juce::String unitOf (const juce::String& valueText)
{
    if (valueText.endsWith (" dB"))
        return "units:db";
    if (valueText.endsWith (" %"))
        return "units:pc";
    return {};
}

// One parameter's statements: from "plug:<iri>\n" to the blank line that ends them.
juce::String fixParameterBlock (juce::String block, const ParameterFacts& facts)
{
    const juce::String rangeLine = "\trdfs:range atom:Float ;\n";
    if (facts.unit.isNotEmpty() && ! block.contains ("units:unit") && block.contains (rangeLine))
        block = block.replace (rangeLine, rangeLine + "\tunits:unit " + facts.unit + " ;\n");

    const juce::String valueKey = "rdf:value ";
    int from = 0;
    for (float value : facts.scalePoints)
    {
        const int start = block.indexOf (from, valueKey);
        if (start < 0)
            break;
        const int valueStart = start + valueKey.length();
        const int valueEnd = block.indexOf (valueStart, " ;");
        if (valueEnd < 0)
            break;
        block = block.replaceSection (valueStart, valueEnd - valueStart, juce::String (value));
        from = valueStart;
    }
    return block;
}

juce::String fixPluginClass (const juce::String& ttl)
{
    // The plug-in is the subject followed by its doap:name; doap:Project is what the maintainer
    // and release statements describe.
    const juce::String generated = "\ta lv2:Plugin ;\n\tdoap:name ";
    return ttl.replace (generated, "\ta lv2:Plugin , lv2:DistortionPlugin , doap:Project ;\n\tdoap:name ");
}

juce::String fixMailbox (const juce::String& ttl)
{
    const juce::String key = "foaf:mbox <";
    const int start = ttl.indexOf (key);
    if (start < 0)
        return ttl;
    const int addressStart = start + key.length();
    if (ttl.substring (addressStart).startsWith ("mailto:"))
        return ttl;
    return ttl.replaceSection (addressStart, 0, "mailto:");
}
} // namespace

std::vector<ParameterFacts> factsOf (const juce::AudioProcessor& processor)
{
    std::vector<ParameterFacts> result;
    for (auto* parameter : processor.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        if (ranged == nullptr)
            continue;

        ParameterFacts facts { ranged->getParameterID(),
                               {},
                               unitOf (ranged->getText (ranged->getDefaultValue(), 1024)) };
        const int steps = ranged->getNumSteps();
        if (ranged->isDiscrete() && steps >= 2 && steps < scalePointStepLimit)
            for (int i = 0; i < steps; ++i)
                facts.scalePoints.push_back (
                    ranged->convertFrom0to1 (static_cast<float> (i) / static_cast<float> (steps - 1)));
        result.push_back (std::move (facts));
    }
    return result;
}

juce::String fixDspTtl (const juce::String& dspTtl, const std::vector<ParameterFacts>& facts)
{
    auto ttl = fixMailbox (fixPluginClass (dspTtl));
    for (const auto& parameter : facts)
    {
        const auto header = "plug:" + parameter.iri + "\n";
        const int start = ttl.indexOf (header);
        if (start < 0)
            continue;
        int end = ttl.indexOf (start, "\n\n");
        end = end < 0 ? ttl.length() : end + 2;
        ttl = ttl.replaceSection (start, end - start, fixParameterBlock (ttl.substring (start, end), parameter));
    }
    return ttl;
}
} // namespace host::lv2
