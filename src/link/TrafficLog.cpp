#include "TrafficLog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* LOG_EXTENSION = ".log";
constexpr std::chrono::milliseconds COLLECT_TIME{200};

std::string FormatTime(std::chrono::system_clock::time_point time, char timeSeparator) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()) % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d%c%02d%c%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, timeSeparator, local.tm_min,
                  timeSeparator, local.tm_sec, static_cast<int>(millis.count()));
    return text;
}

const char* KindText(CTrafficLog::EKind kind) {
    switch (kind) {
    case CTrafficLog::EKind::Sent:
        return " TX ";
    case CTrafficLog::EKind::Received:
        return " RX ";
    case CTrafficLog::EKind::Event:
        break;
    }
    return " -- ";
}

} // namespace

std::string EscapeLogText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\t') {
            text += "\\t";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

std::string FormatLogTime(std::chrono::system_clock::time_point time) {
    return FormatTime(time, ':');
}

std::string LogFileName(std::chrono::system_clock::time_point time) {
    return FormatTime(time, '-') + LOG_EXTENSION;
}

std::string DefaultLogFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/tarnel/log";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state/tarnel/log";
}

CTrafficLog::CTrafficLog(std::string folder, const SLimits& limits)
    : m_folder(std::move(folder)), m_limits(limits) {
    m_writer = std::thread(&CTrafficLog::WriteLoop, this);
}

CTrafficLog::~CTrafficLog() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_queued.notify_all();
    m_writer.join();
    if (m_fd >= 0) {
        close(m_fd);
    }
}

void CTrafficLog::Record(EKind kind, std::string_view bytes, int waitMs) {
    SEntry entry{std::chrono::system_clock::now(), kind, std::string(bytes), waitMs};
    bool first = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.size() >= m_limits.m_queuedLines) {
            ++m_dropped;
            return;
        }
        first = m_queue.empty();
        m_queue.push_back(std::move(entry));
    }
    // The writer collects for a moment after the first line, so it needs waking only then.
    if (first) {
        m_queued.notify_one();
    }
}

void CTrafficLog::Flush(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_flushRequested = true;
    m_queued.notify_all();
    m_written.wait_for(lock, timeout, [this] { return m_queue.empty() && !m_writing; });
}

std::size_t CTrafficLog::GetDroppedLines() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

void CTrafficLog::WriteLoop() {
    std::vector<SEntry> entries;
    for (;;) {
        bool stop = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_queued.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            // Lines in batches: fewer wake-ups and writes while the link is busy.
            m_queued.wait_for(lock, COLLECT_TIME, [this] { return m_stop || m_flushRequested; });
            entries.swap(m_queue);
            stop = m_stop;
            m_flushRequested = false;
            m_writing = true;
        }
        Write(entries);
        entries.clear();
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_writing = false;
        }
        m_written.notify_all();
        if (stop) {
            return;
        }
    }
}

void CTrafficLog::Write(const std::vector<SEntry>& entries) {
    std::size_t dropped = 0;
    for (const SEntry& entry : entries) {
        std::string line =
            FormatLogTime(entry.m_time) + KindText(entry.m_kind) +
            (entry.m_kind == EKind::Event ? entry.m_text : EscapeLogText(entry.m_text));
        if (entry.m_waitMs >= 0) {
            line += ' ' + std::to_string(entry.m_waitMs) + " ms";
        }
        line += '\n';
        if (m_fd < 0 || (m_fileSize != 0 && m_fileSize + line.size() > m_limits.m_fileBytes)) {
            OpenFile(entry.m_time);
        }
        if (m_fd < 0 ||
            write(m_fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            ++dropped;
            continue;
        }
        m_fileSize += line.size();
    }
    if (dropped != 0) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_dropped += dropped;
    }
}

void CTrafficLog::OpenFile(std::chrono::system_clock::time_point start) {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    std::error_code error;
    fs::create_directories(m_folder, error);
    std::string path = m_folder + '/' + LogFileName(start);
    // Two files begun in the same millisecond: the second gets a number.
    for (int n = 2; fs::exists(path, error); ++n) {
        path = m_folder + '/' + FormatTime(start, '-') + '-' + std::to_string(n) + LOG_EXTENSION;
    }
    m_fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    m_path = path;
    m_fileSize = 0;
    KeepFolderUnderCap();
}

void CTrafficLog::KeepFolderUnderCap() {
    // Names sort in time order; the newest (the one just begun) always stays.
    std::vector<std::pair<std::string, std::uintmax_t>> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && name.size() > 4 &&
            name.compare(name.size() - 4, 4, LOG_EXTENSION) == 0) {
            files.emplace_back(entry.path().string(), entry.file_size(error));
        }
    }
    std::sort(files.begin(), files.end());
    std::uintmax_t total = 0;
    for (const auto& file : files) {
        total += file.second;
    }
    // Room for the new file to grow to its full size.
    for (const auto& file : files) {
        if (total + m_limits.m_fileBytes <= m_limits.m_folderBytes || file.first == m_path) {
            break;
        }
        fs::remove(file.first, error);
        total -= file.second;
    }
}
