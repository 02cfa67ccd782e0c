#pragma once

#include "SerialTransport.h"

#include <atomic>
#include <mutex>

// A termios serial port: raw 9600 8N1, no flow control of any kind, DTR on, RTS off. The port
// is held exclusively (TIOCEXCL and an flock) so that no other program reads the device's
// bytes away from us.
class CPosixSerialTransport final : public ISerialTransport {
public:
    CPosixSerialTransport() = default;
    ~CPosixSerialTransport() override;
    CPosixSerialTransport(const CPosixSerialTransport&) = delete;
    CPosixSerialTransport& operator=(const CPosixSerialTransport&) = delete;

    int Open(const std::string& devicePath) override;
    bool IsOpen() const override { return m_fd.load() >= 0; }
    SReadResult Read(char* buffer, std::size_t capacity,
                     std::chrono::milliseconds timeout) override;
    bool Write(std::string_view bytes) override;
    void Close() override;

    // How long a write may wait for room in a full output buffer before it gives up.
    static constexpr std::chrono::milliseconds WRITE_TIMEOUT{1000};

private:
    std::atomic<int> m_fd{-1};
    std::mutex m_writeMutex;
};

// Puts a terminal into the device's line settings; errors are ignored, as a pseudo-terminal or
// an unusual driver may refuse some of them and the port still works.
void ApplyDeviceLineSettings(int fd);
