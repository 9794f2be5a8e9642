#include "engine/PluginProcessor.h"

#include "editor/PluginEditor.h"

#include "engine/my_StateBlock.h"

#include <cmath>

#ifndef WKR_PRODUCT_FOLDER
#  define WKR_PRODUCT_FOLDER "wkr Plexa 2"
#endif

namespace
{
const auto stereo = juce::AudioChannelSet::stereo();
} // namespace

my::Parameters WkrPlexa2AudioProcessor::makeParametersWithCurveNames()
{
    my::Parameters result;
    for (const auto* name : my::curveDisplayNames)
        result.shapeNames.add (name);
    return result;
}

namespace
{
constexpr auto iirFilter = juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR;

// Hosts may announce huge blocks; longer blocks are processed in pieces of this length.
constexpr int longestPiece = 16384;
constexpr int largestFactor = 16;

// A NaN or infinite input would poison the oversampler and DC blocker states for good, and an
// absurdly loud one overflow the gains or linger in the DC blocker for seconds: both are silenced.
void silenceUnusableSamples (juce::dsp::AudioBlock<float>& block) noexcept
{
    for (size_t channel = 0; channel < block.getNumChannels(); ++channel)
    {
        auto* samples = block.getChannelPointer (channel);
        for (size_t i = 0; i < block.getNumSamples(); ++i)
            samples[i] = std::abs (samples[i]) <= WkrPlexa2AudioProcessor::loudestInput ? samples[i] : 0.0f;
    }
}

// One of the ints a state stores beside the parameters: a whole number from 0 to largest, or 0,
// what a missing property gives. A crafted state may hold anything there, a NaN or 1e30 included,
// which no conversion to int may see.
int storedIndex (const juce::ValueTree& tree, const juce::Identifier& name, int largest)
{
    const auto stored = static_cast<double> (tree.getProperty (name, 0));
    const bool isIndex = stored >= 0.0 && stored <= largest && stored == std::floor (stored);
    return isIndex ? static_cast<int> (stored) : 0;
}

bool isOn (const std::atomic<float>* raw) noexcept { return raw->load (std::memory_order_relaxed) != 0.0f; }
float valueOf (const std::atomic<float>* raw) noexcept { return raw->load (std::memory_order_relaxed); }
} // namespace

WkrPlexa2AudioProcessor::Slot WkrPlexa2AudioProcessor::makeSlot (int number, my::GainProcessor& input,
                                                                 my::OffsetProcesoor& offset,
                                                                 my::ShapeProcessor& shaper, my::MixProcessor& mix,
                                                                 my::PanProcessor& pan, my::GainProcessor& output,
                                                                 std::atomic<int>& shapeLast)
{
    const juce::String prefix = "s" + juce::String (number);
    auto raw = [this, &prefix] (const char* name) { return apvts.getRawParameterValue (prefix + name); };
    auto morphParameter = [this, &prefix] (int k) -> juce::AudioProcessorParameter*
    { return apvts.getParameter (prefix + "Morph" + juce::String (k)); };

    return { input,
             offset,
             shaper,
             mix,
             pan,
             output,
             shapeLast,
             { morphParameter (1), morphParameter (2), morphParameter (3), morphParameter (4) },
             { raw ("Shape"),
               raw ("Input"),
               raw ("Offset"),
               raw ("Mix"),
               raw ("Pan"),
               raw ("Output"),
               raw ("On"),
               { raw ("Morph1"), raw ("Morph2"), raw ("Morph3"), raw ("Morph4") } } };
}

WkrPlexa2AudioProcessor::WkrPlexa2AudioProcessor()
    : AudioProcessor (BusesProperties().withInput ("Input", stereo, true).withOutput ("Output", stereo, true)),
      parameters (makeParametersWithCurveNames()),
      apvts (*this, &undoManager, "Parameters", parameters.makeParams()),
      setting { "Tolvane", WKR_PRODUCT_FOLDER },
      oversampling2 (2, 1, iirFilter, true, false),
      oversampling4 (2, 2, iirFilter, true, false),
      oversampling8 (2, 3, iirFilter, true, false),
      oversampling16 (2, 4, iirFilter, true, false),
      rawRoute (apvts.getRawParameterValue (my::ParamId::route)),
      rawMasterInput (apvts.getRawParameterValue (my::ParamId::masterInput)),
      rawMasterMix (apvts.getRawParameterValue (my::ParamId::masterMix)),
      rawMasterOutput (apvts.getRawParameterValue (my::ParamId::masterOutput)),
      rawMasterOn (apvts.getRawParameterValue (my::ParamId::masterOn)),
      slots { makeSlot (1, gainS1Input, offsetS1, shapeProcessor1, mixS1, panS1, gainS1Output, s1ShapeLast),
              makeSlot (2, gainS2Input, offsetS2, shapeProcessor2, mixS2, panS2, gainS2Output, s2ShapeLast) }
{
    mixParallel.targetValue = 0.5f;
    setting.createFileIfMissing();
    undoManager.setMaxNumberOfStoredUnits (200, 30);
}

