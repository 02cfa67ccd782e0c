#include "PortDescription.h"

#include "DeviceRegistry.h"
#include "WireProtocol.h"

#include <cstdint>

namespace {

const std::string ACTIVE_DRIVERS = "Drivers\\Active";
const std::string BUILT_IN_DRIVERS = "Drivers\\BuiltIn";

// Calls match(subkey) for every subkey of a driver key that can be opened.
template <typename Match>
void ForEachDriver(const IDeviceRegistry& registry, const std::string& key, Match match) {
    if (!registry.HasKey(key)) {
        return;
    }
    std::string name;
    for (std::size_t index = 0; registry.GetSubkey(key, index, name); ++index) {
        const std::string subkey = key + "\\" + name;
        if (registry.HasKey(subkey)) {
            match(subkey);
        }
    }
}

// The number "%d" reads after "COM", or -1.
std::int32_t NumberAfterCom(const std::string& name) {
    const SLineNumbers numbers = ReadLineNumbers(std::string_view(name).substr(3));
    return numbers.m_count > 0 ? numbers.m_register : -1;
}

} // namespace

std::string PortNameOfRow(int row) {
    return "COM" + std::to_string(row + 1) + ":";
}

std::string GetPortDescription(const IDeviceRegistry& registry, int portNumber) {
    std::string description = "-";
    ForEachDriver(registry, ACTIVE_DRIVERS, [&](const std::string& driver) {
        std::string name;
        if (registry.GetString(driver, "Name", name) && name.compare(0, 3, "COM") == 0 &&
            NumberAfterCom(name) == portNumber) {
            registry.GetString(driver, "PnpId", description);
        }
    });
    ForEachDriver(registry, BUILT_IN_DRIVERS, [&](const std::string& driver) {
        std::string prefix;
        std::uint32_t index = 0;
        if (registry.GetString(driver, "Prefix", prefix) && prefix == "COM" &&
            registry.GetNumber(driver, "Index", index) &&
            index == static_cast<std::uint32_t>(portNumber)) {
            registry.GetString(driver, "FriendlyName", description);
        }
    });
    return description;
}

std::vector<SPortRow> BuildPortRows(const IDeviceRegistry& registry,
                                    const std::string& currentPortName) {
    std::vector<SPortRow> rows;
    rows.reserve(PORT_ROW_COUNT);
    for (int row = 0; row < PORT_ROW_COUNT; ++row) {
        SPortRow entry;
        entry.m_portName = PortNameOfRow(row);
        entry.m_current = entry.m_portName == currentPortName;
        entry.m_description = GetPortDescription(registry, row + 1);
        rows.push_back(std::move(entry));
    }
    return rows;
}
