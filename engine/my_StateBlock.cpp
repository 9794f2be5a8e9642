#include "engine/my_StateBlock.h"

#include <cstdint>
#include <cstring>

namespace my
{
namespace
{
// Deep enough for any tree the plug-in writes (a root with one level of children), far below
// what could exhaust the stack.
constexpr int maximumDepth = 16;

// Markers of the framework's binary format of a var.
enum VarMarker : std::uint8_t
{
    varInt = 1,
    varBoolTrue = 2,
    varBoolFalse = 3,
    varDouble = 4,
    varString = 5,
    varInt64 = 6,
    varArray = 7,
    varBinary = 8,
    varUndefined = 9
};

class Reader
{
public:
    Reader (const std::uint8_t* begin, size_t size) : position (begin), end (begin + size) {}

    size_t remaining() const { return static_cast<size_t> (end - position); }

    // A NUL-terminated string, which must end inside the block; returns its length.
    bool string (size_t& length)
    {
        const void* nul = std::memchr (position, 0, remaining());
        if (nul == nullptr)
            return false;
        length = static_cast<size_t> (static_cast<const std::uint8_t*> (nul) - position);
        position += length + 1;
        return true;
    }

    // The framework's compressed int: a size byte (bit 7 the sign, bits 0-6 the byte count, at
    // most 4), then that many little-endian bytes.
    bool compressedInt (std::int64_t& value)
    {
        if (remaining() < 1)
            return false;
        const std::uint8_t sizeByte = *position++;
        const int numBytes = sizeByte & 0x7f;
        if (numBytes > 4 || remaining() < static_cast<size_t> (numBytes))
            return false;

        std::uint32_t magnitude = 0;
        for (int i = 0; i < numBytes; ++i)
            magnitude |= static_cast<std::uint32_t> (position[i]) << (8 * i);
        position += numBytes;

        value = static_cast<std::int32_t> (magnitude);
        if ((sizeByte & 0x80) != 0)
            value = -value;
        return true;
    }

    // A count that must be non-negative and small enough for its items to fit in what is left.
    bool count (std::int64_t& value)
    {
        return compressedInt (value) && value >= 0 && static_cast<std::uint64_t> (value) <= remaining();
    }

    bool var (int depth)
    {
        std::int64_t numBytes = 0;
        if (! compressedInt (numBytes))
            return false;
        if (numBytes <= 0)
            return true; // an empty var, nothing follows
        if (static_cast<std::uint64_t> (numBytes) > remaining())
            return false;

        const auto* next = position + numBytes;
        const std::uint8_t marker = *position++;
        const auto payload = static_cast<size_t> (numBytes - 1);

        switch (marker)
        {
            case varInt:
                return payload == 4 && skip (payload);
            case varInt64:
            case varDouble:
                return payload == 8 && skip (payload);
            case varBoolTrue:
            case varBoolFalse:
                return payload == 0;
            case varArray:
            {
                if (depth >= maximumDepth)
                    return false;
                Reader inner (position, payload);
                std::int64_t items = 0;
                if (! inner.count (items))
                    return false;
                for (std::int64_t i = 0; i < items; ++i)
                    if (! inner.var (depth + 1))
                        return false;
                position = next;
                return inner.remaining() == 0;
            }
            case varString:
            case varBinary:
            case varUndefined:
            default:
                return skip (payload);
        }
    }

    bool tree (int depth)
    {
        size_t typeLength = 0;
        if (depth >= maximumDepth || ++numTrees > maximumStateTrees || ! string (typeLength) || typeLength == 0)
            return false;

        std::int64_t properties = 0;
        if (! count (properties))
            return false;
        numProperties += properties;
        if (numProperties > maximumStateProperties)
            return false;
        for (std::int64_t i = 0; i < properties; ++i)
        {
            size_t nameLength = 0;
            if (! string (nameLength) || nameLength == 0 || ! var (depth))
                return false;
        }

        std::int64_t children = 0;
        if (! count (children))
            return false;
        for (std::int64_t i = 0; i < children; ++i)
            if (! tree (depth + 1))
                return false;
        return true;
    }

private:
    bool skip (size_t numBytes)
    {
        if (numBytes > remaining())
            return false;
        position += numBytes;
        return true;
    }

    const std::uint8_t* position;
    const std::uint8_t* end;
    std::int64_t numTrees = 0, numProperties = 0; // in the whole block so far
};
} // namespace

bool isWellFormedStateBlock (const void* data, size_t numBytes)
{
    if (data == nullptr || numBytes == 0 || numBytes > maximumStateBytes)
        return false;
    Reader reader (static_cast<const std::uint8_t*> (data), numBytes);
    return reader.tree (0);
}
} // namespace my
