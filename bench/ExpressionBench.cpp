// The panel's refresh workload: 300 formulas of the shapes config.xml files use, each parsed
// from its text every time, evaluated with a fresh CExpressionParser as the panel view does.
// muParser does the same work (SetExpr + Eval from text, registers bound as variables) side by
// side. Counters: time per formula and heap allocations per formula (counted by the replaced
// global operator new below).
//
// Goals: at most 0.5 us median for a formula of about 20 tokens, no allocation per evaluation,
// at least 20 times faster than muParser. After the benchmarks a summary prints the median of
// the per-formula times for both and their ratio.
#include "ConfigFixture.h"
#include "expr/ExpressionParser.h"
#include "expr/ExpressionScanner.h"

#include <benchmark/benchmark.h>

#ifdef TARNEL_BENCH_MUPARSER
#include <muParser.h>
#endif

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::uint64_t> s_allocations{0};

} // namespace

void* operator new(std::size_t size) {
    s_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size != 0 ? size : 1)) {
        return block;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t /*size*/) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t /*size*/) noexcept {
    std::free(block);
}

namespace {

constexpr int REGISTER_COUNT = 200;
constexpr double ENTERED_VALUE = 3.0; // the x of output formulas
constexpr int FORMULA_COUNT = 300;

double RegisterValue(int index) {
    return static_cast<double>((index * 37) % 255 - 100);
}

const CConfigFixture& Config() {
    static const CConfigFixture s_config([] {
        std::string parameters;
        for (int i = 0; i < REGISTER_COUNT; ++i) {
            parameters += "<P Id=\"" + std::to_string(i) + "\" Value=\"" +
                          std::to_string(static_cast<int>(RegisterValue(i))) +
                          "\" Minimum=\"-1000\" Maximum=\"1000\"/>";
        }
        return MakeConfigXml(parameters);
    }());
    return s_config;
}

struct SFormula {
    std::string m_text;
    int m_tokens = 0;
    bool m_usesX = false;
};

int CountTokens(const std::string& text) {
    CExpressionScanner scanner;
    scanner.Start(text.c_str());
    int count = 0;
    while (scanner.NextToken() && scanner.GetKind() != ETokenKind::None) {
        ++count;
    }
    return count;
}

// Shapes written so that both evaluators read them alike: comparisons stand alone or in
// parentheses (muParser ranks them below '+'), and no sign meets a '^'.
std::vector<SFormula> MakeWorkload() {
    static const char* const s_shapes[] = {
        "R{a}",
        "R{a} * 0.1",
        "R{a} * 0.1 + {k}",
        "(R{a} - {k}) / 10",
        "R{a} > {k}",
        "isBitSet(R{a}, {bit})",
        "SetBit(R{a}, x)",
        "SetBitValue(R{a}, {bit}, x)",
        "(x - {k}) / 2 + R{b} * 256",
        "if(R{a} > {k}, R{a} - {k}, 0)",
        "if(isBitSet(R{a}, {bit}), R{b} * 2 - 1, R{c} / 4)",
        "abs(R{a} - R{b}) * 0.5 + floor(R{c} / 10) - 1",
        "if((R{a} > {k}) * (R{b} < {k}), R{c} * 0.1 - 5, -1)",
        "sin(rad(R{a})) * 50 + cos(rad(R{b})) * 50 + 60",
        "(R{a} + R{b} + R{c}) / 3 + ClearBit(R{a}, {bit})",
    };
    std::vector<SFormula> formulas;
    for (int i = 0; static_cast<int>(formulas.size()) < FORMULA_COUNT; ++i) {
        std::string text = s_shapes[i % static_cast<int>(std::size(s_shapes))];
        const auto replace = [&text](const std::string& key, int value) {
            for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key)) {
                text.replace(at, key.size(), std::to_string(value));
            }
        };
        replace("{a}", (i * 7) % REGISTER_COUNT);
        replace("{b}", (i * 13 + 5) % REGISTER_COUNT);
        replace("{c}", (i * 29 + 11) % REGISTER_COUNT);
        replace("{k}", (i * 17) % 100);
        replace("{bit}", i % 16);
        formulas.push_back({text, CountTokens(text), text.find('x') != std::string::npos});
    }
    return formulas;
}

