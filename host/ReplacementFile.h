#pragma once

#include <juce_core/juce_core.h>

#include <memory>

#include <sys/types.h>

namespace host
{
// True when both name the same file however they are written (links, "..", another relative
// path): the same device and inode, or for files that do not exist yet the same name in the same
// folder.
bool isSameFile (const juce::File& a, const juce::File& b);

// A file written under a temporary name beside its target and renamed over the target only when
// everything was written, so a failed or interrupted run leaves whatever was there untouched.
// A target that is a link to a file stays a link: the file it points to is replaced. Until the
// rename only its writer may read the new file; then it takes the old one's permissions, and its
// owner and group where the system allows it.
class ReplacementFile
{
public:
    // Throws std::runtime_error when the target exists but is not a regular file or its user may
    // not write it, when a sticky folder keeps it, or a link on the way to it, from its user as the
    // system would keep it from the shell's `>`, or when its folder cannot take the temporary file.
    explicit ReplacementFile (const juce::File& target);

    // Removes the temporary file unless it was committed.
    ~ReplacementFile();

    // A stream onto the temporary file that remembers the first failed write. It must not outlive
    // this object.
    std::unique_ptr<juce::OutputStream> createStream();

    // Throws std::runtime_error naming the target and the reason when a write has failed.
    void throwIfWriteFailed() const;

    // Puts the written file in place of the target; throws std::runtime_error, leaving the target
    // as it was, when any write, the flush to disk or the rename failed.
    void commit();

    const juce::File& getTarget() const { return target; }
    juce::File getTemporaryFile() const { return juce::File (temporaryPath); }

    ReplacementFile (const ReplacementFile&) = delete;
    ReplacementFile& operator= (const ReplacementFile&) = delete;

private:
    class DescriptorStream;

    [[noreturn]] void fail (int error) const;
    void closeDescriptor();

    juce::File target;
    juce::String temporaryPath;
    int descriptor = -1;
    // Given to the new file just before the rename: the old one's owner, group and permissions, or
    // for a new file what the shell's `>` would give it.
    uid_t owner = static_cast<uid_t> (-1);
    gid_t group = static_cast<gid_t> (-1);
    mode_t mode = 0;
    int firstError = 0;
    int signalSlot = -1;
};

// Makes every signal that ends the process by default remove the temporary files of every
// uncommitted ReplacementFile before the process ends as the signal asks. A signal ignored at
// start stays ignored. A file-size limit makes the write fail instead of ending the process.
void removeTemporaryFilesOnSignals();
} // namespace host
