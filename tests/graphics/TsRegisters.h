#pragma once

#include "ConfigFixture.h"

// A configuration declaring the vector diagram's registers, all 0: 20 to 27 but 23 (the second
// vector has no y component), the first vector's two over the whole 32-bit range; and 19 and 28
// beside them.
class CTsRegisters : public CConfigFixture {
public:
    CTsRegisters()
        : CConfigFixture(MakeConfigXml(
              "<P Id=\"20\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
              "<P Id=\"21\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
              "<P Id=\"22\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"24\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"25\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"26\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"27\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"19\" Value=\"9\"/><P Id=\"28\" Value=\"9\"/>")) {}
};
