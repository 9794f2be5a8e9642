#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace ojx
{
// The two embedded faces, parsed once and shared by every holder in the process. While any holder
// lives, every font the framework resolves, whatever name it asks for, is one of these faces: the
// main face by its own family name, the face in the "Arial" role for every other name (the
// framework's default sans-serif of popup menus and text editors included). So nothing the
// product draws depends on the fonts installed on the machine. Every control that draws text
// holds one, so it draws the same inside or outside the editor.
class EmbeddedFaces
{
public:
    EmbeddedFaces();
    ~EmbeddedFaces();

    const juce::Typeface::Ptr mainFace;
    const juce::Typeface::Ptr arialFace;

private:
    // Installed as the framework's default look-and-feel, whose typeface lookup every font uses;
    // everything else stays the framework's default look.
    class Lookup : public juce::LookAndFeel_V4
    {
    public:
        explicit Lookup (const EmbeddedFaces& owner);
        juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;

    private:
        const EmbeddedFaces& faces;
    };

    Lookup lookup;
    juce::WeakReference<juce::LookAndFeel> previousDefault;

    JUCE_DECLARE_NON_COPYABLE (EmbeddedFaces)
};

using SharedEmbeddedFaces = juce::SharedResourcePointer<EmbeddedFaces>;

// The two embedded faces as fonts at the framework's default height; users copy them and set theirs.
class Font
{
public:
    Font();

    SharedEmbeddedFaces faces;
    juce::Font mainFont;
    juce::Font arialFont;
};
} // namespace ojx
