#include "widgets/ojx_Font.h"

#include "resources/EmbeddedFonts.h"

namespace ojx
{
namespace
{
juce::Typeface::Ptr makeFace (const char* data, int size)
{
    return juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
}
} // namespace

EmbeddedFaces::EmbeddedFaces()
    : mainFace (makeFace (BinaryData::temp_binary_data_0, BinaryData::temp_binary_data_0Size)),
      arialFace (makeFace (BinaryData::temp_binary_data_1, BinaryData::temp_binary_data_1Size)),
      lookup (*this),
      previousDefault (&juce::LookAndFeel::getDefaultLookAndFeel())
{
    juce::LookAndFeel::setDefaultLookAndFeel (&lookup);
    // Faces resolved before, from the system's fonts, must not be handed out again.
    juce::Typeface::clearTypefaceCache();
}

EmbeddedFaces::~EmbeddedFaces()
{
    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookup)
        juce::LookAndFeel::setDefaultLookAndFeel (previousDefault.get());

    juce::Typeface::clearTypefaceCache();
}

EmbeddedFaces::Lookup::Lookup (const EmbeddedFaces& owner) : faces (owner) {}

juce::Typeface::Ptr EmbeddedFaces::Lookup::getTypefaceForFont (const juce::Font& font)
{
    return font.getTypefaceName() == faces.mainFace->getName() ? faces.mainFace : faces.arialFace;
}

Font::Font() : mainFont (faces->mainFace), arialFont (faces->arialFace) {}
} // namespace ojx
