#pragma once

#include "config/ParameterListener.h"
#include "config/RegisterValue.h"

#include <mutex>
#include <utility>
#include <vector>

// Register and value of recorded changes.
using Writes = std::vector<std::pair<std::int32_t, double>>;

// Records every change the store announces; device reports arrive on the reader thread.
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
    // Those for one register; from one source only when a source is given.
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
    // The changes from one source since the last call.
    Writes Take(std::int32_t source) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        Writes writes;
        for (; m_taken < m_seen.size(); ++m_taken) {
            if (m_seen[m_taken].GetSource() == source) {
                writes.emplace_back(m_seen[m_taken].GetRegister(), m_seen[m_taken].GetValue());
            }
        }
        return writes;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<CRegisterValue> m_seen;
    std::size_t m_taken = 0;
};
