#pragma once

#include "widgets/my_SliderBase.h"

#include <vector>

namespace my
{
// A slider drawn as a row or column of exclusive buttons, one per item. The value 0..1 selects
// one item by `my::selectedItem`; item k of n stands for the value (k - 1) / (n - 1).
class MultiButtonSlider : public SliderBase
{
public:
    ~MultiButtonSlider() override = default;

    // Items are added once, after construction, and never removed.
    void addItem (juce::String name);

    int itemCount = 0;
    // 1-based; recomputed from the value at every paint.
    int selectedItem = 1;
    float cornerRadius = 3.0f;
    float textOffsetY = 1.0f;
    juce::StringArray itemNames;
    // Per item: `ButtonPath::none` shows the name, any other type draws that icon instead.
    std::vector<int> itemIcons;

protected:
    struct ItemLook
    {
        juce::Colour fill;
        juce::Colour text;
    };

    // The length of one item when `length` pixels hold them all with 1-pixel gaps between.
    int itemLength (int length) const;

    // One item: its body in `cell` with the given corners rounded, then its name in `textArea`
    // or its icon in `cell`. A hovered item gets body and content painted a second time in the
    // hover overlay.
    void paintItem (juce::Graphics& g, int item, juce::Rectangle<int> cell, juce::Rectangle<int> textArea,
                    int cornerStyle, ItemLook look, bool hovered) const;

private:
    void paintContent (juce::Graphics& g, int item, juce::Rectangle<int> cell, juce::Rectangle<int> textArea) const;
};

// Items stacked top to bottom, item 1 (value 0) at the top; the row under the mouse lightens.
class MultiButtonSliderVertical : public MultiButtonSlider
{
public:
    MultiButtonSliderVertical();
    ~MultiButtonSliderVertical() override = default;

    void paint (juce::Graphics& g) override;
    // Turned upside down against the framework's vertical slider; both assume the range 0..1.
    double proportionOfLengthToValue (double proportion) override;
    double valueToProportionOfLength (double value) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MultiButtonSliderVertical)
};

// Items left to right, item 1 (value 0) at the left. Greying out changes only the selected
// item's text.
class MultiButtonSliderHorizontal : public MultiButtonSlider
{
public:
    MultiButtonSliderHorizontal();
    ~MultiButtonSliderHorizontal() override = default;

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MultiButtonSliderHorizontal)
};
} // namespace my
