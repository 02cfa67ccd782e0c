#include "TsVectors.h"

#include "config/Configuration.h"

namespace {

std::size_t RegisterSlot(std::int32_t registerNumber) {
    return static_cast<std::size_t>(registerNumber - CTsVectors::FIRST_REGISTER);
}

} // namespace

bool CTsVectors::Refresh() {
    const CConfiguration* configuration = CConfiguration::GetInstance();
    bool changed = false;
    for (std::int32_t r = FIRST_REGISTER; r <= LAST_REGISTER; ++r) {
        const CParameter* parameter = configuration->FindParameter(r);
        if (parameter == nullptr) {
            continue;
        }
        const std::int32_t value = parameter->GetValue();
        if (value != m_registerValue[RegisterSlot(r)]) {
            SetRegister(r, value);
            changed = true;
        }
    }
    return changed;
}

void CTsVectors::SetRegister(std::int32_t registerNumber, std::int32_t value) {
    if (registerNumber < FIRST_REGISTER || registerNumber > LAST_REGISTER) {
        return;
    }
    m_registerValue[RegisterSlot(registerNumber)] = value;
    const std::size_t k = RegisterSlot(registerNumber) / 2;
    const STsVector vector = ComputeTsVector(m_registerValue[2 * k], m_registerValue[2 * k + 1]);
    m_angle[k] = vector.m_angle;
    m_magnitude[k] = vector.m_magnitude;
}

std::int32_t CTsVectors::GetRegisterValue(std::int32_t registerNumber) const {
    if (registerNumber < FIRST_REGISTER || registerNumber > LAST_REGISTER) {
        return 0;
    }
    return m_registerValue[RegisterSlot(registerNumber)];
}
