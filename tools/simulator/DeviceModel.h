#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CConfiguration;

// The register 'S<register>:<value>;<checksum>' writes, when the message is exactly what the
// host sends (canonical numbers, correct checksum, nothing more); nothing otherwise.
std::optional<std::pair<std::int32_t, std::int32_t>> ParseWriteRegister(std::string_view line);

// The simulated device's registers and its answers to the host's messages. Lines it produces
// end in CR LF, as many devices send them.
class CDeviceModel {
public:
    struct SCounts {
        unsigned m_writes = 0;       // well-formed write-register messages
        unsigned m_acknowledged = 0; // of those, answered
        unsigned m_rejected = 0;     // lines that were no message of the host's
        unsigned m_reportRequests = 0;
        unsigned m_keepAlives = 0;
    };

    // Takes every parameter of the configuration with its initial value, in document order.
    void LoadFrom(const CConfiguration& configuration);
    // Adds a register or, when it exists, sets its value.
    void SetValue(std::int32_t registerNumber, std::int32_t value);
    std::optional<std::int32_t> GetValue(std::int32_t registerNumber) const;
    const std::vector<std::int32_t>& Registers() const { return m_order; }

    // Leaves every n-th write-register message unacknowledged (0: none, 1: all).
    void SetDropEvery(unsigned n) { m_dropEvery = n; }

    // The answer to one host message (without its line end): "S..." is stored and acknowledged
    // with 'B<register>:<value>;<checksum>', "A" reports every register, "C" needs no answer.
    std::vector<std::string> HandleHostLine(std::string_view line);

    // 'I<register>:<value>;<checksum>' CR LF; empty for an unknown register.
    std::string ReportLine(std::int32_t registerNumber) const;
    std::vector<std::string> ReportAll() const;

    const SCounts& Counts() const { return m_counts; }

private:
    std::vector<std::int32_t> m_order;
    std::unordered_map<std::int32_t, std::int32_t> m_values;
    unsigned m_dropEvery = 0;
    SCounts m_counts;
};
