#pragma once

#include "widgets/my_MySkin.h"

namespace wkr
{
// The product's palette: dark greys, light grey 0xFFCDCDCD and the orange accent 0xFFE67300.
// Entries the product never reads keep the unset red.
struct SkinTolvaneD : my::MySkin
{
    SkinTolvaneD();
};
} // namespace wkr
