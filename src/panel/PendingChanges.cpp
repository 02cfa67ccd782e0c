#include "PendingChanges.h"

void CPendingChanges::Append(const CRegisterValue& value) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back(value);
}

std::optional<CRegisterValue> CPendingChanges::TakeOldest() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_records.empty()) {
        return std::nullopt;
    }
    CRegisterValue oldest = m_records.front();
    m_records.pop_front();
    return oldest;
}

bool CPendingChanges::IsEmpty() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_records.empty();
}