const std::vector<SFormula>& Workload() {
    static const std::vector<SFormula> s_formulas = MakeWorkload();
    return s_formulas;
}

// The formulas of about 20 tokens.
const std::vector<SFormula>& TwentyTokens() {
    static const std::vector<SFormula> s_formulas = [] {
        std::vector<SFormula> selected;
        for (const SFormula& formula : Workload()) {
            if (formula.m_tokens >= 17 && formula.m_tokens <= 23) {
                selected.push_back(formula);
            }
        }
        return selected;
    }();
    return s_formulas;
}

class CTarnelEngine {
public:
    static const char* Name() { return "Tarnel"; }
    double Evaluate(const SFormula& formula) {
        CExpressionParser parser;
        if (formula.m_usesX) {
            parser.SetVariable("x", ENTERED_VALUE);
        }
        return parser.Evaluate(formula.m_text.c_str());
    }
};

#ifdef TARNEL_BENCH_MUPARSER
double If(double condition, double yes, double no) {
    return static_cast<std::int64_t>(condition) != 0 ? yes : no;
}

std::uint32_t Bits(double value) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value + 0.5));
}

std::uint32_t Mask(double bit) {
    const std::uint32_t shift = Bits(bit) & 0xFFu;
    return shift < 32u ? 1u << shift : 0u;
}

double FromBits(std::uint32_t bits) {
    return static_cast<double>(static_cast<std::int32_t>(bits));
}

class CMuParserEngine {
public:
    static const char* Name() { return "muParser"; }
    CMuParserEngine() {
        for (int i = 0; i < REGISTER_COUNT; ++i) {
            m_registers[static_cast<std::size_t>(i)] = RegisterValue(i);
            m_parser.DefineVar("R" + std::to_string(i), &m_registers[static_cast<std::size_t>(i)]);
        }
        m_parser.DefineVar("x", &m_x);
        m_parser.DefineConst("pi", 3.141592653589793);
        m_parser.DefineFun("floor", static_cast<double (*)(double)>(std::floor));
        m_parser.DefineFun("rad", [](double v) { return v * 0.017453292519943295; });
        m_parser.DefineFun("if", If);
        m_parser.DefineFun("isBitSet", [](double v, double b) {
            return static_cast<std::int32_t>(Bits(v) & Mask(b)) > 0 ? 1.0 : 0.0;
        });
        m_parser.DefineFun("SetBit",
                           [](double v, double b) { return FromBits(Bits(v) | Mask(b)); });
        m_parser.DefineFun("ClearBit",
                           [](double v, double b) { return FromBits(Bits(v) & ~Mask(b)); });
        m_parser.DefineFun("SetBitValue", [](double v, double b, double s) {
            return FromBits(Bits(s) != 0 && static_cast<std::int32_t>(Bits(s)) > 0
                                ? Bits(v) | Mask(b)
                                : Bits(v) & ~Mask(b));
        });
    }
    double Evaluate(const SFormula& formula) {
        m_parser.SetExpr(formula.m_text);
        return m_parser.Eval();
    }

private:
    mu::Parser m_parser;
    std::array<double, REGISTER_COUNT> m_registers{};
    double m_x = ENTERED_VALUE;
};
#endif

template <class TEngine>
void RunFormulas(benchmark::State& state, const std::vector<SFormula>& formulas) {
    Config();
    TEngine engine;
    const std::uint64_t before = s_allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        for (const SFormula& formula : formulas) {
            benchmark::DoNotOptimize(engine.Evaluate(formula));
        }
    }
    const double evaluations =
        static_cast<double>(state.iterations()) * static_cast<double>(formulas.size());
    const std::uint64_t allocations = s_allocations.load(std::memory_order_relaxed) - before;
    state.counters["per_formula"] = benchmark::Counter(
        static_cast<double>(formulas.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_formula"] = static_cast<double>(allocations) / evaluations;
    state.counters["formulas"] = static_cast<double>(formulas.size());
}

template <class TEngine> void BM_Refresh(benchmark::State& state) {
    RunFormulas<TEngine>(state, Workload());
}

template <class TEngine> void BM_TwentyTokens(benchmark::State& state) {
    RunFormulas<TEngine>(state, TwentyTokens());
}

BENCHMARK_TEMPLATE(BM_Refresh, CTarnelEngine)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_TwentyTokens, CTarnelEngine)->Unit(benchmark::kMicrosecond);
#ifdef TARNEL_BENCH_MUPARSER
BENCHMARK_TEMPLATE(BM_Refresh, CMuParserEngine)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_TwentyTokens, CMuParserEngine)->Unit(benchmark::kMicrosecond);
#endif

