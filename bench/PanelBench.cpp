// The panel view on a page of 300 controls of mixed types, each with an input formula of about
// 20 tokens over the registers: a refresh tick with nothing changed and with every value
// changed, and building the page. Goals: 0.5 ms, 5 ms and 100 ms (medians). Painting the
// whole page is measured beside them.
#include "BmpWriter.h"
#include "ConfigFixture.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "graphics/ButtonImageCache.h"
#include "panel/PanelView.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int CONTROLS = 300;
constexpr int REGISTERS = 100;

std::string Reg(int n) {
    return "R" + std::to_string(1 + n % REGISTERS);
}

// 22 tokens, each control over registers of its own.
std::string InputFormula(int i) {
    return "(" + Reg(i) + " + " + Reg(i + 1) + " * 3 - " + Reg(i + 2) + ") / 2 + if(" + Reg(i + 3) +
           " > 5, " + Reg(i + 4) + ", " + Reg(i + 5) + ") - " + Reg(i + 6);
}

std::string ControlXml(int i) {
    static const char* const s_types[] = {"Bar",    "Label",       "Check", "Combo",  "Field",
                                          "Slider", "SwitchImage", "Panel", "Button", "Bar"};
    const std::string type = s_types[i % 10];
    std::string xml = "<UI_OBJECT Type=\"" + type + "\"><POSITION x=\"" +
                      std::to_string(i % 15 * 21) + "\" y=\"" + std::to_string(i / 15 * 12) +
                      "\" Width=\"20\" Height=\"11\"/><TEXT Value=\"Control " + std::to_string(i) +
                      "\"/><SETTINGS Minimum=\"-100\" Maximum=\"100\"/>";
    if (type == "Combo" || type == "SwitchImage") {
        xml += "<ITEMS>";
        for (int item = 0; item < 5; ++item) {
            xml += "<ITEM Name=\"pic" + std::to_string(item % 2) + ".bmp\" Value=\"" +
                   std::to_string(item) + "\"/>";
        }
        xml += "</ITEMS>";
    }
    if (type == "Panel" || type == "Button") {
        xml += "<IMAGE Path=\"pic" + std::to_string(i % 2) + ".bmp\"/>";
    }
    xml += "<PARAMETER><EINGANG><F Berechnung=\"" + InputFormula(i) +
           "\"/></EINGANG><AUSGANG><FORMEL Berechnung=\"x\" Register=\"" +
           std::to_string(1 + i % REGISTERS) + "\"/></AUSGANG></PARAMETER></UI_OBJECT>";
    return xml;
}

std::string ConfigXml() {
    std::string parameters;
    for (int id = 1; id <= REGISTERS; ++id) {
        parameters += "<P Id=\"" + std::to_string(id) +
                      "\" Value=\"0\" Minimum=\"-100000\" Maximum=\"100000\"/>";
    }
    std::string page = "<UI_OBJECT Name=\"Big\"><IMAGE Path=\"back.bmp\"/>";
    for (int i = 0; i < CONTROLS; ++i) {
        page += ControlXml(i);
    }
    page += "</UI_OBJECT><UI_OBJECT Name=\"Empty\"/>";
    return MakeConfigXml(parameters, page);
}

std::string Picture(int width, int height, std::uint32_t seed) {
    SBmpLayout layout;
    layout.m_width = width;
    layout.m_height = height;
    layout.m_pixel = [seed](int x, int y) {
        return (static_cast<std::uint32_t>(x * 31 + y * 17) * 2654435761u) ^ seed;
    };
    return MakeBmp(layout);
}

// One application, store and view for every benchmark.
struct SPanel {
    SPanel() : m_fixture(ConfigXml()) {
        m_fixture.Dir().Write("back.bmp", Picture(320, 240, 1));
        m_fixture.Dir().Write("pic0.bmp", Picture(16, 8, 2));
        m_fixture.Dir().Write("pic1.bmp", Picture(16, 8, 3));
        m_view = std::make_unique<CPanelView>(m_fixture.Config());
        m_view->resize(320, 240);
        m_view->show();
    }

    CConfigFixture m_fixture;
    std::unique_ptr<CPanelView> m_view;
};

SPanel& Panel() {
    static SPanel s_panel;
    return s_panel;
}

void ChangeEveryValue(CConfiguration& config, int round) {
    for (int id = 1; id <= REGISTERS; ++id) {
        CRegisterValue change(SOURCE_DEVICE, id, (round * 7 + id) % 50 - 25);
        config.Update(change);
    }
}

void BM_RefreshNothingChanged(benchmark::State& state) {
    SPanel& panel = Panel();
    panel.m_view->ShowPage(0);
    panel.m_view->RefreshControls();
    panel.m_view->RefreshControls();
    for (auto _ : state) {
        panel.m_view->RefreshControls();
    }
}
BENCHMARK(BM_RefreshNothingChanged)->Unit(benchmark::kMicrosecond);

void BM_RefreshEveryValueChanged(benchmark::State& state) {
    SPanel& panel = Panel();
    panel.m_view->ShowPage(0);
    panel.m_view->RefreshControls();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ChangeEveryValue(panel.m_fixture.Config(), ++round);
        state.ResumeTiming();
        // Works off the 100 queued changes and pushes every control's new value.
        panel.m_view->RefreshControls();
    }
}
BENCHMARK(BM_RefreshEveryValueChanged)->Unit(benchmark::kMicrosecond);

// The refresh does not paint; Qt repaints later. An upper bound of that: the whole page drawn.
void BM_PaintWholePage(benchmark::State& state) {
    SPanel& panel = Panel();
    panel.m_view->ShowPage(0);
    panel.m_view->RefreshControls();
    for (auto _ : state) {
        benchmark::DoNotOptimize(panel.m_view->grab());
    }
}
BENCHMARK(BM_PaintWholePage)->Unit(benchmark::kMillisecond);

void BM_ShowPage(benchmark::State& state) {
    SPanel& panel = Panel();
    for (auto _ : state) {
        state.PauseTiming();
        panel.m_view->ShowPage(1);
        state.ResumeTiming();
        // Tears nothing down (page 1 is empty): reads the background and builds 300 controls.
        panel.m_view->ShowPage(0);
    }
}
BENCHMARK(BM_ShowPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // No display needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Panel().m_view.reset();
    ClearButtonImageCache();
    return 0;
}
