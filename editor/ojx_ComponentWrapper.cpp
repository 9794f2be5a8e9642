#include "editor/ojx_ComponentWrapper.h"

#include <cmath>

namespace my
{
namespace
{
    constexpr const char* headerTitle = "PLEXA 2";

    // Morph dials of both slots draw pointer and title translucent, and from the first tick on a
    // faint track, so the curve's own controls read quieter than the gain controls.
    constexpr juce::uint32 morphTitleAtStart = 0xD9CDCDCD;
    constexpr juce::uint32 morphPointerAtTick = 0xEDCDCDCD;
    constexpr juce::uint32 morphTrackAtTick = 0x40CDCDCD;
    constexpr juce::uint32 midGrey = 0xFF808080;

    struct DialLook
    {
        float radius;
        int baseHeight;
        float displayMin, displayMax;
        float arcOrigin;
        const char* suffix;
    };

    constexpr DialLook masterGainLook { 12.0f, 41, -24.0f, 24.0f, 0.5f, " dB" };
    constexpr DialLook masterMixLook { 12.0f, 41, 0.0f, 100.0f, 0.0f, " %" };
    constexpr DialLook masterOutputLook { 12.0f, 41, -12.0f, 12.0f, 0.5f, " dB" };
    constexpr DialLook slotInputLook { 15.0f, 47, -72.0f, 72.0f, 0.5f, " dB" };
    constexpr DialLook slotOffsetLook { 12.0f, 41, -1.0f, 1.0f, 0.5f, "" };
    constexpr DialLook slotMixLook { 12.0f, 41, 0.0f, 100.0f, 0.0f, " %" };
    constexpr DialLook slotPanLook { 12.0f, 41, -100.0f, 100.0f, 0.5f, " %" };
    constexpr DialLook slotOutputLook { 15.0f, 47, -24.0f, 24.0f, 0.5f, " dB" };
    constexpr DialLook morphLook { 10.0f, 37, 0.0f, 1.0f, 0.0f, "" };

    void applyLook (wkr::DialTolvaneD& dial, const char* name, const DialLook& look)
    {
        dial.setName (name);
        dial.radius = look.radius;
        dial.baseHeight = look.baseHeight;
        dial.displayMin = look.displayMin;
        dial.displayMax = look.displayMax;
        dial.valueSuffix = look.suffix;
        dial.arcOrigin = look.arcOrigin;
    }

    void fillPanel (Panel& panel, juce::Colour fill) { panel.fillColour = fill; }

