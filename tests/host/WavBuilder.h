#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace testing_support
{
// Builds WAV files byte by byte, so tests can state exactly the header a reader is given,
// including headers no well-behaved writer would produce.
struct WavBuilder
{
    std::uint16_t formatTag = 1;
    std::uint16_t numChannels = 2;
    std::uint32_t sampleRate = 48000;
    std::uint16_t bitsPerSample = 16;
    int blockAlign = -1;                // -1: numChannels * bitsPerSample / 8
    bool extensible = false;            // format tag 0xfffe with formatTag as the sub-format
    bool paddedChunkBeforeData = false; // an odd-sized chunk with its pad byte before "data"
    std::int64_t claimedDataBytes = -1; // -1: the size of `data`
    bool rf64 = false;                  // "RF64": the sizes in a ds64 chunk, 0xffffffff in their places
    std::uint32_t ds64Bytes = 28;       // RF64 only: the ds64 chunk's size, 0 for no ds64 chunk
    bool ds64AfterData = false;         // RF64 only: the ds64 chunk after the audio data
    std::vector<std::uint8_t> data;

    void addSample (std::int64_t value, int numBytes)
    {
        for (int i = 0; i < numBytes; ++i)
            data.push_back (static_cast<std::uint8_t> ((static_cast<std::uint64_t> (value) >> (8 * i)) & 0xff));
    }

    void addFloat (float value)
    {
        std::uint32_t bits;
        std::memcpy (&bits, &value, 4);
        addSample (bits, 4);
    }

    void addDouble (double value)
    {
        std::uint64_t bits;
        std::memcpy (&bits, &value, 8);
        addSample (static_cast<std::int64_t> (bits), 8);
    }

    juce::MemoryBlock build() const
    {
        juce::MemoryOutputStream out;
        auto chunk = [&out] (const char* id, std::uint32_t size)
        {
            out.write (id, 4);
            out.writeInt (static_cast<int> (size));
        };

        const auto dataBytes = static_cast<std::uint64_t> (
            claimedDataBytes >= 0 ? claimedDataBytes : static_cast<std::int64_t> (data.size()));
        auto ds64 = [&]
        {
            if (ds64Bytes == 0)
                return;
            chunk ("ds64", ds64Bytes);
            std::vector<std::uint8_t> sizes (std::max<std::uint32_t> (ds64Bytes, 28));
            std::memcpy (sizes.data() + 8, &dataBytes, 8);
            out.write (sizes.data(), ds64Bytes);
        };

        const std::uint32_t formatSize = extensible ? 40 : 16;
        out.write (rf64 ? "RF64" : "RIFF", 4);
        out.writeInt (0); // patched below
        out.write ("WAVE", 4);
        if (rf64 && ! ds64AfterData)
            ds64();

        chunk ("fmt ", formatSize);
        out.writeShort (static_cast<short> (extensible ? 0xfffe : formatTag));
        out.writeShort (static_cast<short> (numChannels));
        out.writeInt (static_cast<int> (sampleRate));
        const int align = blockAlign >= 0 ? blockAlign : numChannels * bitsPerSample / 8;
        out.writeInt (static_cast<int> (sampleRate) * align);
        out.writeShort (static_cast<short> (align));
        out.writeShort (static_cast<short> (bitsPerSample));
        if (extensible)
        {
            const std::uint8_t guidTail[12] = {
                0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71
            };
            out.writeShort (22);
            out.writeShort (static_cast<short> (bitsPerSample));
            out.writeInt (numChannels == 1 ? 4 : 3);
            out.writeInt (formatTag);
            out.write (guidTail, sizeof (guidTail));
        }

        if (paddedChunkBeforeData)
        {
            chunk ("LIST", 3);
            out.write ("abc\0", 4);
        }

        chunk ("data", rf64 ? 0xffffffffu : static_cast<std::uint32_t> (dataBytes));
        out.write (data.data(), data.size());
        if (rf64 && ds64AfterData)
            ds64();

        auto block = out.getMemoryBlock();
        const auto riffSize = rf64 ? 0xffffffffu : static_cast<std::uint32_t> (block.getSize() - 8);
        std::memcpy (static_cast<char*> (block.getData()) + 4, &riffSize, 4);
        return block;
    }

    void writeTo (const juce::File& file) const
    {
        const auto block = build();
        file.replaceWithData (block.getData(), block.getSize());
    }
};
} // namespace testing_support
