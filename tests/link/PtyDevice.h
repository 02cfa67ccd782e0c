#pragma once

#include <chrono>
#include <string>

// The device's end of a pseudo-terminal: the link under test opens SlavePath() as its serial
// port while the test reads what the link sent and answers on the master side.
class CPtyDevice {
public:
    // keepSlaveOpen holds a descriptor of the slave side too, so that the line settings the
    // link applies can be inspected and the master never sees a hang-up between connections.
    explicit CPtyDevice(bool keepSlaveOpen = false);
    ~CPtyDevice();
    CPtyDevice(const CPtyDevice&) = delete;
    CPtyDevice& operator=(const CPtyDevice&) = delete;

    const std::string& SlavePath() const { return m_slavePath; }
    int SlaveFd() const { return m_slaveFd; }

    void Send(const std::string& bytes) const;
    // Reads until the text holds `count` bytes (or, with toLineEnd, ends in '\n') or the time
    // is up; returns what came.
    std::string Receive(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5),
                        bool toLineEnd = false) const;
    std::string ReceiveLine() const {
        return Receive(std::string::npos, std::chrono::seconds(5), true);
    }
    // Closes the master side: the link sees a hang-up.
    void HangUp();

private:
    int m_masterFd = -1;
    int m_slaveFd = -1;
    std::string m_slavePath;
};
