#pragma once

#include "SimulatorThread.h"
#include "link/SerialLink.h"

#include <cstdint>
#include <string>

class CConfiguration;

// The simulated device at its paced 9600 baud, answering only with acknowledgements, and the
// serial link to it: what the benchmarks of acknowledged writes time against the wire.
class CPacedDevice {
public:
    static constexpr double BAUD = 9600.0;

    // With a log folder, the link logs its traffic there.
    explicit CPacedDevice(const CConfiguration& configuration,
                          const std::string& logFolder = std::string());
    bool IsOpen() const { return m_link.IsPortOpen(); }

    // Seconds the bytes of one acknowledged write take on the wire: the message, the
    // acknowledgement line and its line end, 10 bit times a byte.
    static double WireSeconds(std::int32_t registerNumber, std::int32_t value);

private:
    CSimulatorThread m_device;
    CSerialLink m_link;
};
