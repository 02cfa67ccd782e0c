#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

enum class EReadStatus {
    Data,    // at least one byte arrived
    Timeout, // nothing arrived within the time-out; the port is still fine
    Failed,  // the port is gone (hang-up, unplugged adapter) or broken
};

struct SReadResult {
    EReadStatus m_status = EReadStatus::Timeout;
    std::size_t m_count = 0;
};

// A serial port as the link uses it. Read and Write may be called from two threads at once
// (the reader thread and the user-interface thread); Open and Close come from the reader thread
// and may overlap a write, which then fails or goes to the new port.
class ISerialTransport {
public:
    virtual ~ISerialTransport() = default;

    // Opens the device for exclusive use with the device's line settings; returns 0 or the
    // errno value of the failure.
    virtual int Open(const std::string& devicePath) = 0;
    virtual bool IsOpen() const = 0;
    // Waits up to timeout for data and returns what is there, at most capacity bytes.
    virtual SReadResult Read(char* buffer, std::size_t capacity,
                             std::chrono::milliseconds timeout) = 0;
    // Hands the bytes over in one piece (two threads' messages never interleave); false when
    // they could not all be written.
    virtual bool Write(std::string_view bytes) = 0;
    virtual void Close() = 0;
};
