#include "PacedDevice.h"

#include "DeviceModel.h"
#include "link/WireProtocol.h"

#include <chrono>

namespace {

CDeviceModel ModelOf(const CConfiguration& configuration) {
    CDeviceModel model;
    model.LoadFrom(configuration);
    return model;
}

SSimulatorOptions AcknowledgingOnly() {
    SSimulatorOptions options;
    options.m_baud = static_cast<unsigned>(CPacedDevice::BAUD);
    options.m_reportInterval = std::chrono::milliseconds(0);
    return options;
}

SSerialLinkTiming WithoutClosePause() {
    SSerialLinkTiming timing;
    timing.m_closePause = std::chrono::milliseconds(0);
    return timing;
}

} // namespace

CPacedDevice::CPacedDevice(const CConfiguration& configuration, const std::string& logFolder)
    : m_device(ModelOf(configuration), AcknowledgingOnly()),
      m_link(m_device.SlavePath(), WithoutClosePause(), logFolder) {}

double CPacedDevice::WireSeconds(std::int32_t registerNumber, std::int32_t value) {
    const std::size_t bytes = BuildWriteRegisterMessage(registerNumber, value).size() +
                              BuildRegisterLine('B', registerNumber, value).size() + 2;
    return static_cast<double>(bytes) * 10.0 / BAUD;
}
