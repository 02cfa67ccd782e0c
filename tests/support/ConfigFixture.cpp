#include "ConfigFixture.h"

#include "config/Configuration.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"

CConfigFixture::CConfigFixture(const std::string& configXml) {
    m_dir.Write("config.xml", configXml);
    SetProgramDirectory(m_dir.Path());
    CConfiguration::ResetInstance();
    m_configuration = CConfiguration::GetInstance();
}

CConfigFixture::~CConfigFixture() {
    CConfiguration::ResetInstance();
}

void CConfigFixture::Set(std::int32_t registerNumber, double value) const {
    CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
    m_configuration->Update(change);
}

std::string MakeConfigXml(const std::string& parameters, const std::string& pages) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n<PARAMETER>\n" + parameters +
           "</PARAMETER>\n" + pages + "</ROOT>\n";
}
