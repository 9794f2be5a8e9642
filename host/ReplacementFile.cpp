#include "host/ReplacementFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <limits.h>
#include <linux/capability.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace host
{
namespace
{
// Temporary files a signal handler removes. The handler may only read plain memory, so the paths
// live in fixed buffers that a slot's flag publishes.
struct PendingFile
{
    std::atomic<bool> used { false };
    char path[PATH_MAX] {};
};

std::array<PendingFile, 8> pendingFiles;

static_assert (std::atomic<bool>::is_always_lock_free, "the signal handler reads these flags");

int registerPendingFile (const juce::String& path)
{
    const auto utf8 = path.toStdString();
    if (utf8.size() >= PATH_MAX)
        return -1;
    for (size_t slot = 0; slot < pendingFiles.size(); ++slot)
    {
        auto& pending = pendingFiles[slot];
        if (pending.used.load())
            continue;
        std::memcpy (pending.path, utf8.c_str(), utf8.size() + 1);
        pending.used.store (true);
        return static_cast<int> (slot);
    }
    return -1;
}

void unregisterPendingFile (int slot)
{
    if (slot >= 0)
        pendingFiles[static_cast<size_t> (slot)].used.store (false);
}

extern "C" void removePendingFilesAndEnd (int signalNumber)
{
    for (auto& pending : pendingFiles)
        if (pending.used.load())
            ::unlink (pending.path);
    std::signal (signalNumber, SIG_DFL);
    std::raise (signalNumber);
}

// Every signal whose default action ends the process (SIGXFSZ aside), the real-time ones too.
std::vector<int> endingSignals()
{
    std::vector<int> signals { SIGHUP,    SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS,
                               SIGFPE,    SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,
                               SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSYS };
    for (int signalNumber = SIGRTMIN; signalNumber <= SIGRTMAX; ++signalNumber)
        signals.push_back (signalNumber);
    return signals;
}

// Only a signal at its default action is taken over: one the caller ignores (nohup, a script's
// background job) stays ignored, and a handler someone else installed stays theirs.
void takeOverIfDefault (int signalNumber, void (*handler) (int))
{
    struct sigaction current = {};
    if (::sigaction (signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
        return;
    struct sigaction replacement = {};
    replacement.sa_handler = handler;
    sigemptyset (&replacement.sa_mask);
    ::sigaction (signalNumber, &replacement, nullptr);
}

std::string errorText (int error) { return std::strerror (error); }

std::runtime_error cannotWrite (const juce::File& file, const std::string& why)
{
    return std::runtime_error (("cannot write " + file.getFullPathName()).toStdString() + ": " + why);
}

// A hidden name beside the target, unique by its random part, and no longer than the longest name
// the system takes: a target's own name may use nearly all of it, so then it is shortened.
juce::String temporaryName (const juce::String& targetName)
{
    const auto suffix = "." + juce::String::toHexString (juce::Random::getSystemRandom().nextInt64()) + ".part";
    auto stem = "." + targetName;
    while (stem.getNumBytesAsUTF8() + suffix.getNumBytesAsUTF8() > NAME_MAX)
        stem = stem.dropLastCharacters (1);
    return stem + suffix;
}

// What the shell's `>` gives a new file: reading and writing for all, less the caller's umask.
mode_t newFileMode()
{
    const auto mask = ::umask (0);
    ::umask (mask);
    return 0666 & ~mask;
}

// Given just before the rename, so that until then the file is its writer's alone. A replaced
// file keeps its owner and group where the system allows it: root may give both, a member of the
// file's group may give the group. Then the permissions, which a change of owner may have cleared.
void setOwnershipAndMode (int descriptor, uid_t owner, gid_t group, mode_t mode)
{
    if (::fchown (descriptor, owner, group) != 0)
        std::ignore = ::fchown (descriptor, static_cast<uid_t> (-1), group);
    ::fchmod (descriptor, mode);
}

// The folder that holds a path's last name, kept as text ending in "/" for the system to resolve.
juce::String folderOf (const juce::String& path) { return path.upToLastOccurrenceOf ("/", true, false); }

bool statFolderOf (const juce::String& path, struct stat& folder)
{
    return ::stat (folderOf (path).toRawUTF8(), &folder) == 0;
}

// In a sticky folder anyone may write to, the system follows a link, and the shell's `>` opens an
// existing file, only when it belongs to the caller or to the folder's owner, root included: what
// another user plants there cannot redirect a write or take it over.
bool sharedFolderLetsUse (const struct stat& folder, uid_t owner)
{
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return ! shared || owner == ::geteuid() || owner == folder.st_uid;
}

// The privilege to rename over any file in a sticky folder: root's, unless a container withholds it.
bool mayRenameOverAnyFile()
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct capabilities[_LINUX_CAPABILITY_U32S_3] {};
    return ::syscall (SYS_capget, &header, capabilities) == 0 && (capabilities[0].effective & (1u << CAP_FOWNER)) != 0;
}

// In any sticky folder only the file's owner, the folder's owner and the privileged may rename
// over a file.
bool stickyFolderLetsRenameOver (const struct stat& folder, uid_t owner)
{
    const auto caller = ::geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || owner == caller || folder.st_uid == caller || mayRenameOverAnyFile();
}

// Where a link leads: a relative one from the link's folder.
juce::String linkDestination (const juce::String& link)
{
    char destination[PATH_MAX];
    const auto length = ::readlink (link.toRawUTF8(), destination, sizeof (destination));
    if (length < 0)
        return {};
    const auto text = juce::String::fromUTF8 (destination, static_cast<int> (length));
    return text.startsWithChar ('/') ? text : folderOf (link) + text;
}

// Each link the target leads through to its file, as the system would follow them for `>`; past
// its limit of 40 links the system follows none.
void refuseLinksTheSystemWouldNotFollow (const juce::File& target)
{
    auto path = target.getFullPathName();
    struct stat link, folder;
    for (int followed = 0; followed < 40 && ::lstat (path.toRawUTF8(), &link) == 0 && S_ISLNK (link.st_mode);
         ++followed)
    {
        if (statFolderOf (path, folder) && ! sharedFolderLetsUse (folder, link.st_uid))
            throw std::runtime_error (
                ("refusing to follow " + path + ": another user's link in a sticky folder anyone may write to")
                    .toStdString());
        path = linkDestination (path);
    }
}

// A file of another user's is replaced only where both of a sticky folder's rules let the caller.
void refuseFilesAStickyFolderKeeps (const juce::File& target, uid_t owner)
{
    struct stat folder;
    if (statFolderOf (target.getFullPathName(), folder) &&
        ! (sharedFolderLetsUse (folder, owner) && stickyFolderLetsRenameOver (folder, owner)))
        throw cannotWrite (target, "another user's file in a sticky folder");
}

// Where writing really goes: the file a link points to, or the target itself.
juce::File resolvedTarget (const juce::File& target)
{
    char resolved[PATH_MAX];
    if (target.isSymbolicLink() && ::realpath (target.getFullPathName().toRawUTF8(), resolved) != nullptr)
        return juce::File (juce::String::fromUTF8 (resolved));
    return target;
}
} // namespace

bool isSameFile (const juce::File& a, const juce::File& b)
{
    struct stat statA, statB;
    const bool aExists = ::stat (a.getFullPathName().toRawUTF8(), &statA) == 0;
    const bool bExists = ::stat (b.getFullPathName().toRawUTF8(), &statB) == 0;
    if (aExists && bExists)
        return statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
    if (aExists || bExists)
        return false;
    if (a.getFileName() != b.getFileName())
        return false;
    const auto parentA = a.getParentDirectory(), parentB = b.getParentDirectory();
    return parentA == a || parentB == b ? parentA == parentB : isSameFile (parentA, parentB);
}

// Unbuffered, so a failure shows at the write that caused it.
class ReplacementFile::DescriptorStream : public juce::OutputStream
{
public:
    DescriptorStream (int fileDescriptor, int& firstErrorOfFile)
        : descriptor (fileDescriptor),
          firstError (firstErrorOfFile)
    {
    }

    void flush() override {}

    bool setPosition (juce::int64 newPosition) override
    {
        if (::lseek (descriptor, static_cast<off_t> (newPosition), SEEK_SET) < 0)
            return remember (errno);
        position = newPosition;
        return true;
    }

    juce::int64 getPosition() override { return position; }

    bool write (const void* data, size_t numBytes) override
    {
        auto* bytes = static_cast<const char*> (data);
        while (numBytes > 0)
        {
            const auto written = ::write (descriptor, bytes, numBytes);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return remember (written < 0 ? errno : ENOSPC);
            bytes += written;
            numBytes -= static_cast<size_t> (written);
            position += written;
        }
        return true;
    }

private:
    bool remember (int error)
    {
        if (firstError == 0)
            firstError = error;
        return false;
    }

    int descriptor;
    int& firstError;
    juce::int64 position = 0;
};

ReplacementFile::ReplacementFile (const juce::File& targetFile)
{
    refuseLinksTheSystemWouldNotFollow (targetFile);
    target = resolvedTarget (targetFile);
    struct stat existing;
    const bool exists = ::lstat (target.getFullPathName().toRawUTF8(), &existing) == 0;
    if (exists && S_ISDIR (existing.st_mode))
        throw std::runtime_error ((target.getFullPathName() + " is a folder").toStdString());
    if (exists && ! S_ISREG (existing.st_mode))
        throw std::runtime_error ((target.getFullPathName() + " is not a regular file").toStdString());
    // As the shell's redirection does: a file its user may not write is not replaced (root may).
    if (exists && ::faccessat (AT_FDCWD, target.getFullPathName().toRawUTF8(), W_OK, AT_EACCESS) != 0)
        throw cannotWrite (target, errorText (errno));
    if (exists)
        refuseFilesAStickyFolderKeeps (target, existing.st_uid);

    const auto folder = target.getParentDirectory();
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt)
    {
        // Joined as text: a child file's name would be cleaned, turning "link/.." into another folder.
        temporaryPath = folder.getFullPathName() + "/" + temporaryName (target.getFileName());
        signalSlot = registerPendingFile (temporaryPath);
        descriptor = ::open (temporaryPath.toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor < 0)
        {
            const int error = errno;
            unregisterPendingFile (signalSlot);
            signalSlot = -1;
            if (error != EEXIST)
                throw cannotWrite (target, errorText (error));
        }
    }
    if (descriptor < 0)
        throw cannotWrite (target, "no free temporary name beside it");

    if (exists)
    {
        owner = existing.st_uid;
        group = existing.st_gid;
    }
    mode = exists ? existing.st_mode & 07777 : newFileMode();
}

ReplacementFile::~ReplacementFile()
{
    closeDescriptor();
    if (temporaryPath.isNotEmpty())
        ::unlink (temporaryPath.toRawUTF8());
    unregisterPendingFile (signalSlot);
}

std::unique_ptr<juce::OutputStream> ReplacementFile::createStream()
{
    return std::make_unique<DescriptorStream> (descriptor, firstError);
}

void ReplacementFile::throwIfWriteFailed() const
{
    if (firstError != 0)
        fail (firstError);
}

void ReplacementFile::commit()
{
    throwIfWriteFailed();
    setOwnershipAndMode (descriptor, owner, group, mode);
    if (::fsync (descriptor) != 0)
        fail (errno);
    const int closed = ::close (descriptor);
    descriptor = -1;
    if (closed != 0)
        fail (errno);
    if (::rename (temporaryPath.toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
        fail (errno);
    unregisterPendingFile (signalSlot);
    signalSlot = -1;
    temporaryPath.clear();
}

void ReplacementFile::fail (int error) const { throw cannotWrite (target, errorText (error)); }

void ReplacementFile::closeDescriptor()
{
    if (descriptor >= 0)
        ::close (descriptor);
    descriptor = -1;
}

void removeTemporaryFilesOnSignals()
{
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG, reported as any failed write.
    takeOverIfDefault (SIGXFSZ, SIG_IGN);
    for (const int signalNumber : endingSignals())
        takeOverIfDefault (signalNumber, removePendingFilesAndEnd);
}
} // namespace host
