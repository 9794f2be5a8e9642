#include <gtest/gtest.h>

#include "resources/EmbeddedFonts.h"
#include "widgets/ojx_Font.h"

namespace
{
bool isTrueType (const char* data)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);
    return bytes[0] == 0x00 && bytes[1] == 0x01 && bytes[2] == 0x00 && bytes[3] == 0x00;
}
} // namespace

TEST (Font, EmbedsTwoTrueTypeFaces)
{
    EXPECT_TRUE (isTrueType (BinaryData::temp_binary_data_0));
    EXPECT_TRUE (isTrueType (BinaryData::temp_binary_data_1));
    EXPECT_GT (BinaryData::temp_binary_data_0Size, 10000);
    EXPECT_GT (BinaryData::temp_binary_data_1Size, 10000);
}

TEST (Font, MakesTheMainAndArialRoleFacesFromTheEmbeddedData)
{
    const ojx::Font fonts;

    EXPECT_EQ (fonts.mainFont.getTypefacePtr()->getName(), "Roboto");
    EXPECT_EQ (fonts.arialFont.getTypefacePtr()->getName(), "Liberation Sans");
}

TEST (Font, FacesStartPlainAtTheDefaultHeightAndMeasureText)
{
    const ojx::Font fonts;

    for (const auto& font : { fonts.mainFont, fonts.arialFont })
    {
        EXPECT_FLOAT_EQ (font.getHeight(), 14.0f);
        EXPECT_EQ (font.getStyleFlags(), juce::Font::plain);
        EXPECT_GT (font.withHeight (12.0f).getStringWidthFloat ("SHAPER 1"), 20.0f);
    }
}

// Whatever a control or the framework asks for (the "Arial" of the controls' defaults, the default
// sans-serif of popup menus and text editors, a face the machine may have), it gets an embedded
// face while any holder lives, and the framework's own lookup again once none is left.
TEST (EmbeddedFaces, EveryFontNameResolvesToAnEmbeddedFaceWhileAHolderLives)
{
    const auto faceNameOf = [] (const juce::Font& font) { return font.getTypefacePtr()->getName(); };
    auto& defaultLook = juce::LookAndFeel::getDefaultLookAndFeel();
    {
        const ojx::SharedEmbeddedFaces faces;
        const ojx::Font fonts;

        EXPECT_EQ (faceNameOf (juce::Font ("Arial", 11.0f, juce::Font::plain)), "Liberation Sans");
        EXPECT_EQ (faceNameOf (juce::Font (17.0f)), "Liberation Sans");
        EXPECT_EQ (faceNameOf (juce::Font ("DejaVu Sans", 12.0f, juce::Font::plain)), "Liberation Sans");
        EXPECT_EQ (faceNameOf (juce::Font ("Roboto", 12.0f, juce::Font::plain)), "Roboto");
        EXPECT_EQ (faceNameOf (fonts.mainFont.withHeight (11.0f)), "Roboto");
        EXPECT_EQ (faces->arialFace, fonts.arialFont.getTypefacePtr()) << "parsed once, shared";
    }
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &defaultLook);
}
