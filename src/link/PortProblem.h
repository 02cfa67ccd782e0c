#pragma once

#include <string>
#include <vector>

// Why a port could not be opened, told in a way that says what to do about it. The hints are
// plain functions of the error and of what the system says about the device and the user, so
// that each case can be checked without such a machine (tests run as root, where permissions
// never fail).

struct SPortFacts {
    // The name as the operator chose it ("COM3:" or a device path) and the device file it led
    // to; the device is empty when the name leads nowhere.
    std::string m_portName;
    std::string m_device;
    // True when ports.map gave the device.
    bool m_fromPortMap = false;
    // The device file's group, and the groups of the user running the panel.
    std::string m_deviceGroup;
    std::vector<std::string> m_userGroups;
    // The programs holding the device, as "name (process 1234)".
    std::vector<std::string> m_holders;
    // The serial devices there are now.
    std::vector<std::string> m_serialDevices;
};

// What to do; empty for errors without advice.
std::string PortProblemHint(int error, const SPortFacts& facts);

// The system's text for the error, followed by the hint after a blank line.
std::string PortProblemText(int error, const SPortFacts& facts);

// What this machine says about the device. devRoot is where the device files live ("/dev/";
// tests point it elsewhere).
SPortFacts GatherPortFacts(const std::string& portName, const std::string& device, bool fromPortMap,
                           const std::string& devRoot = "/dev/");

// The serial devices under devRoot: serial/by-id/*, then ttyUSB* and ttyACM*, each sorted.
std::vector<std::string> ListSerialDevices(const std::string& devRoot = "/dev/");

// "name (process N)" for every process whose open files include the device; what /proc does
// not show (other users' processes, for a normal user) is missing.
std::vector<std::string> ListDeviceHolders(const std::string& device);
