#include "ConfigurationRegisters.h"

#include "config/Configuration.h"

bool CConfigurationRegisters::ReadRegister(std::int32_t registerNumber, double& value) {
    // The store is reached only when a formula reads a register, as it always was.
    const CConfiguration& configuration =
        m_configuration != nullptr ? *m_configuration : *CConfiguration::GetInstance();
    const CParameter* parameter = configuration.FindParameter(registerNumber);
    if (parameter == nullptr) {
        return false;
    }
    value = static_cast<double>(parameter->GetValue());
    return true;
}

CConfigurationRegisters& CConfigurationRegisters::ProcessWide() {
    // Stateless, so one object serves every thread.
    static CConfigurationRegisters s_processWide;
    return s_processWide;
}
