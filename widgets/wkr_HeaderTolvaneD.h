#pragma once

#include "widgets/ojx_Font.h"
#include "widgets/wkr_LogoTolvane.h"
#include "widgets/wkr_SkinTolvaneD.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace wkr
{
// The editor's top strip: a dark bar with the title at the left and the logo mark at the right.
// Title text and logo place are applied on every paint, so changing `title` or `showLogo` shows
// at the next paint without another call.
class HeaderTolvaneD : public juce::Component
{
public:
    HeaderTolvaneD();

    void paint (juce::Graphics& g) override;

    SkinTolvaneD skin;
    // Applied to the label at construction; an owner that replaces it applies it again.
    juce::Font headerFont { "Arial", 15.0f, juce::Font::plain };
    LogoTolvane logo;
    juce::String title { "Device Name" };
    juce::Label titleLabel;
    bool showLogo = true;

private:
    ojx::SharedEmbeddedFaces embeddedFaces;
};

// A bottom strip with the logo mark centred in it.
class FooterTolvaneD : public juce::Component
{
public:
    FooterTolvaneD();

    void paint (juce::Graphics& g) override;

    SkinTolvaneD skin;
    LogoTolvane logo;
};
} // namespace wkr
