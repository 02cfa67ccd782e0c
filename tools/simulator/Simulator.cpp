#include "Simulator.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// The longest the loop sleeps, so that a stop request is seen quickly.
constexpr milliseconds MAX_SLEEP{50};

} // namespace

CSimulator::CSimulator(int masterFd, CDeviceModel& model, const SSimulatorOptions& options)
    : m_masterFd(masterFd), m_model(model), m_options(options),
      m_byteTime(options.m_baud == 0 ? nanoseconds(0)
                                     : nanoseconds(10'000'000'000LL / options.m_baud)),
      m_random(options.m_seed) {
    m_model.SetDropEvery(options.m_dropEvery);
}

void CSimulator::Run(const std::atomic<bool>& stop, const std::atomic<bool>& silent) {
    m_start = Clock::now();
    m_receiveFree = m_start;
    m_transmitFree = m_start;
    m_nextReport = m_start + m_options.m_reportInterval;
    m_nextAnimation = m_start;
    m_nextGarbage = m_start + m_options.m_garbageInterval;

    while (!stop.load()) {
        const Clock::time_point now = Clock::now();
        if (!m_options.m_animations.empty() && now >= m_nextAnimation) {
            Animate(now);
        }
        if (m_options.m_reportInterval.count() > 0 && now >= m_nextReport) {
            ReportNext(now);
        }
        if (m_options.m_garbageInterval.count() > 0 && now >= m_nextGarbage) {
            Queue(now, Garbage());
            m_nextGarbage = std::max(m_nextGarbage + m_options.m_garbageInterval, now);
        }
        SendDue(stop, silent);

        const auto wait = std::chrono::ceil<milliseconds>(NextWake(Clock::now()) - Clock::now());
        pollfd watch{m_masterFd, POLLIN, 0};
        const int ready =
            poll(&watch, 1, static_cast<int>(std::max<milliseconds::rep>(0, wait.count())));
        if (ready > 0 && (watch.revents & POLLIN) != 0) {
            Receive(stop);
        } else if (ready > 0) {
            // No panel on the other side (only when the slave is not held open): wait for one.
            std::this_thread::sleep_for(milliseconds(10));
        }
    }
}

CSimulator::Clock::time_point CSimulator::NextWake(Clock::time_point now) const {
    Clock::time_point wake = now + MAX_SLEEP;
    if (!m_options.m_animations.empty()) {
        wake = std::min(wake, m_nextAnimation);
    }
    if (m_options.m_reportInterval.count() > 0) {
        wake = std::min(wake, m_nextReport);
    }
    if (m_options.m_garbageInterval.count() > 0) {
        wake = std::min(wake, m_nextGarbage);
    }
    if (!m_outputs.empty()) {
        wake = std::min(wake, m_outputs.front().m_due);
    }
    return wake;
}

void CSimulator::Receive(const std::atomic<bool>& stop) {
    std::array<char, 256> buffer{};
    const ssize_t count = read(m_masterFd, buffer.data(), buffer.size());
    if (count <= 0) {
        return;
    }
    // The bytes were handed over at once but cross the line one after the other; a message
    // counts as received when its last byte has.
    Clock::time_point arrival = std::max(m_receiveFree, Clock::now());
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        arrival += m_byteTime;
        const auto line = m_reader.Feed(buffer[i]);
        if (!line || stop.load()) {
            continue;
        }
        std::this_thread::sleep_until(arrival);
        if (m_options.m_verbose) {
            std::fprintf(m_log, "< %s\n", line->c_str());
        }
        const Clock::time_point due = Clock::now() + m_options.m_acknowledgeDelay;
        for (const std::string& answer : m_model.HandleHostLine(*line)) {
            Queue(due, answer);
        }
    }
    m_receiveFree = arrival;
}

void CSimulator::Queue(Clock::time_point due, const std::string& bytes) {
    if (bytes.empty()) {
        return;
    }
    const auto later = std::upper_bound(
        m_outputs.begin(), m_outputs.end(), due,
        [](Clock::time_point time, const SOutput& output) { return time < output.m_due; });
    m_outputs.insert(later, SOutput{due, bytes});
}

void CSimulator::SendDue(const std::atomic<bool>& stop, const std::atomic<bool>& silent) {
    while (!m_outputs.empty() && m_outputs.front().m_due <= Clock::now() && !stop.load()) {
        const std::string bytes = std::move(m_outputs.front().m_bytes);
        m_outputs.pop_front();
        if (silent.load()) {
            continue;
        }
        if (m_options.m_verbose) {
            std::fprintf(m_log, "> %.*s\n", static_cast<int>(bytes.find_last_not_of("\r\n") + 1),
                         bytes.c_str());
        }
        WritePaced(bytes, stop);
    }
}

void CSimulator::WritePaced(const std::string& bytes, const std::atomic<bool>& stop) {
    // A byte is handed over once its last bit time has passed, as a UART delivers it.
    const bool paced = m_byteTime.count() > 0;
    std::size_t done = 0;
    while (done < bytes.size() && !stop.load()) {
        std::size_t chunk = bytes.size() - done;
        if (paced) {
            const Clock::time_point sent = std::max(m_transmitFree, Clock::now()) + m_byteTime;
            std::this_thread::sleep_until(sent);
            m_transmitFree = sent;
            chunk = 1;
        }
        const ssize_t written = write(m_masterFd, bytes.data() + done, chunk);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        // A full buffer means nobody is reading the line: what is sent then is lost, as on a
        // wire with nothing at its end.
        done += written > 0 ? static_cast<std::size_t>(written) : chunk;
    }
}

void CSimulator::Animate(Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    for (const SAnimation& animation : m_options.m_animations) {
        for (const auto& [registerNumber, value] : AnimationValues(animation, seconds)) {
            m_model.SetValue(registerNumber, value);
            Queue(now, m_model.ReportLine(registerNumber));
        }
    }
    m_nextAnimation += m_options.m_animateInterval;
    if (m_nextAnimation <= now) {
        m_nextAnimation = now + m_options.m_animateInterval;
    }
}

void CSimulator::ReportNext(Clock::time_point now) {
    const auto& registers = m_model.Registers();
    if (!registers.empty()) {
        Queue(now, m_model.ReportLine(registers[m_reportCursor++ % registers.size()]));
    }
    m_nextReport += m_options.m_reportInterval;
    if (m_nextReport <= now) {
        m_nextReport = now + m_options.m_reportInterval;
    }
}

std::string CSimulator::Garbage() {
    // Every piece ends with a line end, so that garbage never swallows a real line that
    // follows it; none is a valid report or acknowledgement.
    switch (m_random() % 6u) {
    case 0:
        return "BOOT\r\n";
    case 1:
        return "Ixyz\r\n";
    case 2:
        return "BO12:5;0\r\n";
    case 3:
        return "I1\r\nB\r\n\r\n";
    case 4: {
        std::string line(150, ' ');
        for (char& c : line) {
            c = static_cast<char>('!' + m_random() % 90u);
        }
        line[0] = 'x';
        return line + "\r\n";
    }
    default: {
        std::string bytes(1 + m_random() % 30u, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(m_random() % 256u);
        }
        bytes[0] = 'x';
        return bytes + "\r\n";
    }
    }
}
