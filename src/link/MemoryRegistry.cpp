#include "MemoryRegistry.h"

namespace {

template <typename T>
bool FindValue(const std::map<std::string, T>& values, const std::string& name, T& result) {
    const auto found = values.find(name);
    if (found == values.end()) {
        return false;
    }
    result = found->second;
    return true;
}

} // namespace

void CMemoryRegistry::AddKey(const std::string& key) {
    if (m_keys.count(key) != 0) {
        return;
    }
    m_keys.emplace(key, SKey());
    const std::string::size_type separator = key.rfind('\\');
    if (separator == std::string::npos) {
        return;
    }
    const std::string parent = key.substr(0, separator);
    AddKey(parent);
    m_keys[parent].m_subkeys.push_back(key.substr(separator + 1));
}

void CMemoryRegistry::SetString(const std::string& key, const std::string& value,
                                const std::string& text) {
    AddKey(key);
    m_keys[key].m_strings[value] = text;
}

void CMemoryRegistry::SetNumber(const std::string& key, const std::string& value,
                                std::uint32_t number) {
    AddKey(key);
    m_keys[key].m_numbers[value] = number;
}

bool CMemoryRegistry::HasKey(const std::string& key) const {
    return m_keys.count(key) != 0;
}

bool CMemoryRegistry::GetSubkey(const std::string& key, std::size_t index,
                                std::string& name) const {
    const auto found = m_keys.find(key);
    if (found == m_keys.end() || index >= found->second.m_subkeys.size()) {
        return false;
    }
    name = found->second.m_subkeys[index];
    return true;
}

bool CMemoryRegistry::GetString(const std::string& key, const std::string& value,
                                std::string& text) const {
    const SKey* found = FindKey(key);
    return found != nullptr && FindValue(found->m_strings, value, text);
}

bool CMemoryRegistry::GetNumber(const std::string& key, const std::string& value,
                                std::uint32_t& number) const {
    const SKey* found = FindKey(key);
    return found != nullptr && FindValue(found->m_numbers, value, number);
}

const CMemoryRegistry::SKey* CMemoryRegistry::FindKey(const std::string& key) const {
    const auto found = m_keys.find(key);
    return found != m_keys.end() ? &found->second : nullptr;
}
