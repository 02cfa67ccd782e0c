#pragma once

#include "expr/ConfigurationRegisters.h"

#include <cstdint>
#include <vector>

class CConfiguration;

// Lets a formula read the registers of a configuration loaded on its own. A register that no
// parameter declares reads as 0 and is noted, so that evaluation goes on to find later faults.
class CRecordingRegisters : public IRegisterReader {
public:
    explicit CRecordingRegisters(const CConfiguration& configuration) : m_declared(configuration) {}

    bool ReadRegister(std::int32_t registerNumber, double& value) override;

    // The undeclared registers read since the last Clear, each once, in order of reading.
    const std::vector<std::int32_t>& GetUndeclared() const { return m_undeclared; }
    void Clear() { m_undeclared.clear(); }

private:
    CConfigurationRegisters m_declared;
    std::vector<std::int32_t> m_undeclared;
};
