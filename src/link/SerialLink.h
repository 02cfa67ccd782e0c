#pragma once

#include "LineAssembler.h"
#include "config/ParameterListener.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

class CConfiguration;
class CTrafficLog;
class ISerialTransport;

// The link's waits. The defaults are the device's; tests shorten them.
struct SSerialLinkTiming {
    // A read pass collects bytes for this long (or until 100 bytes came).
    std::chrono::milliseconds m_readTimeout{200};
    // Pause after a pass that brought nothing.
    std::chrono::milliseconds m_idlePause{100};
    // How long a write waits for the device's acknowledgement.
    std::chrono::milliseconds m_acknowledgeTimeout{3100};
    // Pause after closing the port, so that the driver has let go before the next open.
    std::chrono::milliseconds m_closePause{1000};
    // "C\n" goes out on every this-many-th pass of the reader.
    unsigned m_keepAlivePasses = 12;
    // While the port is lost, how often the link tries to open it again.
    std::chrono::milliseconds m_reconnectInterval{1000};
};

// The connection to the device while the operator is connected. Construction opens the port
// and starts the reader thread, which feeds the device's reports into the store; as a listener
// of the store the link writes every sendable change to the device and blocks the calling
// thread until the device acknowledges it.
//
// A port that fails (a hang-up, an unplugged adapter, a failed read) is closed at once, and the
// reader thread opens the same port name again every reconnect interval, resolving it afresh
// each time, until it opens or the link is destroyed; a port that could not be opened at
// construction is retried the same way. While the port is down, changes are neither sent nor
// kept for later (a late command could surprise whoever stands at the machine).
class CSerialLink final : public IParameterListener {
public:
    static constexpr std::int32_t NO_REGISTER = -1;

    // Opens the port named by the program-wide port name.
    explicit CSerialLink(const SSerialLinkTiming& timing = SSerialLinkTiming());
    // Opens the given port name ("COMn:" or a device path). A port that cannot be opened is
    // reported by a message and retried. With a log folder, the traffic of this connection is
    // logged into a new file there.
    explicit CSerialLink(const std::string& portName,
                         const SSerialLinkTiming& timing = SSerialLinkTiming(),
                         const std::string& logFolder = std::string());
    virtual ~CSerialLink();
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    void OnParameterChanged(CRegisterValue& value) override;

    bool IsPortOpen() const { return m_portOpen.load(); }
    // True from construction until destruction: the thread reads, or retries a lost port.
    bool IsReaderRunning() const { return m_runState.load() == RUN_RUNNING; }
    // The register whose acknowledgement is awaited, or whose change could not be sent because
    // the port was down; NO_REGISTER when none.
    std::int32_t GetPendingRegister() const { return m_pendingRegister.load(); }
    // True once a change was dropped because the port was down, until the port opens again.
    bool AreChangesLost() const { return m_changesLost.load() && !m_portOpen.load(); }
    // Writes out the traffic log before the program ends at once (at most half a second).
    void FlushLog();
    // How often the port has been opened again after it was lost or could not be opened.
    unsigned GetReconnectCount() const { return m_reconnects.load(); }

private:
    enum ERunState : int { RUN_STOPPED = 0, RUN_RUNNING = 1, RUN_STOP_REQUESTED = 2 };

    // The device file the port name leads to now; empty when it leads nowhere.
    std::string ResolveDevice() const;
    bool UsesPortMap() const;
    // 0 or the errno value of the failure.
    int OpenPort();
    void ReadLoop();
    // One pass: bytes for up to the read time-out or 100 bytes; false when the port failed.
    bool ReadPass(bool& anyData);
    void LosePort();
    // Sleeps for the pause unless a stop is requested first.
    void Pause(std::chrono::milliseconds pause);
    void HandleLine(const SDeviceLine& line);
    void DropChange(std::int32_t registerNumber);
    // Tells the log, once per outage, that changes are not reaching the device.
    void NoteChangesLost();
    void Write(std::string_view message);
    void LogEvent(const std::string& text);
    // The device's bytes as lines for the log, ended by LF, CR LF or a lone CR.
    void LogReceived(const char* bytes, std::size_t count);
    void FlushReceived();
    void WaitForAcknowledgement();

    const SSerialLinkTiming m_timing;
    const std::string m_portName;
    // Read afresh on every open, so that an edited map or a moved link is followed.
    const std::string m_portMapPath;
    // The device file the name led to at the last attempt (reader thread, once started).
    std::string m_device;
    CConfiguration* m_configuration = nullptr;
    std::unique_ptr<ISerialTransport> m_transport;
    CLineAssembler m_assembler; // reader thread only
    std::unique_ptr<CTrafficLog> m_log;
    std::string m_receivedLine;   // reader thread only
    int m_acknowledgeWaitMs = -1; // reader thread only: for the log's next received line
    std::atomic<std::int64_t> m_writeStart{0};

    std::atomic<bool> m_portOpen{false};
    std::atomic<bool> m_changesLost{false};
    std::atomic<unsigned> m_reconnects{0};
    std::atomic<int> m_runState{RUN_STOPPED};
    std::atomic<std::int32_t> m_pendingRegister{NO_REGISTER};
    // Guards the hand-over of the pending register and the stop request to a waiting thread.
    std::mutex m_mutex;
    std::condition_variable m_acknowledged;
    std::condition_variable m_stopRequested;
    std::thread m_reader;
};
