#include "SimulatorThread.h"

CSimulatorThread::CSimulatorThread(const CDeviceModel& model, const SSimulatorOptions& options)
    : m_model(model), m_silent(options.m_silent) {
    if (m_terminal.Open() != 0) {
        return;
    }
    m_simulator = std::make_unique<CSimulator>(m_terminal.MasterFd(), m_model, options);
    m_thread = std::thread([this] { m_simulator->Run(m_stop, m_silent); });
}

CSimulatorThread::~CSimulatorThread() {
    Stop();
}

void CSimulatorThread::Stop() {
    m_stop.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}
