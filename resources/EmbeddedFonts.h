#pragma once

#include <BinaryData.h>

// The embedded faces under the names the font holder loads them by; the files keep their own
// names. 0: the main sans-serif face (Roboto), 1: the face in the "Arial" role (Liberation Sans).
namespace BinaryData
{
inline const char* const& temp_binary_data_0 = RobotoRegular_ttf;
inline constexpr int temp_binary_data_0Size = RobotoRegular_ttfSize;

inline const char* const& temp_binary_data_1 = LiberationSansRegular_ttf;
inline constexpr int temp_binary_data_1Size = LiberationSansRegular_ttfSize;
} // namespace BinaryData
