#pragma once

#include "DeviceRegistry.h"

#include <map>
#include <string>
#include <vector>

// A device registry held in memory: what a platform without one fills in, and what tests
// describe their cases with. Setting a value creates its key and every key above it.
class CMemoryRegistry final : public IDeviceRegistry {
public:
    void AddKey(const std::string& key);
    void SetString(const std::string& key, const std::string& value, const std::string& text);
    void SetNumber(const std::string& key, const std::string& value, std::uint32_t number);

    bool HasKey(const std::string& key) const override;
    bool GetSubkey(const std::string& key, std::size_t index, std::string& name) const override;
    bool GetString(const std::string& key, const std::string& value,
                   std::string& text) const override;
    bool GetNumber(const std::string& key, const std::string& value,
                   std::uint32_t& number) const override;

private:
    struct SKey {
        std::vector<std::string> m_subkeys; // in the order they were made
        std::map<std::string, std::string> m_strings;
        std::map<std::string, std::uint32_t> m_numbers;
    };

    const SKey* FindKey(const std::string& key) const;

    std::map<std::string, SKey> m_keys;
};
