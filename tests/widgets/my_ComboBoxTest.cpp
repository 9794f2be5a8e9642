#include <gtest/gtest.h>

#include "WidgetTesting.h"
#include "widgets/my_ComboBox.h"

using namespace widget_testing;

TEST (MyComboBoxLookAndFeel, PopupItemsAreFifteenHighWithTheirTextFivePixelsPastTheInset)
{
    my::MyComboBoxLookAndFeel look;
    look.skin[my::SkinIndex::popupHighlight] = juce::Colour (0xFF00FF00);
    look.skin[my::SkinIndex::comboText] = juce::Colour (0xFFE67300);

    for (const auto* text : { "x", "A curve name far longer than any box is wide" })
    {
        int width = 0, height = 0;
        look.getIdealPopupMenuItemSize (text, false, 16, width, height);
        EXPECT_EQ (height, 15);
        EXPECT_EQ (width, 5); // the framework widens the popup to the box
    }

    for (const int inset : { 0, 10 })
    {
        look.textInset = inset;
        juce::Image image (juce::Image::ARGB, 140, 15, true, juce::SoftwareImageType());
        {
            juce::Graphics g (image);
            look.drawPopupMenuItem (g, { 0, 0, 140, 15 }, false, true, true, false, false, "Hard Clip", {}, nullptr,
                                    nullptr);
        }
        EXPECT_EQ (argbAt (image, 1, 1), 0xFF00FF00u);

        int firstTextColumn = -1;
        for (int x = 0; x < 140 && firstTextColumn < 0; ++x)
            for (int y = 0; y < 15; ++y)
                if (image.getPixelAt (x, y).getGreen() < 0xF0)
                    firstTextColumn = x;
        EXPECT_GE (firstTextColumn, inset + 5);
        EXPECT_LE (firstTextColumn, inset + 7);
    }
}
