// The sampler, the per-register history and the CSV recorder.

#include "ConfigFixture.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "platform/Clock.h"
#include "trend/CsvRecorder.h"
#include "trend/SampleRing.h"
#include "trend/TrendPlot.h"
#include "trend/TrendSampler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <locale>
#include <thread>

namespace {

// 2026-12-07T20:15:03.000 in UTC.
constexpr std::int64_t T0 = 1796674503000;

class CSteppingClock final : public IClock {
public:
    std::int64_t NowMilliseconds() const override { return m_now += 10; }

private:
    mutable std::atomic<std::int64_t> m_now{T0};
};

const std::string PARAMETERS = "<P Id=\"11\" Name=\"Temp\" Minimum=\"-2000\" Maximum=\"2000\"/>"
                               "<P Id=\"14\" Name=\"Speed, max\" Minimum=\"0\" Maximum=\"100\"/>"
                               "<P Id=\"20\" Name=\"Other\"/>";

} // namespace

TEST(TrendSampler, StampsEveryAppliedChangeInOrderWithTheStoredValue) {
    const CConfigFixture fixture(MakeConfigXml(PARAMETERS));
    const CSteppingClock clock;
    CTrendSampler sampler(fixture.Config(), clock);
    for (const auto& [source, registerNumber, value] :
         std::vector<std::tuple<std::int32_t, std::int32_t, double>>{
             {SOURCE_DEVICE, 11, 2.5}, // rounded
             {SOURCE_PANEL, 14, 300},  // clamped, and the operator's own change counts
             {SOURCE_DEVICE, 55, 1},   // not declared: the store ignores it
             {SOURCE_DEVICE, 11, -1.5}}) {
        CRegisterValue change(source, registerNumber, value);
        fixture.Config().Update(change);
    }
    std::vector<std::tuple<std::int64_t, std::int32_t, std::int32_t>> taken;
    for (const STrendSample& sample : sampler.Take()) {
        taken.emplace_back(sample.m_timeMs, sample.m_register, sample.m_value);
    }
    EXPECT_EQ(taken, (decltype(taken){{T0 + 10, 11, 3}, {T0 + 20, 14, 100}, {T0 + 30, 11, -2}}));
    EXPECT_TRUE(sampler.Take().empty());
}

// Device reports on one thread, the operator's changes on another: the queue is never out of
// time order and loses nothing (run under TSan as well).
TEST(TrendSampler, TwoThreadsQueueInTimeOrder) {
    const CConfigFixture fixture(MakeConfigXml(PARAMETERS));
    CTrendSampler sampler(fixture.Config(), CSystemClock::Instance());
    constexpr int COUNT = 3000;
    const auto feed = [&fixture](std::int32_t registerNumber) {
        for (int i = 0; i < COUNT; ++i) {
            CRegisterValue change(SOURCE_DEVICE, registerNumber, i % 100);
            fixture.Config().Update(change);
        }
    };
    std::thread reader(feed, 11);
    std::size_t total = 0;
    std::int64_t last = 0;
    bool ordered = true;
    const auto drain = [&] {
        for (const STrendSample& sample : sampler.Take()) {
            ordered = ordered && sample.m_timeMs >= last;
            last = sample.m_timeMs;
            ++total;
        }
    };
    for (int i = 0; i < COUNT; ++i) {
        CRegisterValue change(SOURCE_PANEL, 14, i % 100);
        fixture.Config().Update(change);
        if (i % 500 == 0) {
            drain();
        }
    }
    reader.join();
    drain();
    EXPECT_TRUE(ordered);
    EXPECT_EQ(total, 2U * COUNT);
}

