#pragma once

#include <cstddef>

namespace my
{
// Bounds of a state block: the plug-in writes one tree of 27 children with 60 properties in all,
// about 1.5 kB. They leave room for far more, yet keep the framework's reader, whose time grows
// with the square of the number of distinct property names, to a few milliseconds.
inline constexpr size_t maximumStateBytes = 64 * 1024;
inline constexpr int maximumStateTrees = 256;       // the root and all its descendants
inline constexpr int maximumStateProperties = 1024; // on all trees together

// True when the bytes hold one complete value tree in the framework's binary format whose every
// count and size fits inside the block and whose nesting stays shallow, and when block, trees and
// properties stay within bounds far above anything the plug-in writes. The framework's reader
// trusts those numbers: a corrupt block can make it reserve gigabytes, spin for minutes or recurse
// until the stack runs out, and a crafted one with many property names takes seconds, so a
// host's state block passes this check before it is decoded.
bool isWellFormedStateBlock (const void* data, size_t numBytes);
} // namespace my
