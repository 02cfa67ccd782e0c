#pragma once

#include "TempDir.h"

#include <cstdint>
#include <string>

class CConfiguration;

// Makes the process-wide configuration the given config.xml text: writes it into a fresh
// program directory and loads it through GetInstance. The store is dropped again on destruction.
class CConfigFixture {
public:
    explicit CConfigFixture(const std::string& configXml);
    ~CConfigFixture();
    CConfigFixture(const CConfigFixture&) = delete;
    CConfigFixture& operator=(const CConfigFixture&) = delete;

    CConfiguration& Config() const { return *m_configuration; }
    const CTempDir& Dir() const { return m_dir; }
    // Changes a parameter as a device report does.
    void Set(std::int32_t registerNumber, double value) const;

private:
    CTempDir m_dir;
    CConfiguration* m_configuration = nullptr;
};

// A config.xml with the given PARAMETER children and page elements.
std::string MakeConfigXml(const std::string& parameters, const std::string& pages = "");
