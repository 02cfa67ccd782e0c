// Loading a configuration as large as the tables allow, beside TinyXML's bare parse of the same
// file: building the records should add at most half again to the parse. Checking the same file
// should take at most three times the load.
#include "BenchSupport.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "check/ConfigCheck.h"
#include "config/Configuration.h"
#include "config/XmlFile.h"

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include <string>

namespace {

// With the pages' background, so that the checker's picture and position checks run too.
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

void BM_TinyXmlBareParse(benchmark::State& state) {
    const std::string path = Dir().Path() + "config.xml";
    for (auto _ : state) {
        TiXmlDocument document;
        benchmark::DoNotOptimize(document.LoadFile(path.c_str()));
    }
}
BENCHMARK(BM_TinyXmlBareParse)->Unit(benchmark::kMillisecond);

// Our reading of the file (depth guard, line ends, parse) without building any record.
void BM_XmlFileLoad(benchmark::State& state) {
    const std::string path = Dir().Path() + "config.xml";
    for (auto _ : state) {
        TiXmlDocument document;
        ETextEncoding encoding = ETextEncoding::Cp1252;
        benchmark::DoNotOptimize(LoadXmlFile(path, document, encoding));
    }
}
BENCHMARK(BM_XmlFileLoad)->Unit(benchmark::kMillisecond);

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
