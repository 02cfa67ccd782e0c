#include "PosixSerialTransport.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Rounded up, so that a wait never ends before its deadline.
int RemainingMilliseconds(steady_clock::time_point deadline) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - steady_clock::now()).count();
    if (left <= 0) {
        return 0;
    }
    return left > 1000000 ? 1000000 : static_cast<int>(left);
}

} // namespace

void ApplyDeviceLineSettings(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetispeed(&settings, B9600);
        cfsetospeed(&settings, B9600);
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        settings.c_cflag |= CS8 | CLOCAL | CREAD;
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK |
                                                   ISTRIP | IGNBRK | BRKINT);
        // At least one byte per read: a read of 0 bytes then means the line hung up and is never
        // mistaken for "no data yet" (poll does the waiting).
        settings.c_cc[VMIN] = 1;
        settings.c_cc[VTIME] = 0;
        tcsetattr(fd, TCSANOW, &settings);
    }
    // DTR on and RTS off; pseudo-terminals have no modem lines and refuse both.
    int dtr = TIOCM_DTR;
    ioctl(fd, TIOCMBIS, &dtr);
    int rts = TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &rts);
}

CPosixSerialTransport::~CPosixSerialTransport() {
    Close();
}

int CPosixSerialTransport::Open(const std::string& devicePath) {
    Close();
    if (devicePath.empty()) {
        return ENOENT;
    }
    // Non-blocking so that opening never waits for a carrier and a full output buffer cannot
    // hang the user-interface thread; poll does all the waiting.
    const int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    // TIOCEXCL keeps other programs from opening the device, but not a privileged one; the
    // lock also stops those that look for it (a second panel, terminal programs that honour it).
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        return error;
    }
    ioctl(fd, TIOCEXCL);
    ApplyDeviceLineSettings(fd);
    m_fd.store(fd);
    return 0;
}

SReadResult CPosixSerialTransport::Read(char* buffer, std::size_t capacity, milliseconds timeout) {
    const int fd = m_fd.load();
    if (fd < 0) {
        return {EReadStatus::Failed, 0};
    }
    if (capacity == 0) {
        return {EReadStatus::Timeout, 0};
    }
    const auto deadline = steady_clock::now() + timeout;
    for (;;) {
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, RemainingMilliseconds(deadline));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {EReadStatus::Failed, 0};
        }
        if (ready == 0) {
            return {EReadStatus::Timeout, 0};
        }
        // Bytes that arrived before a hang-up are still delivered; the next read fails.
        if ((watch.revents & POLLIN) != 0) {
            const ssize_t count = read(fd, buffer, capacity);
            if (count > 0) {
                return {EReadStatus::Data, static_cast<std::size_t>(count)};
            }
            if (count == 0) {
                return {EReadStatus::Failed, 0};
            }
            if (errno != EAGAIN && errno != EINTR) {
                return {EReadStatus::Failed, 0};
            }
        } else if ((watch.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return {EReadStatus::Failed, 0};
        }
        if (RemainingMilliseconds(deadline) == 0) {
            return {EReadStatus::Timeout, 0};
        }
    }
}

bool CPosixSerialTransport::Write(std::string_view bytes) {
    const std::lock_guard<std::mutex> lock(m_writeMutex);
    const int fd = m_fd.load();
    if (fd < 0) {
        return false;
    }
    const auto deadline = steady_clock::now() + WRITE_TIMEOUT;
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && errno != EAGAIN) {
            return false;
        }
        pollfd watch{fd, POLLOUT, 0};
        if (poll(&watch, 1, RemainingMilliseconds(deadline)) <= 0 ||
            (watch.revents & POLLOUT) == 0) {
            return false;
        }
    }
    return true;
}

void CPosixSerialTransport::Close() {
    // Not while a write is under way: the descriptor's number could already belong to another
    // file by the time that write reaches it.
    const std::lock_guard<std::mutex> lock(m_writeMutex);
    const int fd = m_fd.exchange(-1);
    if (fd < 0) {
        return;
    }
    // The exclusive flag outlives our descriptor on a pseudo-terminal whose other side stays
    // open, and would lock out the next unprivileged open.
    ioctl(fd, TIOCNXCL);
    close(fd);
}
