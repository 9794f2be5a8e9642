#include "widgets/wkr_HeaderTolvaneD.h"

namespace wkr
{
namespace
{
// The header's mark before rounding down to whole pixels: 9.5 high, 3.975 times as wide.
constexpr float headerLogoHeight = 9.5f;
constexpr float headerLogoWidth = headerLogoHeight * LogoTolvane::aspectRatio;
constexpr int footerLogoWidth = 35;
constexpr int footerLogoHeight = 9;

// The mark drawn straight onto a strip filled with `backgroundDark`.
void colourLogoForStrip (LogoTolvane& logo, const my::MySkin& skin)
{
    logo.paperColour = skin[my::SkinIndex::backgroundDark];
    logo.inkColour = skin[my::SkinIndex::logoInk];
}
} // namespace

HeaderTolvaneD::HeaderTolvaneD()
{
    addAndMakeVisible (titleLabel);
    addAndMakeVisible (logo);
    titleLabel.setText (title, juce::dontSendNotification);
    titleLabel.setFont (headerFont);
    titleLabel.setColour (juce::Label::textColourId, skin[my::SkinIndex::titleText]);
    colourLogoForStrip (logo, skin);
}

void HeaderTolvaneD::paint (juce::Graphics& g)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();

    g.fillAll (skin[my::SkinIndex::backgroundDark]);

    titleLabel.setText (title, juce::dontSendNotification);
    titleLabel.setBounds (1, 1, 150, getHeight());

    // The mark's right edge stands 6 design pixels (7 after rounding) from the right edge.
    if (showLogo)
        logo.setBounds ((int) (w - 6.0f - headerLogoWidth), (int) ((h - headerLogoHeight) / 2.0f),
                        (int) headerLogoWidth, (int) headerLogoHeight);
}

FooterTolvaneD::FooterTolvaneD()
{
    addAndMakeVisible (logo);
    colourLogoForStrip (logo, skin);
}

void FooterTolvaneD::paint (juce::Graphics& g)
{
    g.fillAll (skin[my::SkinIndex::backgroundDark]);
    logo.setBounds ((getWidth() - footerLogoWidth) / 2, (getHeight() - footerLogoHeight) / 2, footerLogoWidth,
                    footerLogoHeight);
}
} // namespace wkr