WkrPlexa2AudioProcessor::~WkrPlexa2AudioProcessor() = default;

const juce::String WkrPlexa2AudioProcessor::getName() const { return "wkr Plexa 2"; }

juce::dsp::Oversampling<float>* WkrPlexa2AudioProcessor::oversamplerFor (int choice) noexcept
{
    switch (choice)
    {
        case 1:
            return &oversampling2;
        case 2:
            return &oversampling4;
        case 3:
            return &oversampling8;
        case 4:
            return &oversampling16;
        default:
            return nullptr;
    }
}

void WkrPlexa2AudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    // Every block runs at the host rate, also inside the oversampled section, where its ramps are
    // therefore shorter in time. The pans are never prepared, so they follow their target at once.
    const auto rate = static_cast<float> (sampleRate);
    pieceLength = juce::jlimit (1, longestPiece, samplesPerBlock);
    juce::dsp::ProcessSpec processSpec { static_cast<double> (rate), static_cast<juce::uint32> (pieceLength), 2 };

    for (my::DspProcessorBase* block : std::initializer_list<my::DspProcessorBase*> {
             &shapeProcessor1, &shapeProcessor2, &gainS1Input, &offsetS1, &mixS1, &gainS1Output, &gainS2Input,
             &offsetS2, &mixS2, &gainS2Output, &mixParallel, &gainMasterInput, &mixMaster, &gainMasterOutput,
             &dcOffset })
        block->prepare (processSpec);

    for (int choice = 1; choice <= 4; ++choice)
        oversamplerFor (choice)->initProcessing (static_cast<size_t> (pieceLength));

    for (auto* buffer : { &chainBuffer, &slot1WetBuffer, &slot2Buffer, &slot2WetBuffer })
        buffer->setSize (2, pieceLength * largestFactor);

    int longestLatency = 0;
    for (int choice = 1; choice <= largestOversamplingChoice; ++choice)
        longestLatency = juce::jmax (longestLatency, latencyOf (choice));
    bypass.prepare (sampleRate, longestLatency, pieceLength);

    reset();
    resetLatency();
    announceParameterValuesToLv2Host();
}

void WkrPlexa2AudioProcessor::reset()
{
    // Whatever the signal path remembers goes: ramps end at their targets, the DC blocker and the
    // oversamplers forget their past input. So a prepare or a host's reset also brings back a
    // path that something ever made unusable.
    for (my::DspProcessorBase* block : std::initializer_list<my::DspProcessorBase*> {
             &gainS1Input, &offsetS1, &mixS1, &panS1, &gainS1Output, &gainS2Input, &offsetS2, &mixS2, &panS2,
             &gainS2Output, &mixParallel, &gainMasterInput, &mixMaster, &gainMasterOutput, &dcOffset })
        block->reset();

    for (int choice = 1; choice <= 4; ++choice)
        oversamplerFor (choice)->reset();
    bypass.reset();
}

void WkrPlexa2AudioProcessor::releaseResources() {}

bool WkrPlexa2AudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // The chain reads and writes two channels on each side.
    return layouts.getMainInputChannelSet() == stereo && layouts.getMainOutputChannelSet() == stereo;
}

void WkrPlexa2AudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    processInPieces (buffer, false);
}

void WkrPlexa2AudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    processInPieces (buffer, true);
}

void WkrPlexa2AudioProcessor::processInPieces (juce::AudioBuffer<float>& buffer, bool hostBypassed)
{
    const juce::ScopedNoDenormals noDenormals;

    for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples());

    // A block longer than prepared for goes through as the pieces a host could have sent.
    const int numSamples = buffer.getNumSamples();
    if (pieceLength == 0 || numSamples <= pieceLength)
    {
        processPiece (buffer, hostBypassed);
        return;
    }

    for (int start = 0; start < numSamples; start += pieceLength)
    {
        juce::AudioBuffer<float> piece (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start,
                                        juce::jmin (pieceLength, numSamples - start));
        processPiece (piece, hostBypassed);
    }
}

