#pragma once

#include "DeviceModel.h"
#include "HostLineReader.h"
#include "SimulatorOptions.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <random>
#include <string>

// The simulated device's line: it reads the host's messages from the master side of a
// pseudo-terminal, answers them through the device model, reports on its own and sends
// animated values. Both directions are paced at the configured baud rate (10 bit times a
// byte), so that timings seen by the panel are those of the real line.
class CSimulator {
public:
    CSimulator(int masterFd, CDeviceModel& model, const SSimulatorOptions& options);

    // Runs until stop is set. While silent is set nothing is sent (received messages are still
    // stored), as with a device that has stopped talking.
    void Run(const std::atomic<bool>& stop, const std::atomic<bool>& silent);

    // Where verbose logging goes; standard error unless changed.
    void SetLog(std::FILE* log) { m_log = log; }

private:
    using Clock = std::chrono::steady_clock;

    struct SOutput {
        Clock::time_point m_due;
        std::string m_bytes;
    };

    void Receive(const std::atomic<bool>& stop);
    void Queue(Clock::time_point due, const std::string& bytes);
    void SendDue(const std::atomic<bool>& stop, const std::atomic<bool>& silent);
    void WritePaced(const std::string& bytes, const std::atomic<bool>& stop);
    void Animate(Clock::time_point now);
    void ReportNext(Clock::time_point now);
    std::string Garbage();
    Clock::time_point NextWake(Clock::time_point now) const;

    const int m_masterFd;
    CDeviceModel& m_model;
    const SSimulatorOptions m_options;
    const Clock::duration m_byteTime;
    CHostLineReader m_reader;
    std::deque<SOutput> m_outputs;
    Clock::time_point m_start;
    Clock::time_point m_receiveFree;  // when the last received byte has fully arrived
    Clock::time_point m_transmitFree; // when the line is free for the next sent byte
    Clock::time_point m_nextReport;
    Clock::time_point m_nextAnimation;
    Clock::time_point m_nextGarbage;
    std::size_t m_reportCursor = 0;
    std::mt19937 m_random;
    std::FILE* m_log = stderr;
};
