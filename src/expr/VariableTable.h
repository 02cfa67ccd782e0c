#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The evaluator's named variables: 50 slots, each a name of up to 15 characters and a value. A
// slot is free when its name is empty. Names are case-sensitive and count by their first 15
// characters, the same rule the scanner applies to names in a formula.
class CVariableTable {
public:
    static constexpr std::size_t SLOT_COUNT = 50;
    static constexpr std::size_t MAX_NAME_LENGTH = 15;

    // Frees every slot.
    void Clear();
    // Removes any variable of that name, then stores it in the lowest-numbered free slot. False
    // for an empty name or when no slot is free; replacing a name always succeeds, since its
    // removal frees a slot.
    bool Set(std::string_view name, double value);
    // Frees the first slot of that name and zeroes its value; false when there was none.
    bool Remove(std::string_view name);
    // The value of the first slot of that name, nullptr when there is none.
    const double* Find(std::string_view name) const;

private:
    struct SSlot {
        std::array<char, MAX_NAME_LENGTH + 1> m_name{}; // NUL-terminated
        std::size_t m_length = 0;
        double m_value = 0.0;

        bool IsFree() const { return m_length == 0; }
        bool Is(std::string_view name) const {
            return m_length == name.size() && !IsFree() &&
                   std::string_view(m_name.data(), m_length) == name;
        }
    };

    static std::string_view Significant(std::string_view name);
    // Index of the first slot holding the name, SLOT_COUNT when there is none.
    std::size_t IndexOf(std::string_view name) const;

    std::array<SSlot, SLOT_COUNT> m_slots{};
};
