#pragma once

#include "ConfigFixture.h"
#include "FakeClock.h"
#include "FakeMessageService.h"
#include "RecordingListener.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// Polls a condition that another thread makes true; false when the time ran out.
template <typename Predicate>
bool WaitUntil(Predicate predicate,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

template <typename Action> std::chrono::milliseconds Elapsed(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// Short waits; the acknowledgement time-out only runs out in the tests that want it to, and no
// keep-alives come between the bytes the tests check.
inline SSerialLinkTiming
FastTiming(std::chrono::milliseconds acknowledgeTimeout = std::chrono::seconds(5)) {
    SSerialLinkTiming timing;
    timing.m_readTimeout = std::chrono::milliseconds(20);
    timing.m_idlePause = std::chrono::milliseconds(5);
    timing.m_acknowledgeTimeout = acknowledgeTimeout;
    timing.m_closePause = std::chrono::milliseconds(0);
    timing.m_keepAlivePasses = 0;
    return timing;
}

// The process-wide store of a small configuration on a clock that stands still, watched by a
// listener and a message service. 12, 13 and the link command register 999 go to the device;
// 5 and 14 do not.
class CLinkTest : public ::testing::Test {
protected:
    CLinkTest()
        : m_fixture(MakeConfigXml(
              "<P Id=\"5\" Value=\"3\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"12\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
              "<P Id=\"13\" Value=\"-4\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
              "<P Id=\"14\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
              "<P Id=\"999\" Value=\"0\" SendSerial=\"true\"/>")) {
        Config().SetClock(&m_clock);
        Config().AddListener(&m_listener);
    }
    ~CLinkTest() override { Config().RemoveListener(&m_listener); }

    CConfiguration& Config() { return m_fixture.Config(); }
    // A change as the user interface makes it; blocks while the link awaits the acknowledgement.
    void Update(std::int32_t registerNumber, double value, std::int32_t source = SOURCE_PANEL) {
        CRegisterValue change(source, registerNumber, value);
        Config().Update(change);
    }

    CFakeClock m_clock;
    CConfigFixture m_fixture;
    CFakeMessageService m_messages;
    CRecordingListener m_listener;
};
