// 200 acknowledged writes through the serial link to the simulated device at its paced
// 9600 baud, beside the pure wire time of the bytes involved (10 bit times a byte, both
// directions). The link's own overhead is the difference; the goal is at most 1.2 times the
// wire time. The same with the traffic log on: its goal is at most 1.02 times the time
// without it.
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "PacedDevice.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int WRITES = 200;

void AcknowledgedWrites(benchmark::State& state) {
    const CConfigFixture fixture(MakeConfigXml(
        "<P Id=\"12\" Value=\"0\" Minimum=\"-100000\" Maximum=\"100000\" SendSerial=\"true\"/>"));
    const CFakeMessageService messages;
    const bool logged = state.range(0) != 0;
    const CPacedDevice device(fixture.Config(),
                              logged ? fixture.Dir().Path() + "log" : std::string());
    if (!device.IsOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double wireSeconds = 0.0;
    for (int i = 0; i < WRITES; ++i) {
        wireSeconds += CPacedDevice::WireSeconds(12, (i * 37) % 20000 - 10000);
    }

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
    }
    state.counters["timeouts"] = static_cast<double>(messages.Messages().size());
}

} // namespace

BENCHMARK(AcknowledgedWrites)
    ->ArgName("log")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
