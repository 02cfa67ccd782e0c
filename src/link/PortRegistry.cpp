#include "PortRegistry.h"

#include "PortDescription.h"

namespace {

// n of "COMn:" (1 to 99999), or 0 for a name of another form.
std::uint32_t ComNumber(const std::string& portName) {
    if (portName.size() < 5 || portName.size() > 9 || portName.compare(0, 3, "COM") != 0 ||
        portName.back() != ':') {
        return 0;
    }
    std::uint32_t number = 0;
    for (std::size_t i = 3; i + 1 < portName.size(); ++i) {
        if (portName[i] < '0' || portName[i] > '9') {
            return 0;
        }
        number = number * 10u + static_cast<std::uint32_t>(portName[i] - '0');
    }
    return number;
}

} // namespace

CMemoryRegistry BuildPortRegistry(const std::vector<SPortMapEntry>& map,
                                  const DeviceDescriber& describeDevice) {
    CMemoryRegistry registry;
    registry.AddKey("Drivers\\Active");
    registry.AddKey("Drivers\\BuiltIn");
    for (std::size_t i = 0; i < map.size(); ++i) {
        const std::uint32_t number = ComNumber(map[i].m_portName);
        if (number == 0 || map[i].m_description.empty()) {
            continue;
        }
        const std::string key = "Drivers\\BuiltIn\\PortMap" + std::to_string(i + 1);
        registry.SetString(key, "Prefix", "COM");
        registry.SetNumber(key, "Index", number);
        registry.SetString(key, "FriendlyName", map[i].m_description);
    }
    for (int row = 0; row < PORT_ROW_COUNT; ++row) {
        const std::string portName = PortNameOfRow(row);
        const std::string device = ResolvePortName(portName, map);
        const std::optional<std::string> description =
            device.empty() ? std::nullopt : describeDevice(device);
        if (!description) {
            continue;
        }
        const std::string key = "Drivers\\Active\\" + std::to_string(row + 1);
        registry.SetString(key, "Name", portName);
        registry.SetString(key, "PnpId", *description);
    }
    return registry;
}

std::string DeviceIdentifier(const std::vector<std::string>& parts, const std::string& devicePath) {
    std::string known;
    for (const std::string& part : parts) {
        if (part.empty()) {
            continue;
        }
        known += known.empty() ? part : ", " + part;
    }
    return known.empty() ? devicePath : known + " (" + devicePath + ")";
}
