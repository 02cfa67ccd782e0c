#include "ControlRules.h"
#include "platform/DecimalInt.h"

#include <algorithm>

namespace {

__extension__ typedef __int128 Wide;

// The row of value v; the quotient is truncated toward zero like the 32-bit original.
std::int32_t BarRow(std::int32_t minimum, std::int32_t maximum, std::int32_t value,
                    std::int32_t height) {
    const Wide row = (Wide{maximum} - value) * height / (Wide{maximum} - minimum);
    // Beyond the edges every row looks the same to the clipped drawing.
    const Wide low = -1;
    const Wide high = Wide{height} + 1;
    return static_cast<std::int32_t>(std::clamp(row, low, high));
}

} // namespace

SBarRows ComputeBarRows(std::int32_t minimum, std::int32_t maximum, std::int32_t value,
                        std::int32_t height) {
    SBarRows rows;
    if (minimum == maximum) {
        return rows;
    }
    rows.m_hasRange = true;
    const std::int32_t zeroRow = BarRow(minimum, maximum, 0, height);
    const std::int32_t valueRow = BarRow(minimum, maximum, value, height);
    rows.m_positive = value > 0;
    rows.m_fillTop = rows.m_positive ? valueRow : zeroRow;
    rows.m_fillBottom = rows.m_positive ? zeroRow : valueRow;
    rows.m_zeroLine = minimum < 0;
    rows.m_zeroRow = zeroRow;
    return rows;
}

SSliderRange MakeSliderRange(std::int32_t minimum, std::int32_t maximum) {
    return {minimum, std::max(minimum, maximum)};
}

std::int32_t SliderPositionForValue(const SSliderRange& range, std::int32_t value) {
    return std::clamp(value, range.m_minimum, range.m_maximum);
}

std::int32_t ClampSwitchIndex(std::int32_t value, std::int32_t imageCount) {
    std::int32_t index = std::max(value, 0);
    if (index >= imageCount - 1) {
        index = imageCount - 1;
    }
    return std::max(index, -1);
}

int FindLastItemWithValue(const std::int32_t* itemValues, int itemCount, std::int32_t value) {
    for (int i = itemCount - 1; i >= 0; --i) {
        if (itemValues[i] == value) {
            return i;
        }
    }
    return -1;
}

std::optional<std::int32_t> ReadLeadingInteger(std::string_view text) {
    std::size_t at = 0;
    std::int32_t number = 0;
    if (!ReadDecimalInt(text, at, number)) {
        return std::nullopt;
    }
    return number;
}
