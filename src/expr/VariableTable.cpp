#include "VariableTable.h"

#include <algorithm>

std::string_view CVariableTable::Significant(std::string_view name) {
    return name.substr(0, MAX_NAME_LENGTH);
}

void CVariableTable::Clear() {
    m_slots.fill(SSlot{});
}

std::size_t CVariableTable::IndexOf(std::string_view name) const {
    const std::string_view key = Significant(name);
    std::size_t index = 0;
    while (index < SLOT_COUNT && !m_slots[index].Is(key)) {
        ++index;
    }
    return index;
}

bool CVariableTable::Set(std::string_view name, double value) {
    const std::string_view key = Significant(name);
    if (key.empty()) {
        return false;
    }
    Remove(key);
    for (SSlot& slot : m_slots) {
        if (slot.IsFree()) {
            slot.m_name.fill('\0');
            std::copy(key.begin(), key.end(), slot.m_name.begin());
            slot.m_length = key.size();
            slot.m_value = value;
            return true;
        }
    }
    return false;
}

bool CVariableTable::Remove(std::string_view name) {
    const std::size_t index = IndexOf(name);
    if (index == SLOT_COUNT) {
        return false;
    }
    m_slots[index] = SSlot{};
    return true;
}

const double* CVariableTable::Find(std::string_view name) const {
    const std::size_t index = IndexOf(name);
    return index == SLOT_COUNT ? nullptr : &m_slots[index].m_value;
}
