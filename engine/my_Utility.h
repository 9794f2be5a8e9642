#pragma once

#include <juce_core/juce_core.h>

namespace my
{
// Short value text of about three significant digits, with "k" for thousands:
// 0.125 -> "0.12", 72 -> "72.0", 150.7 -> "150", 1234.5 -> "1.23k".
juce::String digit3 (float x);

// Which of n exclusive items a value 0..1 selects: item k (1-based) for (k - 1) / n < v <= k / n,
// item 1 for v <= 0 and item n above 1. Shared by the multi-button selectors and the route text.
int selectedItem (float value, int numItems);
} // namespace my
