#include "panel/ControlRules.h"
#include "panel/ControlType.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();

} // namespace

TEST(ControlRules, BarRows) {
    struct SCase {
        std::int32_t m_minimum, m_maximum, m_value, m_height;
        bool m_positive;
        std::int32_t m_top, m_bottom; // fill rows top..bottom-1
        bool m_zeroLine;
        std::int32_t m_zeroRow;
    };
    // -50..50 with 25 and -10 are drawn in the view's tests.
    const std::array<SCase, 6> cases{{
        {0, 100, 0, 100, false, 100, 100, false, 100},
        {0, 100, 100, 100, true, 0, 100, false, 100},
        // Beyond the maximum the fill starts above the top edge and is clipped there.
        {0, 100, 150, 100, true, -1, 100, false, 100},
        // Truncation toward zero: 2 * 10 / 3 = 6.
        {0, 3, 1, 10, true, 6, 10, false, 10},
        // The full 32-bit range neither overflows nor loses the zero row.
        {INT_MIN32, INT_MAX32, INT_MAX32, 100, true, 0, 49, true, 49},
        {INT_MIN32, INT_MAX32, INT_MIN32, 1000, false, 499, 1000, true, 499},
    }};
    for (const SCase& c : cases) {
        const SBarRows rows = ComputeBarRows(c.m_minimum, c.m_maximum, c.m_value, c.m_height);
        SCOPED_TRACE(std::to_string(c.m_minimum) + ".." + std::to_string(c.m_maximum) + " value " +
                     std::to_string(c.m_value));
        EXPECT_TRUE(rows.m_hasRange);
        EXPECT_EQ(rows.m_positive, c.m_positive);
        EXPECT_EQ(rows.m_fillTop, c.m_top);
        EXPECT_EQ(rows.m_fillBottom, c.m_bottom);
        EXPECT_EQ(rows.m_zeroLine, c.m_zeroLine);
        EXPECT_EQ(rows.m_zeroRow, c.m_zeroRow);
    }
    // An empty range has no rows at all (it would divide by zero).
    EXPECT_FALSE(ComputeBarRows(7, 7, 7, 100).m_hasRange);
    EXPECT_FALSE(ComputeBarRows(INT_MIN32, INT_MIN32, INT_MAX32, 100).m_hasRange);
}

TEST(ControlRules, SliderPosition) {
    const SSliderRange range = MakeSliderRange(0, 100);
    EXPECT_EQ(SliderPositionForValue(range, 30), 30);
    EXPECT_EQ(SliderPositionForValue(range, 130), 100);
    EXPECT_EQ(SliderPositionForValue(range, -5), 0);
    // A maximum below the minimum leaves the minimum as the only position.
    EXPECT_EQ(SliderPositionForValue(MakeSliderRange(10, 5), 0), 10);
}

TEST(ControlRules, SwitchIndexComboSelectionAndType) {
    const std::array<std::array<std::int32_t, 3>, 7> clamps{
        {{-4, 3, 0}, {7, 3, 2}, {1, 3, 1}, {2, 3, 2}, {0, 1, 0}, {5, 0, -1}, {INT_MIN32, 0, -1}}};
    for (const auto& [value, count, expected] : clamps) {
        EXPECT_EQ(ClampSwitchIndex(value, count), expected) << value << " of " << count;
    }

    const std::array<std::int32_t, 3> values{1, 2, 2};
    EXPECT_EQ(FindLastItemWithValue(values.data(), 3, 2), 2);
    EXPECT_EQ(FindLastItemWithValue(values.data(), 3, 1), 0);
    EXPECT_EQ(FindLastItemWithValue(values.data(), 3, 5), -1);
    EXPECT_EQ(FindLastItemWithValue(values.data(), 0, 1), -1);

    EXPECT_EQ(ParseControlType("SwitchImage"), EControlType::SwitchImage);
    EXPECT_EQ(ParseControlType("TsView"), EControlType::TsView);
    EXPECT_EQ(ParseControlType("button"), EControlType::None);
    EXPECT_EQ(ParseControlType("Button "), EControlType::None);
    EXPECT_EQ(ParseControlType(nullptr), EControlType::None);
}