TEST(SampleRing, KeepsTimeOrderOnePointPerTickAndTheNewestWhenFull) {
    using Points = std::vector<std::pair<std::int64_t, std::int32_t>>;
    struct SRow {
        const char* m_what;
        std::size_t m_capacity;
        Points m_appended;
        Points m_kept;
    };
    const std::vector<SRow> rows = {
        {"one point per 200 ms tick, the last value of the tick",
         10,
         {{1000, 1}, {1100, 2}, {1199, 3}, {1200, 4}},
         {{1199, 3}, {1200, 4}}},
        {"a time before the newest point's is taken as the newest's",
         10,
         {{1000, 1}, {1400, 2}, {1300, 3}, {1700, 4}},
         {{1000, 1}, {1400, 3}, {1700, 4}}},
        {"a full ring drops the oldest",
         3,
         {{0, 1}, {200, 2}, {400, 3}, {600, 4}, {800, 5}},
         {{400, 3}, {600, 4}, {800, 5}}},
    };
    for (const SRow& row : rows) {
        CSampleRing ring(row.m_capacity);
        for (const auto& [time, value] : row.m_appended) {
            ring.Append(time, value);
        }
        Points kept;
        for (std::size_t i = 0; i < ring.Size(); ++i) {
            kept.emplace_back(ring.At(i).m_timeMs, ring.At(i).m_value);
        }
        EXPECT_EQ(kept, row.m_kept) << row.m_what;
    }
}

TEST(SampleRing, SixtyMinutesAtFiveReportsASecondFitAndAreFoundByTime) {
    CSampleRing ring;
    const std::int64_t count = 60 * 60 * 5;
    for (std::int64_t i = 0; i < count + 5; ++i) {
        ring.Append(T0 + i * 200, static_cast<std::int32_t>(i));
    }
    ASSERT_EQ(ring.Size(), static_cast<std::size_t>(count));
    EXPECT_EQ(ring.At(0).m_value, 5);
    EXPECT_EQ(ring.Latest().m_value, count + 4);
    EXPECT_EQ(ring.At(ring.LowerBound(T0 + 1000 * 200 + 1)).m_value, 1001);
    EXPECT_EQ(ring.LowerBound(T0 + (count + 5) * 200), ring.Size());
}

TEST(TrendPlot, PeaksSurviveThinningTheLineSpansTheWholeRangeAndScales) {
    CSampleRing ring;
    const std::vector<std::int32_t> values = {5, 1, 9, 3, 4, 4, 4, 4, 4, 7};
    for (std::size_t i = 0; i < values.size(); ++i) {
        ring.Append(static_cast<std::int64_t>(i) * 200, values[i]);
    }
    using Points = std::vector<std::pair<std::int64_t, std::int32_t>>;
    struct SRow {
        std::int64_t m_from;
        std::int64_t m_to;
        std::size_t m_buckets;
        Points m_points;
    };
    const std::vector<SRow> rows = {
        {200, 2000, 2, {{200, 1}, {400, 9}, {1200, 4}, {1800, 7}, {2000, 7}}},
        {100, 2000, 2, {{100, 5}, {200, 1}, {400, 9}, {1200, 4}, {1800, 7}, {2000, 7}}},
        {1900, 5000, 100, {{1900, 7}, {5000, 7}}},
        {-5000, -100, 100, {}},
    };
    for (const SRow& row : rows) {
        Points points;
        for (const SPlotPoint& point : PlotPoints(ring, row.m_from, row.m_to, row.m_buckets)) {
            points.emplace_back(point.m_timeMs, point.m_value);
        }
        EXPECT_EQ(points, row.m_points) << row.m_from << ".." << row.m_to;
    }
    EXPECT_DOUBLE_EQ(RangePercent(250, 0, 1000), 25.0);
    EXPECT_DOUBLE_EQ(RangePercent(-100, -100, 100), 0.0);
    EXPECT_DOUBLE_EQ(RangePercent(7, 10, 5), 50.0);
    EXPECT_EQ(AutoscaleRange(3, 3), std::make_pair(2.0, 4.0));
    EXPECT_EQ(AutoscaleRange(0, 200), std::make_pair(-10.0, 210.0));
}

class CsvRecorderTest : public ::testing::Test {
protected:
    CsvRecorderTest() {
        setenv("TZ", "UTC", 1);
        tzset();
    }

    std::vector<STrendColumn> Columns(const std::vector<std::int32_t>& registers) {
        std::vector<std::int32_t> unknown;
        auto columns = TrendColumns(m_fixture.Config(), registers, unknown);
        EXPECT_TRUE(unknown.empty());
        return columns;
    }

    CConfigFixture m_fixture{MakeConfigXml(PARAMETERS)};
    std::string m_path = m_fixture.Dir().Path() + "values.csv";
};

