#include "widgets/ojx_Font.h"

#include "resources/EmbeddedFonts.h"

namespace ojx
{
namespace
{
    juce::Font makeFont (const char* data, int size)
    {
        return juce::Font (juce::Typeface::createSystemTypefaceFor (data, (size_t) size));
    }
} // namespace

Font::Font()
    : mainFont (makeFont (BinaryData::temp_binary_data_0, BinaryData::temp_binary_data_0Size)),
      arialFont (makeFont (BinaryData::temp_binary_data_1, BinaryData::temp_binary_data_1Size))
{
}
} // namespace ojx
