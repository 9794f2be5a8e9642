#include "engine/PluginProcessor.h"

#include "engine/my_StateBlock.h"

#ifndef WKR_PRODUCT_FOLDER
  #define WKR_PRODUCT_FOLDER "wkr Plexa 2"
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

WkrPlexa2AudioProcessor::WkrPlexa2AudioProcessor()
    : AudioProcessor (BusesProperties().withInput ("Input", stereo, false).withOutput ("Output", stereo, false)),
      parameters (makeParametersWithCurveNames()),
      apvts (*this, &undoManager, "Parameters", parameters.makeParams()),
      setting { "Tolvane", WKR_PRODUCT_FOLDER }
{
    setting.createFileIfMissing();
    undoManager.setMaxNumberOfStoredUnits (200, 30);
}

WkrPlexa2AudioProcessor::~WkrPlexa2AudioProcessor() = default;

const juce::String WkrPlexa2AudioProcessor::getName() const { return "wkr Plexa 2"; }

void WkrPlexa2AudioProcessor::prepareToPlay (double, int) { resetLatency(); }

void WkrPlexa2AudioProcessor::releaseResources() {}

bool WkrPlexa2AudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // The chain reads and writes two channels on each side.
    return layouts.getMainInputChannelSet() == stereo && layouts.getMainOutputChannelSet() == stereo;
}

void WkrPlexa2AudioProcessor::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

double WkrPlexa2AudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool WkrPlexa2AudioProcessor::acceptsMidi() const { return false; }
bool WkrPlexa2AudioProcessor::producesMidi() const { return false; }
bool WkrPlexa2AudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* WkrPlexa2AudioProcessor::createEditor()
{
    return new juce::GenericAudioProcessorEditor (*this);
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
        apvts.replaceState (tree);

    // A property the tree lacks, or a block that does not decode, reads 0.
    s1Range = static_cast<int> (tree.getProperty (idS1Range, 0));
    s2Range = static_cast<int> (tree.getProperty (idS2Range, 0));
    oversamplingIndexLast = static_cast<int> (tree.getProperty (idOversamplingIndexLast, 0));
    oversamplingIndexPass = static_cast<int> (tree.getProperty (idOversamplingIndexPass, 0));
    s1ShapeLast = static_cast<int> (tree.getProperty (idS1ShapeLast, 0));
    s2ShapeLast = static_cast<int> (tree.getProperty (idS2ShapeLast, 0));
}

void WkrPlexa2AudioProcessor::resetLatency() { setLatencySamples (0); }

// The plug-in factory. Every wrapper ends with both stereo buses enabled, as a host's
// Audio Unit wrapper leaves them, whatever its own defaults are.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    auto* processor = new WkrPlexa2AudioProcessor();
    processor->enableAllBuses();
    return processor;
}
