// Parameter sets of 200 parameters: saving and loading without a device (goal: at most 5 ms
// each), and loading 200 values that go to the simulated device at its paced 9600 baud, each
// acknowledged before the next, beside the pure wire time of the bytes involved (10 bit times a
// byte, both directions; goal: at most 1.2 times the wire time). Comparing the largest file
// a comparison accepts (1 MiB of short elements) with the store, read and compared (goal: at
// most 250 ms, so that the window the comparison opens from does not freeze).
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "PacedDevice.h"
#include "config/Configuration.h"
#include "paramsets/ParameterSetFile.h"
#include "paramsets/ParameterSetLoadHost.h"
#include "paramsets/SetupComparison.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int PARAMETERS = 200;

// Registers 100.. with values that need one to six digits; every parameter is saved, loaded
// and, with a device, sent.
std::string ConfigXml() {
    std::string parameters;
    for (int i = 0; i < PARAMETERS; ++i) {
        parameters += "<P Id=\"" + std::to_string(100 + i) + "\" Value=\"" +
                      std::to_string((i * 4099) % 200000 - 100000) +
                      "\" Minimum=\"-100000\" Maximum=\"100000\" SendSerial=\"true\" "
                      "SetOnLoad=\"true\" ReadOnSave=\"true\"/>";
    }
    return MakeConfigXml(parameters);
}

class CNoHost final : public IParameterSetLoadHost {
public:
    void OnValueApplied(const CRegisterValue&, int) override {}
    void OnElementDone() override {}
};

int Load(CConfiguration& configuration, const std::string& path) {
    std::vector<SParameterSetEntry> entries;
    ReadParameterSet(path, entries);
    CNoHost host;
    return ApplyParameterSet(configuration, entries, host);
}

void Save200(benchmark::State& state) {
    const CConfigFixture fixture(ConfigXml());
    const std::string path = fixture.Dir().Path() + "set.tnv";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveParameterSet(fixture.Config(), path));
    }
}

void Load200(benchmark::State& state) {
    const CConfigFixture fixture(ConfigXml());
    const std::string path = fixture.Dir().Path() + "set.tnv";
    SaveParameterSet(fixture.Config(), path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Load(fixture.Config(), path));
    }
}

void Load200ToDevice(benchmark::State& state) {
    const CConfigFixture fixture(ConfigXml());
    const CFakeMessageService messages;
    const std::string path = fixture.Dir().Path() + "set.tnv";
    SaveParameterSet(fixture.Config(), path);
    const CPacedDevice device(fixture.Config());
    if (!device.IsOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double wireSeconds = 0.0;
    for (int i = 0; i < PARAMETERS; ++i) {
        const CParameter* parameter = fixture.Config().GetParameter(i);
        wireSeconds += CPacedDevice::WireSeconds(parameter->GetId(), parameter->GetValue());
    }

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int count = Load(fixture.Config(), path);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["values"] = count;
        state.counters["wire_ms"] = wireSeconds * 1000.0;
        state.counters["ratio"] = seconds / wireSeconds;
    }
    state.counters["timeouts"] = static_cast<double>(messages.Messages().size());
}

// Short elements over the 200 registers and beyond, up to the size limit.
void CompareLargest(benchmark::State& state) {
    const CConfigFixture fixture(ConfigXml());
    std::string text = "<REGISTER>";
    int elements = 0;
    for (;; ++elements) {
        const std::string element = "<V Register=\"" + std::to_string(100 + elements % 300) +
                                    "\" Value=\"" + std::to_string(elements % 1000) + "\"/>";
        if (text.size() + element.size() + 11 > MAX_COMPARED_FILE_BYTES) {
            break;
        }
        text += element;
    }
    text += "</REGISTER>";
    const std::string path = fixture.Dir().Write("big.tnv", text);
    for (auto _ : state) {
        std::vector<SParameterSetEntry> entries;
        ReadParameterSetToCompare(path, entries);
        benchmark::DoNotOptimize(CompareParameterSet(fixture.Config(), entries));
    }
    state.counters["elements"] = elements;
}

} // namespace

BENCHMARK(CompareLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(Save200)->Unit(benchmark::kMillisecond);
BENCHMARK(Load200)->Unit(benchmark::kMillisecond);
BENCHMARK(Load200ToDevice)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
