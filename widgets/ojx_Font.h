#pragma once

#include <juce_graphics/juce_graphics.h>

namespace ojx
{
// The two embedded faces: a compact sans-serif for the controls and the face in the "Arial" role
// for the header title. Both at the framework's default height; users copy them and set theirs.
class Font
{
public:
    Font();

    juce::Font mainFont;
    juce::Font arialFont;
};
} // namespace ojx
