#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The device registry the port descriptions come from: keys below the machine's root, named
// by paths separated by '\' ("Drivers\Active\05"), each with subkeys and named string and
// number values. Windows CE keeps its drivers there; elsewhere a registry is made up from what
// the machine has (see PortRegistry.h).
class IDeviceRegistry {
public:
    virtual ~IDeviceRegistry() = default;
    // Whether the key can be opened.
    virtual bool HasKey(const std::string& key) const = 0;
    // The name of the key's index-th subkey; false past the last one or for a missing key.
    virtual bool GetSubkey(const std::string& key, std::size_t index, std::string& name) const = 0;
    virtual bool GetString(const std::string& key, const std::string& value,
                           std::string& text) const = 0;
    virtual bool GetNumber(const std::string& key, const std::string& value,
                           std::uint32_t& number) const = 0;
};
