#pragma once

#include <cstdint>

// Where the evaluator reads device registers from. The program reads the process-wide store;
// the configuration checker and tests hand in a configuration of their own.
class IRegisterReader {
public:
    virtual ~IRegisterReader() = default;
    // The register's current value; false when no parameter declares it.
    virtual bool ReadRegister(std::int32_t registerNumber, double& value) = 0;
};
