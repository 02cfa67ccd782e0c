#include "SerialLink.h"

#include "PortMap.h"
#include "PortName.h"
#include "PortProblem.h"
#include "PosixSerialTransport.h"
#include "TrafficLog.h"
#include "WireProtocol.h"
#include "config/Configuration.h"
#include "config/Parameter.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "config/Rounding.h"
#include "platform/MessageService.h"

#include <array>
#include <system_error>

namespace {

using std::chrono::steady_clock;

constexpr std::size_t READ_SIZE = 100;
// A device line longer than this is logged in pieces.
constexpr std::size_t MAX_LOGGED_LINE = 256;

} // namespace

CSerialLink::CSerialLink(const SSerialLinkTiming& timing) : CSerialLink(GetPortName(), timing) {}

CSerialLink::CSerialLink(const std::string& portName, const SSerialLinkTiming& timing,
                         const std::string& logFolder)
    : m_timing(timing), m_portName(portName), m_portMapPath(GetProgramDirectory() + PORT_MAP_FILE),
      m_configuration(CConfiguration::GetInstance()),
      m_transport(std::make_unique<CPosixSerialTransport>()) {
    if (!logFolder.empty()) {
        m_log = std::make_unique<CTrafficLog>(logFolder);
    }
    const int error = OpenPort();
    if (error == 0) {
        LogEvent("connected to " + m_device + " (" + m_portName + ")");
    } else {
        LogEvent("cannot open " + m_portName + ": " + std::generic_category().message(error) +
                 "; retrying every " + std::to_string(m_timing.m_reconnectInterval.count()) +
                 " ms");
        const SPortFacts facts = GatherPortFacts(m_portName, m_device, UsesPortMap());
        GetMessageService().ShowMessage(PortProblemText(error, facts), "Message",
                                        EMessageIcon::Information);
    }
    m_runState.store(RUN_RUNNING);
    m_reader = std::thread(&CSerialLink::ReadLoop, this);
    // Listening also while the port is down, so that a change that cannot go out is noticed.
    m_configuration->AddListener(this);
}

CSerialLink::~CSerialLink() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        int running = RUN_RUNNING;
        m_runState.compare_exchange_strong(running, RUN_STOP_REQUESTED);
    }
    m_stopRequested.notify_all();
    if (m_reader.joinable()) {
        m_reader.join();
    }
    m_configuration->RemoveListener(this);
    if (m_portOpen.load()) {
        FlushReceived();
        m_transport->Close();
        std::this_thread::sleep_for(m_timing.m_closePause);
        m_portOpen.store(false);
    }
    LogEvent("disconnected");
    // Writes out what is queued.
    m_log.reset();
}

bool CSerialLink::UsesPortMap() const {
    return FindPortMapEntry(ReadPortMap(m_portMapPath), m_portName) != nullptr;
}

std::string CSerialLink::ResolveDevice() const {
    if (!m_portName.empty() && m_portName.front() == '/') {
        return m_portName;
    }
    return ResolvePortName(m_portName, ReadPortMap(m_portMapPath));
}

int CSerialLink::OpenPort() {
    // Resolved afresh: the map may have changed, and a symbolic link (a /dev/serial/by-id name)
    // may lead to a new device node by now.
    m_device = ResolveDevice();
    const int error = m_transport->Open(m_device);
    if (error == 0) {
        m_assembler.Clear();
        m_portOpen.store(true);
    }
    return error;
}

void CSerialLink::ReadLoop() {
    unsigned passes = 0;
    while (m_runState.load() == RUN_RUNNING) {
        if (!m_portOpen.load()) {
            if (OpenPort() != 0) {
                Pause(m_timing.m_reconnectInterval);
                continue;
            }
            m_reconnects.fetch_add(1);
            LogEvent("port open again: " + m_device + " (" + m_portName + ")");
            passes = 0;
        }
        bool anyData = false;
        if (!ReadPass(anyData)) {
            LosePort();
            Pause(m_timing.m_reconnectInterval);
            continue;
        }
        if (!anyData) {
            Pause(m_timing.m_idlePause);
        }
        ++passes;
        if (m_timing.m_keepAlivePasses != 0 && passes % m_timing.m_keepAlivePasses == 0) {
            Write(MESSAGE_KEEP_ALIVE);
        }
    }
    m_runState.store(RUN_STOPPED);
}

void CSerialLink::LosePort() {
    // Before anyone can see the port closed, so that whoever does sees the device gone too and
    // the log has the outage before what follows from it.
    m_configuration->ForgetLink();
    FlushReceived();
    // One line per outage, however many attempts it takes.
    LogEvent("port lost: " + m_device + " (" + m_portName + "); retrying every " +
             std::to_string(m_timing.m_reconnectInterval.count()) + " ms");
    m_changesLost.store(false);
    {
        // Under the lock, so that a writer waiting for its acknowledgement cannot miss it.
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_portOpen.store(false);
    }
    m_acknowledged.notify_all();
    m_transport->Close();
}

void CSerialLink::Write(std::string_view message) {
    if (!m_transport->Write(message)) {
        LogEvent("could not write: " + EscapeLogText(message));
        return;
    }
    if (m_log) {
        m_log->Record(CTrafficLog::EKind::Sent, message);
    }
}

void CSerialLink::FlushLog() {
    if (m_log) {
        LogEvent("exit");
        m_log->Flush(std::chrono::milliseconds(500));
    }
}

void CSerialLink::LogEvent(const std::string& text) {
    if (m_log) {
        m_log->Record(CTrafficLog::EKind::Event, text);
    }
}

