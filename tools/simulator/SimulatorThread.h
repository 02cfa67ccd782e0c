#pragma once

#include "DeviceModel.h"
#include "PseudoTerminal.h"
#include "Simulator.h"
#include "SimulatorOptions.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

// The simulated device running on a thread of the calling process, for tests and benchmarks
// that need a device at the other end of a real pseudo-terminal.
class CSimulatorThread {
public:
    CSimulatorThread(const CDeviceModel& model, const SSimulatorOptions& options);
    ~CSimulatorThread();
    CSimulatorThread(const CSimulatorThread&) = delete;
    CSimulatorThread& operator=(const CSimulatorThread&) = delete;

    // Empty when no pseudo-terminal could be had.
    const std::string& SlavePath() const { return m_terminal.SlavePath(); }
    void SetSilent(bool silent) { m_silent.store(silent); }

    // Ends the thread; the model may be read afterwards.
    void Stop();
    const CDeviceModel& Model() const { return m_model; }

private:
    CPseudoTerminal m_terminal;
    CDeviceModel m_model;
    std::unique_ptr<CSimulator> m_simulator;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_silent{false};
    std::thread m_thread;
};
