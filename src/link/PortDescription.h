#pragma once

#include <string>
#include <vector>

class IDeviceRegistry;

// What the port dialog shows: the ports COM1: to COM20:, each described from the device
// registry, with the current one marked.

constexpr int PORT_ROW_COUNT = 20;

struct SPortRow {
    std::string m_portName;    // "COM1:" for row 0
    std::string m_description; // "-" when no driver names the port
    bool m_current = false;    // the row's name is exactly the port name
};

// "COM<row + 1>:".
std::string PortNameOfRow(int row);

// The description of port number n: an active driver whose "Name" starts with "COM" and a
// number n gives its "PnpId"; a built-in driver whose "Prefix" is exactly "COM" and whose
// "Index" is n gives its "FriendlyName". Every match is taken in turn (active drivers first,
// each in key order), so the last one stays; "-" when none matches.
std::string GetPortDescription(const IDeviceRegistry& registry, int portNumber);

std::vector<SPortRow> BuildPortRows(const IDeviceRegistry& registry,
                                    const std::string& currentPortName);
