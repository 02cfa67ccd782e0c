#pragma once

#include "config/ParameterListener.h"
#include "config/RegisterValue.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

// Records notifications, which arrive on the reader thread for device reports.
class CRecordingListener final : public IParameterListener {
public:
    void OnParameterChanged(CRegisterValue& value) override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(value);
    }
    std::vector<CRegisterValue> Seen() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }
    std::vector<CRegisterValue> SeenFor(std::int32_t registerNumber,
                                        std::int32_t source = -1) const {
        std::vector<CRegisterValue> found;
        for (const auto& value : Seen()) {
            if (value.GetRegister() == registerNumber &&
                (source < 0 || value.GetSource() == source)) {
                found.push_back(value);
            }
        }
        return found;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<CRegisterValue> m_seen;
};

// Polls a condition that another thread makes true; false when the time ran out.
template <typename Predicate>
bool WaitUntil(Predicate predicate,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
