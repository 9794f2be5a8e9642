#pragma once

#include "widgets/my_ButtonBase.h"

namespace ojx
{
// Undo and redo side by side: two curved arrows, with a transparent button over each half that
// shows only the hover highlight. What a click does is the owner's `onClick`.
class ButtonUndoRedo : public juce::Component
{
public:
    ButtonUndoRedo();

    void paint (juce::Graphics& g) override;
    void resized() override;

    my::ButtonBase buttonUndo;
    my::ButtonBase buttonRedo;
    // Only `buttonTextOff` is read: the arrows' colour.
    my::MySkin skin;
};
} // namespace ojx
