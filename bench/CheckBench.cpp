// Checking a configuration as large as the tables allow, beside the program's own load of the
// same file: the check should take at most three times the load.
#include "BmpWriter.h"
#include "TempDir.h"
#include "check/ConfigCheck.h"
#include "config/Configuration.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <malloc.h>
#include <string>

namespace {

// The configuration benchmark's file: 200 parameters, 20 pages of 300 combos, each with four
// items, an input formula and two output formulas.
std::string MaximalConfig() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n<PARAMETER>\n";
    for (int i = 0; i < 200; ++i) {
        const std::string id = std::to_string(i);
        xml += "  <P" + id + " Name=\"Parameter " + id + "\" Id=\"" + id + "\" Value=\"" + id +
               "\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\" SetOnLoad=\"true\""
               " ReadOnSave=\"true\"/>\n";
    }
    xml += "</PARAMETER>\n";
    for (int p = 0; p < 20; ++p) {
        xml += "<UI_OBJECT Name=\"Page " + std::to_string(p) +
               "\">\n <IMAGE Path=\"back.gif\"/>\n <COLOR rgb=\"#C0C0C0\"/>\n";
        for (int c = 0; c < 300; ++c) {
            const std::string r = std::to_string(c % 200);
            xml += " <UI_OBJECT Type=\"Combo\">\n"
                   "  <POSITION x=\"" +
                   std::to_string(c % 240) + "\" y=\"" + std::to_string(c % 300) +
                   "\" Width=\"60\" Height=\"20\"/>\n"
                   "  <COLOR rgb=\"#FFFFFF\"/>\n  <TEXT Value=\"Control " +
                   r +
                   "\"/>\n"
                   "  <SETTINGS Minimum=\"0\" Maximum=\"100\" Nachfrage=\"true\"/>\n  <ITEMS>\n";
            for (int i = 0; i < 4; ++i) {
                xml += "   <ITEM Name=\"Item " + std::to_string(i) + "\" Value=\"" +
                       std::to_string(i) + "\"/>\n";
            }
            xml += "  </ITEMS>\n  <PARAMETER>\n   <EINGANG><F Berechnung=\"R" + r +
                   " * 2 + 1\"/></EINGANG>\n   <AUSGANG>\n"
                   "    <FORMEL Berechnung=\"(x - 1) / 2\" Register=\"" +
                   r +
                   "\"/>\n"
                   "    <FORMEL Berechnung=\"SetBit(R3, x)\" Register=\"3\"/>\n"
                   "   </AUSGANG>\n  </PARAMETER>\n </UI_OBJECT>\n";
        }
        xml += "</UI_OBJECT>\n";
    }
    return xml + "</ROOT>\n";
}

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
    // As in the configuration benchmark: keep glibc from handing the freed heap back to the
    // system after every iteration. TARNEL_BENCH_TRIM=1 keeps the trimming.
    const char* trim = std::getenv("TARNEL_BENCH_TRIM");
    if (trim == nullptr || std::string(trim) != "1") {
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
