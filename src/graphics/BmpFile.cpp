#include "BmpFile.h"

#include "DibFormat.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Headers, the largest colour table and the bit-field masks: enough to judge any file.
constexpr std::size_t HEADER_AREA = BMP_HEADERS_SIZE + std::size_t{4} * 256 + BMP_MASKS_SIZE;

class CFileDescriptor {
public:
    explicit CFileDescriptor(const std::string& path)
        : m_fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~CFileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Reads until count bytes are in or the file ends; the number read.
std::size_t ReadFully(int fd, std::uint8_t* into, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(fd, into + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace

bool ReadBmpFile(const std::string& path, std::size_t maxBytes, SBmpFileBytes& bytes) {
    CFileDescriptor file(path);
    struct stat status {};
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    std::uint8_t fileHeader[BMP_FILE_HEADER_SIZE];
    if (ReadFully(file.Get(), fileHeader, sizeof fileHeader) != sizeof fileHeader) {
        return false;
    }
    const std::size_t totalSize = ReadU32(fileHeader + 2);
    if (totalSize > maxBytes) {
        return false;
    }
    const auto fileSize = static_cast<std::size_t>(status.st_size);
    const std::size_t wanted =
        std::max(sizeof fileHeader, std::min(std::max(totalSize, HEADER_AREA), fileSize));
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[wanted]);
    if (!data) {
        return false;
    }
    std::copy(fileHeader, fileHeader + sizeof fileHeader, data.get());
    const std::size_t rest =
        ReadFully(file.Get(), data.get() + sizeof fileHeader, wanted - sizeof fileHeader);
    bytes.m_data = std::move(data);
    bytes.m_size = sizeof fileHeader + rest;
    return true;
}
