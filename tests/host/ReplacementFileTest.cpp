#include <gtest/gtest.h>

#include "host/ReplacementFile.h"
#include "HostFiles.h"

#include <csignal>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
class ReplacementFileTest : public ::testing::Test
{
protected:
    static void write (host::ReplacementFile& file, const char* text)
    {
        file.createStream()->writeText (text, false, false, nullptr);
    }

    static mode_t modeOf (const juce::File& file)
    {
        struct stat info;
        return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    testing_support::ScopedFolder folder;
};

TEST_F (ReplacementFileTest, TargetChangesOnlyOnCommitAndKeepsItsPermissions)
{
    const auto target = folder / "out.txt";
    target.replaceWithText ("old");
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0640), 0);

    {
        host::ReplacementFile file (target);
        write (file, "abandoned");
        EXPECT_TRUE (file.getTemporaryFile().existsAsFile());
        EXPECT_EQ (file.getTemporaryFile().getParentDirectory(), folder.get())
            << "beside the target, for a plain rename";
    }
    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.txt" }));

    host::ReplacementFile file (target);
    write (file, "new");
    EXPECT_EQ (modeOf (file.getTemporaryFile()), 0600u) << "no one else may read it while it is written";
    file.commit();
    EXPECT_EQ (target.loadFileAsString(), "new");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.txt" }));
    EXPECT_EQ (modeOf (target), 0640u);

    // A new file gets what the shell's `>` would give it.
    const auto previousMask = ::umask (027);
    host::ReplacementFile (folder / "new.txt").commit();
    ::umask (previousMask);
    EXPECT_EQ (modeOf (folder / "new.txt"), 0640u);
}

TEST_F (ReplacementFileTest, ALinkStaysALinkToTheReplacedFile)
{
    (folder / "real.txt").replaceWithText ("old");
    ASSERT_TRUE ((folder / "real.txt").createSymbolicLink (folder / "link.txt", true));

    host::ReplacementFile file (folder / "link.txt");
    write (file, "new");
    file.commit();
    EXPECT_TRUE ((folder / "link.txt").isSymbolicLink());
    EXPECT_EQ ((folder / "real.txt").loadFileAsString(), "new");
}

TEST_F (ReplacementFileTest, RefusesTargetsThatAreNotRegularFilesAndFailedWrites)
{
    (folder / "dir").createDirectory();
    ASSERT_TRUE ((folder / "nowhere").createSymbolicLink (folder / "dangling", true));
    EXPECT_THROW (host::ReplacementFile (folder / "dir"), std::runtime_error);
    EXPECT_THROW (host::ReplacementFile (folder / "dangling"), std::runtime_error);
    EXPECT_THROW (host::ReplacementFile (juce::File ("/dev/null")), std::runtime_error);
    EXPECT_THROW (host::ReplacementFile (folder / "missing/out.txt"), std::runtime_error);

    (folder / "out.txt").replaceWithText ("old");
    {
        host::ReplacementFile file (folder / "out.txt");
        const testing_support::ScopedFileSizeLimit fullDisk (4);
        auto stream = file.createStream();
        EXPECT_TRUE (stream->write ("abcd", 4));
        EXPECT_FALSE (stream->write ("e", 1));
        EXPECT_THROW (file.throwIfWriteFailed(), std::runtime_error);
        EXPECT_THROW (file.commit(), std::runtime_error);
    }
    EXPECT_EQ ((folder / "out.txt").loadFileAsString(), "old");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "dangling", "dir", "out.txt" }));
}

// Root may hand the new file to the old one's owner and group; without that the owner could no
// longer read a file of mode 660.
TEST_F (ReplacementFileTest, KeepsTheOwnerAndGroupOfTheReplacedFile)
{
    const auto* owner = ::getpwnam ("nobody");
    const auto* group = ::getgrnam ("audio");
    if (::geteuid() != 0 || owner == nullptr || group == nullptr)
        GTEST_SKIP() << "needs root, a user nobody and a group audio";

    const auto target = folder / "out.txt";
    target.replaceWithText ("old");
    ASSERT_EQ (::chown (target.getFullPathName().toRawUTF8(), owner->pw_uid, group->gr_gid), 0);
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0660), 0);

    host::ReplacementFile file (target);
    write (file, "new");
    file.commit();
    struct stat info;
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_uid, owner->pw_uid);
    EXPECT_EQ (info.st_gid, group->gr_gid);
    EXPECT_EQ (info.st_mode & 07777, 0660u);
}

