#include "engine/my_Utility.h"

#include <cmath>

namespace my
{
juce::String digit3 (float x)
{
    const float a = std::abs (x);

    // The threshold is compared in double precision, so the float nearest 0.005 still reads "0.00".
    if (static_cast<double> (a) < 0.005)
        return "0.00";
    if (a < 10.0f)
        return juce::String (static_cast<double> (x), 2);
    if (a < 100.0f)
        return juce::String (static_cast<double> (x), 1);
    if (a < 1000.0f)
        return juce::String (static_cast<juce::int64> (std::floor (x)));
    if (a < 10000.0f)
        return juce::String (static_cast<double> (x) / 1000.0, 2) + "k";
    return juce::String (static_cast<double> (x) / 1000.0, 1) + "k";
}
} // namespace my

namespace my
{
int selectedItem (float value, int numItems)
{
    for (int k = 1; k < numItems; ++k)
        if (value <= static_cast<float> (k) / static_cast<float> (numItems))
            return k;
    return juce::jmax (1, numItems);
}
} // namespace my
