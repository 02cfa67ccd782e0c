// 200 acknowledged writes through the serial link to the simulated device at its paced
// 9600 baud, beside the pure wire time of the bytes involved (10 bit times a byte, both
// directions). The link's own overhead is the difference; the goal is at most 1.2 times the
// wire time.
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "SimulatorThread.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "link/SerialLink.h"
#include "link/WireProtocol.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int WRITES = 200;
constexpr double BAUD = 9600.0;

void AcknowledgedWrites(benchmark::State& state) {
    const CConfigFixture fixture(MakeConfigXml(
        "<P Id=\"12\" Value=\"0\" Minimum=\"-100000\" Maximum=\"100000\" SendSerial=\"true\"/>"));
    const CFakeMessageService messages;
    CDeviceModel model;
    model.LoadFrom(fixture.Config());
    SSimulatorOptions options;
    options.m_baud = static_cast<unsigned>(BAUD);
    options.m_reportInterval = std::chrono::milliseconds(0); // only acknowledgements come back
    CSimulatorThread device(model, options);
    SSerialLinkTiming timing;
    timing.m_closePause = std::chrono::milliseconds(0);
    CSerialLink link(device.SlavePath(), timing);
    if (!link.IsPortOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }

    double wireBytes = 0.0;
    for (int i = 0; i < WRITES; ++i) {
        const std::int32_t value = (i * 37) % 20000 - 10000;
        wireBytes += static_cast<double>(BuildWriteRegisterMessage(12, value).size() +
                                         BuildRegisterLine('B', 12, value).size() + 2);
    }
    const double wireSeconds = wireBytes * 10.0 / BAUD;

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < WRITES; ++i) {
            CRegisterValue change(SOURCE_PANEL, 12, (i * 37) % 20000 - 10000);
            fixture.Config().Update(change);
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["wire_ms"] = wireSeconds * 1000.0;
        state.counters["ratio"] = seconds / wireSeconds;
        state.counters["bytes"] = wireBytes;
    }
    state.counters["timeouts"] = static_cast<double>(messages.Messages().size());
}

} // namespace

BENCHMARK(AcknowledgedWrites)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
