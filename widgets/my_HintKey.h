#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace my
{
// Hovered controls report themselves through one string the editor owns: a control writes its
// component ID there when the mouse enters and clears it when the mouse leaves. The editor's tick
// hands the string to the hint box. A control without a target writes nothing.
namespace HintKey
{
inline void mouseEntered (juce::String* target, const juce::Component& control)
{
    if (target != nullptr)
        *target = control.getComponentID();
}

inline void mouseExited (juce::String* target)
{
    if (target != nullptr)
        *target = juce::String();
}
} // namespace HintKey
} // namespace my
