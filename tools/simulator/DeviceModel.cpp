#include "DeviceModel.h"

#include "config/Configuration.h"
#include "link/WireProtocol.h"

#include <charconv>

namespace {

constexpr const char* LINE_END = "\r\n";

bool ParseInt(std::string_view text, std::int32_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> ParseWriteRegister(std::string_view line) {
    if (line.size() < 5 || line.front() != 'S') {
        return std::nullopt;
    }
    const std::size_t colon = line.find(':');
    const std::size_t semicolon = line.find(';');
    if (colon == std::string_view::npos || semicolon == std::string_view::npos ||
        semicolon < colon) {
        return std::nullopt;
    }
    std::int32_t registerNumber = 0;
    std::int32_t value = 0;
    if (!ParseInt(line.substr(1, colon - 1), registerNumber) ||
        !ParseInt(line.substr(colon + 1, semicolon - colon - 1), value)) {
        return std::nullopt;
    }
    // Rebuilding the message checks the checksum and the number forms in one go.
    if (BuildRegisterLine('S', registerNumber, value) != line) {
        return std::nullopt;
    }
    return std::make_pair(registerNumber, value);
}

void CDeviceModel::LoadFrom(const CConfiguration& configuration) {
    for (int i = 0; i < configuration.GetParameterCount(); ++i) {
        const CParameter* parameter = configuration.GetParameter(i);
        if (!GetValue(parameter->GetId())) {
            SetValue(parameter->GetId(), parameter->GetValue());
        }
    }
}

void CDeviceModel::SetValue(std::int32_t registerNumber, std::int32_t value) {
    const auto inserted = m_values.insert_or_assign(registerNumber, value);
    if (inserted.second) {
        m_order.push_back(registerNumber);
    }
}

std::optional<std::int32_t> CDeviceModel::GetValue(std::int32_t registerNumber) const {
    const auto found = m_values.find(registerNumber);
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<std::string> CDeviceModel::HandleHostLine(std::string_view line) {
    if (line == "A") {
        ++m_counts.m_reportRequests;
        return ReportAll();
    }
    if (line == "C") {
        ++m_counts.m_keepAlives;
        return {};
    }
    const auto write = ParseWriteRegister(line);
    if (!write) {
        ++m_counts.m_rejected;
        return {};
    }
    ++m_counts.m_writes;
    SetValue(write->first, write->second);
    if (m_dropEvery != 0 && m_counts.m_writes % m_dropEvery == 0) {
        return {};
    }
    ++m_counts.m_acknowledged;
    return {BuildRegisterLine('B', write->first, write->second) + LINE_END};
}

std::string CDeviceModel::ReportLine(std::int32_t registerNumber) const {
    const auto value = GetValue(registerNumber);
    if (!value) {
        return {};
    }
    return BuildRegisterLine('I', registerNumber, *value) + LINE_END;
}

std::vector<std::string> CDeviceModel::ReportAll() const {
    std::vector<std::string> lines;
    lines.reserve(m_order.size());
    for (const std::int32_t registerNumber : m_order) {
        lines.push_back(ReportLine(registerNumber));
    }
    return lines;
}
