#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "engine/PluginParameters.h"
#include "engine/my_BypassProcessor.h"
#include "engine/my_DcBlockProcessor.h"
#include "engine/my_GainProcessor.h"
#include "engine/my_MixProcessor.h"
#include "engine/my_OffsetProcessor.h"
#include "engine/my_PanProcessor.h"
#include "engine/my_Setting.h"
#include "engine/ojx_AudioBufferScope.h"
#include "engine/ojx_ShapeProcessor.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>

// The plug-in's processor: one per plug-in instance, owner of every piece of audio state.
// Members shared between the message and the audio thread are atomics, each a value of its own
// through which no other data is handed over, so any memory order would do; they keep the
// default one. The comment on each says which thread writes it.
class WkrPlexa2AudioProcessor : public juce::AudioProcessor
{
public:
    WkrPlexa2AudioProcessor();
    ~WkrPlexa2AudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void reset() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using AudioProcessor::processBlock;
    // The host's bypass: the same as the master switch's, which stays a control of its own.
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using AudioProcessor::processBlockBypassed;

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

    // Tells the host the latency of the oversampling choice the next block runs.
    void resetLatency();

    // Gives each slot whose curve differs from the one it last saw that curve's default morph
    // values, as the next processed block would. Not for the audio thread: for a host that sets
    // morph values right after a curve, before any block.
    void takeDefaultMorphsOfNewCurves();

    // Under the LV2 wrapper: tells the listeners every parameter's current value, so the wrapper
    // sends them all to the host. Never called on the audio thread.
    void announceParameterValuesToLv2Host();

    // Largest input sample taken as signal, +60 dBFS. Louder samples, NaN and infinities are
    // taken as silence.
    static constexpr float loudestInput = 1000.0f;

    static constexpr int largestOversamplingChoice = 4; // x16
    static constexpr int largestDisplayRange = 5;       // of the transfer-curve views

    my::Parameters parameters;
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState apvts;
    my::ShapeProcessor shapeProcessor1;
    my::ShapeProcessor shapeProcessor2;
    my::Setting setting;
    ojx::AudioBufferScopeProcessor scopeProcessor;

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
    std::atomic<int> oversamplingIndexLast { 0 }; // audio thread; a restore before the first block
    std::atomic<int> lastBlockSize { 0 };         // audio thread
    std::atomic<int> s1ShapeLast { 0 };           // audio thread; restore
    std::atomic<int> s2ShapeLast { 0 };           // audio thread; restore
    const juce::Identifier idS1ShapeLast { "s1ShapeLast" };
    const juce::Identifier idS2ShapeLast { "s2ShapeLast" };

    // The signal path; all of it runs on the audio thread.
    my::GainProcessor gainMasterInput;
    my::MixProcessor mixMaster;
    my::GainProcessor gainMasterOutput;
    my::GainProcessor gainS1Input;
    my::OffsetProcesoor offsetS1;
    my::MixProcessor mixS1;
    my::PanProcessor panS1;
    my::GainProcessor gainS1Output;
    my::GainProcessor gainS2Input;
    my::OffsetProcesoor offsetS2;
    my::MixProcessor mixS2;
    my::PanProcessor panS2;
    my::GainProcessor gainS2Output;
    my::MixProcessor mixParallel;
    my::DcOffsetProcessor dcOffset;
    juce::dsp::Oversampling<float> oversampling2;
    juce::dsp::Oversampling<float> oversampling4;
    juce::dsp::Oversampling<float> oversampling8;
    juce::dsp::Oversampling<float> oversampling16;

    // The oversampler of a choice 1..4, or null for 0 and anything else.
    juce::dsp::Oversampling<float>* oversamplerFor (int choice) noexcept;

private:
    // One shaper slot's blocks and parameters, so both slots run through the same code.
    struct Slot
    {
        my::GainProcessor& input;
        my::OffsetProcesoor& offset;
        my::ShapeProcessor& shaper;
        my::MixProcessor& mix;
        my::PanProcessor& pan;
        my::GainProcessor& output;
        std::atomic<int>& shapeLast;
        std::array<juce::AudioProcessorParameter*, 4> morphParameters;

        struct RawValues
        {
            std::atomic<float>*shape, *input, *offset, *mix, *pan, *output, *on;
            std::array<std::atomic<float>*, 4> morph;
        } raw;
    };

    // One block's parameter values, read once at its start.
    struct SlotValues
    {
        int shape;
        std::array<float, 4> morph;
        float input, offset, mix, pan, output;
        bool on;
    };

    struct BlockValues
    {
        bool parallel, masterOn;
        float masterInput, masterMix, masterOutput;
        std::array<SlotValues, 2> slot;
    };

    using Block = juce::dsp::AudioBlock<float>;

    static my::Parameters makeParametersWithCurveNames();
    // Gives each parameter value of a restored tree that is no finite number the parameter's
    // default, and one outside the range the nearest end.
    void repairParameterValues (juce::ValueTree& tree) const;
    Slot makeSlot (int number, my::GainProcessor&, my::OffsetProcesoor&, my::ShapeProcessor&, my::MixProcessor&,
                   my::PanProcessor&, my::GainProcessor&, std::atomic<int>& shapeLast);

    BlockValues readParameters() const noexcept;
    void processInPieces (juce::AudioBuffer<float>& buffer, bool hostBypassed);
    void processPiece (juce::AudioBuffer<float>& buffer, bool hostBypassed);
    void runChain (Block& host, const BlockValues& values);
    void writeTargets (const BlockValues& values) noexcept;
    void resetMorphsOnCurveChange (Slot& slot, int shapeIndex);
    void applyOversamplingChoice (int requested);
    // A choice's latency in whole samples; 0 for a choice without an oversampler.
    int latencyOf (int choice) noexcept;
    void tellLatency (int samples);
    Block upsample (Block& host, int choice);
    void downsample (Block& host, int choice);
    static void runSlot (Slot& slot, Block& dry, Block& wet);
    void runSecondSlot (const BlockValues& values, Block& stream, Block& chain);
    static Block copyInto (juce::AudioBuffer<float>& buffer, const Block& source);

    std::atomic<float>* rawRoute;
    std::atomic<float>*rawMasterInput, *rawMasterMix, *rawMasterOutput, *rawMasterOn;
    std::array<Slot, 2> slots;

    // The latency the host was last told, or is being told by a restore; written by the restore
    // under the callback lock, by prepareToPlay and by the audio thread.
    std::atomic<int> latencyTold { 0 };

    my::BypassProcessor bypass;

    // Working buffers for the stream at the highest factor, so no block allocates.
    juce::AudioBuffer<float> chainBuffer, slot1WetBuffer, slot2Buffer, slot2WetBuffer;
    int pieceLength = 0; // longest piece the chain is prepared for; 0 until prepareToPlay

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WkrPlexa2AudioProcessor)
};
