#pragma once

#include "editor/ojx_AudioBufferScopeView.h"
#include "editor/ojx_MouseOverlay.h"
#include "editor/ojx_ShapeScope2d.h"
#include "engine/PluginProcessor.h"
#include "engine/my_Utility.h"
#include "widgets/my_ButtonBase.h"
#include "widgets/my_ButtonPower.h"
#include "widgets/my_HintBox.h"
#include "widgets/my_Label.h"
#include "widgets/my_MultiButtonSlider.h"
#include "widgets/my_Panel.h"
#include "widgets/ojx_ButtonComboPreNextArrow.h"
#include "widgets/ojx_ButtonUndoRedo.h"
#include "widgets/ojx_Font.h"
#include "widgets/wkr_ComboBoxTolvaneB2.h"
#include "widgets/wkr_DialTolvaneD.h"
#include "widgets/wkr_HeaderTolvaneD.h"
#include "widgets/wkr_SkinTolvaneD.h"

#include <array>
#include <stdexcept>

namespace my
{
// Everything the editor window shows, laid out at the 602 x 444 design size; the window scales it
// as a whole. It owns every control, the skins they were copied from, the fonts and the one hint
// key string. The window binds the parameter controls and calls the two per-tick operations; the
// controls are public for that.
class ComponentWrapper : public juce::Component
{
public:
    static constexpr int designWidth = 602;
    static constexpr int designHeight = 444;
    static constexpr int numDials = 21;

    explicit ComponentWrapper (WkrPlexa2AudioProcessor& processor);
    ~ComponentWrapper() override = default;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // Per tick: views, hint, morph dials and display ranges follow the processor.
    void doInTimerCallback();
    // Per tick: greys out the controls of every part of the signal path that is switched off.
    void setIsActive (bool isMasterOn, bool isShaper1On, bool isShaper2On);

    // Steps the curve of the button's slot by one entry; any other pointer does nothing.
    void buttonShapePreviousNextOnClick (ButtonBase* button);

    // Display-range index 1..5 a range selector's value stands for; anything else reads as 1.
    static int rangeIndexFor (float value) noexcept;
    // Half-width of a transfer-curve view for a display-range index.
    static float rangeFor (int index) noexcept;

    // The dials in list order: master, slot-1 main, slot-1 morph, slot-2 main, slot-2 morph.
    std::array<wkr::DialTolvaneD*, numDials> dialList() noexcept;

    // The control bound to a parameter, by parameter ID, for the window's attachments.
    juce::Slider& sliderFor (const char* parameterId) const;
    juce::ComboBox& comboBoxFor (const char* parameterId) const;
    juce::Button& buttonFor (const char* parameterId) const;

    WkrPlexa2AudioProcessor& processor;
    juce::String hintKey;

    wkr::SkinTolvaneD mainSkin;
    wkr::SkinTolvaneD undoRedoSkin;
    wkr::SkinTolvaneD rangeSkin;
    wkr::SkinTolvaneD morphSkin;
    wkr::SkinTolvaneD oversamplingSkin;

    wkr::HeaderTolvaneD header;
    ShapeScope2d shapeScope1 { &processor.shapeProcessor1 };
    ShapeScope2d shapeScope2 { &processor.shapeProcessor2 };

    // Looks before the boxes that use them, so the boxes go first.
    wkr::MyComboBoxTolvaneB2LookAndFeel comboLookAndFeelS1, comboLookAndFeelS2, comboLookAndFeelOversampling;
    wkr::MyComboBoxTolvaneB2 comboS1, comboS2, comboOversampling;

    wkr::DialTolvaneD dialMasterInput, dialMasterMix, dialMasterOutput;
    wkr::DialTolvaneD dialS1Input, dialS1Offset, dialS1Mix, dialS1Pan, dialS1Output;
    wkr::DialTolvaneD dialS1Morph1, dialS1Morph2, dialS1Morph3, dialS1Morph4;
    wkr::DialTolvaneD dialS2Input, dialS2Offset, dialS2Mix, dialS2Pan, dialS2Output;
    wkr::DialTolvaneD dialS2Morph1, dialS2Morph2, dialS2Morph3, dialS2Morph4;

    HintBox hintBox;
    ojx::Font fontHolder;
    juce::Font font12 { fontHolder.mainFont.withHeight (12.0f) };
    juce::Font fontValue11 { fontHolder.mainFont.withHeight (11.0f) };
    juce::Font fontSmall11 { fontHolder.mainFont.withHeight (11.0f) };

    ButtonMasterPower buttonMasterPower;
    ButtonPower buttonS1Power, buttonS2Power;
    ojx::ButtonUndoRedo undoRedo;
    ButtonBase buttonS1Previous, buttonS1Next, buttonS2Previous, buttonS2Next;
    ojx::ButtonComboPreNextArrow arrowsS1, arrowsS2;
    LabelStd labelS1, labelS2, labelOversampling;
    MultiButtonSliderVertical multiButtonRoute;
    MultiButtonSliderHorizontal sliderRangeS1, sliderRangeS2;

    Panel panelMaster, panelScope, panelScopeFrame, panelS1Inner, panelS2Inner, panelS1Section, panelS2Section,
        panelRangeS1, panelRangeS2, panelBottom, separatorMaster1, separatorMaster2, separatorS1, separatorS2;

    ojx::AudioBufferScopeGui waveformView;
    MouseOverlay mouseOverlay { &processor.scopeProcessor };

private:
    // One slot's controls, gathered once: the layout places them, the tick renames and greys them
    // out, and the callbacks find their slot through them.
    struct SlotControls
    {
        // Input, Offset, Mix, Pan, Output, then Morph 1 to 4.
        std::array<wkr::DialTolvaneD*, 9> dials;
        ButtonPower& power;
        LabelStd& label;
        Panel& section;
        Panel& inner;
        Panel& separator;
        Panel& rangePanel;
        MultiButtonSliderHorizontal& range;
        ShapeScope2d& scope;
        wkr::MyComboBoxTolvaneB2LookAndFeel& look;
        wkr::MyComboBoxTolvaneB2& box;
        ButtonBase& previous;
        ButtonBase& next;
        ojx::ButtonComboPreNextArrow& arrows;
        ShapeProcessor& shaper;
        std::atomic<int>& rangeIndex;
        const char* shapeParameterId;
    };
    static constexpr size_t firstMorph = 5;
    // The dials from this position of `dialList` on draw from `morphSkin`.
    static constexpr size_t firstMorphSkinnedDial = 8;

    // One row per hinted control, in the hint line's registration order: its component ID, the
    // parameter it is bound to (none for the controls with callbacks of their own) and its hint.
    struct HintedControl
    {
        juce::Component& control;
        juce::String*& hintKeyTarget;
        const char* componentId;
        const char* parameterId;
        const char* hint;
    };

    void addChildrenInStackingOrder();
    void configureSkinsPanelsAndHeader();
    void configureUndoRedoAndRoute();
    void configureDials();
    void configurePowerButtons();
    void configureRangesAndArrowButtons();
    void configureLabels();
    void configureChoiceBoxes();
    void configureIdsAndHints();
    void refreshMorphDials();
    void layOutSlot (const SlotControls& slot, int shift, int top);
    juce::Component& controlFor (const char* parameterId) const;

    const std::array<SlotControls, 2> slots;
    const std::array<HintedControl, 33> hintedControls;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComponentWrapper)
};
} // namespace my
