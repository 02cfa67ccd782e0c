#include "LineAssembler.h"

#include "WireProtocol.h"

std::optional<SDeviceLine> CLineAssembler::Feed(char byte) {
    if (byte == '\r' || byte == '\n') {
        std::optional<SDeviceLine> line;
        if (m_length >= MIN_LINE) {
            line = Complete();
        }
        m_length = 0;
        return line;
    }
    if (m_length == MAX_LINE) {
        m_length = 0;
        return std::nullopt;
    }
    m_line[m_length++] = byte == ':' || byte == ';' ? ' ' : byte;
    return std::nullopt;
}

std::optional<SDeviceLine> CLineAssembler::Complete() const {
    const std::string_view line(m_line.data(), m_length);
    SDeviceLine result;
    if (line[0] == 'I') {
        result.m_kind = EDeviceLineKind::Report;
    } else if (line[0] == 'B' && line[1] != 'O') {
        // The device starts other lines with "BO" (its start-up banner, for one); they are no
        // acknowledgements.
        result.m_kind = EDeviceLineKind::Acknowledge;
    } else {
        return std::nullopt;
    }
    const SLineNumbers numbers = ReadLineNumbers(line.substr(1));
    result.m_register = numbers.m_register;
    result.m_value = numbers.m_value;
    return result;
}