WkrPlexa2AudioProcessor::BlockValues WkrPlexa2AudioProcessor::readParameters() const noexcept
{
    BlockValues values {};
    values.parallel = static_cast<int> (valueOf (rawRoute)) != 0;
    values.masterOn = isOn (rawMasterOn);
    values.masterInput = valueOf (rawMasterInput);
    values.masterMix = valueOf (rawMasterMix);
    values.masterOutput = valueOf (rawMasterOutput);

    for (size_t i = 0; i < slots.size(); ++i)
    {
        const auto& raw = slots[i].raw;
        auto& slot = values.slot[i];
        slot.shape = juce::jlimit (0, my::ShapeProcessor::numShapes - 1, static_cast<int> (valueOf (raw.shape)));
        for (size_t k = 0; k < slot.morph.size(); ++k)
            slot.morph[k] = valueOf (raw.morph[k]);
        slot.input = valueOf (raw.input);
        slot.offset = valueOf (raw.offset);
        slot.mix = valueOf (raw.mix);
        slot.pan = valueOf (raw.pan);
        slot.output = valueOf (raw.output);
        slot.on = isOn (raw.on);
    }
    return values;
}

void WkrPlexa2AudioProcessor::processPiece (juce::AudioBuffer<float>& buffer, bool hostBypassed)
{
    const auto values = readParameters();
    const int requestedChoice = oversamplingIndexPass;
    const bool bypassed = hostBypassed || ! values.masterOn;

    isMasterOn = values.masterOn;
    isShaper1On = values.slot[0].on;
    isShaper2On = values.slot[1].on;
    if (bypassed || ! values.slot[0].on)
        shapeProcessor1.reset();
    if (bypassed || ! values.slot[1].on)
        shapeProcessor2.reset();
    scopeProcessor.isActive = values.masterOn;

    // Unprepared, or without two channels, there is nothing to run.
    if (pieceLength == 0 || buffer.getNumChannels() < 2)
        return;

    // Bypassed, the block is the input delayed by the latency the host compensates. The chain runs
    // on only through the fade-out, on the settings it had; requests wait until it is back.
    auto host = Block (buffer).getSubsetChannelBlock (0, 2);
    if (! bypass.takeInput (host, bypassed, latencyTold))
        return;

    if (! bypassed)
    {
        writeTargets (values);
        resetMorphsOnCurveChange (slots[0], values.slot[0].shape);
        resetMorphsOnCurveChange (slots[1], values.slot[1].shape);
        applyOversamplingChoice (requestedChoice);
    }
    runChain (host, values);
    bypass.fade (host, latencyTold);
    if (bypassed)
        return;

    if (isEditorOpen)
        scopeProcessor.feed (buffer.getReadPointer (0), buffer.getReadPointer (1), buffer.getNumSamples());

    lastBlockSize = buffer.getNumSamples();
}

void WkrPlexa2AudioProcessor::runChain (Block& host, const BlockValues& values)
{
    const int choice = oversamplingIndexLast;
    silenceUnusableSamples (host);
    gainMasterInput.processAudioBlock (host);

    auto stream = upsample (host, choice);
    auto chain = copyInto (chainBuffer, stream);
    auto slot1Wet = copyInto (slot1WetBuffer, stream);

    if (values.slot[0].on)
        runSlot (slots[0], chain, slot1Wet);
    runSecondSlot (values, stream, chain);

    mixMaster.processAudioBlocks (stream, chain);
    downsample (host, choice);
    gainMasterOutput.processAudioBlock (host);
    dcOffset.processAudioBlock (host);
}

void WkrPlexa2AudioProcessor::writeTargets (const BlockValues& values) noexcept
{
    gainMasterInput.targetValue = values.masterInput;
    mixMaster.targetValue = values.masterMix * 0.01f;
    gainMasterOutput.targetValue = values.masterOutput;

    for (size_t i = 0; i < slots.size(); ++i)
    {
        auto& slot = slots[i];
        const auto& v = values.slot[i];
        slot.input.targetValue = v.input;
        slot.shaper.shapeIndex = v.shape;
        slot.shaper.morphTarget = v.morph;
        slot.offset.targetValue = v.offset;
        slot.mix.targetValue = v.mix * 0.01f;
        slot.pan.targetValue = (v.pan + 100.0f) / 200.0f;
        slot.output.targetValue = v.output;
    }
}

