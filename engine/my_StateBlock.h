#pragma once

#include <cstddef>

namespace my
{
// True when the bytes hold one complete value tree in the framework's binary format whose every
// count and size fits inside the block and whose nesting stays shallow. The framework's reader
// trusts those numbers: a corrupt block can make it reserve gigabytes, spin for minutes or recurse
// until the stack runs out, so a host's state block passes this check before it is decoded.
bool isWellFormedStateBlock (const void* data, size_t numBytes);
} // namespace my
