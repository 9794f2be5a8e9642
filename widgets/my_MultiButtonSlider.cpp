#include "widgets/my_MultiButtonSlider.h"

#include "engine/my_Utility.h"
#include "widgets/my_ButtonBase.h"
#include "widgets/my_CornerStyle.h"
#include "widgets/my_HoverTint.h"
#include "widgets/my_Mouse.h"

namespace my
{
namespace
{
// End items keep their outer corners round; the ones between are plain rectangles.
int cornerStyleOf (int item, int count, int firstStyle, int lastStyle)
{
    if (item == 1)
        return firstStyle;

    return item == count ? lastStyle : CornerStyle::allSquare;
}

// The body's outline as one shape, curved only where the style keeps a corner round: a
// translucent fill over it covers every pixel once, where the body's rounded box and its
// squared quarters overlap.
juce::Path outlineOf (juce::Rectangle<int> cell, float cornerRadius, int cornerStyle)
{
    using Corner = CornerStyle::Corner;
    const auto round = [cornerStyle] (Corner corner) { return ! CornerStyle::isSquare (cornerStyle, corner); };
    const auto area = cell.toFloat();

    juce::Path outline;
    outline.addRoundedRectangle (area.getX(), area.getY(), area.getWidth(), area.getHeight(), cornerRadius,
                                 cornerRadius, round (Corner::topLeft), round (Corner::topRight),
                                 round (Corner::bottomLeft), round (Corner::bottomRight));
    return outline;
}

// While the mouse is over the selector its translucent texts show stronger.
juce::Colour strengthened (juce::Colour colour)
{
    return colour.withAlpha ((juce::uint8) juce::jmin (255, juce::roundToInt (colour.getAlpha() * 1.5f)));
}
} // namespace

void MultiButtonSlider::addItem (juce::String name)
{
    itemNames.add (std::move (name));
    itemIcons.push_back (ButtonPath::none);
    ++itemCount;
}

int MultiButtonSlider::itemLength (int length) const { return (length - itemCount + 1) / itemCount; }

void MultiButtonSlider::paintItem (juce::Graphics& g, int item, juce::Rectangle<int> cell,
                                   juce::Rectangle<int> textArea, int cornerStyle, ItemLook look, bool hovered) const
{
    {
        const juce::Graphics::ScopedSaveState state (g);
        g.setOrigin (cell.getPosition());
        const CorneredBox body { (float) cell.getWidth(), (float) cell.getHeight(), cornerRadius, 0.0f, cornerStyle };
        body.paintBody (g, look.fill, look.fill);
    }

    // The overlay is composited over what is drawn, not mixed into the colours beforehand.
    const juce::Colour overlay (hoverOverlay);

    if (hovered)
    {
        g.setColour (overlay);
        g.fillPath (outlineOf (cell, cornerRadius, cornerStyle));
    }

    g.setColour (look.text);
    paintContent (g, item, cell, textArea);

    if (hovered)
    {
        g.setColour (overlay);
        paintContent (g, item, cell, textArea);
    }
}

void MultiButtonSlider::paintContent (juce::Graphics& g, int item, juce::Rectangle<int> cell,
                                      juce::Rectangle<int> textArea) const
{
    const auto icon = item <= (int) itemIcons.size() ? itemIcons[(size_t) (item - 1)] : ButtonPath::none;

    if (icon != ButtonPath::none)
    {
        juce::Path path;
        ButtonPath::makePath ((float) cell.getX(), (float) cell.getY(), (float) cell.getWidth(),
                              (float) cell.getHeight(), icon, path);
        g.strokePath (path, juce::PathStrokeType (1.0f));
        return;
    }

    g.setFont (titleFont);
    g.drawText (itemNames[item - 1], textArea, juce::Justification::centred, true);
}

MultiButtonSliderVertical::MultiButtonSliderVertical() { setSliderStyle (juce::Slider::LinearVertical); }

double MultiButtonSliderVertical::proportionOfLengthToValue (double proportion) { return 1.0 - proportion; }

double MultiButtonSliderVertical::valueToProportionOfLength (double value) { return 1.0 - value; }

void MultiButtonSliderVertical::paint (juce::Graphics& g)
{
    using namespace SkinIndex;

    selectedItem = my::selectedItem ((float) getValue(), itemCount);

    if (itemCount == 0)
        return;

    const int w = getWidth();
    const int rowHeight = itemLength (getHeight());
    const auto mouse = DesktopMouse::getPositionIn (*this);

    const ItemLook selectedLook { skin[isActive ? buttonOn : buttonOnInactive],
                                  skin[isActive ? buttonTextOn : buttonTextOnInactive] };
    const ItemLook otherLook { skin[isActive ? buttonOff : buttonOffInactive],
                               skin[isActive ? buttonTextOff : buttonTextOffInactive] };

    for (int item = 1; item <= itemCount; ++item)
    {
        const int y = (item - 1) * (rowHeight + 1);
        const bool hovered = isHover && mouse.x >= 0 && mouse.x < w && mouse.y >= y && mouse.y < y + rowHeight;

        auto look = item == selectedItem ? selectedLook : otherLook;

        if (isHover)
            look.text = strengthened (look.text);

        paintItem (g, item, { 0, y, w, rowHeight }, { 0, (int) ((float) y + textOffsetY), w, rowHeight },
                   cornerStyleOf (item, itemCount, CornerStyle::topRounded, CornerStyle::bottomRounded), look, hovered);
    }
}

MultiButtonSliderHorizontal::MultiButtonSliderHorizontal() { setSliderStyle (juce::Slider::LinearHorizontal); }

void MultiButtonSliderHorizontal::paint (juce::Graphics& g)
{
    using namespace SkinIndex;

    selectedItem = my::selectedItem ((float) getValue(), itemCount);

    if (itemCount == 0)
        return;

    const int h = getHeight();
    const int itemWidth = itemLength (getWidth());

    for (int item = 1; item <= itemCount; ++item)
    {
        const int x = (item - 1) * (itemWidth + 1);
        const bool selected = item == selectedItem;
        const ItemLook look { skin[selected ? buttonOn : buttonOff],
                              skin[! selected ? buttonTextOff : (isActive ? buttonTextOn : buttonTextOnInactive)] };

        paintItem (g, item, { x, 0, itemWidth, h }, { x, (int) textOffsetY, itemWidth, h },
                   cornerStyleOf (item, itemCount, CornerStyle::leftRounded, CornerStyle::rightRounded), look, false);
    }
}
} // namespace my
