#include "CsvRecorder.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>

namespace {

void AppendNumber(std::string& text, std::int64_t number, int width = 0) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    for (auto digits = result.ptr - buffer; digits < width; ++digits) {
        text += '0';
    }
    text.append(buffer, result.ptr);
}

// A header field with a comma, quote or line end is quoted, its quotes doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

} // namespace

std::string FormatLocalTime(std::int64_t timeMs) {
    std::int64_t seconds = timeMs / 1000;
    std::int64_t milliseconds = timeMs % 1000;
    if (milliseconds < 0) {
        milliseconds += 1000;
        --seconds;
    }
    const auto clockSeconds = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&clockSeconds, &local);
    // By hand rather than strftime or a stream, which could bring the locale's digits.
    std::string text;
    AppendNumber(text, std::int64_t{local.tm_year} + 1900, 4);
    text += '-';
    AppendNumber(text, local.tm_mon + 1, 2);
    text += '-';
    AppendNumber(text, local.tm_mday, 2);
    text += 'T';
    AppendNumber(text, local.tm_hour, 2);
    text += ':';
    AppendNumber(text, local.tm_min, 2);
    text += ':';
    AppendNumber(text, local.tm_sec, 2);
    text += '.';
    AppendNumber(text, milliseconds, 3);
    return text;
}

CCsvRecorder::~CCsvRecorder() {
    Close();
}

bool CCsvRecorder::Open(const std::string& path, std::vector<STrendColumn> columns,
                        std::vector<std::int32_t> values) {
    Close();
    m_path = path;
    m_error.clear();
    m_columns = std::move(columns);
    m_values = std::move(values);
    m_values.resize(m_columns.size());
    m_written = m_values;
    m_sampled = false;
    m_rows = 0;
    m_file = std::fopen(path.c_str(), "w");
    if (m_file == nullptr) {
        m_error = "Cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string header = "time";
    for (const STrendColumn& column : m_columns) {
        header += ',';
        header += CsvField(ColumnTitle(column));
    }
    header += '\n';
    return Write(header) || Fail();
}

void CCsvRecorder::Add(const std::vector<STrendSample>& samples) {
    for (const STrendSample& sample : samples) {
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].m_register == sample.m_register) {
                m_values[i] = sample.m_value;
                m_sampled = true;
            }
        }
    }
}

bool CCsvRecorder::Tick(std::int64_t timeMs) {
    if (m_file == nullptr) {
        return false;
    }
    const bool first = m_rows == 0;
    const bool write = first ? m_sampled : m_values != m_written;
    if (!write) {
        return true;
    }
    std::string row = FormatLocalTime(timeMs);
    for (const std::int32_t value : m_values) {
        row += ',';
        AppendNumber(row, value);
    }
    row += '\n';
    if (!Write(row)) {
        return Fail();
    }
    m_written = m_values;
    ++m_rows;
    return true;
}

void CCsvRecorder::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool CCsvRecorder::Write(const std::string& text) {
    // Flushed at once: a row is on its way to the disk when the tick ends.
    return std::fwrite(text.data(), 1, text.size(), m_file) == text.size() &&
           std::fflush(m_file) == 0;
}

bool CCsvRecorder::Fail() {
    m_error = "Cannot write " + m_path + ": " + std::strerror(errno);
    std::fclose(m_file);
    m_file = nullptr;
    return false;
}
