#include "PtyDevice.h"

#include <poll.h>
#include <stdexcept>
#include <unistd.h>

CPtyDevice::CPtyDevice() {
    if (m_terminal.Open() != 0) {
        throw std::runtime_error("cannot open a pseudo-terminal");
    }
}

void CPtyDevice::Send(const std::string& bytes) const {
    // The tests' few bytes always fit the terminal's buffer, so one write takes them all.
    if (write(m_terminal.MasterFd(), bytes.data(), bytes.size()) !=
        static_cast<ssize_t>(bytes.size())) {
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
        pollfd watch{m_terminal.MasterFd(), POLLIN, 0};
        if (left <= 0 || poll(&watch, 1, static_cast<int>(left)) <= 0) {
            break;
        }
        char c = 0;
        if (read(m_terminal.MasterFd(), &c, 1) == 1) {
            text += c;
        }
    }
    return text;
}
