#include <gtest/gtest.h>

#include "engine/my_Utility.h"

#include <clocale>
#include <string>

namespace
{
struct Digit3Case
{
    float x;
    const char* text;
};

TEST (Digit3, MatchesTheReferenceTable)
{
    const Digit3Case cases[] = {
        { 0.004f, "0.00" },    { -0.004f, "0.00" },     { 0.005f, "0.00" },   { 0.0051f, "0.01" },
        { -0.0051f, "-0.01" }, { 0.125f, "0.12" },      { 0.375f, "0.38" },   { 0.5f, "0.50" },
        { 9.994f, "9.99" },    { 9.996f, "10.00" },     { 10.0f, "10.0" },    { -24.0f, "-24.0" },
        { -12.34f, "-12.3" },  { 72.0f, "72.0" },       { 99.94f, "99.9" },   { 99.96f, "100.0" },
        { 100.0f, "100" },     { 150.7f, "150" },       { 999.9f, "999" },    { -100.0f, "-100" },
        { -100.5f, "-101" },   { 1000.0f, "1.00k" },    { 1234.5f, "1.23k" }, { 9999.0f, "10.00k" },
        { 12345.0f, "12.3k" }, { 123456.0f, "123.5k" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (my::digit3 (c.x), juce::String (c.text)) << "x = " << c.x;
}

TEST (Digit3, ZeroAndNegativeZeroHaveNoSign)
{
    EXPECT_EQ (my::digit3 (0.0f), "0.00");
    EXPECT_EQ (my::digit3 (-0.0f), "0.00");
}

TEST (Digit3, UsesADotInEveryLocale)
{
    const auto* previous = std::setlocale (LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale (LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no German locale on this machine";

    EXPECT_EQ (my::digit3 (1.5f), "1.50");
    std::setlocale (LC_NUMERIC, saved.c_str());
}
} // namespace

namespace
{
TEST (SelectedItem, EachItemOwnsTheUpperEdgeOfItsShare)
{
    EXPECT_EQ (my::selectedItem (-1.0f, 5), 1);
    EXPECT_EQ (my::selectedItem (0.0f, 5), 1);
    EXPECT_EQ (my::selectedItem (0.2f, 5), 1);
    EXPECT_EQ (my::selectedItem (0.2001f, 5), 2);
    EXPECT_EQ (my::selectedItem (0.6f, 5), 3);
    EXPECT_EQ (my::selectedItem (1.0f, 5), 5);
    EXPECT_EQ (my::selectedItem (7.0f, 5), 5);
    EXPECT_EQ (my::selectedItem (0.5f, 2), 1);
    EXPECT_EQ (my::selectedItem (0.51f, 2), 2);
    EXPECT_EQ (my::selectedItem (0.3f, 1), 1);
}
} // namespace
