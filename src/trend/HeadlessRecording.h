#pragma once

#include "link/SerialLink.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// "tarnel --record FILE --registers 11,14 [--duration SECONDS]": records without a window, for
// as long as a service technician needs, from the process-wide store (config.xml of the program
// directory) and the device on the given port.

enum ERecordingStatus : int {
    RECORDING_OK = 0,
    RECORDING_UNUSABLE = 2, // config.xml, a register, the port or the file cannot be used
};

struct SRecordingRequest {
    std::string m_file;
    std::vector<std::int32_t> m_registers;
    std::optional<std::chrono::milliseconds> m_duration; // until stopped when none
    std::string m_portName;
};

// Connects, asks the device for all its values (link command register 999), and writes a row
// every 200 ms tick in which a recorded value changed, until the duration has passed or stop is
// set (from a signal handler). Problems go to err, the closing line to out.
int RunRecording(const SRecordingRequest& request, const std::atomic<bool>& stop, std::ostream& out,
                 std::ostream& err, const SSerialLinkTiming& timing = SSerialLinkTiming());
