#pragma once

#include "TrendColumn.h"
#include "TrendSample.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// ISO 8601 local time with milliseconds, "2026-12-07T20:15:03.200".
std::string FormatLocalTime(std::int64_t timeMs);

// Writes chosen registers to a CSV file as their values change: the header
// "time,<name> (R<register>),...", then one row per 200 ms tick in which a recorded value
// changed, each row holding every column's latest value. Rows go to the file when written, so
// a crash loses at most the tick in progress. Numbers never depend on the locale.
class CCsvRecorder {
public:
    CCsvRecorder() = default;
    ~CCsvRecorder();
    CCsvRecorder(const CCsvRecorder&) = delete;
    CCsvRecorder& operator=(const CCsvRecorder&) = delete;

    // Creates (or empties) the file and writes the header. The values are what the store holds
    // now, in column order. False, with the reason in GetError, when the file cannot be used.
    bool Open(const std::string& path, std::vector<STrendColumn> columns,
              std::vector<std::int32_t> values);
    bool IsOpen() const { return m_file != nullptr; }

    // Samples of registers that are not recorded are passed over.
    void Add(const std::vector<STrendSample>& samples);
    // Ends a tick: writes a row stamped with the time when a value changed since the last row
    // (the first row as soon as any recorded register was reported). False when the file could
    // not be written, a full disk say: the recording has then ended and the file is closed.
    bool Tick(std::int64_t timeMs);
    // Ends the recording; rows already written stay.
    void Close();

    const std::string& GetPath() const { return m_path; }
    const std::string& GetError() const { return m_error; }
    std::size_t GetRowCount() const { return m_rows; }

private:
    bool Write(const std::string& text);
    bool Fail();

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_error;
    std::vector<STrendColumn> m_columns;
    std::vector<std::int32_t> m_values;
    std::vector<std::int32_t> m_written;
    bool m_sampled = false;
    std::size_t m_rows = 0;
};
