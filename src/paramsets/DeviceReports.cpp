#include "DeviceReports.h"

#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <algorithm>

CDeviceReports::CDeviceReports(CConfiguration& configuration, const SReportWait& wait)
    : m_configuration(configuration), m_wait(wait), m_requested(Clock::now()) {
    m_configuration.AddListener(this);
}

CDeviceReports::~CDeviceReports() {
    m_configuration.RemoveListener(this);
}

void CDeviceReports::OnParameterChanged(CRegisterValue& value) {
    if (value.GetSource() != SOURCE_DEVICE) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_lastReport = Clock::now();
        // The store has written the clamped value back into the record.
        m_values[value.GetRegister()] = static_cast<std::int32_t>(value.GetValue());
    }
    m_reported.notify_all();
}

void CDeviceReports::Request() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_requested = Clock::now();
        m_lastReport.reset();
        m_values.clear();
    }
    CRegisterValue reportAll(SOURCE_MAIN_WINDOW, REGISTER_LINK_COMMAND, 1.0);
    m_configuration.Update(reportAll);
}

CDeviceReports::Clock::time_point CDeviceReports::Deadline() const {
    const Clock::time_point latest = m_requested + m_wait.m_longest;
    return m_lastReport ? std::min(*m_lastReport + m_wait.m_quiet, latest) : latest;
}

bool CDeviceReports::IsOver(Clock::time_point now) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return now >= Deadline();
}

void CDeviceReports::WaitUntilOver() {
    std::unique_lock<std::mutex> lock(m_mutex);
    // Each report moves the deadline; waking for it recomputes the wait.
    while (Clock::now() < Deadline()) {
        m_reported.wait_until(lock, Deadline());
    }
}

bool CDeviceReports::AnyReport() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastReport.has_value();
}

std::optional<std::int32_t> CDeviceReports::Reported(std::int32_t registerNumber) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_values.find(registerNumber);
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}
