#include "Parameter.h"

#include "RegisterValue.h"
#include "Rounding.h"

std::int32_t CParameter::Clamp(double value) const {
    std::int32_t result = RoundToInt(value);
    if (result < m_minimum) {
        result = m_minimum;
    }
    if (result > m_maximum) {
        result = m_maximum;
    }
    return result;
}

void CParameter::SetValue(CRegisterValue& value) {
    const std::int32_t result = Clamp(value.GetValue());
    m_value.store(result, std::memory_order_relaxed);
    value.SetValue(result);
}
