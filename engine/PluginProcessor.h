#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "engine/PluginParameters.h"
#include "engine/my_Setting.h"

#include <atomic>

// The plug-in's processor: one per plug-in instance, owner of every piece of audio state.
// Members shared between the message and the audio thread are relaxed atomics; the comment on
// each says which thread writes it.
class WkrPlexa2AudioProcessor : public juce::AudioProcessor
{
public:
    WkrPlexa2AudioProcessor();
    ~WkrPlexa2AudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // Tells the host the latency of the applied oversampling choice.
    void resetLatency();

    my::Parameters parameters;
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState apvts;
    my::Setting setting;

    std::atomic<bool> isEditorOpen { false }; // message thread
    std::atomic<bool> isMasterOn { true };    // audio thread
    std::atomic<bool> isShaper1On { true };   // audio thread
    std::atomic<bool> isShaper2On { true };   // audio thread; the first block corrects it

    std::atomic<int> s1Range { 2 }; // message thread (editor, restore)
    std::atomic<int> s2Range { 2 }; // message thread (editor, restore)
    const juce::Identifier idS1Range { "s1Range" };
    const juce::Identifier idS2Range { "s2Range" };
    const juce::Identifier idOversamplingIndexPass { "oversamplingIndexPass" };
    const juce::Identifier idOversamplingIndexLast { "oversamplingIndexLast" };
    std::atomic<int> oversamplingIndexPass { 0 }; // message thread (editor, restore)
    std::atomic<int> oversamplingIndexLast { 0 }; // audio thread; restore
    std::atomic<int> lastBlockSize { 0 };         // audio thread
    std::atomic<int> s1ShapeLast { 0 };           // audio thread; restore
    std::atomic<int> s2ShapeLast { 0 };           // audio thread; restore
    const juce::Identifier idS1ShapeLast { "s1ShapeLast" };
    const juce::Identifier idS2ShapeLast { "s2ShapeLast" };

private:
    static my::Parameters makeParametersWithCurveNames();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WkrPlexa2AudioProcessor)
};
