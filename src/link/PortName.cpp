#include "PortName.h"

#include "platform/ReplaceFile.h"

#include <fstream>

namespace {

std::string s_portName = DEFAULT_PORT_NAME;

} // namespace

std::string GetPortName() {
    return s_portName;
}

void SetPortName(const std::string& portName) {
    s_portName = portName.substr(0, MAX_PORT_NAME);
}

std::string ReadPortNameFile(const std::string& programDirectory) {
    std::ifstream file(programDirectory + PORT_NAME_FILE, std::ios::binary);
    if (!file) {
        return DEFAULT_PORT_NAME;
    }
    // Only the first word counts; reading it by hand keeps the locale out and an endless
    // word from filling memory.
    std::string word;
    char c = 0;
    while (file.get(c)) {
        const bool blank =
            c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
        if (blank) {
            if (!word.empty()) {
                break;
            }
            continue;
        }
        if (word.size() < MAX_PORT_NAME) {
            word += c;
        } else {
            break;
        }
    }
    return word.empty() ? std::string(DEFAULT_PORT_NAME) : word;
}

bool WritePortNameFile(const std::string& programDirectory, const std::string& portName) {
    return ReplaceFileContent(programDirectory + PORT_NAME_FILE, portName);
}