// In a sticky folder anyone may write to, the system follows a link, and lets `>` open a file, only
// when it belongs to the caller or to the folder's owner, root included: what another user plants
// there cannot redirect a write or take it over.
TEST_F (ReplacementFileTest, InASharedStickyFolderOnlyTheCallersAndTheFolderOwnersLinksAndFilesAreUsed)
{
    const auto* nobody = ::getpwnam ("nobody");
    if (::geteuid() != 0 || nobody == nullptr)
        GTEST_SKIP() << "needs root and a user nobody";

    const auto shared = folder / "shared", target = folder / "shared/out.txt", mine = folder / "mine.txt";
    const uid_t root = 0, other = nobody->pw_uid;
    const std::tuple<bool, uid_t, uid_t, bool> cases[] = {
        // link, folder's owner, owner of the link or file, used
        { true, root, root, true },  { true, root, other, false },  { true, other, other, true },
        { false, root, root, true }, { false, root, other, false }, { false, other, other, true },
    };
    for (const auto& [link, folderOwner, owner, used] : cases)
    {
        ASSERT_TRUE (shared.createDirectory());
        ASSERT_EQ (::chown (shared.getFullPathName().toRawUTF8(), folderOwner, static_cast<gid_t> (-1)), 0);
        ASSERT_EQ (::chmod (shared.getFullPathName().toRawUTF8(), 01777), 0);
        mine.replaceWithText ("old");
        if (link)
            ASSERT_TRUE (mine.createSymbolicLink (target, true));
        else
            target.replaceWithText ("old");
        ASSERT_EQ (::lchown (target.getFullPathName().toRawUTF8(), owner, static_cast<gid_t> (-1)), 0);

        try
        {
            host::ReplacementFile file (target);
            write (file, "new");
            file.commit();
        }
        catch (const std::runtime_error&)
        {
        }
        EXPECT_EQ ((link ? mine : target).loadFileAsString(), juce::String (used ? "new" : "old"))
            << (link ? "link" : "file") << " of " << owner << " in a folder of " << folderOwner;
        ASSERT_TRUE (shared.deleteRecursively());
    }
}

// As the shell's redirection and cp do: a file its user may not write is refused, not replaced
// behind their back. Root may write any file, so run as root the test acts as nobody, who owns the
// folder and the file.
TEST_F (ReplacementFileTest, RefusesATargetItsUserMayNotWrite)
{
    const auto target = folder / "out.txt";
    target.replaceWithText ("old");
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0444), 0);

    {
        const testing_support::PlainUser user ({ folder.get(), target });
        EXPECT_THROW (host::ReplacementFile file (target), std::runtime_error);
    }
    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.txt" }));
}

// The temporary name is longer than the target's; it must still be a name the system takes.
TEST_F (ReplacementFileTest, TargetsWithTheLongestNamesTheSystemTakesCanBeReplaced)
{
    const juce::String longest = juce::String::repeatedString ("a", 251) + ".wav";
    const juce::String twoByteCharacters =
        juce::String::repeatedString (juce::CharPointer_UTF8 ("\xc3\xa9"), 125) + ".wav";
    for (const auto& name : { longest, twoByteCharacters })
    {
        ASSERT_LE (name.getNumBytesAsUTF8(), 255u);
        const auto target = folder.get().getChildFile (name);
        host::ReplacementFile file (target);
        write (file, "new");
        file.commit();
        EXPECT_EQ (target.loadFileAsString(), "new");
    }
    EXPECT_EQ (folder.names().size(), 2);
}

TEST_F (ReplacementFileTest, SameFileHoweverItIsNamed)
{
    (folder / "a").replaceWithText ("a");
    (folder / "b").replaceWithText ("b");
    (folder / "sub").createDirectory();
    ASSERT_TRUE ((folder / "a").createSymbolicLink (folder / "soft", true));
    ASSERT_EQ (::link ((folder / "a").getFullPathName().toRawUTF8(), (folder / "hard").getFullPathName().toRawUTF8()),
               0);
    ASSERT_TRUE ((folder / "sub").createSymbolicLink (folder / "subLink", true));

    EXPECT_TRUE (host::isSameFile (folder / "a", folder / "soft"));
    EXPECT_TRUE (host::isSameFile (folder / "a", folder / "hard"));
    EXPECT_TRUE (host::isSameFile (folder / "a", juce::File (folder.get().getFullPathName() + "/sub/../a")));
    EXPECT_FALSE (host::isSameFile (folder / "a", folder / "b"));

    // Files that do not exist yet: the same name in the same folder, reached by any path.
    EXPECT_TRUE (host::isSameFile (folder / "sub/new", folder / "subLink/new"));
    EXPECT_FALSE (host::isSameFile (folder / "sub/new", folder / "sub/other"));
    EXPECT_FALSE (host::isSameFile (folder / "sub/new", folder / "new"));
    EXPECT_FALSE (host::isSameFile (folder / "a", folder / "sub/a"));
}

