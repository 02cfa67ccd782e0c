#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The rules the page controls apply that are not drawing: what a bar fills, where a slider's
// knob stands, which picture or list item a value chooses and how a field's text is read.

// The rows a bar of the given height paints for its range and value. Row y(v) of value v is
// (maximum - v) * height / (maximum - minimum), truncated toward zero: the maximum at the top
// edge (row 0), the minimum at the bottom edge (row height). Computed wide, so any 32-bit range
// and value is safe; rows far outside the bar are pulled in to just beyond its edges, which the
// drawing clips anyway.
struct SBarRows {
    bool m_hasRange = false; // false when minimum == maximum: background and frame only
    // Rows m_fillTop .. m_fillBottom - 1 get the value's colour; empty when top >= bottom.
    std::int32_t m_fillTop = 0;
    std::int32_t m_fillBottom = 0;
    bool m_positive = false; // red for a value above 0, blue otherwise
    bool m_zeroLine = false; // drawn only when the range reaches below 0
    std::int32_t m_zeroRow = 0;
};
SBarRows ComputeBarRows(std::int32_t minimum, std::int32_t maximum, std::int32_t value,
                        std::int32_t height);

// A slider's range as the control keeps it: a maximum below the minimum is raised to it.
struct SSliderRange {
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
};
SSliderRange MakeSliderRange(std::int32_t minimum, std::int32_t maximum);
// The slider's position is the display value itself in both orientations (a vertical slider
// has its maximum at the top, so 30 of 0..100 stands 30 % of the way up), pulled into the
// range: a value outside it takes the nearest end, which the tick's read-back then writes.
std::int32_t SliderPositionForValue(const SSliderRange& range, std::int32_t value);

// The picture a SwitchImage shows for a value: below 0 the first, beyond the last the last;
// -1 (nothing) when it has no pictures.
std::int32_t ClampSwitchIndex(std::int32_t value, std::int32_t imageCount);

// A combo's box has the height its font gives it; its configured height plus this many pixels
// is the room its open list may take.
constexpr std::int32_t COMBO_LIST_ROOM = 80;

// The list position a combo selects for a display value: the last item with that value, -1
// when none has it (the selection then stays as it is).
int FindLastItemWithValue(const std::int32_t* itemValues, int itemCount, std::int32_t value);

// The integer at the start of a field's text as "%d" reads it (ReadDecimalInt); whatever follows
// is ignored. None when no number starts the text.
std::optional<std::int32_t> ReadLeadingInteger(std::string_view text);
