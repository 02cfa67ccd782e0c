#include "platform/ReplaceFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

const std::string NEW_BYTES = "<REGISTER />\n";

struct stat Status(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status;
}

// Saves as a user who may write the file but not its folder: as root, a child process that
// has become "nobody", since root writes into any folder.
bool SaveWithoutFolderRights(const std::string& folder, const std::string& path) {
    chmod(folder.c_str(), 0555);
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        _exit(dropped && ReplaceFileContent(path, NEW_BYTES) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.c_str(), 0755);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

// Each case saves to the name the operator chose; the bytes must end up in the file that name
// stands for, the names around it must keep what they are, and a file that was there keeps its
// mode and owner.
TEST(ReplaceFile, SavesIntoTheNamedFileKeepingItsKindModeAndOwner) {
    const struct {
        const char* m_case;
        // Prepares the folder and returns the name saved to.
        std::function<std::string(const CTempDir&)> m_prepare;
        const char* m_target;  // where the bytes must be
        bool m_inPlace;        // the target stays the same file (inode)
        bool m_locked = false; // saved by a user who may not write into the folder "locked"
    } cases[] = {
        {"a plain file of another owner, in its own mode",
         [](const CTempDir& d) {
             // Root can hand the file to someone else; anyone else can only keep it.
             const std::string path = d.Write("set.tnv", "old");
             EXPECT_EQ(chown(path.c_str(), geteuid() == 0 ? 1234 : geteuid(),
                             geteuid() == 0 ? 5678 : getegid()),
                       0);
             EXPECT_EQ(chmod(path.c_str(), 0604), 0);
             return path;
         },
         "set.tnv", false},
        {"link to a file",
         [](const CTempDir& d) {
             d.Write("real", "old");
             symlink("real", (d.Path() + "set.tnv").c_str());
             return d.Path() + "set.tnv";
         },
         "real", false},
        {"link to a link, relative to the link's folder",
         [](const CTempDir& d) {
             mkdir((d.Path() + "sub").c_str(), 0755);
             d.Write("sub/real", "old");
             symlink("real", (d.Path() + "sub/link").c_str());
             symlink((d.Path() + "sub/link").c_str(), (d.Path() + "set.tnv").c_str());
             return d.Path() + "set.tnv";
         },
         "sub/real", false},
        {"link to a file not there yet",
         [](const CTempDir& d) {
             symlink("real", (d.Path() + "set.tnv").c_str());
             return d.Path() + "set.tnv";
         },
         "real", false},
        {"a file with two hard links",
         [](const CTempDir& d) {
             d.Write("real", "old");
             link((d.Path() + "real").c_str(), (d.Path() + "set.tnv").c_str());
             return d.Path() + "set.tnv";
         },
         "real", true},
        {"a writable file in a folder that takes no new file",
         [](const CTempDir& d) {
             mkdir((d.Path() + "locked").c_str(), 0755);
             chmod(d.Path().c_str(), 0711);
             chmod(d.Write("locked/real", "old").c_str(), 0666);
             return d.Path() + "locked/real";
         },
         "locked/real", true, true},
    };
    for (const auto& c : cases) {
        const CTempDir dir;
        const std::string path = c.m_prepare(dir);
        const std::string target = dir.Path() + c.m_target;
        const struct stat before = Status(target);
        const struct stat chosen = Status(path);
        const bool saved = c.m_locked ? SaveWithoutFolderRights(dir.Path() + "locked", path)
                                      : ReplaceFileContent(path, NEW_BYTES);
        EXPECT_TRUE(saved) << c.m_case;
        EXPECT_EQ(ReadAll(target), NEW_BYTES) << c.m_case;
        EXPECT_EQ(ReadAll(path), NEW_BYTES) << c.m_case;
        EXPECT_EQ(Status(path).st_mode, chosen.st_mode) << c.m_case << ": still a link or file";
        const struct stat after = Status(target);
        EXPECT_EQ(after.st_ino == before.st_ino, c.m_inPlace) << c.m_case;
        if (before.st_ino != 0) {
            EXPECT_EQ(std::make_tuple(after.st_mode, after.st_uid, after.st_gid),
                      std::make_tuple(before.st_mode, before.st_uid, before.st_gid))
                << c.m_case << ": mode and owner kept";
        }
    }
}

// A FIFO is written into while someone reads it, stays a FIFO, and fails at once when nobody
// does (opening it for writing would otherwise wait for a reader).
TEST(ReplaceFile, WritesIntoAFifoOnlyWhileItIsRead) {
    const CTempDir dir;
    const std::string fifo = dir.Path() + "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReplaceFileContent(fifo, NEW_BYTES)) << "nobody reads";

    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(ReplaceFileContent(fifo, NEW_BYTES));
    std::string received(64, '\0');
    received.resize(static_cast<std::size_t>(read(reader, received.data(), received.size())));
    close(reader);
    EXPECT_EQ(received, NEW_BYTES);
    EXPECT_TRUE(S_ISFIFO(Status(fifo).st_mode));
}
