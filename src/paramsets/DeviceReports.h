#pragma once

#include "config/ParameterListener.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

class CConfiguration;

// How long to wait for the device's values after asking for them: until the reports have
// stopped for the quiet time, and never beyond the longest wait.
struct SReportWait {
    std::chrono::milliseconds m_quiet{500};
    std::chrono::milliseconds m_longest{5000};
};

// The device's values after a request for all of them (register 999 set to 1, as the main
// window asks when the link comes alive). A listener of the store while it exists; reports come
// on the serial reader thread, the questions on any other.
class CDeviceReports final : public IParameterListener {
public:
    using Clock = std::chrono::steady_clock;

    explicit CDeviceReports(CConfiguration& configuration, const SReportWait& wait = {});
    ~CDeviceReports();
    CDeviceReports(const CDeviceReports&) = delete;
    CDeviceReports& operator=(const CDeviceReports&) = delete;

    void OnParameterChanged(CRegisterValue& value) override;

    // Forgets what came before and asks the device (through the store, so an open link sends
    // the request) for every value.
    void Request();
    // Whether the reports to the last request are over at this time.
    bool IsOver(Clock::time_point now) const;
    void WaitUntilOver();

    bool AnyReport() const;
    // The last value the device reported for the register since the request.
    std::optional<std::int32_t> Reported(std::int32_t registerNumber) const;

private:
    Clock::time_point Deadline() const; // with m_mutex held

    CConfiguration& m_configuration;
    const SReportWait m_wait;
    mutable std::mutex m_mutex;
    std::condition_variable m_reported;
    Clock::time_point m_requested;
    std::optional<Clock::time_point> m_lastReport;
    std::unordered_map<std::int32_t, std::int32_t> m_values;
};
