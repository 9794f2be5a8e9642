#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_Label.h"
#include "widgets/wkr_SkinTolvaneD.h"

namespace
{
juce::uint32 textColour (const my::LabelStd& label) { return label.findColour (juce::Label::textColourId).getARGB(); }
} // namespace

TEST (LabelStd, StartsUnskinnedInSmallArialAlignedLeft)
{
    const my::LabelStd label;

    EXPECT_EQ (textColour (label), my::MySkin::unsetColour);
    EXPECT_EQ (label.getFont().getTypefaceName(), "Arial");
    EXPECT_FLOAT_EQ (label.getFont().getHeight(), 11.0f);
    EXPECT_EQ (label.getJustificationType(), juce::Justification::centredLeft);
    EXPECT_FLOAT_EQ (label.getMinimumHorizontalScale(), 1.0f);
    EXPECT_TRUE (label.getText().isEmpty());
    EXPECT_TRUE (label.getName().isEmpty());
}

TEST (LabelStd, GreyingOutSwapsTheTextColourOnly)
{
    my::LabelStd label;
    label.setSkin (wkr::SkinTolvaneD());
    EXPECT_EQ (textColour (label), 0xFFCDCDCDu);

    label.setIsActive (false);
    EXPECT_EQ (textColour (label), 0xFF808080u);

    label.setIsActive (true);
    EXPECT_EQ (textColour (label), 0xFFCDCDCDu);
}

TEST (LabelStd, NewSkinShowsTheActiveColourEvenWhenGreyedOut)
{
    my::LabelStd label;
    label.setSkin (wkr::SkinTolvaneD());
    label.setIsActive (false);

    wkr::SkinTolvaneD oversampling;
    oversampling[my::SkinIndex::labelText] = oversampling[my::SkinIndex::textDim];
    label.setSkin (oversampling);

    EXPECT_EQ (textColour (label), 0xFFA0A0A0u);
}

TEST (LabelStd, KeepsItsCopyWhenTheSourceSkinChanges)
{
    my::LabelStd label;
    wkr::SkinTolvaneD source;
    label.setSkin (source);

    source[my::SkinIndex::labelTextInactive] = juce::Colour (0xFF123456);
    label.setIsActive (false);

    EXPECT_EQ (textColour (label), 0xFF808080u);
}

TEST (LabelStd, PaintsItsTextInTheSkinsLabelColour)
{
    my::LabelStd label;
    label.setSkin (wkr::SkinTolvaneD());
    label.setText ("SHAPER 1", juce::dontSendNotification);
    label.setBounds (0, 0, 100, 12);

    const auto image = widget_testing::paintToImage (label);
    widget_testing::savePng (image, "LabelStd_active");

    const auto isLabelText = [] (juce::Colour c)
    { return c.getAlpha() == 0xFF && widget_testing::nearlyEqual (c, juce::Colour (0xFFCDCDCD)); };
    EXPECT_GT (widget_testing::countPixels (image, isLabelText), 10);
    EXPECT_TRUE (image.getPixelAt (99, 6).isTransparent()); // left-aligned, no background
}
