#include "host/WavInput.h"

#include "host/CommandLine.h"

#include <cstring>
#include <optional>
#include <stdexcept>

namespace host
{
namespace
{
using Bytes = const juce::uint8*;

bool isTag (Bytes bytes, const char* tag) { return std::memcmp (bytes, tag, 4) == 0; }
juce::uint32 le16 (Bytes bytes) { return juce::ByteOrder::littleEndianShort (bytes); }
juce::uint32 le32 (Bytes bytes) { return juce::ByteOrder::littleEndianInt (bytes); }
juce::uint64 le64 (Bytes bytes) { return juce::ByteOrder::littleEndianInt64 (bytes); }

constexpr juce::uint32 pcmTag = 1, floatTag = 3, extensibleTag = 0xfffe;

// The tail that every standard sub-format GUID of an extensible format chunk shares after its
// leading format tag.
constexpr juce::uint8 standardGuidTail[12] = { 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71 };

struct FormatChunk
{
    juce::uint32 tag = 0, numChannels = 0, sampleRate = 0, blockAlign = 0, bitsPerSample = 0;
};

[[noreturn]] void refuse (const juce::String& name, const juce::String& why)
{
    throw std::runtime_error ((name + " " + why).toStdString());
}

bool readExactly (juce::InputStream& stream, void* destination, int numBytes)
{
    return stream.read (destination, numBytes) == numBytes;
}

FormatChunk readFormatChunk (juce::InputStream& stream, juce::uint32 size, const juce::String& name)
{
    juce::uint8 bytes[40] {};
    if (size < 16 || ! readExactly (stream, bytes, static_cast<int> (std::min<juce::uint32> (size, sizeof (bytes)))))
        refuse (name, "has a format chunk too short to read");

    FormatChunk format { le16 (bytes), le16 (bytes + 2), le32 (bytes + 4), le16 (bytes + 12), le16 (bytes + 14) };
    if (format.tag == extensibleTag)
    {
        if (size < 40)
            refuse (name, "has an extensible format chunk too short to read");
        const bool standardGuid = std::memcmp (bytes + 28, standardGuidTail, sizeof (standardGuidTail)) == 0;
        format.tag = standardGuid ? le32 (bytes + 24) : extensibleTag;
    }
    return format;
}

juce::String formatName (juce::uint32 tag)
{
    switch (tag)
    {
        case 2:
            return "Microsoft ADPCM";
        case 6:
            return "A-law";
        case 7:
            return "mu-law";
        case 0x11:
            return "IMA ADPCM";
        case 0x55:
            return "MPEG layer 3";
        case extensibleTag:
            return "an unknown extensible sub-format";
        default:
            return "format tag 0x" + juce::String::toHexString (static_cast<int> (tag)).paddedLeft ('0', 4);
    }
}

SampleEncoding encodingOf (const FormatChunk& format, const juce::String& name)
{
    struct Known
    {
        juce::uint32 tag, bits;
        SampleEncoding encoding;
    };
    static constexpr Known known[] = {
        { pcmTag, 8, SampleEncoding::unsigned8 },  { pcmTag, 16, SampleEncoding::int16 },
        { pcmTag, 24, SampleEncoding::int24 },     { pcmTag, 32, SampleEncoding::int32 },
        { floatTag, 32, SampleEncoding::float32 }, { floatTag, 64, SampleEncoding::float64 },
    };
    const auto bits = format.bitsPerSample;
    for (const auto& k : known)
        if (k.tag == format.tag && k.bits == bits)
            return k.encoding;

    const auto what = format.tag == pcmTag     ? juce::String (bits) + "-bit integer samples"
                      : format.tag == floatTag ? juce::String (bits) + "-bit float samples"
                                               : formatName (format.tag);
    refuse (name, "holds " + what +
                      ", which the host cannot read faithfully (it reads 8, 16, 24 and 32-bit integer "
                      "and 32 and 64-bit float samples)");
}

float decode (const char* sample, SampleEncoding encoding)
{
    switch (encoding)
    {
        case SampleEncoding::unsigned8:
            return static_cast<float> (static_cast<juce::uint8> (*sample) - 128) / 128.0f;
        case SampleEncoding::int16:
            return static_cast<float> (static_cast<juce::int16> (juce::ByteOrder::littleEndianShort (sample))) /
                   32768.0f;
        case SampleEncoding::int24:
            return static_cast<float> (juce::ByteOrder::littleEndian24Bit (sample)) / 8388608.0f;
        case SampleEncoding::int32:
            return static_cast<float> (static_cast<juce::int32> (juce::ByteOrder::littleEndianInt (sample)) /
                                       2147483648.0);
        case SampleEncoding::float32:
        {
            const auto bits = juce::ByteOrder::littleEndianInt (sample);
            float value;
            std::memcpy (&value, &bits, sizeof (value));
            return value;
        }
        case SampleEncoding::float64:
        {
            const auto bits = juce::ByteOrder::littleEndianInt64 (sample);
            double value;
            std::memcpy (&value, &bits, sizeof (value));
            return static_cast<float> (value);
        }
    }
    return 0.0f;
}
} // namespace

WavLayout readWavLayout (juce::InputStream& stream, const juce::String& name)
{
    const juce::int64 fileLength = stream.getTotalLength();
    juce::uint8 riff[12];
    if (fileLength < 12 || ! readExactly (stream, riff, 12) || ! (isTag (riff, "RIFF") || isTag (riff, "RF64")) ||
        ! isTag (riff + 8, "WAVE"))
        refuse (name, "is not a WAV file");
    const bool rf64 = isTag (riff, "RF64");

    // Walk the chunks until both the format and the audio data are found; every chunk moves the
    // position forward by at least its 8-byte header, so a crafted file cannot loop.
    std::optional<FormatChunk> format;
    std::optional<juce::int64> dataStart;
    std::optional<juce::uint64> rf64DataBytes;
    juce::uint64 dataBytes = 0;
    for (juce::int64 position = 12; position + 8 <= fileLength && ! (format && dataStart);)
    {
        juce::uint8 header[8];
        if (! stream.setPosition (position) || ! readExactly (stream, header, 8))
            break;
        const juce::uint32 size = le32 (header + 4);
        const juce::int64 body = position + 8;

        if (rf64 && isTag (header, "ds64"))
        {
            // Its first fields: the RIFF size and the data size, 8 bytes each.
            juce::uint8 sizes[16];
            if (size < sizeof (sizes) || ! readExactly (stream, sizes, sizeof (sizes)))
                refuse (name, "has a ds64 chunk too short to read");
            rf64DataBytes = le64 (sizes + 8);
        }
        else if (isTag (header, "fmt "))
            format = readFormatChunk (stream, size, name);
        else if (isTag (header, "data"))
        {
            if (rf64 && ! rf64DataBytes)
                refuse (name, "is RF64 but has no ds64 chunk before its audio data");
            dataStart = body;
            dataBytes = rf64 && size == 0xffffffffu ? *rf64DataBytes : size;
        }
        position = body + size + (size & 1);
    }

    if (! format)
        refuse (name, "has no format chunk before its end");
    if (format->numChannels < 1)
        refuse (name, "has no audio channels");
    if (format->numChannels > 2)
        refuse (name, "has " + juce::String (format->numChannels) + " channels; the plug-in takes mono or stereo");

    WavLayout layout;
    layout.numChannels = static_cast<int> (format->numChannels);
    layout.encoding = encodingOf (*format, name);
    layout.sampleRate = format->sampleRate;
    if (layout.sampleRate < lowestSampleRate || layout.sampleRate > highestSampleRate)
        refuse (name, "has a sample rate of " + juce::String (format->sampleRate) + " Hz; the host renders from " +
                          juce::String (lowestSampleRate) + " to " + juce::String (highestSampleRate) + " Hz");

    layout.bytesPerFrame = layout.numChannels * static_cast<int> (format->bitsPerSample / 8);
    if (format->blockAlign != static_cast<juce::uint32> (layout.bytesPerFrame))
        refuse (name, "says its frames take " + juce::String (format->blockAlign) + " bytes, but " +
                          juce::String (layout.numChannels) + " channels of " + juce::String (format->bitsPerSample) +
                          "-bit samples take " + juce::String (layout.bytesPerFrame));

    if (! dataStart)
        refuse (name, "has no audio data");
    const auto available = static_cast<juce::uint64> (fileLength - *dataStart);
    if (dataBytes > available)
        refuse (name, "is cut short: its header announces " + juce::String (dataBytes) + " bytes of audio (" +
                          juce::String (dataBytes / static_cast<juce::uint64> (layout.bytesPerFrame)) +
                          " frames) but only " + juce::String (available) + " bytes follow");

    layout.dataStart = *dataStart;
    layout.numFrames = static_cast<juce::int64> (dataBytes / static_cast<juce::uint64> (layout.bytesPerFrame));
    return layout;
}

WavInput::WavInput (const juce::File& file)
    : name (file.getFullPathName()),
      stream (std::make_unique<juce::FileInputStream> (file))
{
    if (file.isDirectory() || ! stream->openedOk())
        throw std::runtime_error (("cannot read " + name).toStdString());
    layout = readWavLayout (*stream, name);
    stream->setPosition (layout.dataStart);
}

void WavInput::readNext (juce::AudioBuffer<float>& buffer, int numFrames)
{
    const auto sampleBytes = static_cast<size_t> (layout.bytesPerFrame / layout.numChannels);
    bytes.resize (static_cast<size_t> (numFrames) * static_cast<size_t> (layout.bytesPerFrame));
    if (! readExactly (*stream, bytes.data(), static_cast<int> (bytes.size())))
        throw std::runtime_error (("could not read all of " + name + "; did it change while rendering?").toStdString());

    const char* frame = bytes.data();
    for (int i = 0; i < numFrames; ++i, frame += layout.bytesPerFrame)
    {
        buffer.setSample (0, i, decode (frame, layout.encoding));
        buffer.setSample (
            1, i, layout.numChannels == 1 ? buffer.getSample (0, i) : decode (frame + sampleBytes, layout.encoding));
    }
}
} // namespace host
