#pragma once

#include "ConfigFixture.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <cstdint>

// A configuration declaring the vector diagram's registers, all 0: 20 to 27 but 23 (the second
// vector has no y component), the first vector's two over the whole 32-bit range; and 19 and 28
// beside them. Set changes one as a device report does.
class CTsRegisters {
public:
    CTsRegisters()
        : m_fixture(MakeConfigXml(
              "<P Id=\"20\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
              "<P Id=\"21\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
              "<P Id=\"22\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"24\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"25\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"26\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"27\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"19\" Value=\"9\"/><P Id=\"28\" Value=\"9\"/>")) {}

    void Set(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
        m_fixture.Config().Update(change);
    }

private:
    CConfigFixture m_fixture;
};