void CSerialLink::LogReceived(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const char c = bytes[i];
        // A lone CR ends a line too; CR LF stays one line.
        if (!m_receivedLine.empty() && m_receivedLine.back() == '\r' && c != '\n') {
            FlushReceived();
        }
        m_receivedLine += c;
        if (c == '\n' || m_receivedLine.size() >= MAX_LOGGED_LINE) {
            FlushReceived();
        }
    }
}

void CSerialLink::FlushReceived() {
    if (m_receivedLine.empty() || !m_log) {
        return;
    }
    m_log->Record(CTrafficLog::EKind::Received, m_receivedLine, m_acknowledgeWaitMs);
    m_acknowledgeWaitMs = -1;
    m_receivedLine.clear();
}

void CSerialLink::Pause(std::chrono::milliseconds pause) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopRequested.wait_for(lock, pause, [this] { return m_runState.load() != RUN_RUNNING; });
}

bool CSerialLink::ReadPass(bool& anyData) {
    // Bytes are handed to the assembler as they come rather than at the end of the pass, so an
    // acknowledgement ends the writer's wait at once; the pass itself still spans the read
    // time-out, which keeps the keep-alive cadence independent of how the bytes trickle in.
    std::array<char, READ_SIZE> buffer{};
    std::size_t total = 0;
    const auto deadline = steady_clock::now() + m_timing.m_readTimeout;
    do {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
        const SReadResult result = m_transport->Read(
            buffer.data(), READ_SIZE - total, left.count() > 0 ? left : decltype(left)::zero());
        if (result.m_status == EReadStatus::Failed) {
            return false;
        }
        if (result.m_status == EReadStatus::Timeout) {
            // The line end after a CR will not come now.
            if (!m_receivedLine.empty() && m_receivedLine.back() == '\r') {
                FlushReceived();
            }
            break;
        }
        for (std::size_t i = 0; i < result.m_count; ++i) {
            if (const auto line = m_assembler.Feed(buffer[i])) {
                HandleLine(*line);
            }
            if (m_log) {
                LogReceived(&buffer[i], 1);
            }
        }
        total += result.m_count;
        anyData = true;
    } while (total < READ_SIZE && steady_clock::now() < deadline &&
             m_runState.load() == RUN_RUNNING);
    return true;
}

void CSerialLink::HandleLine(const SDeviceLine& line) {
    if (line.m_kind == EDeviceLineKind::Report) {
        CRegisterValue value(SOURCE_DEVICE, line.m_register, static_cast<double>(line.m_value));
        m_configuration->Update(value);
        m_configuration->TouchLink();
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::int32_t expected = line.m_register;
        if (!m_pendingRegister.compare_exchange_strong(expected, NO_REGISTER)) {
            return;
        }
    }
    m_acknowledged.notify_all();
    if (m_log) {
        const auto waited = steady_clock::now() -
                            steady_clock::time_point(steady_clock::duration(m_writeStart.load()));
        m_acknowledgeWaitMs =
            static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
    }
}

void CSerialLink::OnParameterChanged(CRegisterValue& value) {
    const CParameter* parameter = m_configuration->FindParameter(value.GetRegister());
    if (parameter == nullptr || !parameter->IsSendSerial()) {
        return;
    }
    // Device reports come back through the store; echoing them would loop.
    if (value.GetSource() == SOURCE_DEVICE) {
        return;
    }
    const std::int32_t registerNumber = value.GetRegister();
    if (!m_portOpen.load()) {
        DropChange(registerNumber);
        return;
    }
    if (registerNumber == REGISTER_LINK_COMMAND) {
        const std::int32_t command = SaturatingTruncate(value.GetValue());
        if (command == 1) {
            Write(MESSAGE_REPORT_ALL);
        } else if (command == 2) {
            Write(MESSAGE_KEEP_ALIVE);
        }
        return;
    }
    const std::string message = BuildWriteRegisterMessage(registerNumber, parameter->GetValue());
    {
        // Pending before the write, so that an acknowledgement arriving at once is recognised.
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingRegister.store(registerNumber);
        m_writeStart.store(steady_clock::now().time_since_epoch().count());
    }
    Write(message);
    if (registerNumber == NO_REGISTER) {
        return;
    }
    // A change made from inside a device report's notification runs on the reader thread,
    // which alone could see the acknowledgement: waiting there would only ever time out.
    if (std::this_thread::get_id() == m_reader.get_id()) {
        return;
    }
    WaitForAcknowledgement();
}

void CSerialLink::DropChange(std::int32_t registerNumber) {
    if (registerNumber != REGISTER_LINK_COMMAND && registerNumber != NO_REGISTER) {
        // Not acknowledged, as far as anyone waiting for it is concerned.
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingRegister.store(registerNumber);
    }
    NoteChangesLost();
}

void CSerialLink::NoteChangesLost() {
    if (!m_changesLost.exchange(true)) {
        LogEvent("changes are not reaching the device: the port is down");
    }
}

void CSerialLink::WaitForAcknowledgement() {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_acknowledged.wait_for(lock, m_timing.m_acknowledgeTimeout, [this] {
            return m_pendingRegister.load() == NO_REGISTER || !m_portOpen.load();
        });
    }
    if (m_pendingRegister.load() == NO_REGISTER) {
        return;
    }
    if (!m_portOpen.load()) {
        // The port went while waiting: the outage is the news, not the time-out.
        NoteChangesLost();
        return;
    }
    // No retry: the store keeps the value and the register stays pending until an
    // acknowledgement for it or the next write.
    LogEvent("time-out: no acknowledgement for register " +
             std::to_string(m_pendingRegister.load()) + " within " +
             std::to_string(m_timing.m_acknowledgeTimeout.count()) + " ms");
    GetMessageService().ShowMessage("Timeout while sending parameters!", "Error!",
                                    EMessageIcon::Error);
}
