#pragma once

#include <juce_core/juce_core.h>

namespace my
{
// Short value text of about three significant digits, with "k" for thousands:
// 0.125 -> "0.12", 72 -> "72.0", 150.7 -> "150", 1234.5 -> "1.23k".
juce::String digit3 (float x);
} // namespace my
