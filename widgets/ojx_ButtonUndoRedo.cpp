#include "widgets/ojx_ButtonUndoRedo.h"

#include "widgets/wkr_SkinTolvaneD.h"

namespace ojx
{
namespace
{
// Clear bodies: a hovered half shows only the button's hover tint, as a rounded highlight.
my::MySkin clearButtonSkin()
{
    my::MySkin clear;
    for (int index : { my::SkinIndex::buttonOn, my::SkinIndex::buttonOff, my::SkinIndex::buttonOffHover })
        clear[index] = juce::Colours::transparentBlack;
    return clear;
}

// The brand palette with the arrows in the dim text grey.
my::MySkin arrowSkin()
{
    wkr::SkinTolvaneD brand;
    brand[my::SkinIndex::buttonTextOff] = brand[my::SkinIndex::textDim];
    return brand;
}

// A downward head with its tip at (x, tipY).
void addHead (juce::Path& path, float x, float tipY, float size)
{
    path.addTriangle (x, tipY, x - size, tipY - size, x + size, tipY - size);
}
} // namespace

ButtonUndoRedo::ButtonUndoRedo()
{
    const auto clear = clearButtonSkin();

    for (auto* button : { &buttonUndo, &buttonRedo })
    {
        addAndMakeVisible (*button);
        button->setButtonText ({});
        button->skin = clear;
        button->cornerStyle = my::CornerStyle::allRounded;
        button->cornerRadius = 3.0f;
    }

    buttonUndo.setComponentID ("buttonUndo");
    buttonRedo.setComponentID ("buttonRedo");
    skin = arrowSkin();
}

void ButtonUndoRedo::resized()
{
    const int half = (int) ((float) getWidth() * 0.5f);
    buttonUndo.setBounds (0, 0, half, getHeight());
    buttonRedo.setBounds (half, 0, half, getHeight());
}

void ButtonUndoRedo::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const float pi = juce::MathConstants<float>::pi;
    const float radius = h * 0.25f;
    const float headSize = 0.3f * radius;
    const float middle = h / 2.0f;
    const float undoX = 0.25f * w;
    const float redoX = 0.75f * w;

    juce::Path arrows;
    // Undo: from nine o'clock over the top round to six o'clock; redo mirrors it.
    arrows.addCentredArc (undoX, middle, radius, radius, 0.0f, 1.5f * pi, 3.0f * pi, true);
    arrows.addCentredArc (redoX, middle, radius, radius, 0.0f, pi, 2.5f * pi, true);
    // The heads sit a pixel low, just under the ends of the arcs.
    addHead (arrows, undoX - radius, middle + 1.0f, headSize);
    addHead (arrows, redoX + radius, middle + 1.0f, headSize);

    g.setColour (skin[my::SkinIndex::buttonTextOff]);
    g.strokePath (arrows, juce::PathStrokeType (1.5f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}
} // namespace ojx
