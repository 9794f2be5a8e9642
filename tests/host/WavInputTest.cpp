#include <gtest/gtest.h>

#include "host/WavInput.h"
#include "WavBuilder.h"

#include <stdexcept>

namespace
{
using testing_support::WavBuilder;

host::WavLayout layoutOf (const WavBuilder& wav)
{
    const auto block = wav.build();
    juce::MemoryInputStream stream (block, false);
    return host::readWavLayout (stream, "in.wav");
}

// The message a refused header gives, or "accepted".
std::string refusalOf (const WavBuilder& wav)
{
    try
    {
        layoutOf (wav);
        return "accepted";
    }
    catch (const std::runtime_error& e)
    {
        return e.what();
    }
}

WavBuilder stereo16 (int frames)
{
    WavBuilder wav;
    for (int i = 0; i < 2 * frames; ++i)
        wav.addSample (i, 2);
    return wav;
}

class WavFileInput : public ::testing::Test
{
protected:
    // Decodes every frame of the file the builder makes into a two-channel buffer.
    juce::AudioBuffer<float> decode (const WavBuilder& wav)
    {
        wav.writeTo (file);
        host::WavInput input (file);
        juce::AudioBuffer<float> buffer (2, static_cast<int> (input.getLayout().numFrames));
        input.readNext (buffer, buffer.getNumSamples());
        return buffer;
    }

    juce::File file = juce::File::createTempFile ("wkr-wav");

