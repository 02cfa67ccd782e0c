#include "ControlType.h"

#include <array>
#include <cstring>
#include <utility>

EControlType ParseControlType(const char* type) {
    static constexpr std::array<std::pair<const char*, EControlType>, 10> s_types{{
        {"Button", EControlType::Button},
        {"Label", EControlType::Label},
        {"Check", EControlType::Check},
        {"Combo", EControlType::Combo},
        {"Field", EControlType::Field},
        {"Bar", EControlType::Bar},
        {"TsView", EControlType::TsView},
        {"Panel", EControlType::Panel},
        {"SwitchImage", EControlType::SwitchImage},
        {"Slider", EControlType::Slider},
    }};
    if (type == nullptr) {
        return EControlType::None;
    }
    for (const auto& [name, kind] : s_types) {
        if (std::strcmp(name, type) == 0) {
            return kind;
        }
    }
    return EControlType::None;
}
