#include "HostLineReader.h"

std::optional<std::string> CHostLineReader::Feed(char byte) {
    if (byte == '\n' || byte == '\r') {
        std::optional<std::string> line;
        if (!m_overlong && !m_line.empty()) {
            line = m_line;
        }
        m_line.clear();
        m_overlong = false;
        return line;
    }
    if (m_overlong) {
        return std::nullopt;
    }
    if (m_line.size() == MAX_LINE) {
        m_line.clear();
        m_overlong = true;
        return std::nullopt;
    }
    m_line += byte;
    return std::nullopt;
}
