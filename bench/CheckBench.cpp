// Checking a configuration as large as the tables allow, beside the program's own load of the
// same file: the check should take at most three times the load.
#include "BenchSupport.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "check/ConfigCheck.h"
#include "config/Configuration.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// With the pages' background, so that every picture and position check runs too.
const CTempDir& Dir() {
    static const CTempDir s_dir;
    [[maybe_unused]] static const bool s_written = [] {
        SBmpLayout background;
        background.m_width = 240;
        background.m_height = 320;
        s_dir.Write("back.bmp", MakeBmp(background));
        s_dir.Write("config.xml", MaximalConfig());
        return true;
    }();
    return s_dir;
}

void BM_ConfigurationLoad(benchmark::State& state) {
    const std::string path = Dir().Path() + "config.xml";
    for (auto _ : state) {
        auto configuration = CConfiguration::LoadFile(path);
        if (configuration == nullptr || configuration->GetPageCount() != 20) {
            state.SkipWithError("maximal configuration did not load");
            return;
        }
        benchmark::DoNotOptimize(configuration.get());
    }
}
BENCHMARK(BM_ConfigurationLoad)->Unit(benchmark::kMillisecond);

void BM_ConfigurationCheck(benchmark::State& state) {
    for (auto _ : state) {
        const SCheckResult result = CheckConfiguration(Dir().Path());
        if (!result.m_readable || !result.m_diagnostics.empty()) {
            state.SkipWithError("maximal configuration did not check clean");
            return;
        }
        benchmark::DoNotOptimize(result.m_diagnostics.data());
    }
}
BENCHMARK(BM_ConfigurationCheck)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    KeepFreedHeap();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
