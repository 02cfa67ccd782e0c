#include "ConfigFixture.h"
#include "FakePanelHost.h"
#include "PanelXml.h"
#include "config/Configuration.h"
#include "panel/PanelController.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

// The serial reader thread updates the store, page requests among its changes, while the
// user-interface thread refreshes and switches pages; then the panel unregisters while the
// reader still runs. Run under ThreadSanitizer, this checks the queue's and the listener
// table's locking.
TEST(PanelThread, ReaderUpdatesWhileTheUserInterfaceSwitchesPages) {
    const std::string pages = Page(Control("Bar", Input("R1 + R2"))) +
                              Page(Control("Bar", Input("R1")) + Control("Field", Input("R2"))) +
                              Page(Control("Label", ""));
    const CConfigFixture fixture(
        MakeConfigXml(Parameter(1) + Parameter(2) + Parameter(997, 0, 2), pages));
    CConfiguration& config = fixture.Config();
    CFakeHost host;
    auto controller = std::make_unique<CPanelController>(config, host);
    config.AddListener(controller.get());
    controller->ShowPage(0);

    std::atomic<bool> stop{false};
    std::thread reader([&] {
        for (int n = 0; !stop.load(); ++n) {
            // Every third change asks for the next page: 0, 1, 2, 0, ...
            CRegisterValue value = n % 3 == 0 ? CRegisterValue(SOURCE_DEVICE, 997, (n / 3) % 3)
                                              : CRegisterValue(SOURCE_DEVICE, 1 + n % 2, n);
            config.Update(value);
        }
    });

    // Until enough requests have crossed over from the reader, within a generous bound.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int switchedByRequest = 0;
    for (int tick = 0; switchedByRequest < 100 && std::chrono::steady_clock::now() < deadline;
         ++tick) {
        const int built = host.m_pagesShown;
        controller->RefreshControls();
        switchedByRequest += host.m_pagesShown - built;
        if (tick % 7 == 0) {
            controller->ShowPage(tick % 3);
        }
    }
    // Removed while the reader still runs, and freed at once: a late call would touch freed
    // memory, which the sanitizers report.
    config.RemoveListener(controller.get());
    controller.reset();
    stop.store(true);
    reader.join();

    EXPECT_GE(switchedByRequest, 100);
}
