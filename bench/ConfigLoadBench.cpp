// Loading a configuration as large as the tables allow, beside TinyXML's bare parse of the same
// file: building the records should add at most half again to the parse.
#include "BenchSupport.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "config/XmlFile.h"

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include <string>

namespace {

const CTempDir& Dir() {
    static const CTempDir s_dir;
    static const std::string s_path = s_dir.Write("config.xml", MaximalConfig());
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

} // namespace

int main(int argc, char** argv) {
    KeepFreedHeap();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
