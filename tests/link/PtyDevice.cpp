#include "PtyDevice.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

CPtyDevice::CPtyDevice(bool keepSlaveOpen) {
    m_masterFd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_masterFd < 0 || grantpt(m_masterFd) != 0 || unlockpt(m_masterFd) != 0) {
        throw std::runtime_error("cannot open a pseudo-terminal");
    }
    char name[128] = {};
    if (ptsname_r(m_masterFd, name, sizeof name) != 0) {
        throw std::runtime_error("no slave name");
    }
    m_slavePath = name;
    // Raw from the start, so that nothing the test sends before the link opens the port is
    // echoed back or cooked.
    const int slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        throw std::runtime_error("cannot open the slave side");
    }
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    if (keepSlaveOpen) {
        m_slaveFd = slave;
    } else {
        close(slave);
    }
}

CPtyDevice::~CPtyDevice() {
    HangUp();
    if (m_slaveFd >= 0) {
        close(m_slaveFd);
    }
}

void CPtyDevice::Send(const std::string& bytes) const {
    // The tests' few bytes always fit the terminal's buffer, so one write takes them all.
    if (write(m_masterFd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("cannot write to the pseudo-terminal");
    }
}

std::string CPtyDevice::Receive(std::size_t count, std::chrono::milliseconds timeout,
                                bool toLineEnd) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string text;
    while (text.size() < count && !(toLineEnd && !text.empty() && text.back() == '\n')) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            break;
        }
        pollfd watch{m_masterFd, POLLIN, 0};
        if (poll(&watch, 1, static_cast<int>(left)) <= 0 || (watch.revents & POLLIN) == 0) {
            // A master whose slave is closed reports a hang-up; wait for the link to reopen.
            if ((watch.revents & POLLHUP) != 0) {
                usleep(1000);
            }
            continue;
        }
        char c = 0;
        if (read(m_masterFd, &c, 1) == 1) {
            text += c;
        }
    }
    return text;
}

void CPtyDevice::HangUp() {
    if (m_masterFd >= 0) {
        close(m_masterFd);
        m_masterFd = -1;
    }
}