// Each tick's samples, then the tick at T0 + 200 ms * (its index + 1).
TEST_F(CsvRecorderTest, WritesARowOnlyForTicksThatChangedARecordedValue) {
    using Tick = std::vector<std::pair<std::int32_t, std::int32_t>>;
    struct SRow {
        const char* m_what;
        std::vector<Tick> m_ticks;
        std::string m_rows;
    };
    const std::string first = "2026-12-07T20:15:03.200,";
    const std::vector<SRow> rows = {
        {"nothing reported yet: no row, not even the starting values", {{}, {{20, 5}}}, ""},
        {"the first report writes a row even without a change, with the other column's value",
         {{{14, 0}}},
         first + "7,0\n"},
        {"the last value of a tick counts; back where it was is no change",
         {{{11, 1}, {11, 8}}, {{11, 3}, {11, 8}}, {{14, 9}}},
         first + "8,0\n2026-12-07T20:15:03.600,8,9\n"},
        {"negative and large values, no grouping",
         {{{11, -1234}, {14, 100}}, {{11, 2000}}},
         first + "-1234,100\n2026-12-07T20:15:03.400,2000,100\n"},
    };
    for (const SRow& row : rows) {
        CCsvRecorder recorder;
        ASSERT_TRUE(recorder.Open(m_path, Columns({11, 14}), {7, 0})) << recorder.GetError();
        for (std::size_t i = 0; i < row.m_ticks.size(); ++i) {
            std::vector<STrendSample> samples;
            for (const auto& [registerNumber, value] : row.m_ticks[i]) {
                samples.push_back(STrendSample{0, registerNumber, value});
            }
            recorder.Add(samples);
            ASSERT_TRUE(recorder.Tick(T0 + 200 * static_cast<std::int64_t>(i + 1)));
        }
        EXPECT_EQ(ReadAll(m_path), "time,Temp (R11),\"Speed, max (R14)\"\n" + row.m_rows)
            << row.m_what;
    }
}

// A German user's program: comma as decimal point and dot as thousands separator in the C++
// global locale, which a stream would pick up.
TEST_F(CsvRecorderTest, NumbersAndTimeIgnoreTheLocale) {
    struct SGerman final : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale(), new SGerman));
    CCsvRecorder recorder;
    ASSERT_TRUE(recorder.Open(m_path, Columns({11}), {0}));
    recorder.Add({STrendSample{0, 11, 1500}});
    ASSERT_TRUE(recorder.Tick(T0 + 1005));
    recorder.Close();
    std::locale::global(previous);
    EXPECT_EQ(ReadAll(m_path), "time,Temp (R11)\n2026-12-07T20:15:04.005,1500\n");
}

// One on a full disk is refused as well: the window's tests.
TEST_F(CsvRecorderTest, AFileThatCannotBeCreatedIsRefused) {
    const std::string path = m_fixture.Dir().Path() + "missing/values.csv";
    CCsvRecorder recorder;
    EXPECT_FALSE(recorder.Open(path, Columns({11}), {0}));
    EXPECT_FALSE(recorder.IsOpen());
    EXPECT_EQ(recorder.GetError(), "Cannot write " + path + ": No such file or directory");
}

TEST(TrendColumns, RegisterListsAndUndeclaredRegisters) {
    const CConfigFixture fixture(MakeConfigXml(PARAMETERS));
    struct SRow {
        std::string m_text;
        std::optional<std::vector<std::int32_t>> m_registers;
        std::vector<std::int32_t> m_unknown;
    };
    const std::vector<SRow> rows = {
        {"11,14", std::vector<std::int32_t>{11, 14}, {}},
        {" 14 , 11,14", std::vector<std::int32_t>{14, 11}, {}},
        {"11,99,-3", std::vector<std::int32_t>{11, 99, -3}, {99, -3}},
        {"", std::nullopt, {}},
        {"11,", std::nullopt, {}},
        {"11;14", std::nullopt, {}},
        {"1x", std::nullopt, {}},
    };
    for (const SRow& row : rows) {
        const auto registers = ParseRegisterList(row.m_text);
        EXPECT_EQ(registers, row.m_registers) << row.m_text;
        if (!registers) {
            continue;
        }
        std::vector<std::int32_t> unknown;
        const auto columns = TrendColumns(fixture.Config(), *registers, unknown);
        EXPECT_EQ(unknown, row.m_unknown) << row.m_text;
        EXPECT_EQ(columns.size() + unknown.size(), registers->size());
    }
}
