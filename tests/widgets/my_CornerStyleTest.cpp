#include <gtest/gtest.h>

#include "widgets/my_CornerStyle.h"

#include <map>

namespace
{
using Corner = my::CornerStyle::Corner;

struct SquareCorners
{
    bool topLeft, topRight, bottomLeft, bottomRight;

    bool operator== (const SquareCorners& other) const
    {
        return topLeft == other.topLeft && topRight == other.topRight && bottomLeft == other.bottomLeft &&
               bottomRight == other.bottomRight;
    }
};

SquareCorners squareCornersOf (int style)
{
    return { my::CornerStyle::isSquare (style, Corner::topLeft), my::CornerStyle::isSquare (style, Corner::topRight),
             my::CornerStyle::isSquare (style, Corner::bottomLeft),
             my::CornerStyle::isSquare (style, Corner::bottomRight) };
}
} // namespace

TEST (CornerStyle, EachStyleSquaresItsNamedCorners)
{
    //                                           TL     TR     BL     BR
    const std::map<int, SquareCorners> table {
        { 1, { true, true, true, true } },   { 2, { false, false, true, true } }, { 3, { true, false, true, false } },
        { 4, { true, true, false, false } }, { 5, { false, true, false, true } }, { 6, { false, false, false, false } },
        { 7, { true, false, true, true } },  { 8, { true, true, true, false } },  { 9, { true, true, false, true } },
        { 10, { false, true, true, true } }
    };

    for (const auto& [style, expected] : table)
        EXPECT_TRUE (squareCornersOf (style) == expected) << "style " << style;
}

TEST (CornerStyle, ValuesOutsideTheRangeKeepAllCornersRounded)
{
    const SquareCorners allRounded { false, false, false, false };

    for (int style : { 0, 11, -1, 1000 })
        EXPECT_TRUE (squareCornersOf (style) == allRounded) << "style " << style;
}
