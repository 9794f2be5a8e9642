#include <gtest/gtest.h>

#include "host/ReplacementFile.h"
#include "HostFiles.h"

#include <csignal>
#include <stdexcept>

#include <fcntl.h>
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
