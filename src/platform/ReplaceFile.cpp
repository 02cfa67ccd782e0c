#include "ReplaceFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> s_sequence{0};

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int MAX_LINKS = 40;

// Opens a fresh file beside the target; -1 when the folder cannot take one.
int CreateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".tmp-" + std::to_string(getpid()) + "-" +
                    std::to_string(s_sequence.fetch_add(1));
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a chain of symbolic links ends at, which need not exist yet; empty for a loop or a
// link that cannot be read. A relative link is read from the folder the link lies in.
std::string ResolveLinks(std::string path) {
    for (int hop = 0; hop <= MAX_LINKS; ++hop) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        char buffer[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            return {};
        }
        const std::string target(buffer, static_cast<std::size_t>(length));
        const std::size_t slash = path.rfind('/');
        path = target.front() == '/' || slash == std::string::npos
                   ? target
                   : path.substr(0, slash + 1) + target;
    }
    return {};
}

// Create or truncate, and write. O_NONBLOCK makes opening a FIFO that nobody reads fail with
// ENXIO instead of waiting for a reader forever; the writes themselves block as usual.
bool WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const int flags = fcntl(fd, F_GETFL);
    struct stat status {};
    bool ok = flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
              fstat(fd, &status) == 0 && WriteAll(fd, bytes);
    // Devices and FIFOs have nothing to flush to a disk, and fsync refuses them.
    ok = ok && (!S_ISREG(status.st_mode) || fsync(fd) == 0);
    return close(fd) == 0 && ok;
}

enum class EReplaced { Done, Failed, NoTemporary };

// Writes a temporary file beside the path and renames it over the path. NoTemporary when the
// folder takes no new file, or when the temporary cannot get the old file's owner: the rename
// would then hand the file to whoever saves it.
EReplaced ReplaceByRename(const std::string& path, const struct stat* existing,
                          std::string_view bytes) {
    std::string temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        return EReplaced::NoTemporary;
    }
    if (existing != nullptr) {
        // The owner first: changing it may clear set-id bits that the mode then restores.
        struct stat fresh {};
        const bool sameOwner = fstat(fd, &fresh) == 0 && fresh.st_uid == existing->st_uid &&
                               fresh.st_gid == existing->st_gid;
        if (!sameOwner && fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            close(fd);
            unlink(temporary.c_str());
            return EReplaced::NoTemporary;
        }
    }
    bool ok = existing == nullptr || fchmod(fd, existing->st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && fsync(fd) == 0;
    // close reports what a network file system only finds out at the end.
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
    }
    return ok ? EReplaced::Done : EReplaced::Failed;
}

} // namespace

bool ReplaceFileContent(const std::string& requested, std::string_view bytes) {
    if (requested.empty()) {
        return false;
    }
    const std::string path = ResolveLinks(requested);
    if (path.empty()) {
        return false;
    }
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || existing.st_nlink > 1)) {
        return WriteInPlace(path, bytes);
    }
    switch (ReplaceByRename(path, exists ? &existing : nullptr, bytes)) {
    case EReplaced::Done:
        return true;
    case EReplaced::Failed:
        return false;
    case EReplaced::NoTemporary:
        break;
    }
    return WriteInPlace(path, bytes);
}
