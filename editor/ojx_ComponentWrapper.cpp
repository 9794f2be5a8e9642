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

constexpr const char* morphHint = "Adjusts the shaping curve.";
} // namespace

ComponentWrapper::ComponentWrapper (WkrPlexa2AudioProcessor& processorToUse)
    : processor (processorToUse),
      slots { { { { { &dialS1Input, &dialS1Offset, &dialS1Mix, &dialS1Pan, &dialS1Output, &dialS1Morph1, &dialS1Morph2,
                      &dialS1Morph3, &dialS1Morph4 } },
                  buttonS1Power,
                  labelS1,
                  panelS1Section,
                  panelS1Inner,
                  separatorS1,
                  panelRangeS1,
                  sliderRangeS1,
                  shapeScope1,
                  comboLookAndFeelS1,
                  comboS1,
                  buttonS1Previous,
                  buttonS1Next,
                  arrowsS1,
                  processor.shapeProcessor1,
                  processor.s1Range,
                  ParamId::s1Shape },
                { { { &dialS2Input, &dialS2Offset, &dialS2Mix, &dialS2Pan, &dialS2Output, &dialS2Morph1, &dialS2Morph2,
                      &dialS2Morph3, &dialS2Morph4 } },
                  buttonS2Power,
                  labelS2,
                  panelS2Section,
                  panelS2Inner,
                  separatorS2,
                  panelRangeS2,
                  sliderRangeS2,
                  shapeScope2,
                  comboLookAndFeelS2,
                  comboS2,
                  buttonS2Previous,
                  buttonS2Next,
                  arrowsS2,
                  processor.shapeProcessor2,
                  processor.s2Range,
                  ParamId::s2Shape } } },
      // clang-format off
      hintedControls { {
          { dialS1Morph1, dialS1Morph1.hintKeyTarget, ParamId::s1Morph1, ParamId::s1Morph1, morphHint },
          { dialS1Morph2, dialS1Morph2.hintKeyTarget, ParamId::s1Morph2, ParamId::s1Morph2, morphHint },
          { dialS1Morph3, dialS1Morph3.hintKeyTarget, ParamId::s1Morph3, ParamId::s1Morph3, morphHint },
          { dialS1Morph4, dialS1Morph4.hintKeyTarget, ParamId::s1Morph4, ParamId::s1Morph4, morphHint },
          { dialS2Morph1, dialS2Morph1.hintKeyTarget, ParamId::s2Morph1, ParamId::s2Morph1, morphHint },
          { dialS2Morph2, dialS2Morph2.hintKeyTarget, ParamId::s2Morph2, ParamId::s2Morph2, morphHint },
          { dialS2Morph3, dialS2Morph3.hintKeyTarget, ParamId::s2Morph3, ParamId::s2Morph3, morphHint },
          { dialS2Morph4, dialS2Morph4.hintKeyTarget, ParamId::s2Morph4, ParamId::s2Morph4, morphHint },
          { dialMasterInput, dialMasterInput.hintKeyTarget, ParamId::masterInput, ParamId::masterInput, "Sets the master input gain." },
          { dialMasterMix, dialMasterMix.hintKeyTarget, ParamId::masterMix, ParamId::masterMix, "Sets the master dry/wet mix." },
          { dialMasterOutput, dialMasterOutput.hintKeyTarget, ParamId::masterOutput, ParamId::masterOutput, "Sets the master output gain." },
          { buttonMasterPower, buttonMasterPower.hintKeyTarget, "buttonMasterPower", ParamId::masterOn, "Enable/disable this device." },
          { undoRedo.buttonUndo, undoRedo.buttonUndo.hintKeyTarget, "buttonUndo", nullptr, "Undo" },
          { undoRedo.buttonRedo, undoRedo.buttonRedo.hintKeyTarget, "buttonRedo", nullptr, "Redo" },
          { buttonS1Power, buttonS1Power.hintKeyTarget, "s1Power", ParamId::s1On, "Enable/Disable the Shaper 1." },
          { buttonS2Power, buttonS2Power.hintKeyTarget, "s2Power", ParamId::s2On, "Enable/Disable the Shaper 2." },
          { multiButtonRoute, multiButtonRoute.hintKeyTarget, "multiButtonRoute", ParamId::route, "Selects the routing of the Shaper 1 and Shaper 2." },
          { sliderRangeS1, sliderRangeS1.hintKeyTarget, "sliderRangeS1", nullptr, "Selects the scope range." },
          { sliderRangeS2, sliderRangeS2.hintKeyTarget, "sliderRangeS2", nullptr, "Selects the scope range." },
          { comboS1, comboS1.hintKeyTarget, "comboS1", ParamId::s1Shape, "Selects the shaping curve." },
          { comboS2, comboS2.hintKeyTarget, "comboS2", ParamId::s2Shape, "Selects the shaping curve." },
          { comboOversampling, comboOversampling.hintKeyTarget, "comboOversampling", nullptr, "Selects the oversampling rate." },
          { dialS1Input, dialS1Input.hintKeyTarget, ParamId::s1Input, ParamId::s1Input, "Sets the input gain." },
          { dialS1Offset, dialS1Offset.hintKeyTarget, ParamId::s1Offset, ParamId::s1Offset, "Sets the amount of the offset applied to the input signal." },
          { dialS1Mix, dialS1Mix.hintKeyTarget, ParamId::s1Mix, ParamId::s1Mix, "Sets the dry/wet mix." },
          { dialS1Pan, dialS1Pan.hintKeyTarget, ParamId::s1Pan, ParamId::s1Pan, "Sets the pan." },
          { dialS1Output, dialS1Output.hintKeyTarget, ParamId::s1Output, ParamId::s1Output, "Sets the output gain." },
          { dialS2Input, dialS2Input.hintKeyTarget, ParamId::s2Input, ParamId::s2Input, "Sets the input gain." },
          { dialS2Offset, dialS2Offset.hintKeyTarget, ParamId::s2Offset, ParamId::s2Offset, "Sets the amount of the offset applied to the input signal." },
          { dialS2Mix, dialS2Mix.hintKeyTarget, ParamId::s2Mix, ParamId::s2Mix, "Sets the dry/wet mix." },
          { dialS2Pan, dialS2Pan.hintKeyTarget, ParamId::s2Pan, ParamId::s2Pan, "Sets the pan." },
          { dialS2Output, dialS2Output.hintKeyTarget, ParamId::s2Output, ParamId::s2Output, "Sets the output gain." },
          { mouseOverlay, mouseOverlay.hintKeyTarget, "mouseOverlay", nullptr, "Drag up: Zoom in, Drag down: Zoom out" },
      } }