void WkrPlexa2AudioProcessor::resetMorphsOnCurveChange (Slot& slot, int shapeIndex)
{
    // A new curve starts from its own morph defaults; the host hears about each change. The slot
    // picks them up from the next block on.
    if (slot.shapeLast != shapeIndex)
    {
        const auto& defaults = slot.shaper.shapers[static_cast<size_t> (shapeIndex)]->defaultMorph;
        for (size_t k = 0; k < defaults.size(); ++k)
        {
            slot.morphParameters[k]->setValue (defaults[k]);
            slot.morphParameters[k]->sendValueChangedMessageToListeners (defaults[k]);
        }
    }
    slot.shapeLast = shapeIndex;
}

void WkrPlexa2AudioProcessor::takeDefaultMorphsOfNewCurves()
{
    const auto values = readParameters();
    for (size_t i = 0; i < slots.size(); ++i)
        resetMorphsOnCurveChange (slots[i], values.slot[i].shape);
}

void WkrPlexa2AudioProcessor::applyOversamplingChoice (int requested)
{
    if (requested == oversamplingIndexLast && lastBlockSize != 0)
        return;

    oversamplingIndexLast = requested;
    if (auto* oversampler = oversamplerFor (requested))
        oversampler->reset();

    // A restore tells the host itself, outside the lock this block runs in; telling it here too
    // would set the framework's latency from two threads at once.
    if (const int latency = latencyOf (requested); latency != latencyTold)
        tellLatency (latency);
}

WkrPlexa2AudioProcessor::Block WkrPlexa2AudioProcessor::upsample (Block& host, int choice)
{
    if (choice == 0)
        return host;
    if (auto* oversampler = oversamplerFor (choice))
        return oversampler->processSamplesUp (host);
    return host.getSubBlock (0, 0); // an unknown choice skips the shaper section
}

void WkrPlexa2AudioProcessor::downsample (Block& host, int choice)
{
    if (auto* oversampler = oversamplerFor (choice))
        oversampler->processSamplesDown (host);
}

WkrPlexa2AudioProcessor::Block WkrPlexa2AudioProcessor::copyInto (juce::AudioBuffer<float>& buffer, const Block& source)
{
    auto copy = Block (buffer).getSubBlock (0, source.getNumSamples());
    copy.copyFrom (source);
    return copy;
}

void WkrPlexa2AudioProcessor::runSlot (Slot& slot, Block& dry, Block& wet)
{
    slot.input.processAudioBlock (wet);
    slot.offset.processAudioBlock (wet);
    slot.shaper.processAudioBlock (wet);
    slot.mix.processAudioBlocks (dry, wet);
    slot.pan.processAudioBlock (dry);
    slot.output.processAudioBlock (dry);
}

void WkrPlexa2AudioProcessor::runSecondSlot (const BlockValues& values, Block& stream, Block& chain)
{
    if (! values.slot[1].on)
        return; // the chain keeps slot 1's result at full level in either route

    if (! values.parallel)
    {
        // Serial: slot 2's dry signal is slot 1's output.
        auto wet = copyInto (slot2Buffer, chain);
        runSlot (slots[1], chain, wet);
        return;
    }

    // Parallel: slot 2 works on the stream too, and the two results are averaged.
    auto slot2 = copyInto (slot2Buffer, stream);
    auto wet = copyInto (slot2WetBuffer, stream);
    runSlot (slots[1], slot2, wet);
    mixParallel.processAudioBlocks (chain, slot2);
}

double WkrPlexa2AudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool WkrPlexa2AudioProcessor::acceptsMidi() const { return false; }
bool WkrPlexa2AudioProcessor::producesMidi() const { return false; }
bool WkrPlexa2AudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* WkrPlexa2AudioProcessor::createEditor()
{
    return new WkrPlexa2AudioProcessorEditor (*this);
}

bool WkrPlexa2AudioProcessor::hasEditor() const { return true; }

int WkrPlexa2AudioProcessor::getNumPrograms() { return 1; }
int WkrPlexa2AudioProcessor::getCurrentProgram() { return 0; }
void WkrPlexa2AudioProcessor::setCurrentProgram (int) {}
const juce::String WkrPlexa2AudioProcessor::getProgramName (int) { return {}; }
void WkrPlexa2AudioProcessor::changeProgramName (int, const juce::String&) {}