    // Each hinted control's component ID and the sentence the hint line shows for it.
    constexpr std::array<std::pair<const char*, const char*>, 33> hintTable { {
        { "s1Morph1", "Adjusts the shaping curve." },
        { "s1Morph2", "Adjusts the shaping curve." },
        { "s1Morph3", "Adjusts the shaping curve." },
        { "s1Morph4", "Adjusts the shaping curve." },
        { "s2Morph1", "Adjusts the shaping curve." },
        { "s2Morph2", "Adjusts the shaping curve." },
        { "s2Morph3", "Adjusts the shaping curve." },
        { "s2Morph4", "Adjusts the shaping curve." },
        { "masterInput", "Sets the master input gain." },
        { "masterMix", "Sets the master dry/wet mix." },
        { "masterOutput", "Sets the master output gain." },
        { "buttonMasterPower", "Enable/disable this device." },
        { "buttonUndo", "Undo" },
        { "buttonRedo", "Redo" },
        { "s1Power", "Enable/Disable the Shaper 1." },
        { "s2Power", "Enable/Disable the Shaper 2." },
        { "multiButtonRoute", "Selects the routing of the Shaper 1 and Shaper 2." },
        { "sliderRangeS1", "Selects the scope range." },
        { "sliderRangeS2", "Selects the scope range." },
        { "comboS1", "Selects the shaping curve." },
        { "comboS2", "Selects the shaping curve." },
        { "comboOversampling", "Selects the oversampling rate." },
        { "s1Input", "Sets the input gain." },
        { "s1Offset", "Sets the amount of the offset applied to the input signal." },
        { "s1Mix", "Sets the dry/wet mix." },
        { "s1Pan", "Sets the pan." },
        { "s1Output", "Sets the output gain." },
        { "s2Input", "Sets the input gain." },
        { "s2Offset", "Sets the amount of the offset applied to the input signal." },
        { "s2Mix", "Sets the dry/wet mix." },
        { "s2Pan", "Sets the pan." },
        { "s2Output", "Sets the output gain." },
        { "mouseOverlay", "Drag up: Zoom in, Drag down: Zoom out" },
    } };
} // namespace

ComponentWrapper::ComponentWrapper (WkrPlexa2AudioProcessor& processorToUse) : processor (processorToUse)
{
    addChildrenInStackingOrder();
    configureSkinsPanelsAndHeader();
    configureUndoRedoAndRoute();
    configureDials();
    configurePowerButtons();
    configureRangesAndArrowButtons();
    configureLabels();
    configureChoiceBoxes();
    configureIdsAndHints();
}

std::array<wkr::DialTolvaneD*, ComponentWrapper::numDials> ComponentWrapper::dialList() noexcept
{
    return { &dialMasterInput, &dialMasterMix, &dialMasterOutput, &dialS1Input,  &dialS1Offset, &dialS1Mix,
             &dialS1Pan,       &dialS1Output,  &dialS1Morph1,     &dialS1Morph2, &dialS1Morph3, &dialS1Morph4,
             &dialS2Input,     &dialS2Offset,  &dialS2Mix,        &dialS2Pan,    &dialS2Output, &dialS2Morph1,
             &dialS2Morph2,    &dialS2Morph3,  &dialS2Morph4 };
}

std::array<wkr::DialTolvaneD*, 13> ComponentWrapper::morphSkinnedDials() noexcept
{
    return { &dialS1Morph1, &dialS1Morph2, &dialS1Morph3, &dialS1Morph4, &dialS2Input,  &dialS2Offset, &dialS2Mix,
             &dialS2Pan,    &dialS2Output, &dialS2Morph1, &dialS2Morph2, &dialS2Morph3, &dialS2Morph4 };
}

std::array<wkr::DialTolvaneD*, 9> ComponentWrapper::slotDials (int slot) noexcept
{
    if (slot == 0)
        return { &dialS1Input,  &dialS1Offset, &dialS1Mix,    &dialS1Pan,   &dialS1Output,
                 &dialS1Morph1, &dialS1Morph2, &dialS1Morph3, &dialS1Morph4 };

    return { &dialS2Input,  &dialS2Offset, &dialS2Mix,    &dialS2Pan,   &dialS2Output,
             &dialS2Morph1, &dialS2Morph2, &dialS2Morph3, &dialS2Morph4 };
}

void ComponentWrapper::addChildrenInStackingOrder()
{
    juce::Component* const stack[] {
        &panelMaster,      &panelScope,        &panelScopeFrame,   &panelS1Section,    &panelS2Section,
        &panelRangeS1,     &panelRangeS2,      &panelS1Inner,      &panelS2Inner,      &panelBottom,
        &separatorMaster1, &separatorMaster2,  &separatorS1,       &separatorS2,       &header,
        &undoRedo,         &multiButtonRoute,  &shapeScope1,       &shapeScope2,       &hintBox,
        &comboS1,          &comboS2,           &arrowsS1,          &arrowsS2,          &buttonS1Previous,
        &buttonS1Next,     &buttonS2Previous,  &buttonS2Next,      &comboOversampling, &labelS1,
        &labelS2,          &labelOversampling, &buttonMasterPower, &buttonS1Power,     &buttonS2Power,
        &sliderRangeS1,    &sliderRangeS2,     &waveformView,      &mouseOverlay,
    };

    for (auto* child : stack)
    {
        child->setVisible (true);
        addChildComponent (*child);
    }
}

void ComponentWrapper::configureSkinsPanelsAndHeader()
{
    using namespace SkinIndex;

    morphSkin[dialTitle] = juce::Colour (morphTitleAtStart);
    morphSkin[dialPointer] = juce::Colour (morphTitleAtStart);
    waveformView.scopeProcessor = &processor.scopeProcessor;

    for (auto* panel : { &panelMaster, &panelScope, &panelS1Section, &panelS2Section })
        fillPanel (*panel, mainSkin[background]);
    for (auto* panel : { &panelScopeFrame, &panelS1Inner, &panelS2Inner })
        fillPanel (*panel, mainSkin[backgroundDarkest]);
    for (auto* panel : { &panelBottom, &separatorMaster1, &separatorMaster2, &separatorS1, &separatorS2 })
        fillPanel (*panel, mainSkin[backgroundDark]);

    header.title = headerTitle;
    header.titleLabel.setText (header.title, juce::dontSendNotification);
    header.headerFont = ojx::Font().arialFont.withPointHeight (15.0f);
    header.titleLabel.setFont (header.headerFont);
}

void ComponentWrapper::configureUndoRedoAndRoute()
{
    undoRedo.buttonUndo.onClick = [this] { processor.undoManager.undo(); };
    undoRedo.buttonRedo.onClick = [this] { processor.undoManager.redo(); };
    undoRedoSkin[SkinIndex::buttonTextOff] = undoRedoSkin[SkinIndex::textDim];
    undoRedo.skin = undoRedoSkin;

    multiButtonRoute.addItem ("Serial");
    multiButtonRoute.addItem ("Parallel");
    multiButtonRoute.skin = mainSkin;
    multiButtonRoute.titleFont = font12;
}

void ComponentWrapper::configureDials()
{
    const auto dials = dialList();

    for (size_t position = 0; position < dials.size(); ++position)
    {
        auto& dial = *dials[position];
        dial.setVisible (true);
        addChildComponent (dial);
        dial.hintKeyTarget = &hintKey;
        dial.titleFont = font12;
        dial.valueFont = fontValue11;
        dial.valueDisplayMode = 2;
        dial.skin = position < 8 ? static_cast<const MySkin&> (mainSkin) : static_cast<const MySkin&> (morphSkin);
    }

    applyLook (dialMasterInput, "Input", masterGainLook);
    applyLook (dialMasterMix, "Mix", masterMixLook);
    applyLook (dialMasterOutput, "Output", masterOutputLook);

    for (int number : { 0, 1 })
    {
        const auto slot = slotDials (number);
        applyLook (*slot[0], "Input", slotInputLook);
        applyLook (*slot[1], "Offset", slotOffsetLook);
        applyLook (*slot[2], "Mix", slotMixLook);
        applyLook (*slot[3], "Pan", slotPanLook);
        applyLook (*slot[4], "Output", slotOutputLook);
        applyLook (*slot[5], "Morph 1", morphLook);
        applyLook (*slot[6], "Morph 2", morphLook);
        applyLook (*slot[7], "Morph 3", morphLook);
        applyLook (*slot[8], "Morph 4", morphLook);
    }
}

void ComponentWrapper::configurePowerButtons()
{
    buttonMasterPower.powerSkin = mainSkin;
    buttonMasterPower.circleBackground = 1;
    buttonS1Power.skin = mainSkin;
    buttonS2Power.skin = mainSkin;
}

void ComponentWrapper::configureRangesAndArrowButtons()
{
    using namespace SkinIndex;

    rangeSkin[buttonTextOn] = rangeSkin[accentAlt];
    rangeSkin[buttonTextOff] = rangeSkin[buttonOff];
    rangeSkin[buttonOn] = rangeSkin[backgroundDarkest];
    rangeSkin[buttonOff] = rangeSkin[backgroundDarkest];
    rangeSkin[spare102] = rangeSkin[backgroundDarkest];
    rangeSkin[buttonTextOnInactive] = rangeSkin[dialValueArcInactive];

    for (auto* panel : { &panelRangeS1, &panelRangeS2 })
    {
        panel->fillColour = rangeSkin[spare102];
        panel->outlineColour = rangeSkin[labelBackground];
        panel->cornerStyle = CornerStyle::topRounded;
    }

    for (auto* selector : { &sliderRangeS1, &sliderRangeS2 })
    {
        selector->skin = rangeSkin;
        for (auto* item : { "2", "4", "8", "16", "32" })
            selector->addItem (item);
    }

    sliderRangeS1.onValueChange = [this]
    {
        processor.s1Range.store (rangeIndexFor ((float) sliderRangeS1.getValue()));
    };
    sliderRangeS2.onValueChange = [this]
    {
        processor.s2Range.store (rangeIndexFor ((float) sliderRangeS2.getValue()));
    };

    for (auto* button : { &buttonS1Previous, &buttonS1Next, &buttonS2Previous, &buttonS2Next })
    {
        button->drawBody = false;
        button->onClick = [this, button] { buttonShapePreviousNextOnClick (button); };
    }
}

void ComponentWrapper::configureLabels()
{
    labelS1.setSkin (mainSkin);
    labelS1.setFont (font12);
    labelS1.setText ("SHAPER 1", juce::dontSendNotification);
    labelS2.setSkin (mainSkin);
    labelS2.setFont (font12);
    labelS2.setText ("SHAPER 2", juce::dontSendNotification);

    labelOversampling.setFont (fontSmall11);
    labelOversampling.setText ("Oversampling", juce::dontSendNotification);
    oversamplingSkin[SkinIndex::labelText] = oversamplingSkin[SkinIndex::textDim];
    labelOversampling.setSkin (oversamplingSkin);

    shapeScope1.range = 2.0f;
    shapeScope2.range = 4.0f;
}

void ComponentWrapper::configureChoiceBoxes()
{
    using namespace SkinIndex;

    morphSkin[comboFill] = morphSkin[backgroundDarkest];
    morphSkin[comboText] = mainSkin[accent];
    morphSkin[comboTextInactive] = juce::Colour (midGrey);
    morphSkin[popupBackground] = juce::Colour (0xFF141414);
    morphSkin[popupHighlight] = morphSkin[accent];
    morphSkin[comboOutline] = morphSkin[dialTrack];
    morphSkin[popupBorder] = morphSkin[accent];
    morphSkin[popupBorderInactive] = juce::Colour (midGrey);

    const std::array<std::pair<wkr::MyComboBoxTolvaneB2LookAndFeel*, wkr::MyComboBoxTolvaneB2*>, 2> curveBoxes { {
        { &comboLookAndFeelS1, &comboS1 },
        { &comboLookAndFeelS2, &comboS2 },
    } };

    for (auto [look, box] : curveBoxes)
    {
        look->skin = morphSkin;
        look->setColour (juce::ComboBox::textColourId, morphSkin[comboText]);
        look->textFont = font12;
        box->setLookAndFeel (look);
        box->setSkin (morphSkin);
    }

    const auto& names = processor.parameters.shapeNames;
    for (int index = 0; index < names.size(); ++index)
    {
        comboS1.addItem (names[index], index + 1);
        comboS2.addItem (names[index], index + 1);
    }

    comboS1.setSelectedId (comboS1.getItemId (0), juce::sendNotificationAsync);
    comboS2.setSelectedId (comboS2.getItemId (0), juce::sendNotificationAsync);

    arrowsS1.colourInactive = morphSkin[comboTextInactive];
    arrowsS2.colourInactive = morphSkin[comboTextInactive];

    const juce::Colour dark (0xFF1E1E1E), frame (0xFF505050), text (0xFFA0A0A0);
    oversamplingSkin[comboFill] = oversamplingSkin[backgroundDark];
    oversamplingSkin[popupBackground] = dark;
    for (int index : { comboOutline, popupBorder, comboOutlineInactive, popupBorderInactive })
        oversamplingSkin[index] = frame;
    for (int index : { popupHighlight, comboText, spare51, popupHighlightInactive, comboTextInactive, spare58 })
        oversamplingSkin[index] = text;
    for (int index : { comboFillInactive, popupBackgroundInactive })
        oversamplingSkin[index] = dark;

    comboLookAndFeelOversampling.skin = oversamplingSkin;
    comboLookAndFeelOversampling.setColour (juce::ComboBox::textColourId, oversamplingSkin[comboText]);
    comboLookAndFeelOversampling.textFont = fontSmall11;
    comboLookAndFeelOversampling.cornerRadius = 0.0f;
    comboLookAndFeelOversampling.outlineThickness = 1.0f;
    comboOversampling.setLookAndFeel (&comboLookAndFeelOversampling);
    comboOversampling.setSkin (oversamplingSkin);

    int id = 1;
    for (auto* item : { "Off", "x2", "x4", "x8", "x16" })
        comboOversampling.addItem (item, id++);

    // The choice the audio path applies now; a stored choice outside 0..4 selects nothing.
    comboOversampling.setSelectedItemIndex (processor.oversamplingIndexLast.load(), juce::dontSendNotification);
    comboOversampling.onChange = [this]
    {
        const int index = comboOversampling.getSelectedItemIndex();
        if (index >= 0)
            processor.oversamplingIndexPass.store (index);
    };
}

void ComponentWrapper::configureIdsAndHints()
{
    const std::array<std::pair<juce::Component*, const char*>, 29> ids { {
        { &dialMasterInput, my::ParamId::masterInput },
        { &dialMasterMix, my::ParamId::masterMix },
        { &dialMasterOutput, my::ParamId::masterOutput },
        { &dialS1Input, my::ParamId::s1Input },
        { &dialS1Offset, my::ParamId::s1Offset },
        { &dialS1Mix, my::ParamId::s1Mix },
        { &dialS1Pan, my::ParamId::s1Pan },
        { &dialS1Output, my::ParamId::s1Output },
        { &dialS1Morph1, my::ParamId::s1Morph1 },
        { &dialS1Morph2, my::ParamId::s1Morph2 },
        { &dialS1Morph3, my::ParamId::s1Morph3 },
        { &dialS1Morph4, my::ParamId::s1Morph4 },
        { &dialS2Input, my::ParamId::s2Input },
        { &dialS2Offset, my::ParamId::s2Offset },
        { &dialS2Mix, my::ParamId::s2Mix },
        { &dialS2Pan, my::ParamId::s2Pan },
        { &dialS2Output, my::ParamId::s2Output },
        { &dialS2Morph1, my::ParamId::s2Morph1 },
        { &dialS2Morph2, my::ParamId::s2Morph2 },
        { &dialS2Morph3, my::ParamId::s2Morph3 },
        { &dialS2Morph4, my::ParamId::s2Morph4 },
        { &buttonMasterPower, "buttonMasterPower" },
        { &buttonS1Power, "s1Power" },
        { &buttonS2Power, "s2Power" },
        { &multiButtonRoute, "multiButtonRoute" },
        { &sliderRangeS1, "sliderRangeS1" },
        { &sliderRangeS2, "sliderRangeS2" },
        { &comboS1, "comboS1" },
        { &comboS2, "comboS2" },
    } };

    for (auto [component, id] : ids)
        component->setComponentID (id);
    comboOversampling.setComponentID ("comboOversampling");
    mouseOverlay.setComponentID ("mouseOverlay");
    mouseOverlay.hintKeyTarget = &hintKey;

    for (ButtonBase* button : std::initializer_list<ButtonBase*> { &buttonMasterPower, &buttonS1Power, &buttonS2Power,
                                                                   &undoRedo.buttonUndo, &undoRedo.buttonRedo })
        button->hintKeyTarget = &hintKey;
    for (SliderBase* selector :
         std::initializer_list<SliderBase*> { &multiButtonRoute, &sliderRangeS1, &sliderRangeS2 })
        selector->hintKeyTarget = &hintKey;
    for (auto* box : { &comboS1, &comboS2, &comboOversampling })
        box->hintKeyTarget = &hintKey;

    hintBox.skin = mainSkin;
    hintBox.font = fontSmall11;
    hintBox.hasBorder = true;
    for (const auto& [key, text] : hintTable)
    {
        hintBox.hintKeys.add (key);
        hintBox.hintTexts.add (text);
    }

    // The selectors show the stored ranges; the values clamp to 0..1, so a stored index outside
    // 1..5 shows the nearest item.
    sliderRangeS1.setValue ((processor.s1Range.load() - 1) * 0.25, juce::sendNotificationAsync);
    sliderRangeS2.setValue ((processor.s2Range.load() - 1) * 0.25, juce::sendNotificationAsync);
}

void ComponentWrapper::paint (juce::Graphics& g) { g.fillAll (mainSkin[SkinIndex::backgroundDark]); }

void ComponentWrapper::resized()
{
    const int w = getWidth();

    header.setBounds (0, 0, w - 24, 30);
    buttonMasterPower.setBounds (w - 25, 5, 20, 20);
    undoRedo.setBounds (450, 3, 46, 24);

    panelMaster.setBounds (0, 30, 300, 58);
    const auto m = panelMaster.getBounds();
    multiButtonRoute.setBounds (18, m.getY() + 11, 60, 37);
    separatorMaster1.setBounds (96, m.getY() + 4, 1, m.getHeight() - 8);
    dialMasterInput.setBounds (105, m.getY() + 10, 48, 60);
    separatorMaster2.setBounds (162, m.getY() + 4, 1, m.getHeight() - 8);
    dialMasterMix.setBounds (172, m.getY() + 10, 48, 60);
    dialMasterOutput.setBounds (238, m.getY() + 10, 48, 60);

    panelScope.setBounds (302, m.getY(), 300, m.getHeight());
    panelScopeFrame.setBounds (306, m.getY() + 4, 292, m.getHeight() - 8);
    waveformView.setBounds (panelScopeFrame.getBounds());
    mouseOverlay.setBounds (panelScopeFrame.getBounds());

    panelS1Section.setBounds (0, m.getBottom() + 2, 300, 304);
    panelS2Section.setBounds (302, m.getBottom() + 2, 300, 304);
    panelS1Inner.setBounds (4, m.getBottom() + 24, 292, 218);
    panelS2Inner.setBounds (306, m.getBottom() + 24, 292, 218);
    buttonS1Power.setBounds (0, m.getBottom() + 2, 82, 22);
    buttonS2Power.setBounds (302, m.getBottom() + 2, 82, 22);
    labelS1.setBounds (17, m.getBottom() + 8, 100, 12);
    labelS2.setBounds (319, m.getBottom() + 8, 100, 12);

    panelRangeS1.setBounds (panelS1Inner.getRight() - 106, m.getBottom() + 6, 106, 20);
    sliderRangeS1.setBounds (panelRangeS1.getX() + 3, panelRangeS1.getY(), 100, 18);
    panelRangeS2.setBounds (panelS2Inner.getRight() - 106, m.getBottom() + 6, 106, 20);
    sliderRangeS2.setBounds (panelRangeS2.getX() + 3, panelRangeS1.getY(), 100, 18);

    shapeScope1.setBounds (4, panelS1Inner.getY(), 292, 146);
    shapeScope2.setBounds (306, panelS1Inner.getY(), 292, 146);
    const int r = shapeScope1.getBottom() + 2;
    comboS1.setBounds (76, r, 140, 16);
    comboS2.setBounds (378, r, 140, 16);
    buttonS1Previous.setBounds (comboS1.getRight() + 1, r, 16, 16);
    buttonS1Next.setBounds (buttonS1Previous.getRight() + 1, r, 16, 16);
    buttonS2Previous.setBounds (comboS2.getRight() + 1, r, 16, 16);
    buttonS2Next.setBounds (buttonS2Previous.getRight() + 1, r, 16, 16);
    arrowsS1.setBounds (buttonS1Previous.getX(), buttonS1Previous.getY(), 32, 16);
    arrowsS2.setBounds (buttonS2Previous.getX(), buttonS2Previous.getY(), 32, 16);

    const int morphY = comboS1.getBottom() + 8;
    for (int slot : { 0, 1 })
    {
        const auto dials = slotDials (slot);
        const int shift = 302 * slot;
        const int innerX = (slot == 0 ? panelS1Inner : panelS2Inner).getX();

        for (size_t i = 0; i < 4; ++i)
            dials[firstMorph + i]->setBounds (innerX + 14 + 68 * (int) i, morphY, 60, 50);

        dials[0]->setBounds (24 + shift, 340, 42, 59);
        dials[1]->setBounds (72 + shift, 346, 42, 53);
        dials[2]->setBounds (139 + shift, 346, 42, 53);
        dials[3]->setBounds (187 + shift, 346, 42, 53);
        dials[4]->setBounds (235 + shift, 340, 42, 59);
    }

    const int separatorHeight = panelS1Section.getBottom() - panelS1Inner.getBottom() - 8;
    separatorS1.setBounds (126, panelS1Inner.getBottom() + 4, 1, separatorHeight);
    separatorS2.setBounds (428, panelS1Inner.getBottom() + 4, 1, separatorHeight);

    panelBottom.setBounds (0, panelS1Section.getBottom() + 2, w, 49);
    labelOversampling.setFont (fontSmall11);
    labelOversampling.setBounds (panelBottom.getX() + 2, panelBottom.getY() + 7, 82, 11);
    comboOversampling.setBounds (labelOversampling.getX() + labelOversampling.getWidth(), panelBottom.getY() + 4, 40,
                                 17);
    hintBox.setBounds (2, comboOversampling.getBottom() + 6, w - 4, 19);
}

int ComponentWrapper::rangeIndexFor (float value) noexcept
{
    if (value <= 0.2f)
        return 1;
    if (value <= 0.4f)
        return 2;
    if (value <= 0.6f)
        return 3;
    if (value <= 0.8f)
        return 4;
    if (value <= 1.0f)
        return 5;
    return 1;
}

float ComponentWrapper::rangeFor (int index) noexcept
{
    // A restored state can hold any index; the selector shows the nearest item for it, and the view
    // follows the selector rather than going blank.
    constexpr std::array<float, 5> ranges { 2.0f, 4.0f, 8.0f, 16.0f, 32.0f };
    return ranges[(size_t) (juce::jlimit (1, 5, index) - 1)];
}

void ComponentWrapper::buttonShapePreviousNextOnClick (ButtonBase* button)
{
    const bool slot1 = button == &buttonS1Previous || button == &buttonS1Next;
    const bool slot2 = button == &buttonS2Previous || button == &buttonS2Next;
    if (! slot1 && ! slot2)
        return;

    auto* parameter = processor.apvts.getParameter (slot1 ? my::ParamId::s1Shape : my::ParamId::s2Shape);
    if (parameter == nullptr)
        return;

    // The choice snaps to the nearest of its entries, so a twenty-first moves exactly one.
    const float step = 1.0f / 21.0f;
    const bool next = button == &buttonS1Next || button == &buttonS2Next;
    const float x = juce::jlimit (0.0f, 1.0f, parameter->getValue() + (next ? step : -step));
    parameter->setValue (x);
    parameter->sendValueChangedMessageToListeners (x);
}

void ComponentWrapper::doInTimerCallback()
{
    shapeScope1.inputMax = processor.shapeProcessor1.inputMax.load();
    shapeScope1.inputMin = processor.shapeProcessor1.inputMin.load();
    shapeScope2.inputMax = processor.shapeProcessor2.inputMax.load();
    shapeScope2.inputMin = processor.shapeProcessor2.inputMin.load();

    hintBox.currentKey = hintKey;

    // Only a complete snapshot comes across; before the first one the view keeps what it has.
    processor.scopeProcessor.copyLatestSnapshot (waveformView.buffer);

    refreshMorphDials();

    shapeScope1.range = rangeFor (processor.s1Range.load());
    shapeScope2.range = rangeFor (processor.s2Range.load());
}

void ComponentWrapper::refreshMorphDials()
{
    using namespace SkinIndex;

    morphSkin[dialPointer] = juce::Colour (morphPointerAtTick);
    morphSkin[dialTrack] = juce::Colour (morphTrackAtTick);
    morphSkin[dialTitle] = juce::Colour (morphPointerAtTick);
    for (auto* dial : morphSkinnedDials())
        dial->skin = morphSkin;

    const auto slot1 = slotDials (0);
    const auto slot2 = slotDials (1);

    for (size_t i = firstMorph; i < slot1.size(); ++i)
    {
        slot1[i]->setName (processor.shapeProcessor1.getSelectedShaper().morphNames[i - firstMorph]);
        slot2[i]->setName (processor.shapeProcessor2.getSelectedShaper().morphNames[i - firstMorph]);
    }

    // A curve with fewer morph values hides the dials it has no name for; they keep following their
    // parameters while away.
    for (const auto& dials : { slot1, slot2 })
        for (size_t i = firstMorph; i < dials.size(); ++i)
        {
            auto* dial = dials[i];

            if (dial->getName().isNotEmpty())
            {
                dial->setVisible (true);
                addChildComponent (*dial);
            }
            else
            {
                removeChildComponent (dial);
            }
        }
}

void ComponentWrapper::setIsActive (bool isMasterOn, bool isShaper1On, bool isShaper2On)
{
    for (auto* dial : { &dialMasterInput, &dialMasterMix, &dialMasterOutput })
        dial->isActive = isMasterOn;
    multiButtonRoute.isActive = isMasterOn;

    struct SlotControls
    {
        std::array<wkr::DialTolvaneD*, 9> dials;
        ButtonPower& power;
        LabelStd& label;
        MultiButtonSliderHorizontal& range;
        wkr::MyComboBoxTolvaneB2LookAndFeel& look;
        wkr::MyComboBoxTolvaneB2& box;
        ojx::ButtonComboPreNextArrow& arrows;
        ShapeScope2d& scope;
    };

    const SlotControls slot1 { slotDials (0),      buttonS1Power, labelS1,  sliderRangeS1,
                               comboLookAndFeelS1, comboS1,       arrowsS1, shapeScope1 };
    const SlotControls slot2 { slotDials (1),      buttonS2Power, labelS2,  sliderRangeS2,
                               comboLookAndFeelS2, comboS2,       arrowsS2, shapeScope2 };

    const auto apply = [] (const SlotControls& slot, bool active)
    {
        for (auto* dial : slot.dials)
            dial->isActive = active;
        slot.power.isActive = active;
        slot.label.setIsActive (active);
        slot.range.isActive = active;
        slot.scope.isActive = active;
        slot.look.isActive = active;
        slot.box.setIsActive (active);
        slot.arrows.isActive = active;
    };

    apply (slot1, isMasterOn && isShaper1On);
    apply (slot2, isMasterOn && isShaper2On);
}
} // namespace my
