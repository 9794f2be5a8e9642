#include "editor/PluginEditor.h"

#include <algorithm>
#include <cmath>

namespace id = my::ParamId;

WkrPlexa2AudioProcessorEditor::WkrPlexa2AudioProcessorEditor (WkrPlexa2AudioProcessor& processorToUse)
    : juce::AudioProcessorEditor (processorToUse),
      processor (processorToUse),
      content (processorToUse),
      routeAttachment (processor.apvts, id::route, content.sliderFor (id::route)),
      masterInputAttachment (processor.apvts, id::masterInput, content.sliderFor (id::masterInput)),
      masterMixAttachment (processor.apvts, id::masterMix, content.sliderFor (id::masterMix)),
      masterOutputAttachment (processor.apvts, id::masterOutput, content.sliderFor (id::masterOutput)),
      s1ShapeAttachment (processor.apvts, id::s1Shape, content.comboBoxFor (id::s1Shape)),
      s1Morph1Attachment (processor.apvts, id::s1Morph1, content.sliderFor (id::s1Morph1)),
      s1Morph2Attachment (processor.apvts, id::s1Morph2, content.sliderFor (id::s1Morph2)),
      s1Morph3Attachment (processor.apvts, id::s1Morph3, content.sliderFor (id::s1Morph3)),
      s1Morph4Attachment (processor.apvts, id::s1Morph4, content.sliderFor (id::s1Morph4)),
      s1InputAttachment (processor.apvts, id::s1Input, content.sliderFor (id::s1Input)),
      s1OffsetAttachment (processor.apvts, id::s1Offset, content.sliderFor (id::s1Offset)),
      s1MixAttachment (processor.apvts, id::s1Mix, content.sliderFor (id::s1Mix)),
      s1PanAttachment (processor.apvts, id::s1Pan, content.sliderFor (id::s1Pan)),
      s1OutputAttachment (processor.apvts, id::s1Output, content.sliderFor (id::s1Output)),
      s2ShapeAttachment (processor.apvts, id::s2Shape, content.comboBoxFor (id::s2Shape)),
      s2Morph1Attachment (processor.apvts, id::s2Morph1, content.sliderFor (id::s2Morph1)),
      s2Morph2Attachment (processor.apvts, id::s2Morph2, content.sliderFor (id::s2Morph2)),
      s2Morph3Attachment (processor.apvts, id::s2Morph3, content.sliderFor (id::s2Morph3)),
      s2Morph4Attachment (processor.apvts, id::s2Morph4, content.sliderFor (id::s2Morph4)),
      s2InputAttachment (processor.apvts, id::s2Input, content.sliderFor (id::s2Input)),
      s2OffsetAttachment (processor.apvts, id::s2Offset, content.sliderFor (id::s2Offset)),
      s2MixAttachment (processor.apvts, id::s2Mix, content.sliderFor (id::s2Mix)),
      s2PanAttachment (processor.apvts, id::s2Pan, content.sliderFor (id::s2Pan)),
      s2OutputAttachment (processor.apvts, id::s2Output, content.sliderFor (id::s2Output)),
      masterOnAttachment (processor.apvts, id::masterOn, content.buttonFor (id::masterOn)),
      s1OnAttachment (processor.apvts, id::s1On, content.buttonFor (id::s1On)),
      s2OnAttachment (processor.apvts, id::s2On, content.buttonFor (id::s2On))
{
    scale = readStoredScale (processor.setting);
    applyScaleTransform();

    setResizable (true, true);
    if (auto* aspectLock = getConstrainer())
    {
        aspectLock->setFixedAspectRatio ((double) designWidth / (double) designHeight);
        aspectLock->setMinimumSize (designWidth / 2, designHeight / 2);
    }

    // Set directly, not through the constrainer: the stored factor reopens the window as it was.
    setSize ((int) ((float) designWidth * scale), (int) ((float) designHeight * scale));

    content.setVisible (true);
    addChildComponent (content);
    startTimer (30);
    processor.isEditorOpen.store (true);
}

WkrPlexa2AudioProcessorEditor::~WkrPlexa2AudioProcessorEditor()
{
    // Stop the waveform feed before anything else goes.
    processor.isEditorOpen.store (false);
    processor.setting.setProperty ("uiScale", (double) scale);
}

float WkrPlexa2AudioProcessorEditor::readStoredScale (const my::Setting& setting)
{
    const auto path = setting.getFilePath();
    if (path.isEmpty() || ! juce::File::isAbsolutePath (path))
        return 1.0f;

    const auto parsed = juce::JSON::parse (juce::File (path));
    auto* object = parsed.getDynamicObject();
    if (object == nullptr || ! object->hasProperty ("uiScale"))
        return 1.0f;

    const auto stored = (float) (double) object->getProperty ("uiScale");

    // Zero, negative or non-numeric values would give a window of no size and a transform without
    // an inverse; absurdly large ones a window no screen holds. Both open at the design size.
    if (! std::isfinite (stored) || stored <= 0.0f || stored > maximumScale)
        return 1.0f;

    // A tiny factor opens no smaller than the corner resizer allows, or a host that sizes its view
    // from the editor would show next to nothing.
    return std::max (stored, minimumScale);
}

void WkrPlexa2AudioProcessorEditor::applyScaleTransform()
{
    content.setTransform (juce::AffineTransform::scale (scale));
}

void WkrPlexa2AudioProcessorEditor::paint (juce::Graphics&) {}

void WkrPlexa2AudioProcessorEditor::resized()
{
    // The constrainer keeps the aspect ratio, so the width alone gives the factor. The transform
    // follows at the next tick. A window of no width keeps the last factor: a zero one would give
    // the content a transform without inverse and be stored for the next opening.
    if (getWidth() > 0)
        scale = (float) getWidth() / (float) designWidth;
    content.setBounds (0, 0, designWidth, designHeight);
}

void WkrPlexa2AudioProcessorEditor::timerCallback()
{
    applyScaleTransform();
    content.doInTimerCallback();
    content.setIsActive (processor.isMasterOn.load(), processor.isShaper1On.load(), processor.isShaper2On.load());
    repaint();
}
