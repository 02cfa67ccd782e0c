#pragma once

#include "MemoryRegistry.h"
#include "PortMap.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The device registry of a machine that has none, made up from what it does have:
// - each port map line with a description is a built-in driver of its "COMn:" port
//   ("Prefix" "COM", "Index" n, "FriendlyName" the description);
// - the device file each of the ports COM1: to COM20: resolves to, when it exists, is an
//   active driver ("Name" the port name, "PnpId" the system's description of the device).
// describeDevice gives that description for a device path, or nothing when there is no
// such device.
using DeviceDescriber = std::function<std::optional<std::string>(const std::string& devicePath)>;

CMemoryRegistry BuildPortRegistry(const std::vector<SPortMapEntry>& map,
                                  const DeviceDescriber& describeDevice);

// "FT232R USB UART, FTDI, A50285BI (/dev/ttyUSB0)": the non-empty parts of what the system
// knows of the device, then its path; the path alone when nothing is known.
std::string DeviceIdentifier(const std::vector<std::string>& parts, const std::string& devicePath);
