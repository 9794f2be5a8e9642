#include <gtest/gtest.h>

#include "engine/PluginProcessor.h"
#include "host/Lv2Metadata.h"

namespace
{
const host::lv2::ParameterFacts* find (const std::vector<host::lv2::ParameterFacts>& facts, const char* iri)
{
    for (const auto& parameter : facts)
        if (parameter.iri == iri)
            return &parameter;
    return nullptr;
}

TEST (Lv2Metadata, ChoicesListThePlainValuesAHostSends)
{
    WkrPlexa2AudioProcessor processor;
    const auto facts = host::lv2::factsOf (processor);
    ASSERT_EQ (facts.size(), 27u);

    for (const char* shape : { "s1Shape", "s2Shape" })
    {
        const auto* parameter = find (facts, shape);
        ASSERT_NE (parameter, nullptr);
        ASSERT_EQ (parameter->scalePoints.size(), 21u);
        for (size_t i = 0; i < 21; ++i)
            EXPECT_EQ (parameter->scalePoints[i], static_cast<float> (i)) << shape << " " << i;
        EXPECT_EQ (processor.parameters.shapeNames[7], "Sine");
    }

    for (const char* power : { "masterOn", "s1On", "s2On" })
        EXPECT_EQ (find (facts, power)->scalePoints, (std::vector<float> { 0.0f, 1.0f })) << power;
    for (const char* continuous : { "route", "masterMix", "s1Morph1", "s2Output" })
        EXPECT_TRUE (find (facts, continuous)->scalePoints.empty()) << continuous;
}

TEST (Lv2Metadata, UnitsFollowTheValueTexts)
{
    WkrPlexa2AudioProcessor processor;
    const auto facts = host::lv2::factsOf (processor);

    for (const char* decibels : { "masterInput", "masterOutput", "s1Input", "s1Output", "s2Input", "s2Output" })
        EXPECT_EQ (find (facts, decibels)->unit, "units:db") << decibels;
    for (const char* percent : { "masterMix", "s1Mix", "s1Pan", "s2Mix", "s2Pan" })
        EXPECT_EQ (find (facts, percent)->unit, "units:pc") << percent;
    for (const char* bare : { "route", "s1Shape", "s1Morph4", "s2Offset", "masterOn" })
        EXPECT_EQ (find (facts, bare)->unit, "") << bare;
}

// A cut-down description in the generator's layout.
const char* generatedTtl = "plug:gain\n"
                           "\ta lv2:Parameter ;\n"
                           "\trdfs:label \"Gain\" ;\n"
                           "\trdfs:range atom:Float ;\n"
                           "\tlv2:default 0 ;\n"
                           "\tlv2:minimum -24 ;\n"
                           "\tlv2:maximum 24 .\n"
                           "\n"
                           "plug:shape\n"
                           "\ta lv2:Parameter ;\n"
                           "\trdfs:label \"Shape\" ;\n"
                           "\trdfs:range atom:Float ;\n"
                           "\tlv2:default 0 ;\n"
                           "\tlv2:minimum 0 ;\n"
                           "\tlv2:maximum 2\t ;\n"
                           "\tlv2:portProperty lv2:enumeration ;\n"
                           "\tlv2:scalePoint [\n"
                           "\t\trdfs:label \"A\" ;\n"
                           "\t\trdf:value 0 ;\n"
                           "\t], [\n"
                           "\t\trdfs:label \"B\" ;\n"
                           "\t\trdf:value 0.5 ;\n"
                           "\t], [\n"
                           "\t\trdfs:label \"C\" ;\n"
                           "\t\trdf:value 1 ;\n"
                           "\t] .\n"
                           "\n"
                           "<https://tolvane.example/plugins/x>\n"
                           "\ta lv2:Plugin ;\n"
                           "\tdoap:name \"x\" ;\n"
                           "\tdoap:maintainer [\n"
                           "\t\tfoaf:mbox <info@tolvane.example> ;\n"
                           "\t] .\n";

TEST (Lv2Metadata, RewritesOnlyWhatTheGeneratorGetsWrong)
{
    const std::vector<host::lv2::ParameterFacts> facts { { "gain", {}, "units:db" },
                                                         { "shape", { 0.0f, 1.0f, 2.0f }, "" } };
    const auto fixed = host::lv2::fixDspTtl (generatedTtl, facts);

    EXPECT_TRUE (
        fixed.contains ("\trdfs:range atom:Float ;\n\tunits:unit units:db ;\n\tlv2:default 0 ;\n\tlv2:minimum -24"));
    EXPECT_EQ (fixed.indexOf ("units:unit"), fixed.lastIndexOf ("units:unit")) << "the choice has no unit";
    EXPECT_TRUE (fixed.contains ("\"A\" ;\n\t\trdf:value 0 ;"));
    EXPECT_TRUE (fixed.contains ("\"B\" ;\n\t\trdf:value 1 ;"));
    EXPECT_TRUE (fixed.contains ("\"C\" ;\n\t\trdf:value 2 ;"));
    EXPECT_TRUE (fixed.contains ("\ta lv2:Plugin , lv2:DistortionPlugin , doap:Project ;\n\tdoap:name \"x\""));
    EXPECT_TRUE (fixed.contains ("foaf:mbox <mailto:info@tolvane.example> ;"));

    // Nothing else moves: taking the additions out again gives the generated text back, less
    // the renumbered values.
    auto restored = fixed.replace ("\tunits:unit units:db ;\n", "")
                        .replace (" , lv2:DistortionPlugin , doap:Project", "")
                        .replace ("mailto:", "")
                        .replace ("rdf:value 1 ;", "rdf:value 0.5 ;")
                        .replace ("rdf:value 2 ;", "rdf:value 1 ;");
    EXPECT_EQ (restored, juce::String (generatedTtl));

    EXPECT_EQ (host::lv2::fixDspTtl (fixed, facts), fixed) << "a second pass changes nothing";
}

TEST (Lv2Metadata, LeavesParametersItHasNoFactsForAsGenerated)
{
    const auto fixed = host::lv2::fixDspTtl (generatedTtl, { { "other", { 5.0f }, "units:pc" } });
    EXPECT_FALSE (fixed.contains ("units:unit"));
    EXPECT_TRUE (fixed.contains ("rdf:value 0.5 ;"));
}
} // namespace
