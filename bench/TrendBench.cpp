// Trends. Goals: appending a sample 1 us; a redraw of eight series holding 60 minutes at five
// reports a second (144,000 samples) 10 ms; the trend window with that load 20 MiB.
#include "ConfigFixture.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "platform/Clock.h"
#include "trend/SampleRing.h"
#include "trend/TrendSampler.h"
#include "trend/TrendWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QSettings>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int SERIES = 8;
constexpr std::int64_t T0 = 1796674503000;
constexpr std::int64_t SAMPLES = 60 * 60 * 5;

class CManualClock final : public IClock {
public:
    std::int64_t NowMilliseconds() const override { return m_now.load(); }
    void Set(std::int64_t now) { m_now = now; }

private:
    std::atomic<std::int64_t> m_now{T0};
};

double ResidentMiB() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

std::string Parameters() {
    std::string parameters;
    for (int i = 0; i < SERIES; ++i) {
        parameters += "<P Id=\"" + std::to_string(10 + i) + "\" Name=\"Value " + std::to_string(i) +
                      "\" Minimum=\"-1000\" Maximum=\"1000\"/>";
    }
    return parameters;
}

void BM_RingAppend(benchmark::State& state) {
    CSampleRing ring;
    std::int64_t time = T0;
    for (auto _ : state) {
        time += 200;
        ring.Append(time, static_cast<std::int32_t>(time & 1023));
    }
    benchmark::DoNotOptimize(ring.Size());
}
BENCHMARK(BM_RingAppend);

// What the reader thread pays per device report: the time stamp and the queue's append.
void BM_SamplerAppend(benchmark::State& state) {
    const CConfigFixture fixture(MakeConfigXml(Parameters()));
    CTrendSampler sampler(fixture.Config(), CSystemClock::Instance());
    CRegisterValue value(SOURCE_DEVICE, 10, 5);
    int count = 0;
    for (auto _ : state) {
        sampler.OnParameterChanged(value);
        if (++count == 1000) {
            state.PauseTiming();
            count = 0;
            benchmark::DoNotOptimize(sampler.Take());
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SamplerAppend);

// The window with eight series of 60 minutes, filled through the store as the device would.
struct SLoadedWindow {
    SLoadedWindow() {
        m_before = ResidentMiB();
        m_window = std::make_unique<CTrendWindow>(m_fixture.Config(), m_clock, &m_settings);
        for (int i = 0; i < SERIES; ++i) {
            m_window->SetChosen(10 + i, true);
        }
        for (std::int64_t n = 1; n <= SAMPLES; ++n) {
            m_clock.Set(T0 + n * 200);
            for (int i = 0; i < SERIES; ++i) {
                CRegisterValue change(SOURCE_DEVICE, 10 + i,
                                      static_cast<double>((n * (i + 3)) % 2000 - 1000));
                m_fixture.Config().Update(change);
            }
            if (n % 50 == 0) {
                m_window->OnTick(); // hidden: samples only
            }
        }
        m_window->show();
        m_window->findChild<QComboBox*>(QStringLiteral("trendSpan"))->setCurrentIndex(3);
        m_window->Redraw();
        m_chartView = m_window->findChild<QChartView*>(QStringLiteral("trendChart"));
        benchmark::DoNotOptimize(m_chartView->grab());
        m_after = ResidentMiB();
    }

    CConfigFixture m_fixture{MakeConfigXml(Parameters())};
    QSettings m_settings{QString::fromStdString(m_fixture.Dir().Path() + "settings.ini"),
                         QSettings::IniFormat};
    CManualClock m_clock;
    std::unique_ptr<CTrendWindow> m_window;
    QChartView* m_chartView = nullptr;
    double m_before = 0;
    double m_after = 0;
};

SLoadedWindow& Loaded() {
    static SLoadedWindow s_loaded;
    return s_loaded;
}

// The series rebuilt from the rings, as each tick does.
void BM_Redraw8x60MinutesFull(benchmark::State& state) {
    SLoadedWindow& loaded = Loaded();
    for (auto _ : state) {
        loaded.m_window->Redraw();
    }
    state.counters["window_MiB"] = loaded.m_after - loaded.m_before;
}
BENCHMARK(BM_Redraw8x60MinutesFull)->Unit(benchmark::kMillisecond);

// The same followed by painting the chart, as the screen would get it.
void BM_RedrawAndPaint8x60MinutesFull(benchmark::State& state) {
    SLoadedWindow& loaded = Loaded();
    for (auto _ : state) {
        loaded.m_window->Redraw();
        benchmark::DoNotOptimize(loaded.m_chartView->grab());
    }
}
BENCHMARK(BM_RedrawAndPaint8x60MinutesFull)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // No display needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Loaded().m_window.reset();
    return 0;
}