    void TearDown() override { file.deleteFile(); }
};

TEST (WavHeader, ReadsLayoutThroughPaddedChunksAndExtensibleFormats)
{
    auto wav = stereo16 (10);
    wav.paddedChunkBeforeData = true;
    const auto layout = layoutOf (wav);
    EXPECT_EQ (layout.numChannels, 2);
    EXPECT_EQ (layout.sampleRate, 48000.0);
    EXPECT_EQ (layout.encoding, host::SampleEncoding::int16);
    EXPECT_EQ (layout.bytesPerFrame, 4);
    EXPECT_EQ (layout.numFrames, 10);
    EXPECT_EQ (layout.dataStart, 12 + 8 + 16 + 8 + 4 + 8);

    WavBuilder extensibleFloat;
    extensibleFloat.extensible = true;
    extensibleFloat.formatTag = 3;
    extensibleFloat.bitsPerSample = 64;
    extensibleFloat.numChannels = 1;
    extensibleFloat.addDouble (0.5);
    EXPECT_EQ (layoutOf (extensibleFloat).encoding, host::SampleEncoding::float64);

    // A trailing partial frame is not audio.
    auto ragged = stereo16 (3);
    ragged.data.push_back (0);
    EXPECT_EQ (layoutOf (ragged).numFrames, 3);
}

TEST (WavHeader, DataShorterThanTheHeaderSaysIsRefusedWithBothSizes)
{
    auto wav = stereo16 (10);
    wav.claimedDataBytes = 1000000;
    const auto message = refusalOf (wav);
    EXPECT_NE (message.find ("in.wav is cut short"), std::string::npos) << message;
    EXPECT_NE (message.find ("1000000 bytes of audio (250000 frames)"), std::string::npos) << message;
    EXPECT_NE (message.find ("only 40 bytes follow"), std::string::npos) << message;

    // The largest size a plain RIFF header can claim.
    wav.claimedDataBytes = 0xffffffff;
    EXPECT_NE (refusalOf (wav).find ("cut short"), std::string::npos);
}

// An RF64 file keeps the size of its audio in its ds64 chunk; without a whole one before the
// audio, that size is unknown.
TEST (WavHeader, Rf64WithoutAUsableDs64ChunkIsRefused)
{
    auto wav = stereo16 (10);
    wav.rf64 = true;
    EXPECT_EQ (layoutOf (wav).numFrames, 10);

    const std::pair<const char*, void (*) (WavBuilder&)> cases[] = {
        { "in.wav is RF64 but has no ds64 chunk before its audio data", [] (WavBuilder& w) { w.ds64Bytes = 0; } },
        { "in.wav is RF64 but has no ds64 chunk before its audio data",
          [] (WavBuilder& w) { w.ds64AfterData = true; } },
        { "in.wav has a ds64 chunk too short to read", [] (WavBuilder& w) { w.ds64Bytes = 12; } },
    };
    for (const auto& [expected, change] : cases)
    {
        auto broken = wav;
        change (broken);
        EXPECT_EQ (refusalOf (broken), expected);
    }
}

TEST (WavHeader, RefusesWhatCannotBeReadFaithfullyAndNamesIt)
{
    struct Case
    {
        const char* expected;
        void (*change) (WavBuilder&);
    };
    const Case cases[] = {
        { "has 3 channels; the plug-in takes mono or stereo", [] (WavBuilder& w) { w.numChannels = 3; } },
        { "has 8 channels", [] (WavBuilder& w) { w.numChannels = 8; } },
        { "has no audio channels", [] (WavBuilder& w) { w.numChannels = 0; } },
        { "holds 12-bit integer samples, which the host cannot read faithfully",
          [] (WavBuilder& w) { w.bitsPerSample = 12; } },
        { "holds 16-bit float samples", [] (WavBuilder& w) { w.formatTag = 3; } },
        { "holds A-law", [] (WavBuilder& w) { w.formatTag = 6; } },
        { "holds format tag 0x1234", [] (WavBuilder& w) { w.formatTag = 0x1234; } },
        { "holds 20-bit integer samples", [] (WavBuilder& w) { w.extensible = true, w.bitsPerSample = 20; } },
        { "has a sample rate of 0 Hz", [] (WavBuilder& w) { w.sampleRate = 0; } },
        { "has a sample rate of 4000000 Hz; the host renders from 8000 to 768000 Hz",
          [] (WavBuilder& w) { w.sampleRate = 4000000; } },
        { "says its frames take 3 bytes, but 2 channels of 16-bit samples take 4",
          [] (WavBuilder& w) { w.blockAlign = 3; } },
    };
    for (const auto& c : cases)
    {
        auto wav = stereo16 (4);
        c.change (wav);
        const auto message = refusalOf (wav);
        EXPECT_NE (message.find (std::string ("in.wav ") + c.expected), std::string::npos) << message;
    }
}

TEST (WavHeader, RefusesFilesThatAreNoWavWithoutReadingPastTheirEnd)
{
    const auto refusalOfBytes = [] (const juce::MemoryBlock& bytes)
    {
        juce::MemoryInputStream stream (bytes, false);
        try
        {
            host::readWavLayout (stream, "in.wav");
            return std::string ("accepted");
        }
        catch (const std::runtime_error& e)
        {
            return std::string (e.what());
        }
    };

    EXPECT_EQ (refusalOfBytes (juce::MemoryBlock()), "in.wav is not a WAV file");
    EXPECT_EQ (refusalOfBytes (juce::MemoryBlock ("RIFF\0\0\0\0AVI LIST", 16)), "in.wav is not a WAV file");

    // Cut inside the format chunk, and a header with no format chunk at all.
    const auto whole = stereo16 (4).build();
    EXPECT_NE (refusalOfBytes (juce::MemoryBlock (whole.getData(), 30)).find ("format chunk too short"),
               std::string::npos);
    EXPECT_NE (refusalOfBytes (juce::MemoryBlock ("RIFF\xff\xff\xff\xffWAVEjunk\xf0\xff\xff\xff", 20))
                   .find ("no format chunk"),
               std::string::npos);

    // The format chunk alone, without audio data.
    EXPECT_NE (refusalOfBytes (juce::MemoryBlock (whole.getData(), 36)).find ("has no audio data"), std::string::npos);
}

TEST_F (WavFileInput, DecodesEveryEncodingToTheSameFullScaleValues)
{
    struct Case
    {
        std::uint16_t tag, bits;
        std::int64_t half, negativeFull; // the encoded values of 0.5 and -1
    };
    const Case cases[] = {
        { 1, 8, 192, 0 },
        { 1, 16, 16384, -32768 },
        { 1, 24, 4194304, -8388608 },
        { 1, 32, 1073741824, -2147483648ll },
    };
    for (const auto& c : cases)
    {
        WavBuilder wav;
        wav.formatTag = c.tag;
        wav.bitsPerSample = c.bits;
        wav.addSample (c.half, c.bits / 8);
        wav.addSample (c.negativeFull, c.bits / 8);
        const auto buffer = decode (wav);
        ASSERT_EQ (buffer.getNumSamples(), 1);
        EXPECT_FLOAT_EQ (buffer.getSample (0, 0), 0.5f) << c.bits;
        EXPECT_FLOAT_EQ (buffer.getSample (1, 0), -1.0f) << c.bits;
    }

    WavBuilder floats;
    floats.formatTag = 3;
    floats.bitsPerSample = 32;
    floats.addFloat (0.25f);
    floats.addFloat (-2.0f);
    auto buffer = decode (floats);
    EXPECT_EQ (buffer.getSample (0, 0), 0.25f);
    EXPECT_EQ (buffer.getSample (1, 0), -2.0f);

    WavBuilder doubles;
    doubles.formatTag = 3;
    doubles.bitsPerSample = 64;
    doubles.addDouble (0.125);
    doubles.addDouble (-0.75);
    doubles.addDouble (1.0 / 3.0);
    doubles.addDouble (0.0);
    buffer = decode (doubles);
    ASSERT_EQ (buffer.getNumSamples(), 2);
    EXPECT_EQ (buffer.getSample (0, 0), 0.125f);
    EXPECT_EQ (buffer.getSample (1, 0), -0.75f);
    EXPECT_EQ (buffer.getSample (0, 1), static_cast<float> (1.0 / 3.0));
}

TEST_F (WavFileInput, MonoGoesToBothChannels)
{
    WavBuilder mono;
    mono.numChannels = 1;
    for (const int value : { 8192, -16384, 0 })
        mono.addSample (value, 2);
    const auto buffer = decode (mono);
    ASSERT_EQ (buffer.getNumSamples(), 3);
    for (int channel = 0; channel < 2; ++channel)
    {
        EXPECT_EQ (buffer.getSample (channel, 0), 0.25f);
        EXPECT_EQ (buffer.getSample (channel, 1), -0.5f);
        EXPECT_EQ (buffer.getSample (channel, 2), 0.0f);
    }
}
} // namespace
