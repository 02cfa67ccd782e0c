#include "PseudoTerminal.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

CPseudoTerminal::~CPseudoTerminal() {
    Close();
}

int CPseudoTerminal::Open() {
    Close();
    m_masterFd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_masterFd < 0) {
        return errno;
    }
    std::array<char, 128> name{};
    if (grantpt(m_masterFd) != 0 || unlockpt(m_masterFd) != 0 ||
        ptsname_r(m_masterFd, name.data(), name.size()) != 0) {
        const int error = errno;
        Close();
        return error;
    }
    m_slavePath = name.data();
    m_slaveFd = open(name.data(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slaveFd < 0) {
        const int error = errno;
        Close();
        return error;
    }
    termios settings{};
    if (tcgetattr(m_slaveFd, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(m_slaveFd, TCSANOW, &settings);
    }
    return 0;
}

void CPseudoTerminal::Close() {
    if (m_slaveFd >= 0) {
        close(m_slaveFd);
        m_slaveFd = -1;
    }
    if (m_masterFd >= 0) {
        close(m_masterFd);
        m_masterFd = -1;
    }
    m_slavePath.clear();
}