// The real executable, which installs the signal handlers, rendering an hour of audio to `target`
// (far longer than any test waits). Its standard output goes nowhere and its errors to `errors`;
// every signal is at its default action except those in `ignored`, ignored as nohup or a script's
// background job leaves them. No core files: some of the signals would write one.
class HostProcess
{
public:
    HostProcess (const juce::File& target, std::initializer_list<int> ignored = {},
                 const juce::String& errors = "/dev/null", const char* seconds = "3600")
    {
        const std::string executable = WKR_HOST_EXECUTABLE, output = target.getFullPathName().toStdString(),
                          errorPath = errors.toStdString();
        const char* argv[] = { executable.c_str(), "--seconds", seconds, "-o", output.c_str(), nullptr };

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen (&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawnattr_t attributes;
        posix_spawnattr_init (&attributes);
        sigset_t defaults;
        sigfillset (&defaults);
        for (const int signalNumber : ignored)
            sigdelset (&defaults, signalNumber);
        posix_spawnattr_setsigdefault (&attributes, &defaults);
        posix_spawnattr_setflags (&attributes, POSIX_SPAWN_SETSIGDEF);

        // Dispositions the child is to ignore are inherited from here, for the moment of the spawn.
        std::vector<std::pair<int, void (*) (int)>> previous;
        for (const int signalNumber : ignored)
            previous.emplace_back (signalNumber, std::signal (signalNumber, SIG_IGN));
        rlimit core {}, noCore {};
        ::getrlimit (RLIMIT_CORE, &core);
        noCore.rlim_max = core.rlim_max;
        ::setrlimit (RLIMIT_CORE, &noCore);
        started =
            posix_spawn (&pid, executable.c_str(), &actions, &attributes, const_cast<char**> (argv), environ) == 0;
        ::setrlimit (RLIMIT_CORE, &core);
        for (const auto& [signalNumber, handler] : previous)
            std::signal (signalNumber, handler);

        posix_spawnattr_destroy (&attributes);
        posix_spawn_file_actions_destroy (&actions);
    }

    ~HostProcess()
    {
        if (started && status < 0)
        {
            ::kill (pid, SIGKILL);
            wait();
        }
    }

    bool isRunning()
    {
        int result = 0;
        return started && status < 0 && ::waitpid (pid, &result, WNOHANG) == 0;
    }

    // Waits until the host has made its temporary file beside `target`, so a signal finds it
    // rendering.
    bool waitForTemporaryFile (const juce::File& target)
    {
        for (int i = 0; i < 3000; ++i, juce::Thread::sleep (10))
            if (target.getParentDirectory().getNumberOfChildFiles (juce::File::findFiles,
                                                                   "." + target.getFileName() + ".*.part") > 0)
                return true;
        return false;
    }

    void signal (int signalNumber) { ::kill (pid, signalNumber); }

    // The wait status once the process has ended.
    int wait()
    {
        if (status < 0 && ::waitpid (pid, &status, 0) != pid)
            status = 0;
        return status;
    }

    bool started = false;

private:
    pid_t pid = 0;
    int status = -1;
};

// Stopped by a signal while it renders: the old target stays, and the temporary file goes with the
// process, whichever signal ends it.
TEST_F (ReplacementFileTest, AnInterruptedRenderLeavesTheTargetAndNoTemporaryFile)
{
    const auto target = folder / "out.wav";
    for (const int signalNumber : { SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1 })
    {
        target.replaceWithText ("old audio");
        HostProcess host (target);
        ASSERT_TRUE (host.started);
        EXPECT_TRUE (host.waitForTemporaryFile (target)) << "the temporary file appeared";

        host.signal (signalNumber);
        const int status = host.wait();
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == signalNumber) << signalNumber << ": " << status;
        EXPECT_EQ (target.loadFileAsString(), "old audio");
        EXPECT_EQ (folder.names(), juce::StringArray ({ "out.wav" })) << signalNumber;
    }
}

// Under nohup, or in a script's background job, the caller has chosen to ignore these signals.
TEST_F (ReplacementFileTest, ASignalIgnoredAtStartStaysIgnored)
{
    const auto target = folder / "out.wav";
    HostProcess host (target, { SIGHUP, SIGINT });
    ASSERT_TRUE (host.started);
    ASSERT_TRUE (host.waitForTemporaryFile (target));

    host.signal (SIGHUP);
    host.signal (SIGINT);
    juce::Thread::sleep (300);
    EXPECT_TRUE (host.isRunning());
    host.signal (SIGTERM);
    EXPECT_EQ (WTERMSIG (host.wait()), SIGTERM);
    EXPECT_TRUE (folder.names().isEmpty()) << "the temporary file went with the process";
}

// A file-size limit (ulimit -f) is a full disk to the host: one line, exit 1, the target untouched.
TEST_F (ReplacementFileTest, AFileSizeLimitIsAFailedWriteNotADeath)
{
    const auto target = folder / "out.wav";
    target.replaceWithText ("old audio");
    int status = 0;
    {
        const testing_support::ScopedFileSizeLimit limit (64 * 1024);
        HostProcess host (target, {}, (folder / "errors.txt").getFullPathName(), "10");
        ASSERT_TRUE (host.started);
        status = host.wait();
    }
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << status;
    const auto errors = (folder / "errors.txt").loadFileAsString();
    EXPECT_TRUE (errors.startsWith ("wkr-plexa2-host: cannot write ") && errors.endsWith ("File too large\n"))
        << errors;
    EXPECT_EQ (target.loadFileAsString(), "old audio");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "errors.txt", "out.wav" }));
}
} // namespace