// Median over formulas of each formula's time, each timed as the median of several batches.
template <class TEngine> double MedianNanoseconds(const std::vector<SFormula>& formulas) {
    constexpr int BATCHES = 7;
    constexpr int BATCH_SIZE = 200;
    TEngine engine;
    std::vector<double> perFormula;
    for (const SFormula& formula : formulas) {
        std::array<double, BATCHES> batches{};
        for (double& batch : batches) {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < BATCH_SIZE; ++i) {
                benchmark::DoNotOptimize(engine.Evaluate(formula));
            }
            const std::chrono::duration<double, std::nano> elapsed =
                std::chrono::steady_clock::now() - start;
            batch = elapsed.count() / BATCH_SIZE;
        }
        std::nth_element(batches.begin(), batches.begin() + BATCHES / 2, batches.end());
        perFormula.push_back(batches[BATCHES / 2]);
    }
    const auto middle = perFormula.begin() + static_cast<std::ptrdiff_t>(perFormula.size() / 2);
    std::nth_element(perFormula.begin(), middle, perFormula.end());
    return *middle;
}

void PrintSummary() {
    Config();
    const std::vector<SFormula>& all = Workload();
    const std::vector<SFormula>& twenty = TwentyTokens();
    double tokens = 0.0;
    for (const SFormula& formula : twenty) {
        tokens += formula.m_tokens;
    }
    std::printf("\nWorkload: %zu formulas; %zu of 17-23 tokens (mean %.1f tokens)\n", all.size(),
                twenty.size(), twenty.empty() ? 0.0 : tokens / static_cast<double>(twenty.size()));

    CTarnelEngine tarnel;
    std::uint64_t before = s_allocations.load();
    for (const SFormula& formula : all) {
        benchmark::DoNotOptimize(tarnel.Evaluate(formula));
    }
    std::printf("Tarnel heap allocations for the whole refresh: %llu\n",
                static_cast<unsigned long long>(s_allocations.load() - before));

    const double tarnelAll = MedianNanoseconds<CTarnelEngine>(all);
    const double tarnelTwenty = MedianNanoseconds<CTarnelEngine>(twenty);
    std::printf("%-10s median per formula: all %8.1f ns, ~20 tokens %8.1f ns\n", "Tarnel",
                tarnelAll, tarnelTwenty);
#ifdef TARNEL_BENCH_MUPARSER
    int differing = 0;
    CMuParserEngine muParser;
    for (const SFormula& formula : all) {
        const double ours = tarnel.Evaluate(formula);
        const double theirs = muParser.Evaluate(formula);
        if (std::fabs(ours - theirs) > 1e-9 * std::max(1.0, std::fabs(ours))) {
            if (differing++ < 5) {
                std::printf("  results differ: %s: %.17g vs %.17g\n", formula.m_text.c_str(), ours,
                            theirs);
            }
        }
    }
    const double muAll = MedianNanoseconds<CMuParserEngine>(all);
    const double muTwenty = MedianNanoseconds<CMuParserEngine>(twenty);
    std::printf("%-10s median per formula: all %8.1f ns, ~20 tokens %8.1f ns\n", "muParser", muAll,
                muTwenty);
    std::printf("Speed-up over muParser: all %.1fx, ~20 tokens %.1fx; formulas with differing "
                "results: %d\n",
                muAll / tarnelAll, muTwenty / tarnelTwenty, differing);
#endif
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
