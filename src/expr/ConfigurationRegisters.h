#pragma once

#include "RegisterReader.h"

class CConfiguration;

// Reads registers from a configuration's parameters: from one given at construction, or else
// from the process-wide store, which the first read loads.
class CConfigurationRegisters : public IRegisterReader {
public:
    CConfigurationRegisters() = default;
    explicit CConfigurationRegisters(const CConfiguration& configuration)
        : m_configuration(&configuration) {}

    bool ReadRegister(std::int32_t registerNumber, double& value) override;

    // The reader of the process-wide store, which every evaluator uses unless told otherwise.
    static CConfigurationRegisters& ProcessWide();

private:
    const CConfiguration* m_configuration = nullptr;
};
