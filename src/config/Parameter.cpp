#include "Parameter.h"

#include "RegisterValue.h"
#include "Rounding.h"

void CParameter::SetValue(CRegisterValue& value) {
    std::int32_t result = RoundToInt(value.GetValue());
    if (result < m_minimum) {
        result = m_minimum;
    }
    if (result > m_maximum) {
        result = m_maximum;
    }
    m_value.store(result, std::memory_order_relaxed);
    value.SetValue(result);
}
