#pragma once

#include <gtest/gtest.h>

#include <juce_audio_formats/juce_audio_formats.h>

#include <csignal>
#include <functional>
#include <memory>

#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace testing_support
{
// A folder of its own for each test, removed afterwards.
class ScopedFolder
{
public:
    ScopedFolder() { folder.createDirectory(); }
    ~ScopedFolder() { folder.deleteRecursively(); }

    const juce::File& get() const { return folder; }
    juce::File operator/ (const char* name) const { return folder.getChildFile (name); }

    // Names of everything in the folder, hidden files included.
    juce::StringArray names() const
    {
        juce::StringArray result;
        for (const auto& entry :
             juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
            result.add (entry.getFile().getFileName());
        result.sort (false);
        return result;
    }

private:
    juce::File folder = juce::File::createTempFile ("wkr-host");
};

// Writes 32-bit float WAV audio whose sample i of channel c is value (c, i).
inline void writeWav (const juce::File& file, int channels, double rate, int samples,
                      const std::function<float (int, int)>& value)
{
    auto stream = std::make_unique<juce::FileOutputStream> (file);
    std::unique_ptr<juce::AudioFormatWriter> writer (
        juce::WavAudioFormat().createWriterFor (stream.release(), rate, static_cast<unsigned> (channels), 32, {}, 0));
    juce::AudioBuffer<float> buffer (channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < samples; ++i)
            buffer.setSample (c, i, value (c, i));
    writer->writeFromAudioSampleBuffer (buffer, 0, samples);
}

// The whole of a WAV file, or an empty buffer when it does not read.
inline juce::AudioBuffer<float> readWav (const juce::File& file)
{
    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (file), true));
    if (reader == nullptr)
        return {};
    juce::AudioBuffer<float> buffer (static_cast<int> (reader->numChannels),
                                     static_cast<int> (reader->lengthInSamples));
    reader->read (&buffer, 0, buffer.getNumSamples(), 0, true, true);
    return buffer;
}

// Makes every write past the given size fail, as a full disk does, for the lifetime of the object.
class ScopedFileSizeLimit
{
public:
    explicit ScopedFileSizeLimit (rlim_t bytes)
    {
        getrlimit (RLIMIT_FSIZE, &previous);
        auto limited = previous;
        limited.rlim_cur = bytes;
        previousHandler = std::signal (SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
        setrlimit (RLIMIT_FSIZE, &limited);
    }

    ~ScopedFileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit previous {};
    void (*previousHandler) (int) = nullptr;
};

// Run as root, acts as the user nobody, to whom the files given are handed, for the lifetime of the
// object; run as anyone else, stays that user.
struct PlainUser
{
    explicit PlainUser (std::initializer_list<juce::File> owned)
    {
        if (::geteuid() != 0)
            return;
        const auto* nobody = ::getpwnam ("nobody");
        uid = nobody != nullptr ? nobody->pw_uid : 65534;
        for (const auto& file : owned)
            EXPECT_EQ (::chown (file.getFullPathName().toRawUTF8(), uid, static_cast<gid_t> (-1)), 0);
        EXPECT_EQ (::seteuid (uid), 0);
    }
    ~PlainUser()
    {
        if (uid != 0)
        {
            EXPECT_EQ (::seteuid (0), 0);
        }
    }
    uid_t uid = 0;
};
} // namespace testing_support
