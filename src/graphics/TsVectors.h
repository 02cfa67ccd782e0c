#pragma once

#include "TsGeometry.h"

#include <array>
#include <cstdint>

// The four vectors of a vector diagram. Vector k (0 to 3) takes its x component from register
// 20 + 2k and its y component from register 21 + 2k and is labelled K<k + 1>.
class CTsVectors {
public:
    static constexpr int VECTOR_COUNT = 4;
    static constexpr std::int32_t FIRST_REGISTER = 20;
    static constexpr std::int32_t LAST_REGISTER = 27;

    CTsVectors() = default;
    virtual ~CTsVectors() = default;

    // Takes the current values of registers 20 to 27 from the configuration; a register no
    // parameter declares keeps its component at 0. True when any value changed, i.e. when the
    // diagram needs repainting.
    bool Refresh();

    // Takes a new value of one of the registers 20 to 27 and recomputes its vector; other
    // register numbers are ignored.
    void SetRegister(std::int32_t registerNumber, std::int32_t value);

    STsVector GetVector(int k) const { return {m_angle.at(Slot(k)), m_magnitude.at(Slot(k))}; }
    std::int32_t GetRegisterValue(std::int32_t registerNumber) const;

private:
    static std::size_t Slot(int k) { return static_cast<std::size_t>(k); }

    std::array<std::int32_t, VECTOR_COUNT> m_angle{};
    std::array<std::int32_t, VECTOR_COUNT> m_magnitude{};
    // Last value seen of registers 20 to 27, at index register - 20.
    std::array<std::int32_t, LAST_REGISTER - FIRST_REGISTER + 1> m_registerValue{};
};
