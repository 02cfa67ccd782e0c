#include "ConfigFixture.h"
#include "config/Configuration.h"
#include "config/ParameterListener.h"
#include "config/RegisterValue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

const std::string s_xml = MakeConfigXml("<P Id=\"1\" Value=\"0\" Minimum=\"-1000000\""
                                        " Maximum=\"1000000\"/>");

// Fails the test if it is called after its removal has returned; its memory is freed right
// after removal, so a late call is also a use-after-free for the sanitizers to report.
class CCheckedListener final : public IParameterListener {
public:
    explicit CCheckedListener(std::atomic<int>& lateCalls) : m_lateCalls(lateCalls) {}
    void OnParameterChanged(CRegisterValue&) override {
        if (m_removed.load()) {
            m_lateCalls.fetch_add(1);
        }
        m_calls.fetch_add(1);
    }
    std::atomic<bool> m_removed{false};
    std::atomic<int> m_calls{0};

private:
    std::atomic<int>& m_lateCalls;
};

} // namespace

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
        auto listener = std::make_unique<CCheckedListener>(lateCalls);
        config.AddListener(listener.get());
        const long seen = updates.load();
        while (updates.load() < seen + 2) {
            std::this_thread::yield();
        }
        config.RemoveListener(listener.get());
        listener->m_removed.store(true);
        calledAtLeastOnce += listener->m_calls.load() > 0 ? 1 : 0;
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
    struct CSelfRemoving final : IParameterListener {
        explicit CSelfRemoving(CConfiguration& c) : m_config(c) {}
        void OnParameterChanged(CRegisterValue&) override {
            ++m_calls;
            m_config.RemoveListener(this);
        }
        CConfiguration& m_config;
        int m_calls = 0;
    };
    CSelfRemoving listener(config);
    config.AddListener(&listener);
    CRegisterValue value(SOURCE_PANEL, 1, 1.0);
    config.Update(value);
    config.Update(value);
    EXPECT_EQ(listener.m_calls, 1);
}
