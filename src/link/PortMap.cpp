#include "PortMap.h"

#include "config/ProgramDirectory.h"

#include <fstream>
#include <sstream>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TakeWord(std::string_view& rest) {
    while (!rest.empty() && IsBlank(rest.front())) {
        rest.remove_prefix(1);
    }
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) {
        ++end;
    }
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// n of "COMn:", or 0 when the name has another form.
unsigned ComNumber(const std::string& portName) {
    if (portName.size() < 5 || portName.compare(0, 3, "COM") != 0 || portName.back() != ':') {
        return 0;
    }
    unsigned number = 0;
    for (std::size_t i = 3; i + 1 < portName.size(); ++i) {
        const char c = portName[i];
        if (c < '0' || c > '9' || number > 100000u) {
            return 0;
        }
        number = number * 10u + static_cast<unsigned>(c - '0');
    }
    return number;
}

} // namespace

std::vector<SPortMapEntry> ParsePortMap(std::string_view text) {
    std::vector<SPortMapEntry> map;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const std::string_view portName = TakeWord(line);
        if (portName.empty() || portName.front() == '#') {
            continue;
        }
        const std::string_view device = TakeWord(line);
        if (device.empty()) {
            continue;
        }
        SPortMapEntry entry;
        entry.m_portName = std::string(portName);
        entry.m_device =
            device.front() == '/' ? std::string(device) : "/dev/" + std::string(device);
        entry.m_description = std::string(Trim(line));
        map.push_back(std::move(entry));
    }
    return map;
}

std::vector<SPortMapEntry> ReadPortMap(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    std::ostringstream content;
    content << file.rdbuf();
    return ParsePortMap(content.str());
}

const SPortMapEntry* FindPortMapEntry(const std::vector<SPortMapEntry>& map,
                                      const std::string& portName) {
    for (const auto& entry : map) {
        if (entry.m_portName == portName) {
            return &entry;
        }
    }
    return nullptr;
}

std::string ResolvePortName(const std::string& portName, const std::vector<SPortMapEntry>& map) {
    if (!portName.empty() && portName.front() == '/') {
        return portName;
    }
    if (const SPortMapEntry* entry = FindPortMapEntry(map, portName)) {
        return entry->m_device;
    }
    const unsigned number = ComNumber(portName);
    if (number == 0) {
        return {};
    }
    return "/dev/ttyS" + std::to_string(number - 1);
}

std::string ResolvePortName(const std::string& portName) {
    if (!portName.empty() && portName.front() == '/') {
        return portName;
    }
    return ResolvePortName(portName, ReadPortMap(GetProgramDirectory() + PORT_MAP_FILE));
}
