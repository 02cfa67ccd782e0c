#include "panel/ControlRules.h"
#include "panel/ControlType.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>

constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();

TEST(ControlRules, BarRows) {
    const auto tie = [](const SBarRows& r) {
        return std::tie(r.m_hasRange, r.m_fillTop, r.m_fillBottom, r.m_positive, r.m_zeroLine,
                        r.m_zeroRow);
    };
    struct SCase {
        std::int32_t m_minimum, m_maximum, m_value, m_height;
        SBarRows m_rows; // has range, fill rows top..bottom-1, positive, zero line, its row
    };
    // -50..50 with 25 and -10 are drawn in the view's tests.
    const std::array<SCase, 8> cases{{
        {0, 100, 0, 100, {true, 100, 100, false, false, 100}},
        {0, 100, 100, 100, {true, 0, 100, true, false, 100}},
        // Beyond the maximum the fill starts above the top edge and is clipped there.
        {0, 100, 150, 100, {true, -1, 100, true, false, 100}},
        // Truncation toward zero: 2 * 10 / 3 = 6.
        {0, 3, 1, 10, {true, 6, 10, true, false, 10}},
        // The full 32-bit range neither overflows nor loses the zero row.
        {INT_MIN32, INT_MAX32, INT_MAX32, 100, {true, 0, 49, true, true, 49}},
        {INT_MIN32, INT_MAX32, INT_MIN32, 1000, {true, 499, 1000, false, true, 499}},
        // An empty range has no rows at all (it would divide by zero).
        {7, 7, 7, 100, {}},
        {INT_MIN32, INT_MIN32, INT_MAX32, 100, {}},
    }};
    for (const SCase& c : cases) {
        EXPECT_EQ(tie(ComputeBarRows(c.m_minimum, c.m_maximum, c.m_value, c.m_height)),
                  tie(c.m_rows))
            << c.m_minimum << ".." << c.m_maximum << " value " << c.m_value;
    }
}

TEST(ControlRules, SliderSwitchComboAndType) {
    const SSliderRange range = MakeSliderRange(0, 100);
    EXPECT_EQ(SliderPositionForValue(range, 130), 100);
    EXPECT_EQ(SliderPositionForValue(range, -5), 0);
    // A maximum below the minimum leaves the minimum as the only position.
    EXPECT_EQ(SliderPositionForValue(MakeSliderRange(10, 5), 0), 10);

    const std::array<std::array<std::int32_t, 3>, 7> clamps{
        {{-4, 3, 0}, {7, 3, 2}, {1, 3, 1}, {2, 3, 2}, {0, 1, 0}, {5, 0, -1}, {INT_MIN32, 0, -1}}};
    for (const auto& [value, count, expected] : clamps) {
        EXPECT_EQ(ClampSwitchIndex(value, count), expected) << value << " of " << count;
    }

    const std::array<std::int32_t, 3> values{1, 2, 2};
    // The last of equal values and no match are the view's tests.
    EXPECT_EQ(FindLastItemWithValue(values.data(), 3, 1), 0);
    EXPECT_EQ(FindLastItemWithValue(values.data(), 0, 1), -1);

    // Every known name makes its control in the panel's tests, "button" makes none there.
    EXPECT_EQ(ParseControlType("Button "), EControlType::None);
    EXPECT_EQ(ParseControlType(nullptr), EControlType::None);
}