void WkrPlexa2AudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::MemoryOutputStream stream (destData, true);

    // The parameter state copies values into its tree on a timer; flush them now, or a save that
    // follows a parameter change closely (offline hosts, scripted sessions) stores stale values.
    apvts.copyState();

    // Set on the live tree, so later saves update the same properties in place.
    auto tree = apvts.state;
    if (tree.isValid())
    {
        tree.setProperty (idS1Range, s1Range.load(), nullptr);
        tree.setProperty (idS2Range, s2Range.load(), nullptr);
        tree.setProperty (idOversamplingIndexPass, oversamplingIndexPass.load(), nullptr);
        tree.setProperty (idOversamplingIndexLast, oversamplingIndexLast.load(), nullptr);
        tree.setProperty (idS1ShapeLast, s1ShapeLast.load(), nullptr);
        tree.setProperty (idS2ShapeLast, s2ShapeLast.load(), nullptr);
    }
    tree.writeToStream (stream);
}

void WkrPlexa2AudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    juce::ValueTree tree;
    if (sizeInBytes > 0 && my::isWellFormedStateBlock (data, static_cast<size_t> (sizeInBytes)))
        tree = juce::ValueTree::readFromData (data, static_cast<size_t> (sizeInBytes));
    if (tree.isValid())
        repairParameterValues (tree);

    {
        // Applied under the lock every block runs in, so no block sees a restored curve beside the
        // old last-seen one and gives the slot that curve's default morphs in place of the restored
        // ones. Decoding is done by now, and nothing here calls into the host.
        const juce::ScopedLock lock (getCallbackLock());
        if (tree.isValid())
            apvts.replaceState (tree);

        // A property the tree lacks, or a block that does not decode, reads 0.
        s1Range = storedIndex (tree, idS1Range, largestDisplayRange);
        s2Range = storedIndex (tree, idS2Range, largestDisplayRange);
        oversamplingIndexPass = storedIndex (tree, idOversamplingIndexPass, largestOversamplingChoice);
        s1ShapeLast = storedIndex (tree, idS1ShapeLast, my::ShapeProcessor::numShapes - 1);
        s2ShapeLast = storedIndex (tree, idS2ShapeLast, my::ShapeProcessor::numShapes - 1);

        // An instance that has run keeps the choice that runs until the next block applies the
        // restored request, as it applies any: an oversampler restarts only when the choice
        // changes, so restoring the running state leaves the stream untouched.
        if (lastBlockSize == 0)
            oversamplingIndexLast = storedIndex (tree, idOversamplingIndexLast, largestOversamplingChoice);
        latencyTold = latencyOf (oversamplingIndexPass);
    }

    // The host hears now the latency of the choice the next block runs: it may run on without
    // preparing again (LV2 hosts reactivate without it) and would compensate the old one for good.
    resetLatency();
    announceParameterValuesToLv2Host();
}

void WkrPlexa2AudioProcessor::announceParameterValuesToLv2Host()
{
    // The LV2 wrapper sends the host a parameter's value only after a listener has heard of a
    // change, so without this an LV2 host shows every parameter at 0 until it is touched. Hosts of
    // the other formats read the values themselves and would take these messages for automation.
    if (wrapperType != wrapperType_LV2)
        return;

    for (auto* parameter : getParameters())
        parameter->sendValueChangedMessageToListeners (parameter->getValue());
}

void WkrPlexa2AudioProcessor::repairParameterValues (juce::ValueTree& tree) const
{
    // Repaired in the tree itself, so the next save stores what the parameters hold.
    static const juce::Identifier idProperty { "id" }, valueProperty { "value" };
    for (auto child : tree)
    {
        auto* parameter = apvts.getParameter (child.getProperty (idProperty).toString());
        if (parameter == nullptr || ! child.hasProperty (valueProperty))
            continue;

        const auto& range = parameter->getNormalisableRange();
        const auto start = static_cast<double> (range.start), end = static_cast<double> (range.end);
        const auto stored = static_cast<double> (child.getProperty (valueProperty));
        const auto repaired = std::isfinite (stored)
                                  ? juce::jlimit (start, end, stored)
                                  : static_cast<double> (parameter->convertFrom0to1 (parameter->getDefaultValue()));
        if (repaired != stored)
            child.setProperty (valueProperty, repaired, nullptr);
    }
}

void WkrPlexa2AudioProcessor::resetLatency() { tellLatency (latencyOf (oversamplingIndexPass)); }

void WkrPlexa2AudioProcessor::tellLatency (int samples)
{
    latencyTold = samples;
    setLatencySamples (samples);
}

int WkrPlexa2AudioProcessor::latencyOf (int choice) noexcept
{
    // The filters' latency is fractional; hosts get the nearest whole sample, halves to even.
    if (auto* oversampler = oversamplerFor (choice))
        return static_cast<int> (std::nearbyint (oversampler->getLatencyInSamples()));
    return 0;
}

// The plug-in factory, called by every wrapper once per instance.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter() { return new WkrPlexa2AudioProcessor(); }
