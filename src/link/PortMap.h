#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a port name leads. The panel keeps the "COMn:" names its port dialog and "port.inf"
// use; the port map, a text file in the program directory, says which device file each one
// is. Its lines read
//     COM3:  /dev/ttyUSB0   USB serial adapter
// (port name, device, optional description); blank lines and lines starting with '#' are
// skipped. A device not starting with '/' is taken under /dev/.

constexpr const char* PORT_MAP_FILE = "ports.map";

struct SPortMapEntry {
    std::string m_portName;
    std::string m_device;
    std::string m_description;
};

std::vector<SPortMapEntry> ParsePortMap(std::string_view text);
// An empty map when the file is missing.
std::vector<SPortMapEntry> ReadPortMap(const std::string& path);

// The first entry for the port name, or nullptr.
const SPortMapEntry* FindPortMapEntry(const std::vector<SPortMapEntry>& map,
                                      const std::string& portName);

// The device file for a port name: a name beginning with '/' is a path already; otherwise the
// map's entry; otherwise "COMn:" is /dev/ttyS(n-1). Empty when the name leads nowhere.
std::string ResolvePortName(const std::string& portName, const std::vector<SPortMapEntry>& map);
// The same with the map file of the program directory.
std::string ResolvePortName(const std::string& portName);
