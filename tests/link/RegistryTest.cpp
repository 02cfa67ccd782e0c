#include "link/MemoryRegistry.h"
#include "link/PortDescription.h"
#include "link/PortRegistry.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void Active(CMemoryRegistry& registry, const std::string& key, const std::string& name,
            const std::string& pnpId) {
    registry.SetString("Drivers\\Active\\" + key, "Name", name);
    if (!pnpId.empty()) {
        registry.SetString("Drivers\\Active\\" + key, "PnpId", pnpId);
    }
}

void BuiltIn(CMemoryRegistry& registry, const std::string& key, const std::string& prefix,
             std::uint32_t index, const std::string& friendlyName) {
    registry.SetString("Drivers\\BuiltIn\\" + key, "Prefix", prefix);
    registry.SetNumber("Drivers\\BuiltIn\\" + key, "Index", index);
    registry.SetString("Drivers\\BuiltIn\\" + key, "FriendlyName", friendlyName);
}

} // namespace

TEST(PortDescription, FollowsTheDriverKeys) {
    struct SCase {
        const char* m_name;
        std::function<void(CMemoryRegistry&)> m_fill;
        std::string m_port3; // the description of COM3:
    };
    const SCase cases[] = {
        {"active driver", [](CMemoryRegistry& r) { Active(r, "01", "COM3:", "USB\\VID_0403"); },
         "USB\\VID_0403"},
        {"built-in driver wins over the active one",
         [](CMemoryRegistry& r) {
             BuiltIn(r, "Serial", "COM", 3, "Onboard UART");
             Active(r, "01", "COM3:", "USB\\VID_0403");
         },
         "Onboard UART"},
        {"the last match stays; one without PnpId keeps what was found",
         [](CMemoryRegistry& r) {
             Active(r, "01", "COM3:", "first");
             Active(r, "02", "COM3:", "second");
             Active(r, "03", "COM3:", "");
         },
         "second"},
        {"other numbers, prefixes and names describe nothing",
         [](CMemoryRegistry& r) {
             BuiltIn(r, "A", "COMX", 3, "wrong prefix");
             BuiltIn(r, "B", "com", 3, "lower case");
             BuiltIn(r, "C", "COM", 4, "other index");
             Active(r, "01", "USB1:", "usb");
             Active(r, "02", "COMX3:", "no number");
             Active(r, "03", "COM33:", "other number");
         },
         "-"},
    };
    for (const SCase& c : cases) {
        CMemoryRegistry registry;
        c.m_fill(registry);
        EXPECT_EQ(GetPortDescription(registry, 3), c.m_port3) << c.m_name;
        EXPECT_EQ(GetPortDescription(registry, 1), "-") << c.m_name;
    }
}

TEST(PortDescription, RowsMarkExactlyTheCurrentPort) {
    CMemoryRegistry registry;
    Active(registry, "01", "COM2:", "adapter");
    const auto rows = BuildPortRows(registry, "COM8:");
    ASSERT_EQ(rows.size(), 20u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].m_portName, "COM" + std::to_string(i + 1) + ":");
        EXPECT_EQ(rows[i].m_current, i == 7) << i;
        EXPECT_EQ(rows[i].m_description, i == 1 ? "adapter" : "-") << i;
    }
    for (const char* elsewhere : {"COM21:", "com8:", "COM8", "/dev/ttyS7"}) {
        for (const SPortRow& row : BuildPortRows(registry, elsewhere)) {
            EXPECT_FALSE(row.m_current) << elsewhere << " " << row.m_portName;
        }
    }
}

TEST(PortRegistry, MadeFromThePortMapAndTheDevicesThere) {
    const auto map = ParsePortMap("COM3: /dev/ttyUSB0 FTDI cable\n"
                                  "COM4: /dev/ttyACM0\n"
                                  "COM5: /dev/ttyACM1\n"
                                  "SIM: pts/7 simulator\n");
    std::vector<std::string> asked;
    const auto describe = [&asked](const std::string& device) -> std::optional<std::string> {
        asked.push_back(device);
        if (device == "/dev/ttyS0" || device == "/dev/ttyACM1") {
            return DeviceIdentifier({"", "Acme", "42"}, device);
        }
        return std::nullopt; // no such device
    };
    const CMemoryRegistry registry = BuildPortRegistry(map, describe);
    EXPECT_EQ(asked.size(), 20u);
    const std::pair<int, std::string> expected[] = {
        {1, "Acme, 42 (/dev/ttyS0)"}, // no map entry: the default device of COM1:
        {2, "-"},                     // /dev/ttyS1 does not exist
        {3, "FTDI cable"},            // the map's description, though the device is missing
        {4, "-"},                     // neither a description nor a device
        {5, "Acme, 42 (/dev/ttyACM1)"},
    };
    for (const auto& [port, description] : expected) {
        EXPECT_EQ(GetPortDescription(registry, port), description) << port;
    }
    EXPECT_EQ(DeviceIdentifier({}, "/dev/ttyS3"), "/dev/ttyS3");
    EXPECT_EQ(DeviceIdentifier({"FT232R USB UART", "FTDI", ""}, "/dev/ttyUSB0"),
              "FT232R USB UART, FTDI (/dev/ttyUSB0)");
}
