#include "RecordingRegisters.h"

#include <algorithm>

bool CRecordingRegisters::ReadRegister(std::int32_t registerNumber, double& value) {
    if (m_declared.ReadRegister(registerNumber, value)) {
        return true;
    }
    if (std::find(m_undeclared.begin(), m_undeclared.end(), registerNumber) == m_undeclared.end()) {
        m_undeclared.push_back(registerNumber);
    }
    value = 0.0;
    return true;
}