// clang-format on
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
    std::array<wkr::DialTolvaneD*, numDials> list {};
    auto next = list.begin();
    for (auto* dial : { &dialMasterInput, &dialMasterMix, &dialMasterOutput })
        *next++ = dial;
    for (const auto& slot : slots)
        next = std::copy (slot.dials.begin(), slot.dials.end(), next);
    return list;
}

juce::Component& ComponentWrapper::controlFor (const char* parameterId) const
{
    for (const auto& row : hintedControls)
        if (row.parameterId != nullptr && juce::StringRef (row.parameterId) == juce::StringRef (parameterId))
            return row.control;

    jassertfalse;
    throw std::invalid_argument ("no control for this parameter");
}

juce::Slider& ComponentWrapper::sliderFor (const char* parameterId) const
{
    return dynamic_cast<juce::Slider&> (controlFor (parameterId));
}

juce::ComboBox& ComponentWrapper::comboBoxFor (const char* parameterId) const
{
    return dynamic_cast<juce::ComboBox&> (controlFor (parameterId));
}

juce::Button& ComponentWrapper::buttonFor (const char* parameterId) const
{
    return dynamic_cast<juce::Button&> (controlFor (parameterId));
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
        dial.skin = position < firstMorphSkinnedDial ? static_cast<const MySkin&> (mainSkin)
                                                     : static_cast<const MySkin&> (morphSkin);
    }

    applyLook (dialMasterInput, "Input", masterGainLook);
    applyLook (dialMasterMix, "Mix", masterMixLook);
    applyLook (dialMasterOutput, "Output", masterOutputLook);

    for (const auto& slot : slots)
    {
        const auto& dial = slot.dials;
        applyLook (*dial[0], "Input", slotInputLook);
        applyLook (*dial[1], "Offset", slotOffsetLook);
        applyLook (*dial[2], "Mix", slotMixLook);
        applyLook (*dial[3], "Pan", slotPanLook);
        applyLook (*dial[4], "Output", slotOutputLook);
        applyLook (*dial[5], "Morph 1", morphLook);
        applyLook (*dial[6], "Morph 2", morphLook);
        applyLook (*dial[7], "Morph 3", morphLook);
        applyLook (*dial[8], "Morph 4", morphLook);
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

    for (const auto& slot : slots)
    {
        slot.rangePanel.fillColour = rangeSkin[spare102];
        slot.rangePanel.outlineColour = rangeSkin[labelBackground];
        slot.rangePanel.cornerStyle = CornerStyle::topRounded;

        auto& selector = slot.range;
        selector.skin = rangeSkin;
        for (auto* item : { "2", "4", "8", "16", "32" })
            selector.addItem (item);
        selector.onValueChange = [&selector, &index = slot.rangeIndex]
        { index.store (rangeIndexFor ((float) selector.getValue())); };

        for (auto* button : { &slot.previous, &slot.next })
        {
            button->drawBody = false;
            button->onClick = [this, button] { buttonShapePreviousNextOnClick (button); };
        }
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
    for (const auto& row : hintedControls)
    {
        row.control.setComponentID (row.componentId);
        row.hintKeyTarget = &hintKey;
    }

    hintBox.skin = mainSkin;
    hintBox.font = fontSmall11;
    hintBox.hasBorder = true;
    for (const auto& row : hintedControls)
    {
        hintBox.hintKeys.add (row.componentId);
        hintBox.hintTexts.add (row.hint);
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

    layOutSlot (slots[0], 0, m.getBottom());
    layOutSlot (slots[1], 302, m.getBottom());

    panelBottom.setBounds (0, panelS1Section.getBottom() + 2, w, 49);
    labelOversampling.setFont (fontSmall11);
    labelOversampling.setBounds (panelBottom.getX() + 2, panelBottom.getY() + 7, 82, 11);
    comboOversampling.setBounds (labelOversampling.getX() + labelOversampling.getWidth(), panelBottom.getY() + 4, 40,
                                 17);
    hintBox.setBounds (2, comboOversampling.getBottom() + 6, w - 4, 19);
}

// The slot at `shift` pixels from the left edge, below the master strip that ends at `top`.
void ComponentWrapper::layOutSlot (const SlotControls& slot, int shift, int top)
{
    slot.section.setBounds (shift, top + 2, 300, 304);
    slot.inner.setBounds (shift + 4, top + 24, 292, 218);
    slot.power.setBounds (shift, top + 2, 82, 22);
    slot.label.setBounds (shift + 17, top + 8, 100, 12);

    slot.rangePanel.setBounds (slot.inner.getRight() - 106, top + 6, 106, 20);
    slot.range.setBounds (slot.rangePanel.getX() + 3, slot.rangePanel.getY(), 100, 18);

    slot.scope.setBounds (shift + 4, slot.inner.getY(), 292, 146);
    const int r = slot.scope.getBottom() + 2;
    slot.box.setBounds (shift + 76, r, 140, 16);
    slot.previous.setBounds (slot.box.getRight() + 1, r, 16, 16);
    slot.next.setBounds (slot.previous.getRight() + 1, r, 16, 16);
    slot.arrows.setBounds (slot.previous.getX(), slot.previous.getY(), 32, 16);

    const auto& dials = slot.dials;
    const int morphY = slot.box.getBottom() + 8;
    for (size_t i = 0; i < 4; ++i)
        dials[firstMorph + i]->setBounds (slot.inner.getX() + 14 + 68 * (int) i, morphY, 60, 50);

    dials[0]->setBounds (shift + 24, 340, 42, 59);
    dials[1]->setBounds (shift + 72, 346, 42, 53);
    dials[2]->setBounds (shift + 139, 346, 42, 53);
    dials[3]->setBounds (shift + 187, 346, 42, 53);
    dials[4]->setBounds (shift + 235, 340, 42, 59);

    const int separatorHeight = slot.section.getBottom() - slot.inner.getBottom() - 8;
    slot.separator.setBounds (shift + 126, slot.inner.getBottom() + 4, 1, separatorHeight);
}

int ComponentWrapper::rangeIndexFor (float value) noexcept
{
    // Above the selector's range, or not a number, reads as the first item.
    return value <= 1.0f ? my::selectedItem (value, 5) : 1;
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
    for (const auto& slot : slots)
    {
        if (button != &slot.previous && button != &slot.next)
            continue;

        auto* parameter = processor.apvts.getParameter (slot.shapeParameterId);
        if (parameter == nullptr)
            return;

        // The choice snaps to the nearest of its entries, so a twenty-first moves exactly one.
        const float step = 1.0f / 21.0f;
        const float x = juce::jlimit (0.0f, 1.0f, parameter->getValue() + (button == &slot.next ? step : -step));
        parameter->setValue (x);
        parameter->sendValueChangedMessageToListeners (x);
        return;
    }
}

void ComponentWrapper::doInTimerCallback()
{
    for (const auto& slot : slots)
    {
        slot.scope.inputMax = slot.shaper.inputMax.load();
        slot.scope.inputMin = slot.shaper.inputMin.load();
    }

    hintBox.currentKey = hintKey;

    // Only a complete snapshot comes across; before the first one the view keeps what it has.
    processor.scopeProcessor.copyLatestSnapshot (waveformView.buffer);

    refreshMorphDials();

    for (const auto& slot : slots)
        slot.scope.range = rangeFor (slot.rangeIndex.load());
}

void ComponentWrapper::refreshMorphDials()
{
    using namespace SkinIndex;

    morphSkin[dialPointer] = juce::Colour (morphPointerAtTick);
    morphSkin[dialTrack] = juce::Colour (morphTrackAtTick);
    morphSkin[dialTitle] = juce::Colour (morphPointerAtTick);
    const auto dials = dialList();
    for (auto dial = dials.begin() + firstMorphSkinnedDial; dial != dials.end(); ++dial)
        (*dial)->skin = morphSkin;

    // A curve with fewer morph values hides the dials it has no name for; they keep following their
    // parameters while away.
    for (const auto& slot : slots)
        for (size_t i = firstMorph; i < slot.dials.size(); ++i)
        {
            auto* dial = slot.dials[i];
            dial->setName (slot.shaper.getSelectedShaper().morphNames[i - firstMorph]);

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

    const bool slotOn[] { isShaper1On, isShaper2On };
    for (size_t number = 0; number < slots.size(); ++number)
    {
        const auto& slot = slots[number];
        const bool active = isMasterOn && slotOn[number];

        for (auto* dial : slot.dials)
            dial->isActive = active;
        slot.power.isActive = active;
        slot.label.setIsActive (active);
        slot.range.isActive = active;
        slot.scope.isActive = active;
        slot.look.isActive = active;
        slot.box.setIsActive (active);
        slot.arrows.isActive = active;
    }
}
} // namespace my
