#pragma once

#include <string>

// A pseudo-terminal pair for the simulated device. The device writes and reads the master
// side; the panel opens the slave by its path. The slave is held open here as well, so that
// the master never sees a hang-up while the panel is disconnected, and is put into raw mode
// so that nothing is echoed or cooked before the panel sets its own line settings.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // 0 or the errno value of the failure.
    int Open();
    void Close();

    // Non-blocking.
    int MasterFd() const { return m_masterFd; }
    const std::string& SlavePath() const { return m_slavePath; }

private:
    int m_masterFd = -1;
    int m_slaveFd = -1;
    std::string m_slavePath;
};
