#include <gtest/gtest.h>

#include "host/ReplacementFile.h"
#include "HostFiles.h"

#include <csignal>
#include <stdexcept>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <spawn.h>
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
    file.commit();
    EXPECT_EQ (target.loadFileAsString(), "new");
    EXPECT_EQ (folder.names(), juce::StringArray ({ "out.txt" }));
    struct stat info;
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0640u);
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

// As the shell's redirection and cp do: a file its user may not write is refused, not replaced
// behind their back. Root may write any file, so run as root the test acts as nobody, who owns the
// folder and the file.
TEST_F (ReplacementFileTest, RefusesATargetItsUserMayNotWrite)
{
    const auto target = folder / "out.txt";
    target.replaceWithText ("old");
    ASSERT_EQ (::chmod (target.getFullPathName().toRawUTF8(), 0444), 0);

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
                EXPECT_EQ (::seteuid (0), 0);
        }
        uid_t uid = 0;
    };

    {
        const PlainUser user ({ folder.get(), target });
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

// The real executable, stopped by a signal while it renders: the old target stays, and the
// temporary file goes with the process.
TEST_F (ReplacementFileTest, AnInterruptedRenderLeavesTheTargetAndNoTemporaryFile)
{
    const auto target = folder / "out.wav";
    for (const int signalNumber : { SIGINT, SIGTERM })
    {
        target.replaceWithText ("old audio");
        const std::string executable = WKR_HOST_EXECUTABLE;
        const std::string output = target.getFullPathName().toStdString();
        const char* argv[] = { executable.c_str(), "--seconds", "3600", "-o", output.c_str(), nullptr };

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen (&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        ASSERT_EQ (posix_spawn (&child, executable.c_str(), &actions, nullptr, const_cast<char**> (argv), environ), 0);
        posix_spawn_file_actions_destroy (&actions);

        // Wait until the render writes its temporary file (an hour of audio takes far longer).
        for (int i = 0; i < 3000 && folder.names().size() < 2; ++i)
            juce::Thread::sleep (10);
        EXPECT_EQ (folder.names().size(), 2) << "the temporary file appeared";

        ::kill (child, signalNumber);
        int status = 0;
        ASSERT_EQ (::waitpid (child, &status, 0), child);
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == signalNumber) << status;
        EXPECT_EQ (target.loadFileAsString(), "old audio");
        EXPECT_EQ (folder.names(), juce::StringArray ({ "out.wav" }));
    }
}
} // namespace
