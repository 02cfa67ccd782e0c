#include "ConfigFixture.h"
#include "FunctionListener.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

const std::string s_xml = MakeConfigXml("<P Id=\"1\" Value=\"0\" Minimum=\"-1000000\""
                                        " Maximum=\"1000000\"/>");

TEST(ListenerConcurrency, RemovedListenerIsNeverCalledAgain) {
    const CConfigFixture fixture(s_xml);
    CConfiguration& config = fixture.Config();
    std::atomic<bool> stop{false};
    std::atomic<int> lateCalls{0};
    std::atomic<long> updates{0};

    std::thread reader([&] {
        int n = 0;
        while (!stop.load()) {
            CRegisterValue value(SOURCE_DEVICE, 1, ++n % 1000);
            config.Update(value);
            updates.fetch_add(1);
        }
    });

    int calledAtLeastOnce = 0;
    for (int round = 0; round < 2000; ++round) {
        // A late call counts, and as the listener is freed right after its removal, it is also a
        // use-after-free for the sanitizers to report.
        std::atomic<bool> removed{false};
        std::atomic<int> calls{0};
        auto listener = std::make_unique<CFunctionListener>([&](CRegisterValue&) {
            lateCalls.fetch_add(removed.load() ? 1 : 0);
            calls.fetch_add(1);
        });
        config.AddListener(listener.get());
        const long seen = updates.load();
        while (updates.load() < seen + 2) {
            std::this_thread::yield();
        }
        config.RemoveListener(listener.get());
        removed.store(true);
        calledAtLeastOnce += calls.load() > 0 ? 1 : 0;
        listener.reset();
    }
    stop.store(true);
    reader.join();
    EXPECT_EQ(lateCalls.load(), 0);
    EXPECT_GT(calledAtLeastOnce, 0) << "the reader thread must actually have reached listeners";
}

TEST(ListenerConcurrency, ListenerMayRemoveItselfWhileNotified) {
    const CConfigFixture fixture(s_xml);
    CConfiguration& config = fixture.Config();
    int calls = 0;
    CFunctionListener listener([&](CRegisterValue&) {
        ++calls;
        config.RemoveListener(&listener);
    });
    config.AddListener(&listener);
    CRegisterValue value(SOURCE_PANEL, 1, 1.0);
    config.Update(value);
    config.Update(value);
    EXPECT_EQ(calls, 1);
}
