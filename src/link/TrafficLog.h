#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// What went over the wire, for whoever has to find out later why the machine did what it did.
// One text file per connection in a folder, named by the connection's start time; one line per
// message or event:
//     2026-12-07T14:03:05.123 TX S12:345;199\n
//     2026-12-07T14:03:05.310 RX B12:345;182\r\n 187 ms
//     2026-12-07T14:03:09.002 -- port lost: Input/output error
// Record only queues the line; a thread of the log's own formats and writes it, so neither the
// reader thread nor the user interface ever waits for the disk. A disk that is full or slow
// loses log lines, never link traffic.
class CTrafficLog {
public:
    struct SLimits {
        // A file past this size is continued in a new one.
        std::uintmax_t m_fileBytes = 1024 * 1024;
        // The folder's log files together stay under this; the oldest go first.
        std::uintmax_t m_folderBytes = 10 * 1024 * 1024;
        // Lines waiting for the disk beyond this are dropped.
        std::size_t m_queuedLines = 10000;
    };

    enum class EKind { Sent, Received, Event };

    // Starts a new file in the folder (made when missing).
    explicit CTrafficLog(std::string folder, const SLimits& limits);
    explicit CTrafficLog(std::string folder) : CTrafficLog(std::move(folder), SLimits()) {}
    // Writes what is queued, then ends the thread.
    ~CTrafficLog();
    CTrafficLog(const CTrafficLog&) = delete;
    CTrafficLog& operator=(const CTrafficLog&) = delete;

    // A message as its bytes went over the wire; waitMs (the wait for an acknowledgement) is
    // appended when not negative.
    void Record(EKind kind, std::string_view bytes, int waitMs = -1);

    // Waits up to the timeout until every line recorded so far is written (the program is about
    // to end at once).
    void Flush(std::chrono::milliseconds timeout);

    // The lines dropped because the queue was full or the disk refused them.
    std::size_t GetDroppedLines() const;

private:
    struct SEntry {
        std::chrono::system_clock::time_point m_time;
        EKind m_kind;
        std::string m_text;
        int m_waitMs;
    };

    void WriteLoop();
    void Write(const std::vector<SEntry>& entries);
    void OpenFile(std::chrono::system_clock::time_point start);
    void KeepFolderUnderCap();

    const std::string m_folder;
    const SLimits m_limits;
    std::string m_path; // writer thread only
    std::uintmax_t m_fileSize = 0;
    int m_fd = -1;

    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_written;
    bool m_flushRequested = false;
    bool m_writing = false;
    std::vector<SEntry> m_queue;
    std::size_t m_dropped = 0;
    bool m_stop = false;
    std::thread m_writer;
};

// The bytes with control characters escaped: \r, \n, \t, \\ and \xNN for the others.
std::string EscapeLogText(std::string_view bytes);

// Local time, ISO 8601 with milliseconds: 2026-12-07T14:03:05.123.
std::string FormatLogTime(std::chrono::system_clock::time_point time);

// The file name for a log started at that time: 2026-12-07T14-03-05.123.log (no colons, so
// the name is usable everywhere), sorting in time order.
std::string LogFileName(std::chrono::system_clock::time_point time);

// $XDG_STATE_HOME/tarnel/log, else ~/.local/state/tarnel/log; ends without '/'.
std::string DefaultLogFolder();
